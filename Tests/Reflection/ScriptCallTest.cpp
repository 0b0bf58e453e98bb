// Visual scripts call the plugin's functions through their reflected records: a parameter block laid out
// by the function, filled by parameter name and run with ProcessEvent. Each call must give what the direct
// C++ call gives, the return value and every output included.

#include "DeclaredFunctions.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreSystem.h"
#include "TestPluginDirectory.h"
#include "WorldTestSupport.h"

#include "UObject/Class.h"
#include "UObject/StructOnScope.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using FLibrary = UDuRizerudoreBlueprintLibrary;
using UAnchor = UDuRizerudoreAnchorComponent;

namespace
{
	/** A reflected function's parameter block, its parameters reached by name. */
	class FParameterBlock
	{
	public:
		FParameterBlock(const UClass* Class, const TCHAR* FunctionName) : Function(Class->FindFunctionByName(FunctionName)), Block(Function) {}

		const FProperty* FindParameter(const TCHAR* Name) const { return Function != nullptr ? FindFProperty<FProperty>(Function, Name) : nullptr; }

		/** The parameter's value; a missing parameter, or one of another size, fails the test and gives a scratch value. */
		template <typename T>
		T& Get(const TCHAR* Name)
		{
			const FProperty* const Property = FindParameter(Name);
			if (Property == nullptr || Property->GetSize() != static_cast<int32>(sizeof(T)))
			{
				ADD_FAILURE() << "no parameter " << Name << " of that size";
				static T Scratch{};
				return Scratch;
			}
			return *Property->ContainerPtrToValuePtr<T>(Block.GetStructMemory());
		}

		/** Writes a parameter; chains. */
		template <typename T>
		FParameterBlock& Set(const TCHAR* Name, const T& Value)
		{
			Get<T>(Name) = Value;
			return *this;
		}

		bool& ReturnValue() { return Get<bool>(TEXT("ReturnValue")); }

		/** Runs the function on Object (the class default object for a static function) as a script does. */
		void Call(UObject* Object)
		{
			ASSERT_NE(Function, nullptr);
			Object->ProcessEvent(Function, Block.GetStructMemory());
		}

		/** Every parameter equal to the other block's; frames, which compare no fields, by what they convert. */
		void ExpectSameAs(const FParameterBlock& Other) const
		{
			const FVector Probe(48.13, 11.57, 700.0);
			for (TFieldIterator<FProperty> It(Function, EFieldIterationFlags::None); It; ++It)
			{
				const void* const Mine = It->ContainerPtrToValuePtr<void>(Block.GetStructMemory());
				const void* const Theirs = It->ContainerPtrToValuePtr<void>(Other.Block.GetStructMemory());
				const FStructProperty* const Struct = CastField<FStructProperty>(*It);
				if (Struct == nullptr || Struct->Struct != FCoordinateReferenceFrame::StaticStruct())
				{
					EXPECT_TRUE(It->Identical(Mine, Theirs)) << *It->GetName();
					continue;
				}
				const FCoordinateReferenceFrame& Frame = *static_cast<const FCoordinateReferenceFrame*>(Mine);
				const FCoordinateReferenceFrame& OtherFrame = *static_cast<const FCoordinateReferenceFrame*>(Theirs);
				EXPECT_EQ(Frame.IsInitialized(), OtherFrame.IsInitialized()) << *It->GetName();
				ASSERT_EQ(Frame.HasLocalFrame(), OtherFrame.HasLocalFrame()) << *It->GetName();
				if (Frame.HasLocalFrame())
				{
					EXPECT_EQ(Frame.GetLocalFrameType(), OtherFrame.GetLocalFrameType());
					EXPECT_EQ(Frame.GeodeticPositionToLocalEnu(Probe), OtherFrame.GeodeticPositionToLocalEnu(Probe)) << *It->GetName();
				}
			}
		}

	private:
		UFunction* Function;
		FStructOnScope Block;
	};

	/** A frame the library is called with, and the coordinate-system actor and setups behind it. */
	struct FCallCase
	{
		const TCHAR* Name;
		FCoordinateReferenceFrame Frame;
		ADuRizerudoreSystem* CoordinateSystem;
		FCoordinateConversionSetup Setup;
		FCoordinateReferenceSetup ReferenceSetup;
		bool bSucceeds;
	};

