// A world that travels with its player: a pawn flies from London to Rome at 10 km in 1 km steps over landmarks
// anchored in London, Paris, the Alps and Rome. An origin-shift component on the pawn moves the world's origin
// under it whenever it is 10 km from it, so the pawn's engine coordinates stay small and the engine's +Z stays
// within a tenth of a degree of the local vertical; the landmarks stay where they are on the Earth. Model-free
// (normal gravity, no geoid), so it needs no data files. Everything goes through the plugin's public classes.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <fmt/format.h>

#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreOriginShiftComponent.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostPluginRegistration.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
	using ES = ECoordinateSystem;
	using FLibrary = UDuRizerudoreBlueprintLibrary;

	struct FLandmark
	{
		const char* Name;
		FGeodeticCoordinate Position;
		AActor* Actor = nullptr;
	};

	constexpr double FlightHeightM = 10000.0;
	constexpr double StepM = 1000.0;

	/** The ellipsoid normal (local up) at a latitude and longitude, as an ECEF unit vector. */
	FVector EllipsoidNormal(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Phi = LatitudeDeg * 0.017453292519943295;
		const double Lambda = LongitudeDeg * 0.017453292519943295;
		return FVector(std::cos(Phi) * std::cos(Lambda), std::cos(Phi) * std::sin(Lambda), std::sin(Phi));
	}

	double AngleDeg(const FVector& A, const FVector& B)
	{
		return std::acos(std::clamp(A.GetSafeNormal() | B.GetSafeNormal(), -1.0, 1.0)) * 57.29577951308232;
	}

	AActor* SpawnWithRoot(UWorld* World)
	{
		AActor* const Actor = World->SpawnActor<AActor>();
		USceneComponent* const Root = NewObject<USceneComponent>(Actor);
		Actor->SetRootComponent(Root);
		Root->RegisterComponent();
		return Actor;
	}

	/** Where the world places each landmark on the Earth now: its engine position read back through the current frame. */
	void PrintLandmarks(const ADuRizerudoreSystem* System, const std::vector<FLandmark>& Landmarks)
	{
		fmt::print("  {:<24} {:>14} {:>14} | {:>10} {:>10} {:>9}\n", "landmark", "X north (km)", "Y east (km)", "lat", "lon", "h (m)");
		for (const FLandmark& Landmark : Landmarks)
		{
			const FVector Local = Landmark.Actor->GetActorLocation();
			FVector Geodetic(0.0, 0.0, 0.0);
			FLibrary::ConvertPosition(System->GetReferenceFrame(), ES::Local_UE, ES::Geodetic, Local, Geodetic);
			fmt::print("  {:<24} {:>14.3f} {:>14.3f} | {:>10.6f} {:>10.6f} {:>9.3f}\n", Landmark.Name, Local.X / 1.0e5 + 0.0, Local.Y / 1.0e5 + 0.0, Geodetic.X,
				Geodetic.Y, Geodetic.Z + 0.0);
		}
	}
}

