// The reflected surface that the editor and visual scripts see, held entry by entry against its tables
// through the engine's reflection API only: enumerations, structures, classes, properties and functions.

#include "DeclaredFunctions.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreOriginShiftComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreConversion.h"
#include "DuRizerudoreSystem.h"

#include "Components/ActorComponent.h"
#include "GameFramework/Info.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
	/** Engine text as a standard string: compared with case (FString and FName ignore it) and printed readably. */
	std::basic_string<TCHAR> Text(const FString& Value)
	{
		return *Value;
	}

	/** Metadata keys and values; a key that a check governs and that is not listed must be absent. */
	using FMetaData = std::vector<std::pair<const TCHAR*, const TCHAR*>>;

	template <typename FieldType>
	void ExpectMetaData(const FieldType& Field, const FMetaData& Expected, const std::vector<const TCHAR*>& GovernedKeys)
	{
		for (const TCHAR* const Key : GovernedKeys)
		{
			const bool bListed = std::any_of(Expected.begin(), Expected.end(), [Key](const auto& Pair) { return std::wcscmp(Pair.first, Key) == 0; });
			EXPECT_EQ(Field.HasMetaData(FName(Key)), bListed) << Key;
		}
		for (const auto& [Key, Value] : Expected)
		{
			EXPECT_EQ(Text(Field.GetMetaData(FName(Key))), Value) << Key;
		}
	}

	/** A property's C++ type as declared, its kind, and the enumeration, structure or class inside it. */
	struct FType
	{
		const TCHAR* CppType;
		FFieldClass* Kind;
		const UField* Inner = nullptr;
		/** An array's element kind (its Inner property's); Inner is then the element's structure or enumeration. */
		FFieldClass* ElementKind = nullptr;
	};

	FType StructType(const TCHAR* CppType, const UScriptStruct* Struct)
	{
		return {CppType, FStructProperty::StaticClass(), Struct};
	}

	/** An enum class with uint8 underneath; a plain enumeration is reflected as a byte (TEnumAsByte). */
	FType EnumType(const TCHAR* CppType, const UEnum* Enum)
	{
		return {CppType, FEnumProperty::StaticClass(), Enum};
	}

	const UField* InnerType(const FProperty& Property)
	{
		if (const FArrayProperty* const Array = CastField<FArrayProperty>(&Property))
		{
			return Array->Inner != nullptr ? InnerType(*Array->Inner) : nullptr;
		}
		if (const FByteProperty* const Byte = CastField<FByteProperty>(&Property))
		{
			return Byte->Enum;
		}
		if (const FEnumProperty* const Enum = CastField<FEnumProperty>(&Property))
		{
			return Enum->GetEnum();
		}
		if (const FStructProperty* const Struct = CastField<FStructProperty>(&Property))
		{
			return Struct->Struct;
		}
		if (const FMulticastDelegateProperty* const Delegate = CastField<FMulticastDelegateProperty>(&Property))
		{
			return Delegate->SignatureFunction;
		}
		const FObjectPropertyBase* const Object = CastField<FObjectPropertyBase>(&Property);
		return Object != nullptr ? Object->PropertyClass : nullptr;
	}

	struct FPropertyRow
	{
		FString Name;
		FType Type;
		EPropertyFlags Flags;
		FMetaData MetaData = {};
	};

	// What the editor and scripts make of a property; type traits (plain old data and the like) are the engine's business.
	constexpr EPropertyFlags BehaviourFlags = CPF_Edit | CPF_ConstParm | CPF_BlueprintVisible | CPF_BlueprintReadOnly | CPF_Net | CPF_Parm | CPF_OutParm
		| CPF_ReturnParm | CPF_Transient | CPF_Config | CPF_DisableEditOnInstance | CPF_DisableEditOnTemplate | CPF_EditConst | CPF_SaveGame | CPF_ReferenceParm
		| CPF_RepNotify | CPF_BlueprintAssignable | CPF_BlueprintCallable;
	constexpr EPropertyFlags AccessFlags = CPF_NativeAccessSpecifierPublic | CPF_NativeAccessSpecifierProtected | CPF_NativeAccessSpecifierPrivate;

	/** Owner's own properties are exactly the rows, in order; Access is CPF_None where not checked (parameters). */
	void ExpectProperties(const UStruct* Owner, const std::vector<FPropertyRow>& Rows, const EPropertyFlags Access, const std::vector<const TCHAR*>& GovernedKeys)
	{
		std::vector<std::basic_string<TCHAR>> Names;
		std::vector<std::basic_string<TCHAR>> ExpectedNames;
		for (TFieldIterator<FProperty> It(Owner, EFieldIterationFlags::None); It; ++It)
		{
			Names.push_back(Text(It->GetName()));
		}
		for (const FPropertyRow& Row : Rows)
		{
			ExpectedNames.push_back(Text(Row.Name));
		}
		EXPECT_EQ(Names, ExpectedNames);
		for (const FPropertyRow& Row : Rows)
		{
			SCOPED_TRACE(Text(Row.Name));
			const FProperty* const Property = FindFProperty<FProperty>(Owner, FName(Row.Name));
			if (Property == nullptr)
			{
				continue;
			}
			EXPECT_EQ(Text(Property->GetCPPType()), Row.Type.CppType);
			EXPECT_EQ(Property->GetClass(), Row.Type.Kind) << *Property->GetClass()->GetName();
			EXPECT_EQ(InnerType(*Property), Row.Type.Inner);
			if (const FEnumProperty* const Enum = CastField<FEnumProperty>(Property))
			{
				EXPECT_TRUE(Enum->GetUnderlyingProperty() != nullptr && Enum->GetUnderlyingProperty()->GetClass() == FByteProperty::StaticClass());
			}
			if (const FArrayProperty* const Array = CastField<FArrayProperty>(Property); Array != nullptr && Array->Inner != nullptr)
			{
				// The element, as the engine builds it: the array's name, offset 0, no flags, the element's own kind.
				EXPECT_EQ(Array->Inner->GetClass(), Row.Type.ElementKind);
				EXPECT_EQ(Array->Inner->GetFName(), Array->GetFName());
				EXPECT_EQ(Array->Inner->GetOffset_ForInternal(), 0);
				EXPECT_EQ(Array->Inner->GetPropertyFlags(), CPF_None);
			}
			EXPECT_EQ(Property->GetPropertyFlags() & BehaviourFlags, Row.Flags);
			if (Access != CPF_None)
			{
				EXPECT_EQ(Property->GetPropertyFlags() & AccessFlags, Access);
			}
			ExpectMetaData(*Property, Row.MetaData, GovernedKeys);
		}
	}

	const std::vector<const TCHAR*> PropertyKeys = {TEXT("Category"), TEXT("EditCondition"), TEXT("EditConditionHides"), TEXT("BlueprintGetter"), TEXT("BlueprintSetter")};

	FType VectorType()
	{
		return StructType(TEXT("FVector"), TBaseStructure<FVector>::Get());
	}

	FType SystemType()
	{
		return EnumType(TEXT("ECoordinateSystem"), StaticEnum<ECoordinateSystem>());
	}

	FType FrameType()
	{
		return StructType(TEXT("FCoordinateReferenceFrame"), FCoordinateReferenceFrame::StaticStruct());
	}

	const FType DoubleType = {TEXT("double"), FDoubleProperty::StaticClass()};
	const FType IntType = {TEXT("int32"), FIntProperty::StaticClass()};
	const FType BoolType = {TEXT("bool"), FBoolProperty::StaticClass()};
}