	/** A frame of WGS84 with the EGM84 models, as a coordinate-system actor of its own world holds it. */
	FCallCase MakeModelCase(const TCHAR* Name, UWorld* World, const ECoordinateLocalFrameType Type)
	{
		DuRizerudoreTest::FCoordinateSystemSettings Settings;
		Settings.Setup = FCoordinateConversionSetup();
		Settings.ReferenceSetup = DuRizerudoreTest::MakeReferenceSetup(Type, 48.1, 11.6, 500.0);
		ADuRizerudoreSystem* const Actor = DuRizerudoreTest::LoadCoordinateSystem(World, Settings);
		const FCoordinateReferenceFramePtr Frame = Actor->GetReferenceFramePtr();
		EXPECT_TRUE(Frame.IsValid()) << Name;
		return {Name, Frame.IsValid() ? *Frame : FCoordinateReferenceFrame(), Actor, Settings.Setup, Settings.ReferenceSetup, true};
	}

	FCoordinateReferenceFrame& FrameOf(FParameterBlock& Block)
	{
		return Block.Get<FCoordinateReferenceFrame>(TEXT("ReferenceFrame"));
	}

	ECoordinateSystem& SystemOf(FParameterBlock& Block, const TCHAR* Name)
	{
		return Block.Get<ECoordinateSystem>(Name);
	}

	FVector& VectorOf(FParameterBlock& Block, const TCHAR* Name)
	{
		return Block.Get<FVector>(Name);
	}

	/** Sets through a script call on one anchor and directly on its twin, then reads back through a script call. */
	template <typename T>
	void ExpectAccessorsMatchDirectCalls(UAnchor* Direct, UAnchor* Script, const FString& Property, T (UAnchor::*Getter)() const, void (UAnchor::*Setter)(const T&), const T& Value)
	{
		SCOPED_TRACE(*Property);
		const T Before = (Direct->*Getter)();
		(Direct->*Setter)(Value);
		FParameterBlock Set(UAnchor::StaticClass(), *(TEXT("Set") + Property));
		Set.Get<T>(*(TEXT("New") + Property)) = Value;
		Set.Call(Script);
		FParameterBlock Get(UAnchor::StaticClass(), *(TEXT("Get") + Property));
		Get.Call(Script);

		const T Expected = (Direct->*Getter)();
		const FProperty* const Result = Get.FindParameter(TEXT("ReturnValue"));
		ASSERT_NE(Result, nullptr);
		EXPECT_FALSE(Result->Identical(&Before, &Expected)) << "the value set must change the anchor";
		EXPECT_TRUE(Result->Identical(&Get.Get<T>(TEXT("ReturnValue")), &Expected));
	}
}

