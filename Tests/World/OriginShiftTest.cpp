// The origin-shift component: flights that keep the world local while everything stays on the Earth, the cases
// where nothing may shift, which component drives a world, refused calls and every order of destruction.
#include "ClosedForms.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreOriginShiftComponent.h"
#include "FrameChangedListener.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"
#include "VectorExpectations.h"
#include "WorldTestSupport.h"

#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "Logging/HostLogCapture.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

using namespace DuRizerudoreTest;

void UOriginShiftListener::HandleOriginShifted(const FGeodeticCoordinate PreviousOrigin, const FGeodeticCoordinate NewOrigin)
{
	Journal->emplace_back(PreviousOrigin, NewOrigin);
}

namespace
{
	struct FPawn
	{
		AActor* Actor = nullptr;
		UDuRizerudoreOriginShiftComponent* Shift = nullptr;
	};

	/** An actor with a scene root at Location, an anchor when asked, and an origin-shift component. */
	FPawn SpawnPawn(UWorld* World, const FVector& Location, const bool bAnchored, const double ShiftDistance = 2000000.0)
	{
		FPawn Pawn;
		Pawn.Actor = World->SpawnActor<AActor>();
		USceneComponent* const Root = NewObject<USceneComponent>(Pawn.Actor);
		Pawn.Actor->SetRootComponent(Root);
		Root->SetWorldTransform(FTransform(FRotator(3.0, 40.0, -2.0).Quaternion(), Location));
		Root->RegisterComponent();
		if (bAnchored)
		{
			UDuRizerudoreAnchorComponent* const Anchor = NewObject<UDuRizerudoreAnchorComponent>(Pawn.Actor);
			Pawn.Actor->AddInstanceComponent(Anchor);
			Anchor->RegisterComponent();
		}
		Pawn.Shift = NewObject<UDuRizerudoreOriginShiftComponent>(Pawn.Actor);
		Pawn.Shift->ShiftDistance = ShiftDistance;
		Pawn.Actor->AddInstanceComponent(Pawn.Shift);
		Pawn.Shift->RegisterComponent();
		return Pawn;
	}

	FMatrix EcefPoseOf(const ADuRizerudoreSystem* System, const FTransform& Transform)
	{
		FMatrix Pose;
		EXPECT_TRUE(System->ConvertAuthorityLocalTransformToEcefMatrix(Transform, Pose));
		return Pose;
	}

	FVector Row(const FMatrix& Matrix, const int32 Index)
	{
		return FVector(Matrix.M[Index][0], Matrix.M[Index][1], Matrix.M[Index][2]);
	}

	void ExpectSamePose(const FMatrix& Actual, const FMatrix& Expected)
	{
		for (int32 Index = 0; Index < 4; ++Index)
		{
			ExpectVectorNear(Row(Actual, Index), Row(Expected, Index), Index < 3 ? 1e-9 : 1e-6);
		}
	}

	/** The pose of an actor anchored at a geodetic point with a rotation in its north/east/up frame, written out independently. */
	FMatrix ClosedFormPose(const FGeodeticCoordinate& Place, const FRotator& Rotation)
	{
		const FQuat Q = Rotation.Quaternion();
		const auto Axis = [&](const FVector& A) { return ClosedFormEngineAxisToEcef(Q.RotateVector(A), Place.LatitudeDeg, Place.LongitudeDeg); };
		return FMatrix(Axis(FVector(1.0, 0.0, 0.0)), Axis(FVector(0.0, 1.0, 0.0)), Axis(FVector(0.0, 0.0, 1.0)), ClosedFormEcef(Place.LatitudeDeg, Place.LongitudeDeg, Place.HeightM));
	}

	FVector GeodeticOf(const ADuRizerudoreSystem* System, const FVector& LocalUe)
	{
		FVector Geodetic(0.0, 0.0, 0.0);
		EXPECT_TRUE(UDuRizerudoreBlueprintLibrary::ConvertPosition(System->GetReferenceFrame(), ECoordinateSystem::Local_UE, ECoordinateSystem::Geodetic, LocalUe, Geodetic));
		return Geodetic;
	}