TEST(ReflectedRegistry, EnumerationsHaveTheirFormEntriesAndDisplayTexts)
{
	struct FEnumRow
	{
		const UEnum* Enum;
		const TCHAR* Name;
		bool bScoped;
		/** Entry name, display name, tooltip (null: none); an entry's value is its position. */
		std::vector<std::tuple<const TCHAR*, const TCHAR*, const TCHAR*>> Entries;
	};
	const std::vector<FEnumRow> Rows = {
		{StaticEnum<ECoordinateSystem>(), TEXT("ECoordinateSystem"), true,
			{{TEXT("Local_ENU"), TEXT("Local ENU"), nullptr}, {TEXT("Local_NED"), TEXT("Local NED"), nullptr},
				{TEXT("Local_UE"), TEXT("Local UE NEU (cm)"), TEXT("Unreal-local NEU in centimeters: +X north, +Y east, +Z up.")},
				{TEXT("Geocentric"), TEXT("Geocentric ECEF"), nullptr}, {TEXT("Geodetic"), TEXT("Geodetic (Lat, Lon, Height)"), nullptr}}},
		{StaticEnum<ECoordinateAltitudeReference>(), TEXT("ECoordinateAltitudeReference"), true, {{TEXT("Ellipsoid"), nullptr, nullptr}, {TEXT("MeanSeaLevel"), nullptr, nullptr}}},
		{StaticEnum<ECoordinateLocalFrameType>(), TEXT("ECoordinateLocalFrameType"), true, {{TEXT("Cartesian"), nullptr, nullptr}, {TEXT("UTM"), TEXT("UTM"), nullptr}}},
		{StaticEnum<ECoordinateGeoidInterpolation>(), TEXT("ECoordinateGeoidInterpolation"), true, {{TEXT("Bilinear"), nullptr, nullptr}, {TEXT("Cubic"), nullptr, nullptr}}},
		{StaticEnum<ECoordinateGravityAccuracy>(), TEXT("ECoordinateGravityAccuracy"), true,
			{{TEXT("Full"), nullptr, nullptr}, {TEXT("Truncated8"), nullptr, nullptr}, {TEXT("Truncated16"), nullptr, nullptr}, {TEXT("Truncated32"), nullptr, nullptr}}},
		{StaticEnum<EEarthDatumModel>(), TEXT("EEarthDatumModel"), false, {{TEXT("WGS84"), nullptr, nullptr}}},
		{StaticEnum<EEarthGravityModel>(), TEXT("EEarthGravityModel"), false,
			{{TEXT("None"), nullptr, nullptr}, {TEXT("EGM84"), nullptr, nullptr}, {TEXT("EGM96"), nullptr, nullptr}, {TEXT("EGM2008"), nullptr, nullptr}}},
	};
	for (const FEnumRow& Row : Rows)
	{
		SCOPED_TRACE(Row.Name);
		ASSERT_NE(Row.Enum, nullptr);
		EXPECT_EQ(Text(Row.Enum->GetName()), Row.Name);
		EXPECT_EQ(Text(Row.Enum->CppType()), Row.Name);
		EXPECT_EQ(Row.Enum->GetCppForm(), Row.bScoped ? UEnum::ECppForm::EnumClass : UEnum::ECppForm::Regular);
		EXPECT_EQ(Text(Row.Enum->GetMetaData(TEXT("BlueprintType"))), TEXT("true"));
		const FString Prefix = Row.bScoped ? FString(Row.Name) + TEXT("::") : FString();
		const int32 Count = static_cast<int32>(Row.Entries.size());
		ASSERT_EQ(Row.Enum->NumEnums(), Count + 1);
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const auto& [Entry, DisplayName, ToolTip] = Row.Entries[Index];
			SCOPED_TRACE(Entry);
			EXPECT_EQ(Text(Row.Enum->GetNameByIndex(Index).ToString()), Text(Prefix + Entry));
			EXPECT_EQ(Row.Enum->GetValueByIndex(Index), Index);
			EXPECT_EQ(Row.Enum->HasMetaData(TEXT("DisplayName"), Index), DisplayName != nullptr);
			EXPECT_EQ(Text(Row.Enum->GetDisplayNameTextByIndex(Index).ToString()), DisplayName != nullptr ? DisplayName : Entry);
			EXPECT_EQ(Row.Enum->HasMetaData(TEXT("ToolTip"), Index), ToolTip != nullptr);
			EXPECT_EQ(Text(Row.Enum->GetToolTipTextByIndex(Index).ToString()), ToolTip != nullptr ? ToolTip : TEXT(""));
		}
		EXPECT_EQ(Text(Row.Enum->GetNameByIndex(Count).ToString()), Text(Prefix + Row.Name + TEXT("_MAX")));
		EXPECT_EQ(Row.Enum->GetValueByIndex(Count), Count);
	}
}

