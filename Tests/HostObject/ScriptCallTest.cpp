// Calls through reflection as scripts make them: records written by hand the way generated code writes
// them, native thunks reading their parameters from the frame, parameter blocks and enumerations.

#include "Templates/SharedPointer.h"
#include "UObject/GeneratedCppIncludes.h"
#include "UObject/Package.h"
#include "UObject/StructOnScope.h"

#include <gtest/gtest.h>

#include <cstddef>

enum class EScriptCallMode : uint8
{
	First = 0,
	Second = 5,
};

template <>
UEnum* StaticEnum<EScriptCallMode>();

/** A structure whose copies must go through C++: the shared pointer counts its owners. */
struct FScriptCallPayload
{
	FScriptCallPayload() { ++Constructions; }
	FScriptCallPayload(const FScriptCallPayload& Other) : Label(Other.Label), Shared(Other.Shared) { ++Constructions; }
	FScriptCallPayload& operator=(const FScriptCallPayload&) = default;
	~FScriptCallPayload() { ++Destructions; }

	static UScriptStruct* StaticStruct();

	FString Label;
	TSharedPtr<int32> Shared;

	static inline int32 Constructions = 0;
	static inline int32 Destructions = 0;
};

class UScriptCallTarget : public UObject
{
	DECLARE_CLASS(UScriptCallTarget, UObject, CLASS_Native, CASTCLASS_None, TEXT("/Script/HostObjectTests"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UScriptCallTarget)

public:
	explicit UScriptCallTarget(const FObjectInitializer& ObjectInitializer) : UObject(ObjectInitializer) {}

	int32 Combine(const int32 A, const double B, const EScriptCallMode Mode, FString& OutText)
	{
		OutText = FString::Printf(TEXT("%d/%g/%d"), A, B, static_cast<int32>(Mode));
		return A * 1000 + static_cast<int32>(B * 10.0) + static_cast<int32>(Mode);
	}

	FScriptCallPayload Relabel(const FScriptCallPayload& In, FScriptCallPayload& Out)
	{
		SeenIn = &In;
		Out = In;
		Out.Label += TEXT("!");
		FScriptCallPayload Result = In;
		Result.Label = TEXT("returned");
		return Result;
	}

	DECLARE_FUNCTION(execCombine)
	{
		P_GET_PROPERTY(FIntProperty, A);
		P_GET_PROPERTY(FDoubleProperty, B);
		P_GET_ENUM(EScriptCallMode, Mode);
		P_GET_PROPERTY_REF(FStrProperty, OutText);
		P_FINISH;
		P_NATIVE_BEGIN;
		*(int32*)Z_Param__Result = P_THIS->Combine(A, B, Mode, OutText);
		P_NATIVE_END;
	}

	DECLARE_FUNCTION(execRelabel)
	{
		P_GET_STRUCT_REF(FScriptCallPayload, In);
		P_GET_STRUCT_REF(FScriptCallPayload, Out);
		P_FINISH;
		P_NATIVE_BEGIN;
		*(FScriptCallPayload*)Z_Param__Result = P_THIS->Relabel(In, Out);
		P_NATIVE_END;
	}

	const FScriptCallPayload* SeenIn = nullptr;
};

namespace
{
	using namespace UECodeGen_Private;

	struct FCombineParms
	{
		int32 A;
		double B;
		EScriptCallMode Mode;
		FString OutText;
		int32 ReturnValue;
	};

	struct FRelabelParms
	{
		FScriptCallPayload In;
		FScriptCallPayload Out;
		FScriptCallPayload ReturnValue;
	};

	constexpr EPropertyFlags ConstRefParm = CPF_Parm | CPF_OutParm | CPF_ConstParm | CPF_ReferenceParm;
	constexpr EPropertyFlags ReturnParm = CPF_Parm | CPF_OutParm | CPF_ReturnParm;