	/** Meridian convergence of a transverse Mercator zone on the sphere: atan(tan(lon - lon0) sin(lat)). */
	double ZoneConvergenceDeg(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double CentralMeridian = std::floor((LongitudeDeg + 180.0) / 6.0) * 6.0 - 177.0;
		return std::atan(std::tan(Radians(LongitudeDeg - CentralMeridian)) * std::sin(Radians(LatitudeDeg))) * 180.0 / M_PI;
	}
}

TEST(OriginShift, FlightsKeepTheWorldLocalAndEveryActorOnTheEarth)
{
	struct FFlightCase
	{
		const char* Name;
		ECoordinateLocalFrameType Type;
		double StartLatitudeDeg;
		double StartLongitudeDeg;
		FVector StepCm;
		bool bPawnAnchored;
	};
	const FFlightCase Cases[] = {
		{"tangent plane, pawn without an anchor", ECoordinateLocalFrameType::Cartesian, 51.5, -0.1, FVector(-300000.0, 300000.0, 0.0), false},
		{"tangent plane, anchored pawn", ECoordinateLocalFrameType::Cartesian, 51.5, -0.1, FVector(-300000.0, 300000.0, 0.0), true},
		{"UTM grid across the 6E zone boundary", ECoordinateLocalFrameType::UTM, 47.0, 4.0, FVector(50000.0, 400000.0, 0.0), false},
	};
	const double ShiftDistanceCm = 2000000.0;
	for (const FFlightCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FTestWorld World;
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(Case.Type, Case.StartLatitudeDeg, Case.StartLongitudeDeg, 35.0);
		ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
		// Landmarks along the way and beyond it, placed by their geodetic poses.
		const std::array<std::pair<FGeodeticCoordinate, FRotator>, 4> Landmarks = {{
			{FGeodeticCoordinate(Case.StartLatitudeDeg, Case.StartLongitudeDeg, 20.0), FRotator(0.0, 10.0, 0.0)},
			{FGeodeticCoordinate(Case.StartLatitudeDeg - 0.8, Case.StartLongitudeDeg + 2.0, 330.0), FRotator(5.0, -60.0, 2.0)},
			{FGeodeticCoordinate(Case.StartLatitudeDeg - 1.5, Case.StartLongitudeDeg + 4.5, 4808.0), FRotator(-20.0, 170.0, 30.0)},
			{FGeodeticCoordinate(Case.StartLatitudeDeg + 3.0, Case.StartLongitudeDeg - 1.5, -50.0), FRotator(0.0, 0.0, 90.0)},
		}};
		std::vector<FAnchoredActor> Anchored;
		std::vector<FVector> EngineBefore;
		for (const auto& [Place, Rotation] : Landmarks)
		{
			Anchored.push_back(SpawnAnchoredActor(World.Get(), FTransform::Identity));
			Anchored.back().Anchor->SetGeodeticPosition(Place);
			Anchored.back().Anchor->SetGeodeticRotation(Rotation);
			EngineBefore.push_back(Anchored.back().Actor->GetActorLocation());
		}
		const FPawn Pawn = SpawnPawn(World.Get(), FVector(0.0, 0.0, 1000000.0), Case.bPawnAnchored, ShiftDistanceCm);
		Pawn.Actor->SetActorTransform(FTransform(Pawn.Actor->GetActorQuat(), Pawn.Actor->GetActorLocation(), FVector(2.0, 2.0, 2.0)));
		// What a visual script's handler of the event is given: the origin before and after each shift.
		std::vector<std::pair<FGeodeticCoordinate, FGeodeticCoordinate>> Shifts;
		UOriginShiftListener* const Listener = NewObject<UOriginShiftListener>(GetTransientPackage());
		Listener->Journal = &Shifts;
		Pawn.Shift->OnOriginShifted.AddDynamic(Listener, &UOriginShiftListener::HandleOriginShifted);
		FGeodeticCoordinate Origin = System->GetReferenceSetup().LocalFrameOrigin;

		const double BoundCm = ShiftDistanceCm + Case.StepCm.Size();
		// The normal turns by distance over the meridian radius of curvature, which is above 6,335 km everywhere.
		const double BoundRad = BoundCm * 0.01 / 6.3e6;
		for (int32 Step = 0; Step < 80; ++Step)
		{
			const FTransform Target(Pawn.Actor->GetActorQuat(), Pawn.Actor->GetActorLocation() + Case.StepCm, Pawn.Actor->GetActorScale3D());
			const FMatrix PoseBefore = EcefPoseOf(System, Target);
			const size_t ShiftsBefore = Shifts.size();
			Pawn.Actor->SetActorTransform(Target);
			ExpectSamePose(EcefPoseOf(System, Pawn.Actor->GetActorTransform()), PoseBefore);

			const FVector Location = Pawn.Actor->GetActorLocation();
			ASSERT_LE(FVector(Location.X, Location.Y, 0.0).Size(), BoundCm) << "step " << Step;
			const FVector Geodetic = GeodeticOf(System, Location);
			const FVector EngineUp = Row(EcefPoseOf(System, FTransform(Location)), 2);
			EXPECT_LE(std::acos(std::min(1.0, EngineUp | ClosedFormUp(Geodetic.X, Geodetic.Y))), BoundRad);
			if (Shifts.size() == ShiftsBefore)
			{
				continue;
			}
			// The origin is now under the pawn, at the old height, altitude reference and kind of frame.
			ASSERT_EQ(Shifts.size(), ShiftsBefore + 1);
			EXPECT_NEAR(FVector(Location.X, Location.Y, 0.0).Size(), 0.0, 1e-3);
			const auto& [Previous, New] = Shifts.back();
			EXPECT_EQ(Previous.ToVector(), Origin.ToVector());
			EXPECT_NEAR(New.LatitudeDeg, Geodetic.X, 1e-9);
			EXPECT_NEAR(New.LongitudeDeg, Geodetic.Y, 1e-9);
			const FCoordinateReferenceSetup& Now = System->GetReferenceSetup();
			EXPECT_EQ(Now.LocalFrameOrigin.ToVector(), New.ToVector());
			Origin = New;
			EXPECT_EQ(Now.LocalFrameOrigin.HeightM, 35.0);
			EXPECT_EQ(Now.LocalFrameAltitudeReference, ECoordinateAltitudeReference::Ellipsoid);
			EXPECT_EQ(Now.LocalFrameType, Case.Type);
			if (Case.Type == ECoordinateLocalFrameType::UTM)
			{
				EXPECT_NEAR(System->GetReferenceFrame().GetGridConvergenceDegAtGeodetic(Geodetic), ZoneConvergenceDeg(Geodetic.X, Geodetic.Y), 0.02);
			}
		}
		EXPECT_GE(Shifts.size(), 10u);
		// An anchor poses its owner at scale 1; an owner without one keeps its own.
		EXPECT_EQ(Pawn.Actor->GetActorScale3D(), Case.bPawnAnchored ? FVector(1.0, 1.0, 1.0) : FVector(2.0, 2.0, 2.0));
		if (Case.Type == ECoordinateLocalFrameType::UTM)
		{
			EXPECT_GT(System->GetReferenceSetup().LocalFrameOrigin.LongitudeDeg, 6.5) << "the flight crosses into the next zone";
		}
		for (size_t Index = 0; Index < Anchored.size(); ++Index)
		{
			ExpectSamePose(EcefPoseOf(System, Anchored[Index].Actor->GetActorTransform()), ClosedFormPose(Landmarks[Index].first, Landmarks[Index].second));
			EXPECT_GT((Anchored[Index].Actor->GetActorLocation() - EngineBefore[Index]).Size(), 100.0);
		}
	}
}