TEST(ReflectedRegistry, StructuresHaveTheirTooltipsAndFields)
{
	const EPropertyFlags Field = CPF_Edit | CPF_BlueprintVisible;
	const std::vector<FPropertyRow> Geodetic = {
		{TEXT("LatitudeDeg"), DoubleType, Field, {{TEXT("Category"), TEXT("DuRizerudore|Geodetic")}}},
		{TEXT("LongitudeDeg"), DoubleType, Field, {{TEXT("Category"), TEXT("DuRizerudore|Geodetic")}}},
		{TEXT("HeightM"), DoubleType, Field, {{TEXT("Category"), TEXT("DuRizerudore|Geodetic")}}},
	};
	const FMetaData Setup = {{TEXT("Category"), TEXT("DuRizerudore|Setup")}};
	const FMetaData OnlyWhenFull = {{TEXT("Category"), TEXT("DuRizerudore|Setup")},
		{TEXT("EditCondition"), TEXT("GravityAccuracy == ECoordinateGravityAccuracy::Full")}, {TEXT("EditConditionHides"), TEXT("")}};
	const FType GravityModel = {TEXT("TEnumAsByte<EEarthGravityModel>"), FByteProperty::StaticClass(), StaticEnum<EEarthGravityModel>()};
	const std::vector<FPropertyRow> ConversionSetup = {
		{TEXT("DatumModel"), {TEXT("TEnumAsByte<EEarthDatumModel>"), FByteProperty::StaticClass(), StaticEnum<EEarthDatumModel>()}, Field, Setup},
		{TEXT("GravityModel"), GravityModel, Field, Setup},
		{TEXT("GeoidModel"), GravityModel, Field, Setup},
		{TEXT("GravityAccuracy"), EnumType(TEXT("ECoordinateGravityAccuracy"), StaticEnum<ECoordinateGravityAccuracy>()), Field, Setup},
		{TEXT("GravityMaxDegree"), {TEXT("int32"), FIntProperty::StaticClass()}, Field, OnlyWhenFull},
		{TEXT("GravityMaxOrder"), {TEXT("int32"), FIntProperty::StaticClass()}, Field, OnlyWhenFull},
		{TEXT("GeoidInterpolation"), EnumType(TEXT("ECoordinateGeoidInterpolation"), StaticEnum<ECoordinateGeoidInterpolation>()), Field, Setup},
	};
	const FMetaData Frame = {{TEXT("Category"), TEXT("DuRizerudore|Frame")}};
	const std::vector<FPropertyRow> ReferenceSetup = {
		{TEXT("LocalFrameType"), EnumType(TEXT("ECoordinateLocalFrameType"), StaticEnum<ECoordinateLocalFrameType>()), Field,
			{{TEXT("Category"), TEXT("DuRizerudore|Frame")}, {TEXT("ToolTip"), TEXT("Cartesian uses a tangent LocalCartesian plane; UTM uses an origin-relative projected UTM/UPS grid.")}}},
		{TEXT("LocalFrameOrigin"), StructType(TEXT("FGeodeticCoordinate"), FGeodeticCoordinate::StaticStruct()), Field, Frame},
		{TEXT("LocalFrameAltitudeReference"), EnumType(TEXT("ECoordinateAltitudeReference"), StaticEnum<ECoordinateAltitudeReference>()), Field, Frame},
	};
	const std::vector<std::tuple<const UScriptStruct*, const TCHAR*, const TCHAR*, std::vector<FPropertyRow>>> Rows = {
		{FGeodeticCoordinate::StaticStruct(), TEXT("GeodeticCoordinate"), TEXT("Latitude/longitude/height tuple in degrees/meters."), Geodetic},
		{FCoordinateConversionSetup::StaticStruct(), TEXT("CoordinateConversionSetup"), TEXT("Shared datum, gravity, and geoid model selection used to build conversion instances."),
			ConversionSetup},
		{FCoordinateReferenceSetup::StaticStruct(), TEXT("CoordinateReferenceSetup"),
			TEXT("Local frame projection, origin, and altitude-reference convention for ENU/NED/UE conversions."), ReferenceSetup},
		{FCoordinateConversionInstance::StaticStruct(), TEXT("CoordinateConversionInstance"), TEXT("Heavy shared GeographicLib-backed state reused across many reference frames."), {}},
		{FCoordinateReferenceFrame::StaticStruct(), TEXT("CoordinateReferenceFrame"),
			TEXT("Opaque runtime reference-frame handle used for repeated conversions.\nCreate it at runtime from a conversion setup or coordinate-system actor and reuse it across calls."),
			{}},
	};
	for (const auto& [Struct, Name, ToolTip, Fields] : Rows)
	{
		SCOPED_TRACE(Name);
		ASSERT_NE(Struct, nullptr);
		EXPECT_EQ(Text(Struct->GetName()), Name);
		EXPECT_EQ(Struct->GetSuperStruct(), nullptr);
		ExpectMetaData(*Struct, {{TEXT("BlueprintType"), TEXT("true")}, {TEXT("ToolTip"), ToolTip}}, {TEXT("BlueprintType"), TEXT("ToolTip")});
		ExpectProperties(Struct, Fields, CPF_NativeAccessSpecifierPublic, PropertyKeys);
	}
}

