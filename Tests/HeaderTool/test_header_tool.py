"""The header tool against small annotated headers, and its output through the C++ compiler."""

import os
import subprocess
import tempfile
import textwrap
import unittest

import durizerudore_header_tool as tool

HEADER = textwrap.dedent(
    """\
    #pragma once
    #include "UObject/Object.h"
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

    	UPROPERTY(EditAnywhere, meta = (EditCondition = "Kind == ESample::B", EditConditionHides))
    	int32 Value = 0;

    	UPROPERTY(EditAnywhere)
    	ESample Kind = ESample::A;
    };

    UCLASS(Abstract)
    class SAMPLE_API USample : public UObject
    {
    	GENERATED_BODY()

    	UPROPERTY()
    	FSample Hidden;

    public:
    	USample(const FObjectInitializer& ObjectInitializer);

    protected:
    	UPROPERTY(EditAnywhere, Category = "Sample|Group")
    	TEnumAsByte<ESample> Stored;

    	UPROPERTY(VisibleAnywhere)
    	FVector Where{1.0, 0.0, 0.0};
    };
    """
)


def first_error(text):
    with tempfile.TemporaryDirectory() as directory:
        header = os.path.join(directory, "Broken.h")
        with open(header, "w") as out:
            out.write(text)
        result = subprocess.run(
            ["python3", tool.__file__, "--module-name", "Sample", "--module-root", directory, "--output-dir", directory, header],
            capture_output=True, text=True)
        return result.returncode, result.stderr.replace(header, "Broken.h")


class HeaderToolTest(unittest.TestCase):
    def test_finds_types_members_and_the_access_they_are_declared_with(self):
        types, bodies = tool.parse_header(HEADER)
        self.assertEqual([(t["annotation"], t["name"]) for t in types], [("UENUM", "ESample"), ("USTRUCT", "FSample"), ("UCLASS", "USample")])
        self.assertEqual([(line, owner["name"]) for line, owner in bodies], [(16, "FSample"), (28, "USample")])
        sample = types[2]
        self.assertEqual(sample["base"], "UObject")
        members = [(m["name"], m["type"], m["kind"], m["access"]) for m in sample["properties"]]
        self.assertEqual(members, [
            ("Hidden", "FSample", "Struct", "private"),
            ("Stored", "TEnumAsByte<ESample>", "Byte", "protected"),
            ("Where", "FVector", "Struct", "protected"),
        ])
        value = types[1]["properties"][0]
        self.assertEqual(value["flags"], ["CPF_Edit", "CPF_NativeAccessSpecifierPublic"])
        self.assertEqual(value["metadata"], [("EditCondition", "Kind == ESample::B"), ("EditConditionHides", "")])
        self.assertEqual(types[1]["properties"][1]["kind"], "Enum")

    def test_the_constructor_the_object_system_calls_follows_the_declaration(self):
        cases = [
            ("USample(const FObjectInitializer& ObjectInitializer);", "DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(USample)", False),
            ("USample();", "DEFINE_DEFAULT_CONSTRUCTOR_CALL(USample)", False),
            ("", "DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(USample)", True),
        ]
        for declaration, call, declares_constructor in cases:
            with self.subTest(declaration=declaration):
                text = HEADER.replace("USample(const FObjectInitializer& ObjectInitializer);", declaration)
                generated = tool.generate("Sample", "Public/Sample.h", text, "SAMPLE_API")
                source = tool.generate_source("Sample", "Public/Sample.h", text)
                self.assertIn(call, generated)
                self.assertEqual("USample(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());" in generated, declares_constructor)
                self.assertEqual("USample::USample(const FObjectInitializer& ObjectInitializer)" in source, declares_constructor)

    def test_unreadable_annotations_are_reported_at_their_line(self):
        cases = [
            ("UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tstd::vector<int> Items;\n};\n", "Broken.h:5: error: UPROPERTY of type 'std::vector<int>' is not supported"),
            ("USTRUCT()\nstruct FBad\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tuint8 bFlag : 1;\n};\n", "Broken.h:5: error: bit-field properties are not supported"),
            ("USTRUCT()\nstruct FBad\n{\n\tGENERATED_BODY()\n\tUPROPERTY(Category = \"A\" \"B\", 3)\n\tint32 Value;\n};\n", "Broken.h:5: error: cannot read the annotation argument"),
            ("UCLASS()\nclass UBad\n{\n\tGENERATED_BODY()\n};\n", "Broken.h:1: error: UCLASS UBad has no base class"),
            ("\nGENERATED_BODY()\n", "Broken.h:2: error: GENERATED_BODY outside an annotated class or structure"),
        ]
        for text, message in cases:
            with self.subTest(message=message):
                returncode, stderr = first_error(text)
                self.assertEqual(returncode, 1)
                self.assertTrue(stderr.startswith(message), stderr)

    def test_output_compiles_with_the_header(self):
        host = os.path.join(os.path.dirname(__file__), "..", "..", "Host")
        with tempfile.TemporaryDirectory() as directory:
            public = os.path.join(directory, "Public")
            os.makedirs(public)
            header = os.path.join(public, "Sample.h")
            with open(header, "w") as out:
                out.write(HEADER)
            self.assertEqual(tool.main(["--module-name", "Sample", "--module-root", directory, "--output-dir", directory, header]), 0)
            result = subprocess.run(
                ["c++", "-std=c++20", "-fsyntax-only", "-Wall", "-Wextra", "-Wpedantic", "-Werror", "-Wno-unused-parameter",
                 "-DSAMPLE_API=", "-DWITH_EDITOR=1", "-DWITH_EDITORONLY_DATA=1", "-DWITH_METADATA=1",
                 "-I", directory, "-I", public] + [arg for module in ("Core", "CoreUObject") for arg in ("-I", os.path.join(host, module, "Public"))]
                + [os.path.join(directory, "Sample.gen.cpp")],
                capture_output=True, text=True)
            self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
