// What visual scripts may do with the plugin's actor and anchor: read and write rights, accessors, the
// pins of call nodes and calls made from a graph.
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "ScopedMetaData.h"
#include "WorldTestSupport.h"

#include "HostScriptAccess.h"
#include "UObject/StructOnScope.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace DuRizerudoreTest;

namespace
{
	FCoordinateSystemSettings TangentPlaneSettings()
	{
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.0, 10.0, 100.0);
		return Settings;
	}

	/** A constructed value of a property's type, destroyed with the object. */
	class FPropertyValue
	{
	public:
		explicit FPropertyValue(const FProperty* InProperty)
			: Property(InProperty)
			, Memory(static_cast<std::size_t>(InProperty->GetSize()) / sizeof(double) + 1)
		{
			Property->InitializeValue(Get());
		}
		~FPropertyValue() { Property->DestroyValue(Get()); }
		FPropertyValue(const FPropertyValue&) = delete;
		FPropertyValue& operator=(const FPropertyValue&) = delete;

		void* Get() { return Memory.data(); }
		bool Equals(const UObject* Object) { return Property->Identical(Get(), Property->ContainerPtrToValuePtr<void>(Object)); }

	private:
		const FProperty* Property;
		std::vector<double> Memory;
	};

	FProperty* FindProperty(const UObject* Object, const TCHAR* Name)
	{
		FProperty* const Property = FindFProperty<FProperty>(Object->GetClass(), Name);
		EXPECT_NE(Property, nullptr) << *FString(Name);
		return Property;
	}

	/** One anchor property written by a script and by native code through its setter. */
	struct FAnchorWrite
	{
		const TCHAR* Name;
		std::function<bool(UDuRizerudoreAnchorComponent*)> ScriptWrite;
		std::function<void(UDuRizerudoreAnchorComponent*)> NativeWrite;
	};

	template <typename ValueType>
	FAnchorWrite MakeAnchorWrite(const TCHAR* Name, void (UDuRizerudoreAnchorComponent::*Setter)(const ValueType&), const ValueType Value)
	{
		return {Name, [Name, Value](UDuRizerudoreAnchorComponent* Anchor) { return UE::Host::ScriptSetProperty(Anchor, Name, &Value); },
			[Setter, Value](UDuRizerudoreAnchorComponent* Anchor) { (Anchor->*Setter)(Value); }};
	}

	/** One anchor property read by a script, checked against its getter called directly. */
	struct FAnchorRead
	{
		const TCHAR* Name;
		std::function<bool(UDuRizerudoreAnchorComponent*)> ReadsAsGetter;
	};

	template <typename ValueType>
	FAnchorRead MakeAnchorRead(const TCHAR* Name, ValueType (UDuRizerudoreAnchorComponent::*Getter)() const)
	{
		return {Name, [Name, Getter](UDuRizerudoreAnchorComponent* Anchor)
			{
				ValueType Value{};
				const ValueType Expected = (Anchor->*Getter)();
				return UE::Host::ScriptGetProperty(Anchor, Name, &Value) && FindProperty(Anchor, Name)->Identical(&Value, &Expected);
			}};
	}
}

TEST(ScriptAccess, ReadAndWriteRightsFollowTheAnnotations)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneSettings());
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform::Identity);
	const struct
	{
		const UObject* Object;
		const TCHAR* Name;
		bool bRead;
		bool bWrite;
	} Cases[] = {
		{System, TEXT("bAuthority"), true, false},
		{System, TEXT("Setup"), true, false},
		{System, TEXT("LocalReferenceFrame"), true, false},
		{System, TEXT("ReferenceSetup"), true, false},
		{System, TEXT("InitialLifeSpan"), true, false},
		{System, TEXT("InputPriority"), false, false},
		{System, TEXT("NetPriority"), true, true},
		{Placed.Anchor, TEXT("EcefPosition"), true, true},
		{Placed.Anchor, TEXT("EcefXAxis"), true, true},
		{Placed.Anchor, TEXT("EcefYAxis"), true, true},
		{Placed.Anchor, TEXT("EcefZAxis"), true, true},
		{Placed.Anchor, TEXT("GeodeticPosition"), true, true},
		{Placed.Anchor, TEXT("GeodeticRotation"), true, true},
	};
	for (const auto& Case : Cases)
	{
		const FProperty* const Property = FindProperty(Case.Object, Case.Name);
		EXPECT_EQ(UE::Host::CanScriptRead(Property), Case.bRead) << *FString(Case.Name);
		EXPECT_EQ(UE::Host::CanScriptWrite(Property), Case.bWrite) << *FString(Case.Name);
	}
	EXPECT_FALSE(UE::Host::CanScriptRead(nullptr));
	EXPECT_FALSE(UE::Host::CanScriptWrite(nullptr));
}