TEST(ReflectedRegistry, ClassesHaveTheirBaseMetadataAndConfiguration)
{
	const std::vector<std::tuple<UClass*, const TCHAR*, UClass*, FMetaData>> Rows = {
		{ADuRizerudoreSystem::StaticClass(), TEXT("DuRizerudoreSystem"), AInfo::StaticClass(),
			{{TEXT("BlueprintType"), TEXT("true")}, {TEXT("IsBlueprintBase"), TEXT("true")},
				{TEXT("HideCategories"), TEXT("Actor Input Replication Collision Rendering HLOD Cooking Transform Input Movement Collision Rendering HLOD WorldPartition DataLayers Transformation")},
				{TEXT("ShowCategories"), TEXT("Input|MouseInput Input|TouchInput")},
				{TEXT("ToolTip"), TEXT("World actor that owns the default conversion models and reference frame for its world.")},
				{TEXT("IncludePath"), TEXT("DuRizerudoreSystem.h")}, {TEXT("ModuleRelativePath"), TEXT("Public/DuRizerudoreSystem.h")}}},
		{UDuRizerudoreAnchorComponent::StaticClass(), TEXT("DuRizerudoreAnchorComponent"), UActorComponent::StaticClass(),
			{{TEXT("BlueprintSpawnableComponent"), TEXT("")}, {TEXT("ClassGroupNames"), TEXT("Custom")}, {TEXT("IncludePath"), TEXT("DuRizerudoreAnchorComponent.h")},
				{TEXT("ModuleRelativePath"), TEXT("Public/DuRizerudoreAnchorComponent.h")}}},
		{UDuRizerudoreOriginShiftComponent::StaticClass(), TEXT("DuRizerudoreOriginShiftComponent"), UActorComponent::StaticClass(),
			{{TEXT("BlueprintSpawnableComponent"), TEXT("")}, {TEXT("ClassGroupNames"), TEXT("DuRizerudore")},
				{TEXT("ToolTip"), TEXT("Keeps the world local to its owner: moves the world's origin under the owner whenever it travels farther than ShiftDistance from it.")},
				{TEXT("IncludePath"), TEXT("DuRizerudoreOriginShiftComponent.h")},
				{TEXT("ModuleRelativePath"), TEXT("Public/DuRizerudoreOriginShiftComponent.h")}}},
		{UDuRizerudoreBlueprintLibrary::StaticClass(), TEXT("DuRizerudoreBlueprintLibrary"), UBlueprintFunctionLibrary::StaticClass(),
			{{TEXT("ToolTip"), TEXT("Blueprint helpers for building runtime reference frames and dispatching conversions from runtime enums.")},
				{TEXT("IncludePath"), TEXT("DuRizerudoreBlueprintLibrary.h")}, {TEXT("ModuleRelativePath"), TEXT("Public/DuRizerudoreBlueprintLibrary.h")}}},
	};
	for (const auto& [Class, Name, Base, MetaData] : Rows)
	{
		SCOPED_TRACE(Name);
		EXPECT_EQ(Text(Class->GetName()), Name);
		EXPECT_EQ(Class->GetSuperClass(), Base);
		EXPECT_TRUE(Class->HasAllClassFlags(CLASS_Native));
		EXPECT_FALSE(Class->HasAnyClassFlags(CLASS_Abstract));
		EXPECT_EQ(Text(Class->GetConfigName().ToString()), TEXT("Engine"));
		ExpectMetaData(*Class, MetaData,
			{TEXT("BlueprintType"), TEXT("IsBlueprintBase"), TEXT("HideCategories"), TEXT("ShowCategories"), TEXT("ClassGroupNames"), TEXT("BlueprintSpawnableComponent"),
				TEXT("ToolTip")});
	}
}