int main(int ArgumentCount, char** Arguments)
{
	if (const TOptional<int32> ExitStatus = UE::Host::RegisterPluginFromCommandLine(ArgumentCount, Arguments,
			"Usage: durizerudore-origin-shift [--plugin-dir DIR]\n"
				"Flies a pawn from London to Rome in a world whose origin follows it, over anchored landmarks."))
	{
		return *ExitStatus;
	}

	const FGeodeticCoordinate London(51.5007, -0.1246, 0.0);
	const FGeodeticCoordinate Rome(41.8902, 12.4922, 0.0);
	UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
	ADuRizerudoreSystem* const System = World->SpawnActor<ADuRizerudoreSystem>();
	FCoordinateConversionSetup ModelFree;
	ModelFree.GravityModel = EEarthGravityModel::None;
	ModelFree.GeoidModel = EEarthGravityModel::None;
	System->SetSetup(ModelFree);
	if (!System->SetReferenceSetup(FCoordinateReferenceSetup(London, ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian)))
	{
		std::fputs("The coordinate system could not build its frame.\n", stderr);
		return 1;
	}
	// The frame the world would keep without the component, for comparison.
	const FCoordinateReferenceFrame FixedFrame = System->GetReferenceFrame();

	std::vector<FLandmark> Landmarks = {
		{"Big Ben, London", FGeodeticCoordinate(51.5007, -0.1246, 100.0)},
		{"Eiffel Tower, Paris", FGeodeticCoordinate(48.8584, 2.2945, 330.0)},
		{"Mont Blanc summit", FGeodeticCoordinate(45.8326, 6.8652, 4808.0)},
		{"Colosseum, Rome", FGeodeticCoordinate(41.8902, 12.4922, 70.0)},
	};
	for (FLandmark& Landmark : Landmarks)
	{
		Landmark.Actor = SpawnWithRoot(World);
		UDuRizerudoreAnchorComponent* const Anchor = NewObject<UDuRizerudoreAnchorComponent>(Landmark.Actor);
		Landmark.Actor->AddInstanceComponent(Anchor);
		Anchor->RegisterComponent();
		Anchor->SetGeodeticPosition(Landmark.Position);
	}
	fmt::print("Landmarks before the flight, origin at London (engine X north, Y east):\n");
	PrintLandmarks(System, Landmarks);

	// The pawn carries no anchor: the component itself keeps it on the Earth across each shift.
	AActor* const Pawn = SpawnWithRoot(World);
	UDuRizerudoreOriginShiftComponent* const OriginShift = NewObject<UDuRizerudoreOriginShiftComponent>(Pawn);
	Pawn->AddInstanceComponent(OriginShift);
	OriginShift->RegisterComponent();

	double DistanceM = 0.0;
	double AzimuthDeg = 0.0;
	double FinalAzimuthDeg = 0.0;
	FLibrary::GetGeodesicInverse(FixedFrame, ES::Geodetic, London.ToVector(), Rome.ToVector(), DistanceM, AzimuthDeg, FinalAzimuthDeg);
	fmt::print("\nFlying {:.1f} km from London to Rome at {:.0f} m in {:.0f} m steps; the origin moves beyond {:.0f} km:\n", DistanceM / 1000.0, FlightHeightM, StepM,
		OriginShift->ShiftDistance / 1.0e5);

	int32 Step = 0;
	int32 Shifts = 0;
	System->GetOnReferenceChanged().AddLambda([&](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr NewFrame)
	{
		++Shifts;
		const FGeodeticCoordinate Origin = NewFrame->GetLocalFrameOrigin();
		fmt::print("  shift {:>3} after {:>6.1f} km: origin now at {:>9.5f} {:>9.5f}\n", Shifts, Step * StepM / 1000.0, Origin.LatitudeDeg, Origin.LongitudeDeg);
	});

	double LargestHorizontalM = 0.0;
	double LargestTiltDeg = 0.0;
	double LargestFixedHorizontalM = 0.0;
	double LargestFixedTiltDeg = 0.0;
	const FVector FixedUp = EllipsoidNormal(London.LatitudeDeg, London.LongitudeDeg);
	const int32 StepCount = static_cast<int32>(std::floor(DistanceM / StepM));
	for (Step = 1; Step <= StepCount + 1; ++Step)
	{
		FVector Waypoint(0.0, 0.0, 0.0);
		double Azimuth = 0.0;
		FLibrary::GetGeodesicDirect(FixedFrame, FVector(London.LatitudeDeg, London.LongitudeDeg, FlightHeightM), AzimuthDeg, std::min(Step * StepM, DistanceM), Waypoint, Azimuth);
		FVector Local(0.0, 0.0, 0.0);
		FLibrary::ConvertPosition(System->GetReferenceFrame(), ES::Geodetic, ES::Local_UE, Waypoint, Local);
		Pawn->SetActorLocation(Local);

		// After any shift: the pawn's engine coordinates and the engine's +Z against the ellipsoid normal under it.
		const FVector Now = Pawn->GetActorLocation();
		FMatrix Pose;
		System->ConvertAuthorityLocalTransformToEcefMatrix(FTransform(Now), Pose);
		const FVector Normal = EllipsoidNormal(Waypoint.X, Waypoint.Y);
		LargestHorizontalM = std::max(LargestHorizontalM, FVector(Now.X, Now.Y, 0.0).Size() / 100.0);
		LargestTiltDeg = std::max(LargestTiltDeg, AngleDeg(FVector(Pose.M[2][0], Pose.M[2][1], Pose.M[2][2]), Normal));
		FVector Fixed(0.0, 0.0, 0.0);
		FLibrary::ConvertPosition(FixedFrame, ES::Geodetic, ES::Local_UE, Waypoint, Fixed);
		LargestFixedHorizontalM = std::max(LargestFixedHorizontalM, FVector(Fixed.X, Fixed.Y, 0.0).Size() / 100.0);
		LargestFixedTiltDeg = std::max(LargestFixedTiltDeg, AngleDeg(FixedUp, Normal));
	}
	fmt::print("{} shifts in all.\n", Shifts);
	fmt::print("\nLargest horizontal engine coordinate of the pawn: {:.3f} km (without the component: {:.1f} km).\n", LargestHorizontalM / 1000.0,
		LargestFixedHorizontalM / 1000.0);
	fmt::print("Largest angle between the engine's +Z and the ellipsoid normal under the pawn: {:.4f} deg (without the component: {:.2f} deg).\n", LargestTiltDeg,
		LargestFixedTiltDeg);

	const FGeodeticCoordinate Origin = System->GetReferenceSetup().LocalFrameOrigin;
	fmt::print("\nLandmarks after the flight, origin at {:.5f} {:.5f}: the engine positions moved, the places on the Earth did not:\n", Origin.LatitudeDeg,
		Origin.LongitudeDeg);
	PrintLandmarks(System, Landmarks);

	World->DestroyWorld(false);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	return 0;
}
