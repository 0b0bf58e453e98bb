"""The header tool against small annotated headers, and its output through the C++ preprocessor."""

import os
import subprocess
import tempfile
import textwrap
import unittest

import durizerudore_header_tool as tool

HEADER = textwrap.dedent(
    """\
    #pragma once
    #include "CoreMinimal.h"
    #include "Sample.generated.h"

    /* USTRUCT(BlueprintType) struct FCommentedOut { GENERATED_BODY() }; */
    UENUM(BlueprintType)
    enum class ESample : uint8
    {
    	A UMETA(DisplayName = "A (x)"),
    	B
    };

    USTRUCT(BlueprintType, meta = (ToolTip = "A (nested) tooltip."))
    struct SAMPLE_API FSample
    {
    	GENERATED_BODY()

    	UPROPERTY(EditAnywhere)
    	int32 Value = 0;
    };

    UCLASS()
    class SAMPLE_API USample : public UObject
    {
    	GENERATED_BODY()
    };
    """
)


class HeaderToolTest(unittest.TestCase):
    def test_finds_types_and_generated_body_lines(self):
        types, bodies = tool.parse_header(HEADER)
        self.assertEqual([(t["annotation"], t["name"]) for t in types], [("UENUM", "ESample"), ("USTRUCT", "FSample"), ("UCLASS", "USample")])
        self.assertEqual([(line, owner["name"]) for line, owner in bodies], [(16, "FSample"), (25, "USample")])

    def test_generated_header_expands_generated_body_per_line(self):
        text = tool.generate("Sample", "Public/Sample.h", HEADER, "SAMPLE_API")
        self.assertIn("#define CURRENT_FILE_ID FID_Sample_Public_Sample_h", text)
        self.assertIn("#define FID_Sample_Public_Sample_h_16_GENERATED_BODY", text)
        self.assertIn("#define FID_Sample_Public_Sample_h_25_GENERATED_BODY", text)
        self.assertIn("static class UScriptStruct* StaticStruct();", text)
        self.assertIn("static class UClass* StaticClass();", text)

    def test_generated_body_outside_a_type_is_an_error(self):
        with self.assertRaises(ValueError):
            tool.parse_header("GENERATED_BODY()\n")

    def test_output_compiles_with_the_header(self):
        host = os.path.join(os.path.dirname(__file__), "..", "..", "Host")
        with tempfile.TemporaryDirectory() as directory:
            public = os.path.join(directory, "Public")
            os.makedirs(public)
            header = os.path.join(public, "Sample.h")
            with open(header, "w") as out:
                out.write(HEADER.replace('#include "CoreMinimal.h"', '#include "CoreTypes.h"\nstruct UObject {};'))
            self.assertEqual(tool.main(["--module-name", "Sample", "--module-root", directory, "--output-dir", directory, header]), 0)
            source = os.path.join(directory, "main.cpp")
            with open(source, "w") as out:
                out.write('#include "Public/Sample.h"\nint main() { FSample S; return S.Value; }\n')
            result = subprocess.run(
                ["c++", "-std=c++20", "-fsyntax-only", "-DSAMPLE_API=", "-I", directory,
                 "-I", os.path.join(host, "Core", "Public"), "-I", os.path.join(host, "CoreUObject", "Public"), source],
                capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