TEST(ReflectedRegistry, ActorAndAnchorPropertiesHaveTheirEditorAndScriptAccess)
{
	const EPropertyFlags ScriptReadOnly = CPF_Edit | CPF_BlueprintVisible | CPF_BlueprintReadOnly;
	const FMetaData Plain = {{TEXT("Category"), TEXT("DuRizerudore")}};
	// The frame-changed event: public, bound by scripts, its handlers taking the parameters of the package's signature function.
	const FProperty* const FrameChanged = FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), TEXT("OnReferenceFrameChanged"));
	const UFunction* const Signature = FrameChanged != nullptr && CastField<FMulticastDelegateProperty>(FrameChanged) != nullptr
		? CastField<FMulticastDelegateProperty>(FrameChanged)->SignatureFunction : nullptr;
	ASSERT_NE(Signature, nullptr);
	EXPECT_EQ(Signature->GetName(), TEXT("DuRizerudoreReferenceFrameChanged__DelegateSignature"));
	EXPECT_EQ(Signature->FunctionFlags, FUNC_Delegate | FUNC_MulticastDelegate | FUNC_Public);
	EXPECT_EQ(Signature->GetOwnerClass(), nullptr);
	ExpectProperties(Signature, {{TEXT("bFrameInitialized"), BoolType, CPF_Parm}}, CPF_None, {});
	EXPECT_EQ(FrameChanged->GetPropertyFlags() & AccessFlags, CPF_NativeAccessSpecifierPublic);
	ExpectProperties(ADuRizerudoreSystem::StaticClass(),
		{
			{TEXT("OnReferenceFrameChanged"), {TEXT("FDuRizerudoreReferenceFrameChanged"), FMulticastInlineDelegateProperty::StaticClass(), Signature}, CPF_BlueprintAssignable,
				{{TEXT("Category"), TEXT("DuRizerudore|Frame")}}},
			{TEXT("bAuthority"), BoolType, ScriptReadOnly, Plain},
			{TEXT("Setup"), StructType(TEXT("FCoordinateConversionSetup"), FCoordinateConversionSetup::StaticStruct()), ScriptReadOnly, Plain},
			{TEXT("LocalReferenceFrame"), BoolType, ScriptReadOnly, Plain},
			{TEXT("ReferenceSetup"), StructType(TEXT("FCoordinateReferenceSetup"), FCoordinateReferenceSetup::StaticStruct()), ScriptReadOnly,
				{{TEXT("Category"), TEXT("DuRizerudore")}, {TEXT("EditCondition"), TEXT("LocalReferenceFrame")}, {TEXT("EditConditionHides"), TEXT("")}}},
		},
		CPF_None, PropertyKeys);
	for (const TCHAR* const Name : {TEXT("bAuthority"), TEXT("Setup"), TEXT("LocalReferenceFrame"), TEXT("ReferenceSetup")})
	{
		EXPECT_EQ(FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), Name)->GetPropertyFlags() & AccessFlags, CPF_NativeAccessSpecifierProtected) << Name;
	}

	// Scripts reach the anchor's values only through its accessors, so that every write moves the owner.
	const auto ViaAccessors = [](const TCHAR* Name, const FType& Type, const TCHAR* Category, const TCHAR* Getter, const TCHAR* Setter) {
		return FPropertyRow{Name, Type, CPF_Edit | CPF_BlueprintVisible, {{TEXT("Category"), Category}, {TEXT("BlueprintGetter"), Getter}, {TEXT("BlueprintSetter"), Setter}}};
	};
	std::vector<FPropertyRow> Anchor = {
		ViaAccessors(TEXT("EcefPosition"), VectorType(), TEXT("DuRizerudore|ECEF"), TEXT("GetEcefPosition"), TEXT("SetEcefPosition")),
		ViaAccessors(TEXT("EcefXAxis"), VectorType(), TEXT("DuRizerudore|ECEF"), TEXT("GetEcefXAxis"), TEXT("SetEcefXAxis")),
		ViaAccessors(TEXT("EcefYAxis"), VectorType(), TEXT("DuRizerudore|ECEF"), TEXT("GetEcefYAxis"), TEXT("SetEcefYAxis")),
		ViaAccessors(TEXT("EcefZAxis"), VectorType(), TEXT("DuRizerudore|ECEF"), TEXT("GetEcefZAxis"), TEXT("SetEcefZAxis")),
		ViaAccessors(TEXT("GeodeticPosition"), StructType(TEXT("FGeodeticCoordinate"), FGeodeticCoordinate::StaticStruct()), TEXT("DuRizerudore|Geodetic"),
			TEXT("GetGeodeticPosition"), TEXT("SetGeodeticPosition")),
		ViaAccessors(TEXT("GeodeticRotation"), StructType(TEXT("FRotator"), TBaseStructure<FRotator>::Get()), TEXT("DuRizerudore|Geodetic"), TEXT("GetGeodeticRotation"),
			TEXT("SetGeodeticRotation")),
	};
	Anchor.back().MetaData.emplace_back(TEXT("ToolTip"), TEXT("Rotation in the local north/east/up tangent frame at GeodeticPosition."));
	ExpectProperties(UDuRizerudoreAnchorComponent::StaticClass(), Anchor, CPF_NativeAccessSpecifierProtected, PropertyKeys);

	// The origin-shift component: two settings scripts read and write, and an event with both origins.
	const FProperty* const Shifted = FindFProperty<FProperty>(UDuRizerudoreOriginShiftComponent::StaticClass(), TEXT("OnOriginShifted"));
	const UFunction* const ShiftedSignature = Shifted != nullptr && CastField<FMulticastDelegateProperty>(Shifted) != nullptr
		? CastField<FMulticastDelegateProperty>(Shifted)->SignatureFunction : nullptr;
	ASSERT_NE(ShiftedSignature, nullptr);
	EXPECT_EQ(ShiftedSignature->GetName(), TEXT("DuRizerudoreOriginShifted__DelegateSignature"));
	const FType Geodetic = StructType(TEXT("FGeodeticCoordinate"), FGeodeticCoordinate::StaticStruct());
	ExpectProperties(ShiftedSignature, {{TEXT("PreviousOrigin"), Geodetic, CPF_Parm}, {TEXT("NewOrigin"), Geodetic, CPF_Parm}}, CPF_None, {});
	const EPropertyFlags ScriptReadWrite = CPF_Edit | CPF_BlueprintVisible;
	std::vector<const TCHAR*> ShiftKeys = PropertyKeys;
	ShiftKeys.insert(ShiftKeys.end(), {TEXT("ClampMin"), TEXT("Units")});
	ExpectProperties(UDuRizerudoreOriginShiftComponent::StaticClass(),
		{
			{TEXT("ShiftDistance"), DoubleType, ScriptReadWrite, {{TEXT("Category"), TEXT("DuRizerudore")}, {TEXT("ClampMin"), TEXT("10000.0")}, {TEXT("Units"), TEXT("cm")}}},
			{TEXT("bShiftEnabled"), BoolType, ScriptReadWrite, Plain},
			{TEXT("OnOriginShifted"), {TEXT("FDuRizerudoreOriginShifted"), FMulticastInlineDelegateProperty::StaticClass(), ShiftedSignature}, CPF_BlueprintAssignable, Plain},
		},
		CPF_NativeAccessSpecifierPublic, ShiftKeys);
}