TEST(ScriptAccess, ScriptsReadTheActorsSettingsButCannotWriteThem)
{
	FTestWorld World;
	ADuRizerudoreSystem* const Target = LoadCoordinateSystem(World.Get(), TangentPlaneSettings());
	FCoordinateSystemSettings Other;
	Other.bAuthority = true;
	Other.LocalReferenceFrame = false;
	Other.Setup.GravityAccuracy = ECoordinateGravityAccuracy::Truncated8;
	Other.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::UTM, -30.0, 150.0, 5.0);
	ADuRizerudoreSystem* const Source = LoadCoordinateSystem(World.Get(), Other);
	for (const TCHAR* const Name : {TEXT("bAuthority"), TEXT("Setup"), TEXT("LocalReferenceFrame"), TEXT("ReferenceSetup")})
	{
		const FProperty* const Property = FindProperty(Target, Name);
		FPropertyValue Before(Property);
		ASSERT_TRUE(UE::Host::ScriptGetProperty(Target, Name, Before.Get())) << *FString(Name);
		EXPECT_TRUE(Before.Equals(Target)) << *FString(Name);
		FPropertyValue NewValue(Property);
		ASSERT_TRUE(UE::Host::ScriptGetProperty(Source, Name, NewValue.Get())) << *FString(Name);
		ASSERT_FALSE(NewValue.Equals(Target)) << *FString(Name) << ": the refused write would go unnoticed";
		EXPECT_FALSE(UE::Host::ScriptSetProperty(Target, Name, NewValue.Get())) << *FString(Name);
		EXPECT_TRUE(Before.Equals(Target)) << *FString(Name);
	}
	// A writable setting without a setter is assigned directly.
	const float NetPriority = 3.0f;
	EXPECT_TRUE(UE::Host::ScriptSetProperty(Target, TEXT("NetPriority"), &NetPriority));
	EXPECT_EQ(Target->NetPriority, NetPriority);
	EXPECT_FALSE(UE::Host::ScriptSetProperty(Target, TEXT("NoSuchProperty"), &NetPriority));
	EXPECT_FALSE(UE::Host::ScriptSetProperty(nullptr, TEXT("NetPriority"), &NetPriority));
	EXPECT_FALSE(UE::Host::ScriptSetProperty(Target, TEXT("NetPriority"), nullptr));
	float Unread = 0.0f;
	EXPECT_FALSE(UE::Host::ScriptGetProperty(Target, TEXT("InputPriority"), &Unread));
}

