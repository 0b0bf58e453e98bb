#include "WorldTestSupport.h"

#include "DuRizerudoreAnchorComponent.h"
#include "TestPluginDirectory.h"

#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "HostLevelLoading.h"
#include "UObject/UObjectGlobals.h"

namespace DuRizerudoreTest
{
	FTestWorld::FTestWorld()
	{
		UseRepositoryPlugin();
		World = UWorld::CreateWorld(EWorldType::Game, false);
	}

	FTestWorld::~FTestWorld()
	{
		World->DestroyWorld(false);
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	}

	FCoordinateConversionSetup MakeModelFreeSetup()
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return Setup;
	}

	FCoordinateReferenceSetup MakeReferenceSetup(const ECoordinateLocalFrameType Type, const double LatitudeDeg, const double LongitudeDeg, const double HeightM)
	{
		return FCoordinateReferenceSetup(FGeodeticCoordinate(LatitudeDeg, LongitudeDeg, HeightM), ECoordinateAltitudeReference::Ellipsoid, Type);
	}

	ADuRizerudoreSystem* LoadCoordinateSystem(UWorld* World, const FCoordinateSystemSettings& Settings, UClass* Class)
	{
		AActor* const Loaded = UE::Host::LoadActor(World, Class, [&Settings](AActor& Actor)
			{
				EXPECT_TRUE(UE::Host::SetPropertyValue(&Actor, TEXT("bAuthority"), Settings.bAuthority));
				EXPECT_TRUE(UE::Host::SetPropertyValue(&Actor, TEXT("Setup"), Settings.Setup));
				EXPECT_TRUE(UE::Host::SetPropertyValue(&Actor, TEXT("LocalReferenceFrame"), Settings.LocalReferenceFrame));
				EXPECT_TRUE(UE::Host::SetPropertyValue(&Actor, TEXT("ReferenceSetup"), Settings.ReferenceSetup));
			});
		return Cast<ADuRizerudoreSystem>(Loaded);
	}

	FAnchoredActor SpawnAnchoredActor(UWorld* World, const FTransform& Transform)
	{
		FAnchoredActor Placed;
		Placed.Actor = World->SpawnActor<AActor>();
		USceneComponent* const Root = NewObject<USceneComponent>(Placed.Actor);
		Placed.Actor->SetRootComponent(Root);
		Root->SetWorldTransform(Transform);
		Root->RegisterComponent();
		Placed.Anchor = NewObject<UDuRizerudoreAnchorComponent>(Placed.Actor);
		Placed.Actor->AddInstanceComponent(Placed.Anchor);
		Placed.Anchor->RegisterComponent();
		return Placed;
	}

	FMatrix GetCachedEcefPose(const UDuRizerudoreAnchorComponent* Anchor)
	{
		return FMatrix(Anchor->GetEcefXAxis(), Anchor->GetEcefYAxis(), Anchor->GetEcefZAxis(), Anchor->GetEcefPosition());
	}
}