TEST(ReflectedRegistry, FunctionsHaveTheirKindMetadataAndParameters)
{
	const auto In = [](const TCHAR* Name, const FType& Type) { return FPropertyRow{Name, Type, CPF_Parm}; };
	const auto ConstRef = [](const FString& Name, const FType& Type) { return FPropertyRow{Name, Type, CPF_Parm | CPF_ConstParm | CPF_ReferenceParm | CPF_OutParm}; };
	const auto Out = [](const TCHAR* Name, const FType& Type) { return FPropertyRow{Name, Type, CPF_Parm | CPF_OutParm}; };
	const auto Return = [](const FType& Type) { return FPropertyRow{TEXT("ReturnValue"), Type, CPF_Parm | CPF_OutParm | CPF_ReturnParm}; };

	// Every reflected function is a final native one, public unless said otherwise; FUNC_HasOutParms is the runtime's, derived from the parameters.
	const EFunctionFlags Native = FUNC_Native | FUNC_Final | FUNC_Public;
	const EFunctionFlags Callable = Native | FUNC_BlueprintCallable;
	const EFunctionFlags Pure = Callable | FUNC_BlueprintPure;
	const EFunctionFlags StaticCallable = Callable | FUNC_Static;
	const EFunctionFlags ConstPure = Pure | FUNC_Const;

	const FType Frame = FrameType();
	const FType System = SystemType();
	const FType Vector = VectorType();
	const FType ActorPointer = {TEXT("ADuRizerudoreSystem*"), FObjectProperty::StaticClass(), ADuRizerudoreSystem::StaticClass()};
	const FType ReferenceSetup = StructType(TEXT("FCoordinateReferenceSetup"), FCoordinateReferenceSetup::StaticStruct());
	const auto Category = [](const TCHAR* Name) { return FMetaData{{TEXT("Category"), Name}}; };
	const auto CategoryAndTip = [](const TCHAR* Name, const TCHAR* ToolTip) { return FMetaData{{TEXT("Category"), Name}, {TEXT("ToolTip"), ToolTip}}; };

	struct FFunctionRow
	{
		FString Name;
		EFunctionFlags Flags;
		FMetaData MetaData;
		std::vector<FPropertyRow> Parameters;
	};
	std::vector<FFunctionRow> Library = {
		{TEXT("IsReferenceFrameValid"), Pure | FUNC_Static, Category(TEXT("DuRizerudore|Frame")), {ConstRef(TEXT("ReferenceFrame"), Frame), Return(BoolType)}},
		{TEXT("MakeReferenceFrame"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Frame"), TEXT("Builds a reusable runtime reference frame from the supplied conversion and local-frame setup.")),
			{ConstRef(TEXT("ConversionSetup"), StructType(TEXT("FCoordinateConversionSetup"), FCoordinateConversionSetup::StaticStruct())),
				ConstRef(TEXT("ReferenceSetup"), ReferenceSetup), Out(TEXT("OutReferenceFrame"), Frame), Return(BoolType)}},
		{TEXT("MakeReferenceFrameFromCoordinateSystem"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Frame"),
				TEXT("Builds a reusable runtime reference frame from an initialized coordinate-system actor and an alternate local-frame setup.")),
			{In(TEXT("CoordinateSystem"), ActorPointer), ConstRef(TEXT("ReferenceSetup"), ReferenceSetup), Out(TEXT("OutReferenceFrame"), Frame), Return(BoolType)}},
		{TEXT("GetReferenceFrameFromCoordinateSystem"), StaticCallable, CategoryAndTip(TEXT("DuRizerudore|Frame"), TEXT("Returns the actor's default runtime reference frame.")),
			{In(TEXT("CoordinateSystem"), ActorPointer), Out(TEXT("OutReferenceFrame"), Frame), Return(BoolType)}},
		{TEXT("ConvertPosition"), StaticCallable, Category(TEXT("DuRizerudore|Conversion")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System), ConstRef(TEXT("Position"), Vector),
				Out(TEXT("ConvertedPosition"), Vector), Return(BoolType)}},
		{TEXT("ConvertVector"), StaticCallable, Category(TEXT("DuRizerudore|Conversion")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System), ConstRef(TEXT("Vector"), Vector),
				Out(TEXT("ConvertedVector"), Vector), Return(BoolType)}},
		{TEXT("ConvertVectorAtPosition"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Conversion"), TEXT("Converts a vector using an explicit position whose coordinate system can differ from the vector system.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System), ConstRef(TEXT("Vector"), Vector),
				In(TEXT("PositionSystem"), System), ConstRef(TEXT("Position"), Vector), Out(TEXT("ConvertedVector"), Vector), Return(BoolType)}},
		{TEXT("ConvertQuaternion"), StaticCallable, Category(TEXT("DuRizerudore|Conversion")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System),
				ConstRef(TEXT("Rotation"), StructType(TEXT("FQuat"), TBaseStructure<FQuat>::Get())),
				Out(TEXT("ConvertedRotation"), StructType(TEXT("FQuat"), TBaseStructure<FQuat>::Get())), Return(BoolType)}},
		{TEXT("ConvertRotator"), StaticCallable, Category(TEXT("DuRizerudore|Conversion")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System),
				ConstRef(TEXT("Rotation"), StructType(TEXT("FRotator"), TBaseStructure<FRotator>::Get())),
				Out(TEXT("ConvertedRotation"), StructType(TEXT("FRotator"), TBaseStructure<FRotator>::Get())), Return(BoolType)}},
		{TEXT("HeadingPitchDegFromVector"), StaticCallable, Category(TEXT("DuRizerudore|Heading")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("VectorSystem"), System), ConstRef(TEXT("Vector"), Vector), In(TEXT("PositionSystem"), System),
				ConstRef(TEXT("Position"), Vector), Out(TEXT("HeadingPitchDeg"), StructType(TEXT("FVector2D"), TBaseStructure<FVector2D>::Get())), Return(BoolType)}},
		{TEXT("VectorFromHeadingPitchDeg"), StaticCallable, Category(TEXT("DuRizerudore|Heading")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("VectorSystem"), System),
				ConstRef(TEXT("HeadingPitchDeg"), StructType(TEXT("FVector2D"), TBaseStructure<FVector2D>::Get())), In(TEXT("PositionSystem"), System),
				ConstRef(TEXT("Position"), Vector), Out(TEXT("Vector"), Vector), Return(BoolType)}},
		{TEXT("GetGeoidHeight"), StaticCallable, CategoryAndTip(TEXT("DuRizerudore|Earth"), TEXT("Resolves geoid separation at the queried position.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("Position"), Vector), Out(TEXT("GeoidHeightM"), DoubleType),
				Return(BoolType)}},
		{TEXT("GetGravity"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Earth"),
				TEXT("Resolves gravity at the query point. Local outputs are expressed in the tangent frame at the queried point, not at the reference origin.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("Position"), Vector), In(TEXT("VectorSystem"), System),
				Out(TEXT("Gravity"), Vector), Return(BoolType)}},
		{TEXT("GetHeightAboveEllipsoid"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Earth"), TEXT("Resolves ellipsoid height from a geodetic coordinate whose Z component is height above mean sea level.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), ConstRef(TEXT("GeodeticCoordinateAtMeanSeaLevel"), Vector), Out(TEXT("HeightAboveEllipsoidM"), DoubleType),
				Return(BoolType)}},
		{TEXT("GetHeightAboveMeanSeaLevel"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Earth"), TEXT("Resolves mean sea level height for a physical point described in any supported position frame.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("Position"), Vector), Out(TEXT("HeightAboveMeanSeaLevelM"), DoubleType),
				Return(BoolType)}},
		{TEXT("GetGeodesicInverse"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Navigation"),
				TEXT("Distance in metres along the ellipsoid and azimuths in degrees clockwise from true north of the shortest path between two positions; heights are ignored.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("From"), Vector), ConstRef(TEXT("To"), Vector),
				Out(TEXT("DistanceM"), DoubleType), Out(TEXT("InitialAzimuthDeg"), DoubleType), Out(TEXT("FinalAzimuthDeg"), DoubleType), Return(BoolType)}},
		{TEXT("GetGeodesicDirect"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Navigation"),
				TEXT("End point (degrees, degrees, metres) and final azimuth (degrees from true north) of the geodesic leaving a geodetic point at an azimuth for a distance in metres; the height is carried over.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), ConstRef(TEXT("FromGeodetic"), Vector), In(TEXT("AzimuthDeg"), DoubleType), In(TEXT("DistanceM"), DoubleType),
				Out(TEXT("ToGeodetic"), Vector), Out(TEXT("FinalAzimuthDeg"), DoubleType), Return(BoolType)}},
		{TEXT("GetRhumbInverse"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Navigation"),
				TEXT("Distance in metres along the ellipsoid and constant azimuth in degrees clockwise from true north of the rhumb line between two positions; heights are ignored.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("From"), Vector), ConstRef(TEXT("To"), Vector),
				Out(TEXT("DistanceM"), DoubleType), Out(TEXT("AzimuthDeg"), DoubleType), Return(BoolType)}},
		{TEXT("GetRhumbDirect"), StaticCallable,
			CategoryAndTip(TEXT("DuRizerudore|Navigation"),
				TEXT("End point (degrees, degrees, metres) of the rhumb line leaving a geodetic point at a constant azimuth (degrees from true north) for a distance in metres; the height is carried over.")),
			{ConstRef(TEXT("ReferenceFrame"), Frame), ConstRef(TEXT("FromGeodetic"), Vector), In(TEXT("AzimuthDeg"), DoubleType), In(TEXT("DistanceM"), DoubleType),
				Out(TEXT("ToGeodetic"), Vector), Return(BoolType)}},
	};
	const FType Vectors = {TEXT("TArray<FVector>"), FArrayProperty::StaticClass(), TBaseStructure<FVector>::Get(), FStructProperty::StaticClass()};
	const std::vector<FPropertyRow> WaypointParameters = {ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("PositionSystem"), System), ConstRef(TEXT("From"), Vector),
		ConstRef(TEXT("To"), Vector), In(TEXT("Count"), IntType), In(TEXT("OutputSystem"), System), Out(TEXT("Waypoints"), Vectors), Return(BoolType)};
	Library.push_back({TEXT("ConvertPositions"), StaticCallable,
		CategoryAndTip(TEXT("DuRizerudore|Conversion"),
			TEXT("Converts an array of positions between coordinate systems, each as ConvertPosition does (metres; Local_UE centimetres; Geodetic degrees and metres); one that cannot be converted comes out as NaN and makes the result false.")),
		{ConstRef(TEXT("ReferenceFrame"), Frame), In(TEXT("FromSystem"), System), In(TEXT("ToSystem"), System), ConstRef(TEXT("Positions"), Vectors),
			Out(TEXT("ConvertedPositions"), Vectors), Return(BoolType)}});
	Library.push_back({TEXT("GetGeodesicWaypoints"), StaticCallable,
		CategoryAndTip(TEXT("DuRizerudore|Navigation"),
			TEXT("Count points (2 to 100000) evenly spaced in distance along the geodesic between two positions, ends included, in the output system's units (Local_UE centimetres, for a spline); heights go linearly in distance.")),
		WaypointParameters});
	Library.push_back({TEXT("GetRhumbWaypoints"), StaticCallable,
		CategoryAndTip(TEXT("DuRizerudore|Navigation"),
			TEXT("Count points (2 to 100000) evenly spaced in distance along the rhumb line between two positions, ends included, in the output system's units (Local_UE centimetres, for a spline); heights go linearly in distance.")),
		WaypointParameters});
	Library.push_back({TEXT("GetPolygonArea"), StaticCallable,
		CategoryAndTip(TEXT("DuRizerudore|Navigation"),
			TEXT("Area in square metres (positive for counter-clockwise vertices) and perimeter in metres of the polygon of geodesic edges through geodetic vertices (degrees; heights ignored), at least 3.")),
		{ConstRef(TEXT("ReferenceFrame"), Frame), ConstRef(TEXT("GeodeticVertices"), Vectors), Out(TEXT("AreaM2"), DoubleType), Out(TEXT("PerimeterM"), DoubleType),
			Return(BoolType)}});
	const std::vector<FFunctionRow> Actor = {
		{TEXT("GetCoordinateSystem"), Pure | FUNC_Static, {{TEXT("Category"), TEXT("DuRizerudore|Frame")}, {TEXT("WorldContext"), TEXT("WorldContextObject")}},
			{{TEXT("WorldContextObject"), {TEXT("UObject*"), FObjectProperty::StaticClass(), UObject::StaticClass()}, CPF_Parm | CPF_ConstParm}, Return(ActorPointer)}},
		{TEXT("IsAuthority"), ConstPure, Category(TEXT("DuRizerudore|Frame")), {Return(BoolType)}},
		{TEXT("SetReferenceSetup"), Callable, Category(TEXT("DuRizerudore|Frame")), {ConstRef(TEXT("NewReferenceSetup"), ReferenceSetup), Return(BoolType)}},
		{TEXT("SetSetup"), Callable, Category(TEXT("DuRizerudore|Frame")),
			{ConstRef(TEXT("NewSetup"), StructType(TEXT("FCoordinateConversionSetup"), FCoordinateConversionSetup::StaticStruct())), Return(BoolType)}},
	};
	std::vector<FFunctionRow> Anchor = {
		{TEXT("ApplyAnchorTransformToActor"), Callable, Category(TEXT("DuRizerudore")), {Return(BoolType)}},
		{TEXT("UpdateAnchorTransformFromActor"), Callable, Category(TEXT("DuRizerudore")), {Return(BoolType)}},
		// Not for scripts: bound by name to the owner root's dynamic delegate.
		{TEXT("HandleRootComponentChanged"), FUNC_Native | FUNC_Final | FUNC_Private, {},
			{{TEXT("UpdatedComponent"), {TEXT("USceneComponent*"), FObjectProperty::StaticClass(), USceneComponent::StaticClass()}, CPF_Parm},
				{TEXT("bIsRootComponent"), BoolType, CPF_Parm}}},
	};
	const std::vector<std::pair<const TCHAR*, FType>> Accessors = {{TEXT("EcefPosition"), Vector}, {TEXT("EcefXAxis"), Vector}, {TEXT("EcefYAxis"), Vector},
		{TEXT("EcefZAxis"), Vector}, {TEXT("GeodeticPosition"), StructType(TEXT("FGeodeticCoordinate"), FGeodeticCoordinate::StaticStruct())},
		{TEXT("GeodeticRotation"), StructType(TEXT("FRotator"), TBaseStructure<FRotator>::Get())}};
	for (const auto& [Property, Type] : Accessors)
	{
		Anchor.push_back({FString(TEXT("Get")) + Property, ConstPure, {{TEXT("Category"), TEXT("DuRizerudore")}, {TEXT("BlueprintGetter"), TEXT("")}}, {Return(Type)}});
		Anchor.push_back({FString(TEXT("Set")) + Property, Callable, {{TEXT("Category"), TEXT("DuRizerudore")}, {TEXT("BlueprintSetter"), TEXT("")}},
			{ConstRef(FString(TEXT("New")) + Property, Type)}});
	}

	const std::vector<FFunctionRow> OriginShift = {
		{TEXT("ShiftOriginToOwner"), Callable, Category(TEXT("DuRizerudore")), {Return(BoolType)}},
		Anchor[2],
	};

	const std::vector<std::pair<UClass*, const std::vector<FFunctionRow>*>> Classes = {{UDuRizerudoreBlueprintLibrary::StaticClass(), &Library},
		{ADuRizerudoreSystem::StaticClass(), &Actor}, {UDuRizerudoreAnchorComponent::StaticClass(), &Anchor}, {UDuRizerudoreOriginShiftComponent::StaticClass(), &OriginShift}};
	for (const auto& [Class, Rows] : Classes)
	{
		SCOPED_TRACE(Text(Class->GetName()));
		EXPECT_EQ(CountDeclaredFunctions(Class), static_cast<int32>(Rows->size()));
		for (const FFunctionRow& Row : *Rows)
		{
			SCOPED_TRACE(Text(Row.Name));
			const UFunction* const Function = Class->FindFunctionByName(FName(Row.Name), EIncludeSuperFlag::ExcludeSuper);
			if (Function == nullptr)
			{
				ADD_FAILURE() << "not reflected";
				continue;
			}
			EXPECT_EQ(Function->GetOwnerClass(), Class);
			EXPECT_EQ(Function->FunctionFlags & ~(FUNC_HasOutParms | FUNC_RequiredAPI | FUNC_DLLImport), Row.Flags);
			ExpectMetaData(*Function, Row.MetaData, {TEXT("Category"), TEXT("WorldContext"), TEXT("BlueprintGetter"), TEXT("BlueprintSetter")});
			ExpectProperties(Function, Row.Parameters, CPF_None, {});
		}
	}
}