	UEnum* ModeEnum() { return StaticEnum<EScriptCallMode>(); }

#define SCRIPT_CALL_PARAM(Parms, Member, Kind, Flags, Type, StructFunc, EnumFunc) \
	FPropertyParams{#Member, EPropertyGenFlags::Kind, Flags, STRUCT_OFFSET(Parms, Member), sizeof(Parms::Member), Type, StructFunc, EnumFunc, nullptr, nullptr, nullptr, nullptr, 0}

	const FPropertyParams PayloadLabel{"Label", EPropertyGenFlags::Str, CPF_Edit, STRUCT_OFFSET(FScriptCallPayload, Label), sizeof(FString), "FString", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0};
	const FPropertyParams* const PayloadProperties[] = {&PayloadLabel};

	const FPropertyParams CombineA = SCRIPT_CALL_PARAM(FCombineParms, A, Int, CPF_Parm, "int32", nullptr, nullptr);
	const FPropertyParams CombineB = SCRIPT_CALL_PARAM(FCombineParms, B, Double, CPF_Parm, "double", nullptr, nullptr);
	const FPropertyParams CombineMode = SCRIPT_CALL_PARAM(FCombineParms, Mode, Enum, CPF_Parm, "EScriptCallMode", nullptr, &ModeEnum);
	const FPropertyParams CombineText = SCRIPT_CALL_PARAM(FCombineParms, OutText, Str, CPF_Parm | CPF_OutParm, "FString", nullptr, nullptr);
	const FPropertyParams CombineReturn = SCRIPT_CALL_PARAM(FCombineParms, ReturnValue, Int, ReturnParm, "int32", nullptr, nullptr);
	const FPropertyParams* const CombineProperties[] = {&CombineA, &CombineB, &CombineMode, &CombineText, &CombineReturn};

	const FPropertyParams RelabelIn = SCRIPT_CALL_PARAM(FRelabelParms, In, Struct, ConstRefParm, "FScriptCallPayload", &FScriptCallPayload::StaticStruct, nullptr);
	const FPropertyParams RelabelOut = SCRIPT_CALL_PARAM(FRelabelParms, Out, Struct, CPF_Parm | CPF_OutParm, "FScriptCallPayload", &FScriptCallPayload::StaticStruct, nullptr);
	const FPropertyParams RelabelReturn = SCRIPT_CALL_PARAM(FRelabelParms, ReturnValue, Struct, ReturnParm, "FScriptCallPayload", &FScriptCallPayload::StaticStruct, nullptr);
	const FPropertyParams* const RelabelProperties[] = {&RelabelIn, &RelabelOut, &RelabelReturn};

#undef SCRIPT_CALL_PARAM

	// Every test function has a reference parameter, which the header tool marks with FUNC_HasOutParms.
	template <const FPropertyParams* const* Properties, int32 NumProperties, typename ParmsType>
	UFunction* ConstructScriptCallFunction(const char* Name)
	{
		static UFunction* Function = nullptr;
		const FFunctionParams Params{&UScriptCallTarget::StaticClass, Name, Properties, NumProperties, FUNC_Native | FUNC_Public | FUNC_BlueprintCallable | FUNC_HasOutParms, sizeof(ParmsType), alignof(ParmsType), nullptr, 0};
		ConstructUFunction(Function, Params);
		return Function;
	}

	UFunction* ConstructCombine() { return ConstructScriptCallFunction<CombineProperties, 5, FCombineParms>("Combine"); }
	UFunction* ConstructRelabel() { return ConstructScriptCallFunction<RelabelProperties, 3, FRelabelParms>("Relabel"); }
}

UScriptStruct* FScriptCallPayload::StaticStruct()
{
	static UScriptStruct* Struct = nullptr;
	const FStructParams Params{"/Script/HostObjectTests", "ScriptCallPayload", nullptr, sizeof(FScriptCallPayload), alignof(FScriptCallPayload),
		[]() -> UScriptStruct::ICppStructOps* { return new UScriptStruct::TCppStructOps<FScriptCallPayload>(); }, PayloadProperties, 1, nullptr, 0};
	ConstructUScriptStruct(Struct, Params);
	return Struct;
}

template <>
UEnum* StaticEnum<EScriptCallMode>()
{
	static UEnum* Enum = nullptr;
	static const FEnumeratorParam Entries[] = {{"EScriptCallMode::First", 0}, {"EScriptCallMode::Second", 5}};
	static const FMetaDataPairParam MetaData[] = {{"Second.DisplayName", "The second"}, {"Second.ToolTip", "Five"}};
	const FEnumParams Params{"/Script/HostObjectTests", "EScriptCallMode", "EScriptCallMode", Entries, 2, UEnum::ECppForm::EnumClass, MetaData, 2};
	ConstructUEnum(Enum, Params);
	return Enum;
}

UClass* UScriptCallTarget::GetPrivateStaticClass()
{
	static UClass* PrivateStaticClass = nullptr;
	if (PrivateStaticClass == nullptr)
	{
		static const FNameNativePtrPair Natives[] = {{"Combine", &UScriptCallTarget::execCombine}, {"Relabel", &UScriptCallTarget::execRelabel}};
		static const FClassFunctionLinkInfo Functions[] = {{&ConstructCombine, "Combine"}, {&ConstructRelabel, "Relabel"}};
		static const FClassParams Params{nullptr, 0, Functions, 2, Natives, 2, nullptr, CLASS_None, nullptr, 0};
		GetPrivateStaticClassBody(StaticPackage(), TEXT("ScriptCallTarget"), PrivateStaticClass, sizeof(UScriptCallTarget), alignof(UScriptCallTarget), StaticClassFlags, StaticClassCastFlags(),
			InternalConstructor<UScriptCallTarget>, &UObject::StaticClass);
		ConstructUClass(PrivateStaticClass, Params);
	}
	return PrivateStaticClass;
}

TEST(ScriptCallTest, FunctionLayoutMatchesTheParameterStructure)
{
	UFunction* const Combine = UScriptCallTarget::StaticClass()->FindFunctionByName(TEXT("Combine"));
	ASSERT_NE(Combine, nullptr);
	EXPECT_EQ(Combine, ConstructCombine());
	EXPECT_EQ(Combine->GetOwnerClass(), UScriptCallTarget::StaticClass());
	EXPECT_EQ(Combine->GetNativeFunc(), &UScriptCallTarget::execCombine);
	EXPECT_TRUE(Combine->HasAnyFunctionFlags(FUNC_HasOutParms));

	const std::size_t Offsets[] = {offsetof(FCombineParms, A), offsetof(FCombineParms, B), offsetof(FCombineParms, Mode), offsetof(FCombineParms, OutText), offsetof(FCombineParms, ReturnValue)};
	const TCHAR* const Names[] = {TEXT("A"), TEXT("B"), TEXT("Mode"), TEXT("OutText"), TEXT("ReturnValue")};
	int32 Index = 0;
	for (TFieldIterator<FProperty> It(Combine); It; ++It, ++Index)
	{
		ASSERT_LT(Index, 5);
		EXPECT_EQ(It->GetName(), FString(Names[Index]));
		EXPECT_EQ(static_cast<std::size_t>(It->GetOffset_ForInternal()), Offsets[Index]);
	}
	EXPECT_EQ(Index, 5);
	EXPECT_EQ(Combine->NumParms, 5);
	// The block ends with the last parameter; the structure adds its tail padding.
	EXPECT_EQ(Combine->ParmsSize, offsetof(FCombineParms, ReturnValue) + sizeof(int32));
	EXPECT_EQ(static_cast<std::size_t>(Combine->GetPropertiesSize()), sizeof(FCombineParms));
	EXPECT_EQ(Combine->ReturnValueOffset, offsetof(FCombineParms, ReturnValue));
	EXPECT_EQ(Combine->GetReturnProperty()->GetFName(), FName(TEXT("ReturnValue")));

	const FEnumProperty* const Mode = FindFProperty<FEnumProperty>(Combine, TEXT("Mode"));
	ASSERT_NE(Mode, nullptr);
	EXPECT_EQ(Mode->GetEnum(), StaticEnum<EScriptCallMode>());
	EXPECT_NE(CastField<FByteProperty>(Mode->GetUnderlyingProperty()), nullptr);
	EXPECT_EQ(UScriptCallTarget::StaticClass()->GetConfigName(), FName(TEXT("Engine")));
	EXPECT_EQ(UScriptCallTarget::StaticClass()->FindFunctionByName(TEXT("Relabel"), EIncludeSuperFlag::ExcludeSuper), ConstructRelabel());
	EXPECT_EQ(UScriptCallTarget::StaticClass()->FindFunctionByName(TEXT("Missing")), nullptr);
}

TEST(ScriptCallTest, ProcessEventReadsParametersInOrderAndWritesOutParametersAndTheReturnValue)
{
	UScriptCallTarget* const Target = NewObject<UScriptCallTarget>(GetTransientPackage());
	UFunction* const Combine = Target->FindFunctionChecked(TEXT("Combine"));

	FCombineParms Parms{7, 0.5, EScriptCallMode::Second, FString(TEXT("old")), -1};
	Target->ProcessEvent(Combine, &Parms);
	EXPECT_EQ(Parms.ReturnValue, 7 * 1000 + 5 + 5);
	EXPECT_EQ(Parms.OutText, FString(TEXT("7/0.5/5")));

	// A call on an object marked for destruction does nothing, as in the engine.
	Target->MarkAsGarbage();
	Parms.ReturnValue = -1;
	Target->ProcessEvent(Combine, &Parms);
	EXPECT_EQ(Parms.ReturnValue, -1);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);

	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(GetTransientPackage()->ProcessEvent(Combine, &Parms), "Combine of class ScriptCallTarget called on");
}

TEST(ScriptCallTest, ReferenceParametersAreTheCallersAndBlocksOnScopeConstructAndDestroyEachValueOnce)
{
	UScriptCallTarget* const Target = NewObject<UScriptCallTarget>(GetTransientPackage());
	UFunction* const Relabel = Target->FindFunctionChecked(TEXT("Relabel"));
	const int32 ConstructionsBefore = FScriptCallPayload::Constructions;
	const int32 DestructionsBefore = FScriptCallPayload::Destructions;
	{
		FStructOnScope Block(Relabel);
		ASSERT_TRUE(Block.IsValid());
		EXPECT_EQ(FScriptCallPayload::Constructions - ConstructionsBefore, 3);
		FRelabelParms& Parms = *reinterpret_cast<FRelabelParms*>(Block.GetStructMemory());
		Parms.In.Label = TEXT("name");
		Parms.In.Shared = MakeShared<int32>(4);

		Target->ProcessEvent(Relabel, &Parms);
		EXPECT_EQ(Target->SeenIn, &Parms.In);
		EXPECT_EQ(Parms.Out.Label, FString(TEXT("name!")));
		EXPECT_EQ(Parms.ReturnValue.Label, FString(TEXT("returned")));
		EXPECT_EQ(Parms.In.Shared.GetSharedReferenceCount(), 3);

		// Copies through reflection are the structure's own.
		const FStructProperty* const Out = FindFProperty<FStructProperty>(Relabel, TEXT("Out"));
		Parms.ReturnValue.Shared.Reset();
		Out->CopyCompleteValue(&Parms.ReturnValue, &Parms.In);
		EXPECT_EQ(Parms.ReturnValue.Label, FString(TEXT("name")));
		EXPECT_EQ(Parms.In.Shared.GetSharedReferenceCount(), 3);
		EXPECT_TRUE(Out->Identical(&Parms.ReturnValue, &Parms.In));
		EXPECT_FALSE(Out->Identical(&Parms.Out, &Parms.In));

		Block.Reset();
		EXPECT_FALSE(Block.IsValid());
	}
	EXPECT_EQ(FScriptCallPayload::Constructions - ConstructionsBefore, FScriptCallPayload::Destructions - DestructionsBefore);
	Target->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(ScriptCallTest, EnumerationsAnswerByFullAndShortNameAndRefuseUnknownEntries)
{
	const UEnum* const Enum = StaticEnum<EScriptCallMode>();
	ASSERT_EQ(Enum->NumEnums(), 3);
	EXPECT_EQ(Enum->GetNameByIndex(2), FName(TEXT("EScriptCallMode::EScriptCallMode_MAX")));
	EXPECT_EQ(Enum->GetMaxEnumValue(), 6);
	EXPECT_EQ(Enum->CppType(), FString(TEXT("EScriptCallMode")));

	struct FRow
	{
		const TCHAR* Name;
		int64 Value;
		const TCHAR* ShortName;
		const TCHAR* DisplayName;
	};
	const FRow Rows[] = {
		{TEXT("EScriptCallMode::First"), 0, TEXT("First"), TEXT("First")},
		{TEXT("Second"), 5, TEXT("Second"), TEXT("The second")},
		{TEXT("EScriptCallMode_MAX"), 6, TEXT("EScriptCallMode_MAX"), TEXT("EScriptCallMode_MAX")},
		{TEXT("Third"), INDEX_NONE, TEXT(""), TEXT("")},
		{TEXT("EOther::First"), INDEX_NONE, TEXT(""), TEXT("")},
	};
	for (const FRow& Row : Rows)
	{
		SCOPED_TRACE(Row.Name);
		EXPECT_EQ(Enum->GetValueByNameString(Row.Name), Row.Value);
		EXPECT_EQ(Enum->GetNameStringByValue(Row.Value), FString(Row.ShortName));
		EXPECT_EQ(Enum->GetDisplayNameTextByValue(Row.Value).ToString(), FString(Row.DisplayName));
		EXPECT_EQ(Enum->IsValidEnumValue(Row.Value), Row.Value != INDEX_NONE);
	}
	EXPECT_EQ(Enum->GetNameByValue(3), FName());
	EXPECT_EQ(Enum->GetToolTipTextByIndex(1).ToString(), FString(TEXT("Five")));
	EXPECT_TRUE(Enum->GetToolTipTextByIndex(7).IsEmpty());
	EXPECT_EQ(Enum->GetMetaData(TEXT("DisplayName"), 1), FString(TEXT("The second")));
	EXPECT_FALSE(Enum->HasMetaData(TEXT("DisplayName"), 0));
}
