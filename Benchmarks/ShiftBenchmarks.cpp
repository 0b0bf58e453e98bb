// Moving a world's origin at run time (SetReferenceSetup) with EGM84 gravity and geoid on the instance: the
// frame rebuild alone beside building the frame, and the shift with 1,000 and 10,000 anchored actors beside the
// least work a re-pose takes: for each actor one ECEF-to-engine pose conversion through the tangent plane and the
// engine's SetActorTransform. Each shift is measured in a world whose coordinate system is marked as authority and
// in a default world, whose only coordinate system is not.
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostLevelLoading.h"

#include <GeographicLib/Geocentric.hpp>

#include <array>
#include <memory>
#include <vector>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		/** The two origins a shift alternates between: Munich, and 10 km east of it. */
		const std::array<FGeodeticCoordinate, 2> ShiftOrigins = {FGeodeticCoordinate(48.137, 11.575, 520.0), FGeodeticCoordinate(48.137, 11.709, 520.0)};

		FCoordinateReferenceSetup TangentPlaneAt(const FGeodeticCoordinate& Origin)
		{
			return FCoordinateReferenceSetup(Origin, ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian);
		}

		/** An actor with a movable root at a place within 10 km of the first origin, turned a little. */
		AActor* SpawnPlacedActor(UWorld* const World, const int32 Index)
		{
			AActor* const Actor = World->SpawnActor<AActor>();
			USceneComponent* const Root = NewObject<USceneComponent>(Actor);
			Actor->SetRootComponent(Root);
			const double Turn = static_cast<double>(Index % 360);
			const double Spread = static_cast<double>(Index % 97) / 97.0 - 0.5;
			Root->SetWorldTransform(FTransform(FRotator(Spread * 10.0, Turn, 0.0).Quaternion(), FVector(2.0e6 * Spread, 1.5e6 * Spread + 1.0e3 * (Index % 13), 3.0e4)));
			Root->RegisterComponent();
			return Actor;
		}

		/**
		 * A world with one coordinate system (EGM84 gravity and geoid, a tangent plane at the first origin) and
		 * Count anchored actors. Its actors are destroyed with it, so that no anchor of it hears of other worlds.
		 */
		class FShiftWorld
		{
		public:
			FShiftWorld(const int32 Count, const bool bAuthority)
			{
				World = UWorld::CreateWorld(EWorldType::Game, false);
				System = UE::Host::LoadActor<ADuRizerudoreSystem>(World, [bAuthority](ADuRizerudoreSystem& Loaded) {
					UE::Host::SetPropertyValue(&Loaded, TEXT("bAuthority"), bAuthority);
					UE::Host::SetPropertyValue(&Loaded, TEXT("ReferenceSetup"), TangentPlaneAt(ShiftOrigins[0]));
				});
				Actors.reserve(static_cast<size_t>(Count));
				for (int32 Index = 0; Index < Count; ++Index)
				{
					AActor* const Actor = SpawnPlacedActor(World, Index);
					UDuRizerudoreAnchorComponent* const Anchor = NewObject<UDuRizerudoreAnchorComponent>(Actor);
					Actor->AddInstanceComponent(Anchor);
					Anchor->RegisterComponent();
					Actors.push_back(Actor);
				}
			}

			~FShiftWorld()
			{
				for (AActor* const Actor : Actors)
				{
					World->DestroyActor(Actor);
				}
				World->DestroyActor(System);
				World->DestroyWorld(false);
			}

			FShiftWorld(const FShiftWorld&) = delete;
			FShiftWorld& operator=(const FShiftWorld&) = delete;

			UWorld* World = nullptr;
			ADuRizerudoreSystem* System = nullptr;
			std::vector<AActor*> Actors;
		};

		/** Shifts the origin back and forth; fails the run when a shift fails or builds a new conversion instance. */
		void Shift(benchmark::State& State, const int32 Count, const bool bAuthority)
		{
			if (!HasInstalledModels())
			{
				State.SkipWithError("EGM84 is not installed; run scripts/install-data");
				return;
			}
			const FShiftWorld ShiftWorld(Count, bAuthority);
			ADuRizerudoreSystem* const System = ShiftWorld.System;
			const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Instance = System->GetInstancePtr();
			if (!System->IsReferenceFrameInitialized())
			{
				State.SkipWithError("the coordinate system has no initialized frame");
				return;
			}
			bool bShifted = true;
			size_t Next = 1;
			for (auto _ : State)
			{
				bShifted = System->SetReferenceSetup(TangentPlaneAt(ShiftOrigins[Next])) && bShifted;
				Next = 1 - Next;
			}
			// A model file read during a shift would show as a new instance.
			if (!bShifted || System->GetInstancePtr() != Instance)
			{
				State.SkipWithError(bShifted ? "a shift built a new conversion instance" : "a shift failed");
			}
		}

		/** The tangent plane at an origin as GeographicLib gives it: the origin in ECEF and the east-north-up rotation (row-major). */
		struct FRawPlane
		{
			double Origin[3] = {0.0, 0.0, 0.0};
			std::vector<double> Rotation = std::vector<double>(9, 0.0);

			explicit FRawPlane(const FGeodeticCoordinate& At)
			{
				GeographicLib::Geocentric::WGS84().Forward(At.LatitudeDeg, At.LongitudeDeg, At.HeightM, Origin[0], Origin[1], Origin[2], Rotation);
			}

			/** An ECEF direction in engine axes (north, east, up). */
			FVector ToEngineAxes(const FVector& Direction) const
			{
				const double* const R = Rotation.data();
				const double East = R[0] * Direction.X + R[3] * Direction.Y + R[6] * Direction.Z;
				const double North = R[1] * Direction.X + R[4] * Direction.Y + R[7] * Direction.Z;
				const double Up = R[2] * Direction.X + R[5] * Direction.Y + R[8] * Direction.Z;
				return FVector(North, East, Up);
			}

			/** An ECEF pose (axis rows, position in metres) as an engine transform (centimetres) through the plane. */
			FTransform ToEngineTransform(const FMatrix& EcefPose) const
			{
				FMatrix Local = FMatrix::Identity;
				for (int32 Row = 0; Row < 3; ++Row)
				{
					Local.SetAxis(Row, ToEngineAxes(FVector(EcefPose.M[Row][0], EcefPose.M[Row][1], EcefPose.M[Row][2])));
				}
				const FVector Offset(EcefPose.M[3][0] - Origin[0], EcefPose.M[3][1] - Origin[1], EcefPose.M[3][2] - Origin[2]);
				Local.SetOrigin(ToEngineAxes(Offset) * 100.0);
				return FTransform(Local);
			}
		};

		/** Count plain actors in a world of their own, each with the ECEF pose an anchor would keep. */
		struct FPlainActors
		{
			explicit FPlainActors(const int32 Count)
			{
				World = UWorld::CreateWorld(EWorldType::Game, false);
				const FRawPlane Plane(ShiftOrigins[0]);
				for (int32 Index = 0; Index < Count; ++Index)
				{
					AActor* const Actor = SpawnPlacedActor(World, Index);
					const FTransform Placed = Actor->GetRootComponent()->GetComponentTransform();
					// The inverse of the plane's mapping, enough to give each actor a pose near the origins.
					const double* const R = Plane.Rotation.data();
					const auto ToEcef = [R](const FVector& Engine) {
						return FVector(R[0] * Engine.Y + R[1] * Engine.X + R[2] * Engine.Z, R[3] * Engine.Y + R[4] * Engine.X + R[5] * Engine.Z,
							R[6] * Engine.Y + R[7] * Engine.X + R[8] * Engine.Z);
					};
					FMatrix Pose = FMatrix::Identity;
					Pose.SetAxis(0, ToEcef(Placed.GetRotation().RotateVector(FVector(1.0, 0.0, 0.0))));
					Pose.SetAxis(1, ToEcef(Placed.GetRotation().RotateVector(FVector(0.0, 1.0, 0.0))));
					Pose.SetAxis(2, ToEcef(Placed.GetRotation().RotateVector(FVector(0.0, 0.0, 1.0))));
					Pose.SetOrigin(ToEcef(Placed.GetTranslation() * 0.01) + FVector(Plane.Origin[0], Plane.Origin[1], Plane.Origin[2]));
					Actors.push_back(Actor);
					EcefPoses.push_back(Pose);
				}
			}

			~FPlainActors()
			{
				for (AActor* const Actor : Actors)
				{
					World->DestroyActor(Actor);
				}
				World->DestroyWorld(false);
			}

			FPlainActors(const FPlainActors&) = delete;
			FPlainActors& operator=(const FPlainActors&) = delete;

			UWorld* World = nullptr;
			std::vector<AActor*> Actors;
			std::vector<FMatrix> EcefPoses;
		};

		/** The least a shift of Count anchored actors does: each pose into the new plane, and the actor set to it. */
		void ShiftRaw(benchmark::State& State, const int32 Count)
		{
			const FPlainActors Plain(Count);
			const std::array<FRawPlane, 2> Planes = {FRawPlane(ShiftOrigins[0]), FRawPlane(ShiftOrigins[1])};
			size_t Next = 1;
			for (auto _ : State)
			{
				const FRawPlane& Plane = Planes[Next];
				for (size_t Index = 0; Index < Plain.Actors.size(); ++Index)
				{
					benchmark::DoNotOptimize(Plain.Actors[Index]->SetActorTransform(Plane.ToEngineTransform(Plain.EcefPoses[Index]), false, nullptr, ETeleportType::TeleportPhysics));
				}
				Next = 1 - Next;
			}
		}

		/** The least a frame rebuild does: a tangent-plane frame built on the kept instance. */
		void ShiftFrameOnlyRaw(benchmark::State& State)
		{
			if (!HasInstalledModels())
			{
				State.SkipWithError("EGM84 is not installed; run scripts/install-data");
				return;
			}
			const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Instance = MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(FCoordinateConversionSetup());
			size_t Next = 1;
			for (auto _ : State)
			{
				const FCoordinateReferenceFramePtr Frame = MakeShared<FCoordinateReferenceFrame, ESPMode::ThreadSafe>(Instance, TangentPlaneAt(ShiftOrigins[Next]));
				benchmark::DoNotOptimize(Frame->IsInitialized());
				Next = 1 - Next;
			}
		}
	}

	// A fixed number of shifts per run: each run builds its world of anchored actors once, outside the timing.
	// The frame rebuild of a shift, with no anchored actor in the world.
	BENCHMARK_CAPTURE(Shift, FrameOnly, 0, true)->Name("ShiftFrameRebuild/Wrapper")->Unit(benchmark::kMicrosecond)->Iterations(2000);
	BENCHMARK(ShiftFrameOnlyRaw)->Name("ShiftFrameRebuild/Raw")->Unit(benchmark::kMicrosecond)->Iterations(2000);
	BENCHMARK_CAPTURE(Shift, Authority1000, 1000, true)->Name("ShiftWith1000Anchors/Wrapper")->Unit(benchmark::kMicrosecond)->Iterations(60);
	BENCHMARK_CAPTURE(ShiftRaw, Authority1000, 1000)->Name("ShiftWith1000Anchors/Raw")->Unit(benchmark::kMicrosecond)->Iterations(60);
	BENCHMARK_CAPTURE(Shift, Default1000, 1000, false)->Name("ShiftWith1000AnchorsDefaultWorld/Wrapper")->Unit(benchmark::kMicrosecond)->Iterations(60);
	BENCHMARK_CAPTURE(ShiftRaw, Default1000, 1000)->Name("ShiftWith1000AnchorsDefaultWorld/Raw")->Unit(benchmark::kMicrosecond)->Iterations(60);
	BENCHMARK_CAPTURE(Shift, Authority10000, 10000, true)->Name("ShiftWith10000Anchors/Wrapper")->Unit(benchmark::kMicrosecond)->Iterations(10);
	BENCHMARK_CAPTURE(ShiftRaw, Authority10000, 10000)->Name("ShiftWith10000Anchors/Raw")->Unit(benchmark::kMicrosecond)->Iterations(10);
	BENCHMARK_CAPTURE(Shift, Default10000, 10000, false)->Name("ShiftWith10000AnchorsDefaultWorld/Wrapper")->Unit(benchmark::kMicrosecond)->Iterations(10);
	BENCHMARK_CAPTURE(ShiftRaw, Default10000, 10000)->Name("ShiftWith10000AnchorsDefaultWorld/Raw")->Unit(benchmark::kMicrosecond)->Iterations(10);
}