TEST(ReflectedRegistry, DocCommentsComeOutAsCommentMetadata)
{
	/** The header text, read from the module's sources: the doc comment a field's Comment must be, verbatim. */
	const auto ReadHeader = [](const char* Name) {
		std::ifstream File(std::filesystem::path(DURIZERUDORE_TEST_PLUGIN_DIR) / "Source" / "DuRizerudore" / "Public" / Name);
		return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
	};
	const std::string Conversion = ReadHeader("DuRizerudoreConversion.h");
	const std::string Library = ReadHeader("DuRizerudoreBlueprintLibrary.h");
	ASSERT_FALSE(Conversion.empty());
	ASSERT_FALSE(Library.empty());

	const UFunction* const ConvertRotator = UDuRizerudoreBlueprintLibrary::StaticClass()->FindFunctionByName(TEXT("ConvertRotator"));
	const FProperty* const Latitude = FindFProperty<FProperty>(FGeodeticCoordinate::StaticStruct(), TEXT("LatitudeDeg"));
	ASSERT_NE(ConvertRotator, nullptr);
	ASSERT_NE(Latitude, nullptr);
	struct FRow
	{
		const char* What;
		bool bHasComment;
		FString Comment;
		const std::string& Header;
		const char* Annotation;
	};
	// One of each kind that carries a doc comment; functions and properties with an explicit tooltip keep theirs too.
	const std::vector<FRow> Rows = {
		{"enumeration", StaticEnum<ECoordinateSystem>()->HasMetaData(TEXT("Comment")), StaticEnum<ECoordinateSystem>()->GetMetaData(TEXT("Comment")), Conversion, "UENUM"},
		{"structure", FCoordinateConversionInstance::StaticStruct()->HasMetaData(TEXT("Comment")), FCoordinateConversionInstance::StaticStruct()->GetMetaData(TEXT("Comment")),
			Conversion, "USTRUCT"},
		{"class", UDuRizerudoreBlueprintLibrary::StaticClass()->HasMetaData(TEXT("Comment")), UDuRizerudoreBlueprintLibrary::StaticClass()->GetMetaData(TEXT("Comment")),
			Library, "UCLASS"},
		{"property", Latitude->HasMetaData(TEXT("Comment")), Latitude->GetMetaData(TEXT("Comment")), Conversion, "UPROPERTY"},
		{"function", ConvertRotator->HasMetaData(TEXT("Comment")), ConvertRotator->GetMetaData(TEXT("Comment")), Library, "UFUNCTION"},
	};
	for (const FRow& Row : Rows)
	{
		if (!Row.bHasComment)
		{
			ADD_FAILURE() << Row.What << " has no Comment";
			continue;
		}
		const std::string Comment = TCHAR_TO_UTF8(*Row.Comment);
		EXPECT_TRUE(Comment.starts_with("/**") && Comment.ends_with("*/")) << Row.What << ": " << Comment;
		// The comment as written, right before the annotation it documents.
		bool bFound = false;
		for (std::size_t At = Row.Header.find(Comment); At != std::string::npos && !bFound; At = Row.Header.find(Comment, At + 1))
		{
			const std::size_t Next = Row.Header.find_first_not_of(" \t\n", At + Comment.size());
			bFound = Next != std::string::npos && Row.Header.compare(Next, std::strlen(Row.Annotation), Row.Annotation) == 0;
		}
		EXPECT_TRUE(bFound) << Row.What << ": " << Comment;
	}
}
