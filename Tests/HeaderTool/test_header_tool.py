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
    #include "Delegates/DelegateCombinations.h"
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

    DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FSampleChanged, bool, bChanged);

    UCLASS(Abstract)
    class SAMPLE_API USample : public UObject
    {
    	GENERATED_BODY()

    	UPROPERTY()
    	FSample Hidden;

    public:
    	USample(const FObjectInitializer& ObjectInitializer);

    	UPROPERTY(BlueprintAssignable, Category = "Sample")
    	FSampleChanged OnChanged;

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
        self.assertEqual([(t["annotation"], t["name"]) for t in types],
                         [("UENUM", "ESample"), ("USTRUCT", "FSample"), ("UCLASS", "USample"), ("DELEGATE", "FSampleChanged")])
        self.assertEqual([(line, owner["name"]) for line, owner in bodies], [(17, "FSample"), (31, "USample")])
        sample = types[2]
        self.assertEqual(sample["base"], "UObject")
        members = [(m["name"], m["type"], m["kind"], m["access"]) for m in sample["properties"]]
        self.assertEqual(members, [
            ("Hidden", "FSample", "Struct", "private"),
            ("OnChanged", "FSampleChanged", "InlineMulticastDelegate", "public"),
            ("Stored", "TEnumAsByte<ESample>", "Byte", "protected"),
            ("Where", "FVector", "Struct", "protected"),
        ])
        value = types[1]["properties"][0]
        self.assertEqual(value["flags"], ["CPF_Edit", "CPF_NativeAccessSpecifierPublic"])
        self.assertEqual(value["metadata"], [("EditCondition", "Kind == ESample::B"), ("EditConditionHides", "")])
        self.assertEqual(types[1]["properties"][1]["kind"], "Enum")
        # A delegate member is assignable by scripts, never a value they read; its signature is a function of the package.
        self.assertEqual(sample["properties"][1]["flags"], ["CPF_BlueprintAssignable", "CPF_NativeAccessSpecifierPublic"])
        self.assertEqual([(p["name"], p["kind"], p["passing"]) for p in types[3]["parameters"]], [("bChanged", "Bool", "value")])
        self.assertIn("#define FID_Sample_Public_Sample_h_26_DELEGATE", tool.generate("Sample", "Public/Sample.h", HEADER, "SAMPLE_API"))
        source = tool.generate_source("Sample", "Public/Sample.h", HEADER)
        self.assertIn('EPropertyGenFlags::InlineMulticastDelegate, EPropertyFlags(CPF_BlueprintAssignable | CPF_NativeAccessSpecifierPublic)', source)
        self.assertIn('"FSampleChanged", nullptr, nullptr, nullptr, nullptr, &Z_Construct_UDelegateFunction_Sample_SampleChanged__DelegateSignature,', source)
        self.assertIn('FuncParams = {nullptr, "SampleChanged__DelegateSignature", PropPointers, 1, EFunctionFlags(FUNC_Delegate | FUNC_MulticastDelegate | FUNC_Public)', source)

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

    def test_annotations_the_engine_refuses_are_reported_at_their_line(self):
        def actor(members):
            return "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\npublic:\n" + members + "};\n"

        accessor = "\tUPROPERTY(EditAnywhere, BlueprintGetter = GetValue, BlueprintSetter = SetValue)\n\tdouble Value;\n"
        getter = "\tUFUNCTION(BlueprintGetter)\n\tdouble GetValue() const;\n"
        cases = [
            (actor(accessor + getter + "\tUFUNCTION(BlueprintSetter)\n\tvoid SetValue(const FVector& NewValue);\n"),
             "Broken.h:6: error: blueprint property setter function SetValue must take double by value or const reference, not 'const FVector&'"),
            (actor(accessor + getter + "\tUFUNCTION(BlueprintSetter)\n\tvoid SetValue(double& NewValue);\n"),
             "Broken.h:6: error: blueprint property setter function SetValue must take double"),
            (actor(accessor + getter + "\tUFUNCTION(BlueprintSetter)\n\tvoid SetValue(double A, double B);\n"),
             "Broken.h:6: error: blueprint property setter function SetValue must have exactly one parameter"),
            (actor(accessor + getter + "\tUFUNCTION(BlueprintCallable)\n\tbool SetValue(double NewValue);\n"),
             "Broken.h:6: error: blueprint property setter function SetValue must not have a return value"),
            (actor(accessor + getter), "Broken.h:6: error: blueprint property setter function SetValue not found"),
            (actor(accessor + "\tUFUNCTION(BlueprintGetter)\n\tdouble GetValue();\n"), "Broken.h:6: error: blueprint property getter function GetValue must be const"),
            (actor(accessor + "\tUFUNCTION(BlueprintGetter)\n\tfloat GetValue() const;\n"), "Broken.h:6: error: blueprint property getter function GetValue must return double"),
            (actor("\tUPROPERTY(BlueprintReadOnly, BlueprintSetter = SetValue)\n\tdouble Value;\n"), "Broken.h:6: error: cannot specify Value as being both BlueprintReadOnly and having a BlueprintSetter"),
            (actor("private:\n\tUPROPERTY(BlueprintReadWrite)\n\tdouble Value;\n"), "Broken.h:7: error: BlueprintReadWrite should not be used on private members (Value)"),
            (actor("\tUPROPERTY(EditAnywhere, VisibleAnywhere)\n\tdouble Value;\n"), "Broken.h:6: error: found more than one edit/visibility specifier"),
            (actor("\tUPROPERTY(EditEverywhere)\n\tdouble Value;\n"), "Broken.h:6: error: unknown variable specifier 'EditEverywhere'"),
            (actor("\tUFUNCTION(BlueprintPure)\n\tvoid Nothing() const;\n"), "Broken.h:6: error: BlueprintPure specifier is not allowed for functions with no return value"),
            (actor("\tUFUNCTION(BlueprintPure, meta = (WorldContext = \"Context\"))\n\tstatic bool Find(const UObject* World);\n"),
             "Broken.h:6: error: function Find has no parameter named 'Context' for its WorldContext"),
            (actor("\tUFUNCTION(BlueprintCallable)\n\tvoid Take(const std::string& Text);\n"), "Broken.h:6: error: type 'std::string' is not supported by blueprint"),
            (actor("\tUFUNCTION(BlueprintCallable)\n\tvoid Take(const TArray<TArray<int32>>& Rows);\n"), "Broken.h:6: error: an array of 'TArray<int32>' is not supported"),
            (actor("\tUFUNCTION(BlueprintCallable)\n\tvoid Take(TArray<std::string>& Texts);\n"), "Broken.h:6: error: an array of 'std::string' is not supported"),
            (actor("\tUPROPERTY(BlueprintAssignable)\n\tdouble Value;\n"), "Broken.h:6: error: 'BlueprintAssignable' is only allowed on multicast delegate properties (Value)"),
            (actor("\tDECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FInside, bool, bValue);\n"), "Broken.h:6: error: declare dynamic delegates at namespace scope, before UBad"),
            (actor("\tUPROPERTY(BlueprintAssignable)\n\tFLater OnLater;\n") + "DECLARE_DYNAMIC_MULTICAST_DELEGATE(FLater);\n",
             "Broken.h:6: error: the delegate FLater must be declared before UBad"),
            ("DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FChanged, bool);\n", "Broken.h:1: error: DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam needs a delegate name and 1 parameter"),
            ("UENUM()\nenum ERaw\n{\n\tA\n};\n", "Broken.h:1: error: UENUM ERaw needs an explicit underlying type"),
            ("UENUM()\nenum ERaw : uint8\n{\n\tA\n};\n" + actor("\tUPROPERTY()\n\tERaw Value;\n"),
             "Broken.h:11: error: you cannot use the raw enum name 'ERaw' as a type for member variables"),
        ]
        for text, message in cases:
            with self.subTest(message=message):
                returncode, stderr = first_error(text)
                self.assertEqual(returncode, 1)
                self.assertTrue(stderr.startswith(message), stderr)

    def test_functions_parameters_and_comments_become_the_engine_flags_and_tooltips(self):
        text = textwrap.dedent(
            """\
            UENUM()
            enum class EMode : uint8 { A = 2, B, C = 0x10 UMETA(DisplayName = "See") };
            UENUM()
            enum EPlain : uint8 { P };

            /** A class
             *  comment. */
            UCLASS(HideCategories = (Mine, Input|MouseInput), ShowCategories = (Shown))
            class UChild : public UParent
            {
            	GENERATED_BODY()
            public:
            	/** Sums. */
            	UFUNCTION(BlueprintCallable, Category = "C", meta = (ToolTip = "Explicit."))
            	static bool Sum(const FVector& In, EMode Mode, double& Out);
            	// Not a doc comment.
            	UFUNCTION(BlueprintPure)
            	FVector Get() const;
            	UFUNCTION(BlueprintCallable)
            	static void Path(const TArray<FVector>& Points, TArray<int32> Counts, TArray<FVector>& Waypoints);
            };
            """)
        parent = "UCLASS(HideCategories = (Shown, Inherited), ShowCategories = (Input|MouseInput, Kept))\nclass UParent : public UObject\n{\n};\n"
        known, _ = tool.parse_header(parent, parse_bodies=False)
        types, _ = tool.parse_header(text, {declared["name"]: declared for declared in known})
        mode, plain, child = types
        self.assertEqual([(e["name"], e["value"], e["metadata"]) for e in mode["entries"]], [("A", 2, []), ("B", 3, []), ("C", 16, [("DisplayName", "See")])])
        source = tool.generate_source("Sample", "Public/Sample.h", text, {declared["name"]: declared for declared in known})
        self.assertIn('{"EMode::B", (int64)3}', source)
        self.assertIn('{"P", (int64)0}', source)
        metadata = tool.class_metadata(child, {"UParent": known[0]})
        self.assertEqual(metadata["HideCategories"], "Mine Input|MouseInput Inherited")
        self.assertEqual(metadata["ShowCategories"], "Shown Kept")
        self.assertEqual(metadata["ToolTip"], "A class\ncomment.")
        total, get, path = child["functions"]
        self.assertEqual(dict(total["metadata"])["ToolTip"], "Explicit.")
        self.assertNotIn("ToolTip", dict(get["metadata"]))
        self.assertEqual([(p["name"], p["passing"], p["kind"]) for p in total["parameters"]],
                         [("In", "const_ref", "Struct"), ("Mode", "value", "Enum"), ("Out", "ref", "Double"), ("ReturnValue", "return", "Bool")])
        self.assertEqual(total["flags"], ["FUNC_BlueprintCallable", "FUNC_Final", "FUNC_HasOutParms", "FUNC_Native", "FUNC_Public", "FUNC_Static"])
        self.assertEqual(get["flags"], ["FUNC_BlueprintCallable", "FUNC_BlueprintPure", "FUNC_Const", "FUNC_Final", "FUNC_Native", "FUNC_Public"])
        self.assertIn("\tP_GET_STRUCT_REF(FVector, Z_Param_Out_In);\n\tP_GET_ENUM(EMode, Z_Param_Mode);\n\tP_GET_PROPERTY_REF(FDoubleProperty, Z_Param_Out_Out);\n"
                      "\tP_FINISH;\n\tP_NATIVE_BEGIN;\n\t*(bool*)Z_Param__Result = UChild::Sum(Z_Param_Out_In, EMode(Z_Param_Mode), Z_Param_Out_Out);", source)
        # An array is a record of its element (the array's name, offset 0, no flags) followed by the array's own.
        self.assertEqual([(p["passing"], p["kind"], p["inner"]["kind"]) for p in path["parameters"]],
                         [("const_ref", "Array", "Struct"), ("value", "Array", "Int"), ("ref", "Array", "Struct")])
        statics = "Z_Construct_UFunction_UChild_Path_Statics"
        self.assertIn(f'{statics}::NewProp_Points_Inner = {{"Points", UECodeGen_Private::EPropertyGenFlags::Struct, EPropertyFlags(CPF_None), 0, sizeof(FVector), '
                      '"FVector", &TBaseStructure<FVector>::Get, nullptr, nullptr, nullptr, nullptr, nullptr, 0};', source)
        self.assertIn('"TArray<int32>", nullptr, nullptr, nullptr, []() -> FArrayProperty::ICppArrayOps* { return new FArrayProperty::TCppArrayOps<int32>(); }', source)
        self.assertIn(f"PropPointers[] = {{&{statics}::NewProp_Points_Inner, &{statics}::NewProp_Points, &{statics}::NewProp_Counts_Inner, &{statics}::NewProp_Counts, "
                      f"&{statics}::NewProp_Waypoints_Inner, &{statics}::NewProp_Waypoints}};", source)
        self.assertIn("\tP_GET_TARRAY_REF(FVector, Z_Param_Out_Points);\n\tP_GET_TARRAY(int32, Z_Param_Counts);\n\tP_GET_TARRAY_REF(FVector, Z_Param_Out_Waypoints);\n", source)

    def test_every_doc_comment_comes_out_verbatim_as_comment_metadata(self):
        text = textwrap.dedent(
            """\
            /** An enumeration. */
            UENUM()
            enum class EMode : uint8 { A };

            /**
             * A structure
             * over two lines.
             */
            USTRUCT(meta = (ToolTip = "Explicit."))
            struct FShape
            {
            	GENERATED_BODY()

            	/** A property. */
            	UPROPERTY(EditAnywhere)
            	double Size = 0.0;

            	// Not a doc comment.
            	UPROPERTY(EditAnywhere)
            	double Plain = 0.0;
            };

            /** A class. */
            UCLASS()
            class UHolder : public UObject
            {
            	GENERATED_BODY()
            public:
            	/**
            	 * A function.
            	 */
            	UFUNCTION(BlueprintCallable, meta = (ToolTip = "Explicit."))
            	static void Run();
            };
            """)
        mode, shape, holder = tool.parse_header(text)[0]
        size, plain = shape["properties"]
        run, = holder["functions"]
        cases = [
            (mode, "/** An enumeration. */"),
            (shape, "/**\n * A structure\n * over two lines.\n */"),
            (size, "/** A property. */"),
            (plain, None),
            (holder, "/** A class. */"),
            (run, "/**\n\t * A function.\n\t */"),
        ]
        source = tool.generate_source("Sample", "Public/Sample.h", text)
        for declared, comment in cases:
            with self.subTest(name=declared["name"]):
                self.assertEqual(dict(declared["metadata"]).get("Comment"), comment)
                if comment is not None:
                    self.assertIn('{"Comment", "' + comment.replace("\n", "\\n").replace("\t", "\\t") + '"}', source)

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