TEST(ScriptAccess, AScriptWriteOfAnAnchorPropertyGoesThroughItsSetterAndMovesTheOwner)
{
	FTestWorld World;
	LoadCoordinateSystem(World.Get(), TangentPlaneSettings());
	const FTransform Start(FRotator(10.0, 40.0, -5.0).Quaternion(), FVector(3000.0, -2000.0, 500.0));
	const FAnchoredActor Probe = SpawnAnchoredActor(World.Get(), Start);
	const FVector Position = Probe.Anchor->GetEcefPosition() + FVector(120.0, -80.0, 45.0);
	const FVector Tilted = Probe.Anchor->GetEcefYAxis() * 2.0 + Probe.Anchor->GetEcefZAxis() * 0.5;
	const FGeodeticCoordinate Geodetic(Probe.Anchor->GetGeodeticPosition().LatitudeDeg + 0.01, Probe.Anchor->GetGeodeticPosition().LongitudeDeg - 0.02, 250.0);
	const FAnchorWrite Writes[] = {
		MakeAnchorWrite(TEXT("EcefPosition"), &UDuRizerudoreAnchorComponent::SetEcefPosition, Position),
		MakeAnchorWrite(TEXT("EcefXAxis"), &UDuRizerudoreAnchorComponent::SetEcefXAxis, Tilted),
		MakeAnchorWrite(TEXT("EcefYAxis"), &UDuRizerudoreAnchorComponent::SetEcefYAxis, Tilted),
		MakeAnchorWrite(TEXT("EcefZAxis"), &UDuRizerudoreAnchorComponent::SetEcefZAxis, Tilted),
		MakeAnchorWrite(TEXT("GeodeticPosition"), &UDuRizerudoreAnchorComponent::SetGeodeticPosition, Geodetic),
		MakeAnchorWrite(TEXT("GeodeticRotation"), &UDuRizerudoreAnchorComponent::SetGeodeticRotation, FRotator(20.0, -70.0, 15.0)),
	};
	for (const FAnchorWrite& Write : Writes)
	{
		const FAnchoredActor Scripted = SpawnAnchoredActor(World.Get(), Start);
		const FAnchoredActor Native = SpawnAnchoredActor(World.Get(), Start);
		ASSERT_TRUE(Write.ScriptWrite(Scripted.Anchor)) << *FString(Write.Name);
		Write.NativeWrite(Native.Anchor);
		EXPECT_FALSE(Scripted.Actor->GetActorTransform().Equals(Start, 1e-3)) << *FString(Write.Name) << ": the owner did not move";
		EXPECT_TRUE(Scripted.Actor->GetActorTransform().Equals(Native.Actor->GetActorTransform(), 1e-9)) << *FString(Write.Name);
		EXPECT_TRUE(GetCachedEcefPose(Scripted.Anchor).Equals(GetCachedEcefPose(Native.Anchor), 1e-9)) << *FString(Write.Name);
		EXPECT_TRUE(Scripted.Anchor->GetGeodeticRotation().Equals(Native.Anchor->GetGeodeticRotation(), 1e-9)) << *FString(Write.Name);
	}
}

TEST(ScriptAccess, AScriptReadOfAnAnchorPropertyGoesThroughItsGetter)
{
	FTestWorld World;
	LoadCoordinateSystem(World.Get(), TangentPlaneSettings());
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FRotator(30.0, 60.0, 0.0).Quaternion(), FVector(1000.0, 2000.0, 300.0)));
	const FAnchorRead Reads[] = {
		MakeAnchorRead(TEXT("EcefPosition"), &UDuRizerudoreAnchorComponent::GetEcefPosition),
		MakeAnchorRead(TEXT("EcefXAxis"), &UDuRizerudoreAnchorComponent::GetEcefXAxis),
		MakeAnchorRead(TEXT("EcefYAxis"), &UDuRizerudoreAnchorComponent::GetEcefYAxis),
		MakeAnchorRead(TEXT("EcefZAxis"), &UDuRizerudoreAnchorComponent::GetEcefZAxis),
		MakeAnchorRead(TEXT("GeodeticPosition"), &UDuRizerudoreAnchorComponent::GetGeodeticPosition),
		MakeAnchorRead(TEXT("GeodeticRotation"), &UDuRizerudoreAnchorComponent::GetGeodeticRotation),
	};
	for (const FAnchorRead& Read : Reads)
	{
		EXPECT_TRUE(Read.ReadsAsGetter(Placed.Anchor)) << *FString(Read.Name);
	}
	// The getters return the fields, so the route shows only with the getter named exchanged.
	FProperty* const Position = FindProperty(Placed.Anchor, TEXT("EcefPosition"));
	const struct
	{
		const TCHAR* Getter;
		bool bRead;
	} Getters[] = {{TEXT("GetEcefZAxis"), true}, {TEXT("GetGeodeticRotation"), false}, {TEXT("SetEcefPosition"), false}, {TEXT("NoSuchFunction"), false}};
	for (const auto& Case : Getters)
	{
		const FScopedMetaData Getter(Position, TEXT("BlueprintGetter"), Case.Getter);
		FVector Value(-1.0, -1.0, -1.0);
		EXPECT_EQ(UE::Host::ScriptGetProperty(Placed.Anchor, TEXT("EcefPosition"), &Value), Case.bRead) << *FString(Case.Getter);
		EXPECT_EQ(Value, Case.bRead ? Placed.Anchor->GetEcefZAxis() : FVector(-1.0, -1.0, -1.0)) << *FString(Case.Getter);
	}
}