TEST(OriginShift, AShiftKeepsTheInstanceWithoutReadingModelsAndAMeanSeaLevelOrigin)
{
	FTestWorld World;
	FTemporaryPlugin Plugin;
	Plugin.CreateModelDirectories();
	WriteTinyGravityModel(Plugin.GetGravityDirectory(), "egm84", 4);
	// A geoid that rises 0.2 m per degree of longitude, which bilinear interpolation follows exactly.
	WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 10.0, [](double, const double LongitudeDeg) { return 0.2 * (LongitudeDeg > 180.0 ? LongitudeDeg - 360.0 : LongitudeDeg); });
	FCoordinateSystemSettings Settings;
	Settings.Setup = FCoordinateConversionSetup();
	Settings.ReferenceSetup = FCoordinateReferenceSetup(FGeodeticCoordinate(45.0, 2.0, 100.0), ECoordinateAltitudeReference::MeanSeaLevel, ECoordinateLocalFrameType::Cartesian);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	ASSERT_TRUE(System->IsReferenceFrameInitialized());
	ASSERT_TRUE(System->GetInstance().SupportsGeoidQueries());
	const FPawn Pawn = SpawnPawn(World.Get(), FVector(0.0, 0.0, 50000.0), false);
	const auto Instance = System->GetInstancePtr();
	std::filesystem::remove_all(Plugin.GetDataDirectory());

	// 400 km east: the origin moves about 5 degrees east, where mean sea level is 1 m higher.
	Pawn.Actor->SetActorLocation(FVector(0.0, 40000000.0, 50000.0));
	const FGeodeticCoordinate Origin = System->GetReferenceSetup().LocalFrameOrigin;
	EXPECT_GT(Origin.LongitudeDeg, 6.5);
	EXPECT_EQ(Origin.HeightM, 100.0);
	EXPECT_EQ(System->GetReferenceSetup().LocalFrameAltitudeReference, ECoordinateAltitudeReference::MeanSeaLevel);
	EXPECT_EQ(System->GetInstancePtr(), Instance);
	EXPECT_NEAR(System->GetReferenceFrame().GetLocalFrameOrigin().HeightM, 100.0 + 0.2 * Origin.LongitudeDeg, 0.01);
	// The pawn keeps its ellipsoidal height, now measured from the new origin's.
	const FVector Geodetic = GeodeticOf(System, Pawn.Actor->GetActorLocation());
	EXPECT_NEAR(Pawn.Actor->GetActorLocation().Z, (Geodetic.Z - (100.0 + 0.2 * Origin.LongitudeDeg)) * 100.0, 1.0);
}