TEST(ScriptCalls, LibraryFunctionsGiveWhatTheirDirectCallsGive)
{
	if (!DuRizerudoreTest::IsInstalledEgm84Available())
	{
		GTEST_SKIP() << "EGM84 is not installed below the plugin; run scripts/install-data";
	}
	const DuRizerudoreTest::FTestWorld CartesianWorld;
	const DuRizerudoreTest::FTestWorld UtmWorld;
	// A truncation order without a degree: the models of this setup do not build.
	FCoordinateConversionSetup Unbuildable;
	Unbuildable.GravityAccuracy = ECoordinateGravityAccuracy::Full;
	Unbuildable.GravityMaxOrder = 4;
	const std::vector<FCallCase> Cases = {MakeModelCase(TEXT("Cartesian"), CartesianWorld.Get(), ECoordinateLocalFrameType::Cartesian),
		MakeModelCase(TEXT("UTM"), UtmWorld.Get(), ECoordinateLocalFrameType::UTM),
		{TEXT("invalid"), FCoordinateReferenceFrame(), nullptr, Unbuildable, FCoordinateReferenceSetup(), false}};

	// Outputs start from values no call produces, so that an output left alone differs from one written.
	const FVector Untouched(7.0, 8.0, 9.0);
	const FVector Near(48.12, 11.58, 620.0);
	using enum ECoordinateSystem;
	struct FLibraryRow
	{
		const TCHAR* Name;
		/** Writes the inputs (the frame is written for every function that takes one) and the outputs' starting values. */
		std::function<void(FParameterBlock&, const FCallCase&)> Fill;
		/** The direct C++ call with the block's inputs, into the block's outputs and return value. */
		std::function<void(FParameterBlock&)> CallDirectly;
	};
	// Arrays in and out: the output starts non-empty, so that a refusal must empty it.
	const auto FillWaypoints = [&](FParameterBlock& B, const FCallCase&) {
		B.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("From"), Near).Set(TEXT("To"), FVector(47.6, 12.9, 300.0)).Set(TEXT("Count"), 5)
			.Set(TEXT("OutputSystem"), Local_UE).Set(TEXT("Waypoints"), TArray<FVector>{Untouched, Untouched});
	};
	const std::vector<FLibraryRow> Rows = {
		{TEXT("IsReferenceFrameValid"), [](FParameterBlock&, const FCallCase&) {},
			[](FParameterBlock& B) { B.ReturnValue() = FLibrary::IsReferenceFrameValid(FrameOf(B)); }},
		{TEXT("MakeReferenceFrame"),
			[](FParameterBlock& B, const FCallCase& Case) { B.Set(TEXT("ConversionSetup"), Case.Setup).Set(TEXT("ReferenceSetup"), Case.ReferenceSetup); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::MakeReferenceFrame(B.Get<FCoordinateConversionSetup>(TEXT("ConversionSetup")),
					B.Get<FCoordinateReferenceSetup>(TEXT("ReferenceSetup")), B.Get<FCoordinateReferenceFrame>(TEXT("OutReferenceFrame")));
			}},
		{TEXT("MakeReferenceFrameFromCoordinateSystem"),
			[](FParameterBlock& B, const FCallCase& Case) { B.Set(TEXT("CoordinateSystem"), Case.CoordinateSystem)
					.Set(TEXT("ReferenceSetup"), DuRizerudoreTest::MakeReferenceSetup(Case.ReferenceSetup.LocalFrameType, 47.9, 11.2, 0.0)); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::MakeReferenceFrameFromCoordinateSystem(B.Get<ADuRizerudoreSystem*>(TEXT("CoordinateSystem")),
					B.Get<FCoordinateReferenceSetup>(TEXT("ReferenceSetup")), B.Get<FCoordinateReferenceFrame>(TEXT("OutReferenceFrame")));
			}},
		{TEXT("GetReferenceFrameFromCoordinateSystem"),
			[](FParameterBlock& B, const FCallCase& Case) { B.Set(TEXT("CoordinateSystem"), Case.CoordinateSystem); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetReferenceFrameFromCoordinateSystem(B.Get<ADuRizerudoreSystem*>(TEXT("CoordinateSystem")),
					B.Get<FCoordinateReferenceFrame>(TEXT("OutReferenceFrame")));
			}},
		{TEXT("ConvertPosition"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Geodetic).Set(TEXT("ToSystem"), Local_UE).Set(TEXT("Position"), Near)
					.Set(TEXT("ConvertedPosition"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertPosition(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), VectorOf(B, TEXT("Position")),
					VectorOf(B, TEXT("ConvertedPosition")));
			}},
		{TEXT("ConvertVector"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Local_NED).Set(TEXT("ToSystem"), Geocentric).Set(TEXT("Vector"), FVector(1.0, 2.0, 3.0))
					.Set(TEXT("ConvertedVector"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertVector(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), VectorOf(B, TEXT("Vector")),
					VectorOf(B, TEXT("ConvertedVector")));
			}},
		{TEXT("ConvertVectorAtPosition"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Local_NED).Set(TEXT("ToSystem"), Geodetic).Set(TEXT("Vector"), FVector(1.0, 2.0, 3.0))
					.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("Position"), Near).Set(TEXT("ConvertedVector"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertVectorAtPosition(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), VectorOf(B, TEXT("Vector")),
					SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("Position")), VectorOf(B, TEXT("ConvertedVector")));
			}},
		{TEXT("ConvertQuaternion"),
			[](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Local_ENU).Set(TEXT("ToSystem"), Geocentric)
					.Set(TEXT("Rotation"), FQuat(0.1, 0.2, 0.3, 0.9)).Set(TEXT("ConvertedRotation"), FQuat(0.5, 0.5, 0.5, 0.5)); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertQuaternion(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), B.Get<FQuat>(TEXT("Rotation")),
					B.Get<FQuat>(TEXT("ConvertedRotation")));
			}},
		{TEXT("ConvertRotator"),
			[](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Local_NED).Set(TEXT("ToSystem"), Local_ENU)
					.Set(TEXT("Rotation"), FRotator(10.0, 20.0, 30.0)).Set(TEXT("ConvertedRotation"), FRotator(1.0, 2.0, 3.0)); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertRotator(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), B.Get<FRotator>(TEXT("Rotation")),
					B.Get<FRotator>(TEXT("ConvertedRotation")));
			}},
		{TEXT("HeadingPitchDegFromVector"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("VectorSystem"), Geocentric).Set(TEXT("Vector"), FVector(1.0, 2.0, 3.0))
					.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("Position"), Near).Set(TEXT("HeadingPitchDeg"), FVector2D(7.0, 8.0)); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::HeadingPitchDegFromVector(FrameOf(B), SystemOf(B, TEXT("VectorSystem")), VectorOf(B, TEXT("Vector")), SystemOf(B, TEXT("PositionSystem")),
					VectorOf(B, TEXT("Position")), B.Get<FVector2D>(TEXT("HeadingPitchDeg")));
			}},
		{TEXT("VectorFromHeadingPitchDeg"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("VectorSystem"), Geocentric).Set(TEXT("HeadingPitchDeg"), FVector2D(30.0, 10.0))
					.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("Position"), Near).Set(TEXT("Vector"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::VectorFromHeadingPitchDeg(FrameOf(B), SystemOf(B, TEXT("VectorSystem")), B.Get<FVector2D>(TEXT("HeadingPitchDeg")),
					SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("Position")), VectorOf(B, TEXT("Vector")));
			}},
		{TEXT("GetGeoidHeight"),
			[](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("PositionSystem"), Local_ENU).Set(TEXT("Position"), FVector(1000.0, 2000.0, 30.0))
					.Set(TEXT("GeoidHeightM"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetGeoidHeight(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("Position")), B.Get<double>(TEXT("GeoidHeightM")));
			}},
		{TEXT("GetGravity"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("PositionSystem"), Local_UE).Set(TEXT("Position"), FVector(100000.0, 200000.0, 3000.0))
					.Set(TEXT("VectorSystem"), Local_NED).Set(TEXT("Gravity"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetGravity(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("Position")), SystemOf(B, TEXT("VectorSystem")),
					VectorOf(B, TEXT("Gravity")));
			}},
		{TEXT("GetHeightAboveEllipsoid"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("GeodeticCoordinateAtMeanSeaLevel"), Near).Set(TEXT("HeightAboveEllipsoidM"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetHeightAboveEllipsoid(FrameOf(B), VectorOf(B, TEXT("GeodeticCoordinateAtMeanSeaLevel")), B.Get<double>(TEXT("HeightAboveEllipsoidM")));
			}},
		{TEXT("GetHeightAboveMeanSeaLevel"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("Position"), Near)
					.Set(TEXT("HeightAboveMeanSeaLevelM"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetHeightAboveMeanSeaLevel(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("Position")),
					B.Get<double>(TEXT("HeightAboveMeanSeaLevelM")));
			}},
		{TEXT("GetGeodesicInverse"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("PositionSystem"), Local_UE).Set(TEXT("From"), FVector(100000.0, 200000.0, 3000.0)).Set(TEXT("To"), FVector(-5e6, 3e6, 0.0))
					.Set(TEXT("DistanceM"), 99.0).Set(TEXT("InitialAzimuthDeg"), 99.0).Set(TEXT("FinalAzimuthDeg"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetGeodesicInverse(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("From")), VectorOf(B, TEXT("To")),
					B.Get<double>(TEXT("DistanceM")), B.Get<double>(TEXT("InitialAzimuthDeg")), B.Get<double>(TEXT("FinalAzimuthDeg")));
			}},
		{TEXT("GetGeodesicDirect"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromGeodetic"), Near).Set(TEXT("AzimuthDeg"), 130.0).Set(TEXT("DistanceM"), 8e5)
					.Set(TEXT("ToGeodetic"), Untouched).Set(TEXT("FinalAzimuthDeg"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetGeodesicDirect(FrameOf(B), VectorOf(B, TEXT("FromGeodetic")), B.Get<double>(TEXT("AzimuthDeg")), B.Get<double>(TEXT("DistanceM")),
					VectorOf(B, TEXT("ToGeodetic")), B.Get<double>(TEXT("FinalAzimuthDeg")));
			}},
		{TEXT("GetRhumbInverse"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("PositionSystem"), Geodetic).Set(TEXT("From"), Near).Set(TEXT("To"), FVector(-33.9, 151.2, 0.0))
					.Set(TEXT("DistanceM"), 99.0).Set(TEXT("AzimuthDeg"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetRhumbInverse(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("From")), VectorOf(B, TEXT("To")),
					B.Get<double>(TEXT("DistanceM")), B.Get<double>(TEXT("AzimuthDeg")));
			}},
		{TEXT("GetRhumbDirect"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromGeodetic"), Near).Set(TEXT("AzimuthDeg"), -70.0).Set(TEXT("DistanceM"), 8e5)
					.Set(TEXT("ToGeodetic"), Untouched); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetRhumbDirect(FrameOf(B), VectorOf(B, TEXT("FromGeodetic")), B.Get<double>(TEXT("AzimuthDeg")), B.Get<double>(TEXT("DistanceM")),
					VectorOf(B, TEXT("ToGeodetic")));
			}},
		{TEXT("ConvertPositions"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("FromSystem"), Geodetic).Set(TEXT("ToSystem"), Local_UE)
					.Set(TEXT("Positions"), TArray<FVector>{Near, FVector(48.0, 11.9, 250.0)}).Set(TEXT("ConvertedPositions"), TArray<FVector>{Untouched}); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::ConvertPositions(FrameOf(B), SystemOf(B, TEXT("FromSystem")), SystemOf(B, TEXT("ToSystem")), B.Get<TArray<FVector>>(TEXT("Positions")),
					B.Get<TArray<FVector>>(TEXT("ConvertedPositions")));
			}},
		{TEXT("GetGeodesicWaypoints"), FillWaypoints,
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetGeodesicWaypoints(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("From")), VectorOf(B, TEXT("To")),
					B.Get<int32>(TEXT("Count")), SystemOf(B, TEXT("OutputSystem")), B.Get<TArray<FVector>>(TEXT("Waypoints")));
			}},
		{TEXT("GetRhumbWaypoints"), FillWaypoints,
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetRhumbWaypoints(FrameOf(B), SystemOf(B, TEXT("PositionSystem")), VectorOf(B, TEXT("From")), VectorOf(B, TEXT("To")),
					B.Get<int32>(TEXT("Count")), SystemOf(B, TEXT("OutputSystem")), B.Get<TArray<FVector>>(TEXT("Waypoints")));
			}},
		{TEXT("GetPolygonArea"),
			[&](FParameterBlock& B, const FCallCase&) { B.Set(TEXT("GeodeticVertices"), TArray<FVector>{Near, FVector(48.0, 11.9, 0.0), FVector(48.3, 11.7, 0.0)})
					.Set(TEXT("AreaM2"), 99.0).Set(TEXT("PerimeterM"), 99.0); },
			[](FParameterBlock& B) {
				B.ReturnValue() = FLibrary::GetPolygonArea(FrameOf(B), B.Get<TArray<FVector>>(TEXT("GeodeticVertices")), B.Get<double>(TEXT("AreaM2")),
					B.Get<double>(TEXT("PerimeterM")));
			}},
	};
	EXPECT_EQ(static_cast<int32>(Rows.size()), CountDeclaredFunctions(FLibrary::StaticClass()));

	UObject* const Library = FLibrary::StaticClass()->GetDefaultObject();
	for (const FLibraryRow& Row : Rows)
	{
		for (const FCallCase& Case : Cases)
		{
			SCOPED_TRACE(testing::Message() << Row.Name << " on the " << Case.Name << " frame");
			FParameterBlock Script(FLibrary::StaticClass(), Row.Name);
			FParameterBlock Direct(FLibrary::StaticClass(), Row.Name);
			for (FParameterBlock* const Block : {&Script, &Direct})
			{
				if (Block->FindParameter(TEXT("ReferenceFrame")) != nullptr)
				{
					FrameOf(*Block) = Case.Frame;
				}
				Row.Fill(*Block, Case);
			}
			Script.Call(Library);
			Row.CallDirectly(Direct);
			EXPECT_EQ(Script.ReturnValue(), Case.bSucceeds);
			Script.ExpectSameAs(Direct);
		}
	}
}

