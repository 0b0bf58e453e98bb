// The anchor component moving its owner and reading it back, beside the raw GeographicLib calls that the
// same work makes in a tangent-plane world.
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreSystem.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostLevelLoading.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		constexpr double OriginLat = 48.137;
		constexpr double OriginLon = 11.575;
		constexpr double OriginH = 520.0;

		/** A world with an authoritative tangent-plane coordinate system and one anchored actor 30 km away. */
		UDuRizerudoreAnchorComponent* GetAnchor()
		{
			static UDuRizerudoreAnchorComponent* const Anchor = [] {
				UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				UE::Host::LoadActor<ADuRizerudoreSystem>(World, [&Setup](ADuRizerudoreSystem& System) {
					UE::Host::SetPropertyValue(&System, TEXT("bAuthority"), true);
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
			}();
			return Anchor;
		}

		const GeographicLib::Geocentric& GetEarth()
		{
			return GeographicLib::Geocentric::WGS84();
		}

		const GeographicLib::LocalCartesian& GetTangentPlane()
		{
			static const GeographicLib::LocalCartesian Plane(OriginLat, OriginLon, OriginH, GetEarth());
			return Plane;
		}

		void ApplyToOwner(benchmark::State& State)
		{
			UDuRizerudoreAnchorComponent* const Anchor = GetAnchor();
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Anchor->ApplyAnchorTransformToActor());
			}
		}

		/** What one application computes: the cached ECEF point into the plane, the owner's point back out, and its geodetic form. */
		void ApplyToOwnerRaw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GetEarth();
			const GeographicLib::LocalCartesian& Plane = GetTangentPlane();
			const FVector Ecef = GetAnchor()->GetEcefPosition();
			double Lat, Lon, H, East, North, Up, X, Y, Z;
			for (auto _ : State)
			{
				Earth.Reverse(Ecef.X, Ecef.Y, Ecef.Z, Lat, Lon, H);
				Plane.Forward(Lat, Lon, H, East, North, Up);
				Plane.Reverse(East, North, Up, Lat, Lon, H);
				Earth.Forward(Lat, Lon, H, X, Y, Z);
				Earth.Reverse(X, Y, Z, Lat, Lon, H);
				benchmark::DoNotOptimize(Lat + Lon + H);
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

		/** What one update computes: the owner's point out of the plane into ECEF, and its geodetic form. */
		void UpdateFromOwnerRaw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GetEarth();
			const GeographicLib::LocalCartesian& Plane = GetTangentPlane();
			double Lat, Lon, H, X, Y, Z;
			for (auto _ : State)
			{
				Plane.Reverse(15000.0, 20000.0, 300.0, Lat, Lon, H);
				Earth.Forward(Lat, Lon, H, X, Y, Z);
				Earth.Reverse(X, Y, Z, Lat, Lon, H);
				benchmark::DoNotOptimize(Lat + Lon + H);
			}
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR(AnchorApplyToOwner, ApplyToOwner, ApplyToOwnerRaw);
	DURIZERUDORE_BENCHMARK_PAIR(AnchorUpdateFromOwner, UpdateFromOwner, UpdateFromOwnerRaw);
}