TEST(OriginShift, NothingShiftsWithoutAFrameToShiftOrWhenAnotherComponentDrives)
{
	struct FStillCase
	{
		const char* Name;
		std::function<void(FCoordinateSystemSettings&)> Configure;
		bool bWithSystem;
		std::function<void(UWorld*, UDuRizerudoreOriginShiftComponent&)> Prepare;
		bool bExplicitShiftWorks;
	};
	const auto Nothing = [](UWorld*, UDuRizerudoreOriginShiftComponent&) {};
	const FStillCase Cases[] = {
		{"no local frame", [](FCoordinateSystemSettings& S) { S.LocalReferenceFrame = false; }, true, Nothing, false},
		{"frame not initialized", [](FCoordinateSystemSettings& S) { S.Setup.DatumModel = static_cast<EEarthDatumModel>(7); }, true, Nothing, false},
		{"no coordinate system", [](FCoordinateSystemSettings&) {}, false, Nothing, false},
		{"shifting disabled", [](FCoordinateSystemSettings&) {}, true, [](UWorld*, UDuRizerudoreOriginShiftComponent& C) { C.bShiftEnabled = false; }, true},
		{"an earlier component drives the world", [](FCoordinateSystemSettings&) {}, true, [](UWorld* W, UDuRizerudoreOriginShiftComponent& C)
			{
				C.UnregisterComponent();
				SpawnPawn(W, FVector(0.0, 0.0, 0.0), false);
				C.RegisterComponent();
			}, true},
	};
	for (const FStillCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FTestWorld World;
		FHostLogCapture Log;
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 2.0, 0.0);
		Case.Configure(Settings);
		ADuRizerudoreSystem* const System = Case.bWithSystem ? LoadCoordinateSystem(World.Get(), Settings) : nullptr;
		const FPawn Pawn = SpawnPawn(World.Get(), FVector(0.0, 0.0, 0.0), false);
		Case.Prepare(World.Get(), *Pawn.Shift);
		int32 Rebuilds = 0;
		if (System != nullptr)
		{
			System->GetOnReferenceChanged().AddLambda([&Rebuilds](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { ++Rebuilds; });
		}
		const FVector Far(1500000.0, 2700000.0, 30000.0);
		Pawn.Actor->SetActorLocation(Far);
		EXPECT_EQ(Rebuilds, 0);
		EXPECT_EQ(Pawn.Actor->GetActorLocation(), Far);
		EXPECT_EQ(Pawn.Shift->ShiftOriginToOwner(), Case.bExplicitShiftWorks);
		EXPECT_EQ(Rebuilds, Case.bExplicitShiftWorks ? 1 : 0);
	}
}