TEST(ScriptCalls, ActorFunctionsGiveWhatTheirDirectCallsGive)
{
	const DuRizerudoreTest::FTestWorld World;
	DuRizerudoreTest::FCoordinateSystemSettings Settings;
	Settings.bAuthority = true;
	ADuRizerudoreSystem* const Authority = DuRizerudoreTest::LoadCoordinateSystem(World.Get(), Settings);
	Settings.bAuthority = false;
	ADuRizerudoreSystem* const Follower = DuRizerudoreTest::LoadCoordinateSystem(World.Get(), Settings);

	for (ADuRizerudoreSystem* const Actor : {Authority, Follower})
	{
		FParameterBlock IsAuthority(ADuRizerudoreSystem::StaticClass(), TEXT("IsAuthority"));
		IsAuthority.Call(Actor);
		EXPECT_EQ(IsAuthority.ReturnValue(), Actor == Authority);

		FParameterBlock Lookup(ADuRizerudoreSystem::StaticClass(), TEXT("GetCoordinateSystem"));
		Lookup.Get<const UObject*>(TEXT("WorldContextObject")) = Actor;
		Lookup.Call(ADuRizerudoreSystem::StaticClass()->GetDefaultObject());
		EXPECT_EQ(Lookup.Get<ADuRizerudoreSystem*>(TEXT("ReturnValue")), Authority);
	}
}

