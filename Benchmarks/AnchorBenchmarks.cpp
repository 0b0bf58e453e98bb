// The anchor component moving its owner and reading it back, beside the least work the same move takes in a
// tangent-plane world: the plane's rotation and GeographicLib's geodetic form of the point. Measured twice: in a
// world whose coordinate system is marked as authority, and in a default world whose only coordinate system is
// not, where every conversion looks the world up for its authority.
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostLevelLoading.h"

#include <GeographicLib/Geocentric.hpp>

#include <vector>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		constexpr double OriginLat = 48.137;
		constexpr double OriginLon = 11.575;
		constexpr double OriginH = 520.0;

		/** A world with a tangent-plane coordinate system and one anchored actor 30 km away. */
		UDuRizerudoreAnchorComponent* MakeAnchoredWorld(const bool bAuthority)
		{
			UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
			FCoordinateConversionSetup Setup;
			Setup.GravityModel = EEarthGravityModel::None;
			Setup.GeoidModel = EEarthGravityModel::None;
			UE::Host::LoadActor<ADuRizerudoreSystem>(World, [&Setup, bAuthority](ADuRizerudoreSystem& System) {
				UE::Host::SetPropertyValue(&System, TEXT("bAuthority"), bAuthority);
				UE::Host::SetPropertyValue(&System, TEXT("Setup"), Setup);
				UE::Host::SetPropertyValue(&System, TEXT("ReferenceSetup"),
					FCoordinateReferenceSetup(FGeodeticCoordinate(OriginLat, OriginLon, OriginH), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian));
			});
			AActor* const Actor = World->SpawnActor<AActor>();
			USceneComponent* const Root = NewObject<USceneComponent>(Actor);
			Actor->SetRootComponent(Root);
			Root->SetWorldTransform(FTransform(FRotator(5.0, 30.0, 0.0).Quaternion(), FVector(2.0e6, 1.5e6, 3.0e4)));
			Root->RegisterComponent();
			UDuRizerudoreAnchorComponent* const Component = NewObject<UDuRizerudoreAnchorComponent>(Actor);
			Actor->AddInstanceComponent(Component);
			Component->RegisterComponent();
			return Component;
		}

		/** The world's coordinate system is marked as authority: conversions go to it directly. */
		UDuRizerudoreAnchorComponent* GetAnchor()
		{
			static UDuRizerudoreAnchorComponent* const Anchor = MakeAnchoredWorld(true);
			return Anchor;
		}

		/** The default world: one coordinate system, not marked, found by the world lookup on every conversion. */
		UDuRizerudoreAnchorComponent* GetAnchorInDefaultWorld()
		{
			static UDuRizerudoreAnchorComponent* const Anchor = MakeAnchoredWorld(false);
			return Anchor;
		}

		const GeographicLib::Geocentric& GetEarth()
		{
			return GeographicLib::Geocentric::WGS84();
		}

		/** The tangent plane as the frame keeps it: the origin in ECEF and the east-north-up rotation (row-major, GeographicLib's). */
		struct FRawPlane
		{
			double Origin[3] = {0.0, 0.0, 0.0};
			std::vector<double> Rotation = std::vector<double>(9, 0.0);

			FRawPlane()
			{
				GetEarth().Forward(OriginLat, OriginLon, OriginH, Origin[0], Origin[1], Origin[2], Rotation);
			}

			void ToEcef(const double E, const double N, const double U, double& X, double& Y, double& Z) const
			{
				const double* const R = Rotation.data();
				X = Origin[0] + R[0] * E + R[1] * N + R[2] * U;
				Y = Origin[1] + R[3] * E + R[4] * N + R[5] * U;
				Z = Origin[2] + R[6] * E + R[7] * N + R[8] * U;
			}

			void ToLocal(const double X, const double Y, const double Z, double& E, double& N, double& U) const
			{
				const double* const R = Rotation.data();
				const double DX = X - Origin[0];
				const double DY = Y - Origin[1];
				const double DZ = Z - Origin[2];
				E = R[0] * DX + R[3] * DY + R[6] * DZ;
				N = R[1] * DX + R[4] * DY + R[7] * DZ;
				U = R[2] * DX + R[5] * DY + R[8] * DZ;
			}
		};

		void ApplyToOwner(benchmark::State& State)
		{
			UDuRizerudoreAnchorComponent* const Anchor = GetAnchor();
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Anchor->ApplyAnchorTransformToActor());
			}
		}

		/** The least an application computes: the cached point into the plane, the owner's point back out, its geodetic form. */
		void ApplyToOwnerRaw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GetEarth();
			const FRawPlane Plane;
			const FVector Ecef = GetAnchor()->GetEcefPosition();
			double Lat, Lon, H, East, North, Up, X, Y, Z;
			for (auto _ : State)
			{
				Plane.ToLocal(Ecef.X, Ecef.Y, Ecef.Z, East, North, Up);
				Plane.ToEcef(East, North, Up, X, Y, Z);
				Earth.Reverse(X, Y, Z, Lat, Lon, H);
				benchmark::DoNotOptimize(Lat + Lon + H);
			}
		}

		void ApplyToOwnerInDefaultWorld(benchmark::State& State)
		{
			UDuRizerudoreAnchorComponent* const Anchor = GetAnchorInDefaultWorld();
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Anchor->ApplyAnchorTransformToActor());
			}
		}

		void UpdateFromOwnerInDefaultWorld(benchmark::State& State)
		{
			UDuRizerudoreAnchorComponent* const Anchor = GetAnchorInDefaultWorld();
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Anchor->UpdateAnchorTransformFromActor());
			}
		}

		void UpdateFromOwner(benchmark::State& State)
		{
			UDuRizerudoreAnchorComponent* const Anchor = GetAnchor();
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Anchor->UpdateAnchorTransformFromActor());
			}
		}

		/** The least an update computes: the owner's point out of the plane into ECEF, and its geodetic form. */
		void UpdateFromOwnerRaw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GetEarth();
			const FRawPlane Plane;
			double Lat, Lon, H, X, Y, Z;
			for (auto _ : State)
			{
				Plane.ToEcef(15000.0, 20000.0, 300.0, X, Y, Z);
				Earth.Reverse(X, Y, Z, Lat, Lon, H);
				benchmark::DoNotOptimize(Lat + Lon + H);
			}
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR(AnchorApplyToOwner, ApplyToOwner, ApplyToOwnerRaw);
	DURIZERUDORE_BENCHMARK_PAIR(AnchorUpdateFromOwner, UpdateFromOwner, UpdateFromOwnerRaw);
	DURIZERUDORE_BENCHMARK_PAIR(AnchorApplyToOwnerDefaultWorld, ApplyToOwnerInDefaultWorld, ApplyToOwnerRaw);
	DURIZERUDORE_BENCHMARK_PAIR(AnchorUpdateFromOwnerDefaultWorld, UpdateFromOwnerInDefaultWorld, UpdateFromOwnerRaw);
}