TEST(OriginShift, TheFirstEnabledComponentOfAWorldDrivesItsOrigin)
{
	FTestWorld World;
	FCoordinateSystemSettings Settings;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 2.0, 0.0);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	const FPawn First = SpawnPawn(World.Get(), FVector(0.0, 0.0, 0.0), false);
	const FPawn Second = SpawnPawn(World.Get(), FVector(0.0, 0.0, 0.0), true);
	int32 Rebuilds = 0;
	System->GetOnReferenceChanged().AddLambda([&Rebuilds](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { ++Rebuilds; });
	const FVector Far(3000000.0, 0.0, 0.0);
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	ADuRizerudoreSystem* Authority = nullptr;
	double ArrivalLatitudeDeg = 0.0;
	struct FStep
	{
		const char* Name;
		std::function<void()> Act;
		int32 Rebuilds;
	};
	const FStep Steps[] = {
		{"the second moves away", [&] { Second.Actor->SetActorLocation(Far); }, 0},
		{"the first moves away", [&] { First.Actor->SetActorLocation(Far); }, 1},
		{"the first is disabled, the second moves", [&] { First.Shift->bShiftEnabled = false; Second.Actor->SetActorLocation(Second.Actor->GetActorLocation() + Far); }, 2},
		{"the first, enabled again, moves", [&] { First.Shift->bShiftEnabled = true; First.Actor->SetActorLocation(First.Actor->GetActorLocation() + Far); }, 3},
		{"the first is destroyed, the second moves", [&] { First.Shift->DestroyComponent(); Second.Actor->SetActorLocation(Far); }, 4},
		{"a distance below the least is read as the least", [&] { Second.Shift->ShiftDistance = 10.0; Second.Actor->SetActorLocation(FVector(9000.0, 4000.0, 0.0)); }, 4},
		{"only the height is beyond the least", [&] { Second.Actor->SetActorLocation(FVector(9000.0, 4000.0, 3000000.0)); }, 4},
		{"beyond the least", [&] { Second.Actor->SetActorLocation(FVector(9000.0, 4400.0, 0.0)); }, 5},
		{"a distance that is not a number is read as the least", [&] { Second.Shift->ShiftDistance = NaN; Second.Actor->SetActorLocation(FVector(9000.0, 4400.0, 0.0)); }, 6},
		{"an authority arrives and takes the shifts over", [&]
			{
				// At the frame of the moment, so that nobody moves when the anchor follows the authority.
				FCoordinateSystemSettings AuthoritySettings = Settings;
				AuthoritySettings.bAuthority = true;
				AuthoritySettings.ReferenceSetup = System->GetReferenceSetup();
				ArrivalLatitudeDeg = AuthoritySettings.ReferenceSetup.LocalFrameOrigin.LatitudeDeg;
				Authority = LoadCoordinateSystem(World.Get(), AuthoritySettings);
				Second.Actor->SetActorLocation(Far);
			},
			6},
	};
	for (const FStep& Step : Steps)
	{
		Step.Act();
		EXPECT_EQ(Rebuilds, Step.Rebuilds) << Step.Name;
	}
	ASSERT_NE(Authority, nullptr);
	EXPECT_GT(Authority->GetReferenceSetup().LocalFrameOrigin.LatitudeDeg, ArrivalLatitudeDeg + 0.2);
}