TEST(ScriptCalls, AnchorAccessorsSetAndGetAsTheirDirectCallsDo)
{
	const DuRizerudoreTest::FTestWorld World;
	DuRizerudoreTest::LoadCoordinateSystem(World.Get(), DuRizerudoreTest::FCoordinateSystemSettings());
	const FTransform Start(FRotator(0.0, 30.0, 0.0).Quaternion(), FVector(100.0, 200.0, 300.0));
	UAnchor* const Direct = DuRizerudoreTest::SpawnAnchoredActor(World.Get(), Start).Anchor;
	UAnchor* const Script = DuRizerudoreTest::SpawnAnchoredActor(World.Get(), Start).Anchor;

	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("EcefPosition"), &UAnchor::GetEcefPosition, &UAnchor::SetEcefPosition, FVector(4.2e6, 0.9e6, 4.7e6));
	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("EcefXAxis"), &UAnchor::GetEcefXAxis, &UAnchor::SetEcefXAxis, FVector(0.0, 0.6, 0.8));
	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("EcefYAxis"), &UAnchor::GetEcefYAxis, &UAnchor::SetEcefYAxis, FVector(1.0, 0.0, 0.0));
	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("EcefZAxis"), &UAnchor::GetEcefZAxis, &UAnchor::SetEcefZAxis, FVector(0.0, 0.8, -0.6));
	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("GeodeticPosition"), &UAnchor::GetGeodeticPosition, &UAnchor::SetGeodeticPosition, FGeodeticCoordinate(47.0, 8.0, 300.0));
	ExpectAccessorsMatchDirectCalls(Direct, Script, TEXT("GeodeticRotation"), &UAnchor::GetGeodeticRotation, &UAnchor::SetGeodeticRotation, FRotator(10.0, 20.0, 30.0));
}