TEST(ScriptAccess, CallNodesShowTheirParametersAsPinsAndHideTheWorldContext)
{
	const struct
	{
		UClass* Class;
		const TCHAR* Function;
		FString Pins;
	} Cases[] = {
		{ADuRizerudoreSystem::StaticClass(), TEXT("GetCoordinateSystem"), TEXT("out ReturnValue")},
		{ADuRizerudoreSystem::StaticClass(), TEXT("IsAuthority"), TEXT("out ReturnValue")},
		{UDuRizerudoreAnchorComponent::StaticClass(), TEXT("SetGeodeticPosition"), TEXT("in NewGeodeticPosition")},
		{UDuRizerudoreBlueprintLibrary::StaticClass(), TEXT("ConvertPosition"),
			TEXT("in ReferenceFrame, in FromSystem, in ToSystem, in Position, out ConvertedPosition, out ReturnValue")},
	};
	for (const auto& Case : Cases)
	{
		TArray<FString> Pins;
		for (const UE::Host::FScriptPin& Pin : UE::Host::GetScriptPins(Case.Class->FindFunctionByName(Case.Function)))
		{
			Pins.Add((Pin.bOutput ? TEXT("out ") : TEXT("in ")) + Pin.Parameter->GetName());
		}
		EXPECT_EQ(FString::Join(Pins, TEXT(", ")).ToStdWString(), Case.Pins.ToStdWString()) << *FString(Case.Function);
	}
	EXPECT_TRUE(UE::Host::GetScriptPins(nullptr).IsEmpty());
}

TEST(ScriptAccess, GetCoordinateSystemCalledFromAGraphFindsTheCallersWorld)
{
	FTestWorld FirstWorld;
	FTestWorld SecondWorld;
	ADuRizerudoreSystem* const Systems[] = {LoadCoordinateSystem(FirstWorld.Get(), TangentPlaneSettings()), LoadCoordinateSystem(SecondWorld.Get(), TangentPlaneSettings())};
	const FAnchoredActor Callers[] = {SpawnAnchoredActor(FirstWorld.Get(), FTransform::Identity), SpawnAnchoredActor(SecondWorld.Get(), FTransform::Identity)};
	UFunction* const Function = ADuRizerudoreSystem::StaticClass()->FindFunctionByName(TEXT("GetCoordinateSystem"));
	ASSERT_NE(Function, nullptr);
	const FProperty* const Result = Function->GetReturnProperty();
	for (int32 Index = 0; Index < 2; ++Index)
	{
		FStructOnScope Parms(Function);
		ASSERT_TRUE(UE::Host::CallFunctionFromScript(Callers[Index].Anchor, nullptr, Function, Parms.GetStructMemory()));
		EXPECT_EQ(*Result->ContainerPtrToValuePtr<ADuRizerudoreSystem*>(Parms.GetStructMemory()), Systems[Index]) << Index;
	}
	// Refused, nothing called: no graph object for the hidden pin, a member function without or with a wrong target.
	FStructOnScope Parms(Function);
	EXPECT_FALSE(UE::Host::CallFunctionFromScript(nullptr, nullptr, Function, Parms.GetStructMemory()));
	UFunction* const IsAuthority = ADuRizerudoreSystem::StaticClass()->FindFunctionByName(TEXT("IsAuthority"));
	FStructOnScope AuthorityParms(IsAuthority);
	EXPECT_FALSE(UE::Host::CallFunctionFromScript(Callers[0].Actor, nullptr, IsAuthority, AuthorityParms.GetStructMemory()));
	EXPECT_FALSE(UE::Host::CallFunctionFromScript(Callers[0].Actor, Callers[0].Anchor, IsAuthority, AuthorityParms.GetStructMemory()));
	EXPECT_TRUE(UE::Host::CallFunctionFromScript(Callers[0].Actor, Systems[0], IsAuthority, AuthorityParms.GetStructMemory()));
	EXPECT_FALSE(UE::Host::CallFunctionFromScript(Callers[0].Actor, Systems[0], nullptr, AuthorityParms.GetStructMemory()));
}