TEST(OriginShift, AShiftAskedForDuringTheCoordinateSystemsBroadcastIsRefused)
{
	FTestWorld World;
	FHostLogCapture Log;
	FCoordinateSystemSettings Settings;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 2.0, 0.0);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	const FPawn Pawn = SpawnPawn(World.Get(), FVector(500000.0, 0.0, 0.0), false);
	std::vector<bool> Results;
	System->GetOnReferenceChanged().AddLambda([&](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { Results.push_back(Pawn.Shift->ShiftOriginToOwner()); });

	ASSERT_TRUE(System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 41.9, 12.5, 0.0)));
	EXPECT_EQ(Results, std::vector<bool>({false}));
	EXPECT_EQ(System->GetReferenceSetup().LocalFrameOrigin.LatitudeDeg, 41.9);
	EXPECT_EQ(Pawn.Actor->GetActorLocation(), FVector(500000.0, 0.0, 0.0));
	const FString Message = FString::Printf(TEXT("SetReferenceSetup was called on %s while it broadcasts a change of its reference frame; the call is refused and nothing changes."), *System->GetName());
	EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), *Message), 1);
}

TEST(OriginShift, AnOwnerARebuildPutsFarAwayShiftsAtItsNextMoveWithoutAnError)
{
	FTestWorld World;
	FHostLogCapture Log;
	FCoordinateSystemSettings Settings;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 2.0, 0.0);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);
	const FPawn Pawn = SpawnPawn(World.Get(), FVector(0.0, 0.0, 0.0), true);

	// A script moves the origin 55 km north: the anchor re-poses the pawn beyond ShiftDistance, and that waits.
	ASSERT_TRUE(System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.5, 2.0, 0.0)));
	EXPECT_LT(Pawn.Actor->GetActorLocation().X, -5000000.0);
	EXPECT_EQ(System->GetReferenceSetup().LocalFrameOrigin.LatitudeDeg, 48.5);
	EXPECT_TRUE(Log.GetMessages(TEXT("LogDuRizerudoreSystem")).empty());

	Pawn.Actor->SetActorLocation(Pawn.Actor->GetActorLocation() + FVector(100.0, 0.0, 0.0));
	EXPECT_NEAR(System->GetReferenceSetup().LocalFrameOrigin.LatitudeDeg, 48.0, 1e-4);
	EXPECT_LT(FVector(Pawn.Actor->GetActorLocation().X, Pawn.Actor->GetActorLocation().Y, 0.0).Size(), 1.0);
}

TEST(OriginShift, PawnComponentAndCoordinateSystemMayBeDestroyedInAnyOrder)
{
	std::array<int32, 3> Order = {0, 1, 2};
	do
	{
		SCOPED_TRACE(testing::Message() << Order[0] << Order[1] << Order[2]);
		FTestWorld World;
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 2.0, 0.0);
		const TWeakObjectPtr<ADuRizerudoreSystem> System = LoadCoordinateSystem(World.Get(), Settings);
		const FPawn Spawned = SpawnPawn(World.Get(), FVector(0.0, 0.0, 0.0), true);
		const TWeakObjectPtr<AActor> Pawn = Spawned.Actor;
		const TWeakObjectPtr<UDuRizerudoreOriginShiftComponent> Shift = Spawned.Shift;
		for (const int32 Victim : Order)
		{
			if (Victim == 0 && Pawn.IsValid())
			{
				Pawn->Destroy();
			}
			else if (Victim == 1 && Shift.IsValid())
			{
				Shift->DestroyComponent();
			}
			else if (Victim == 2 && System.IsValid())
			{
				System->Destroy();
			}
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
			// Whatever is left still moves, shifts and rebuilds without touching what is gone.
			if (Pawn.IsValid())
			{
				Pawn->SetActorLocation(Pawn->GetActorLocation() + FVector(3000000.0, 0.0, 0.0));
			}
			if (Shift.IsValid())
			{
				Shift->ShiftOriginToOwner();
			}
			if (System.IsValid())
			{
				System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 47.0, 3.0, 0.0));
			}
		}
	} while (std::next_permutation(Order.begin(), Order.end()));
}
