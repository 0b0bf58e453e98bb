// Worlds and actors: spawn and load order, the actor query, and destruction in any order.

#include "HostObjectTestTypes.h"

#include "Engine/Engine.h"
#include "Engine/World.h"
#include "GameFramework/Info.h"
#include "HostLevelLoading.h"
#include "Kismet/GameplayStatics.h"
#include "Logging/HostLogCapture.h"
#include "UObject/Package.h"

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

namespace
{
	class WorldTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			TestJournal().Reset();
			World = UWorld::CreateWorld(EWorldType::Game, false);
		}

		void TearDown() override
		{
			World->DestroyWorld(false);
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		}

		UWorld* World = nullptr;
	};
}

TEST_F(WorldTest, SpawningRegistersTheComponentsBeforePostActorCreatedWhenThereIsARoot)
{
	ATestActor* const Actor = World->SpawnActor<ATestActor>(ATestActor::StaticClass(), FTransform(FVector(1, 2, 3)));
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(Actor->GetWorld(), World);
	EXPECT_FALSE(Actor->ConstructionFlags & RF_ClassDefaultObject);
	EXPECT_TRUE(Actor->GetRootComponent()->IsRegistered());
	EXPECT_EQ(Actor->GetActorLocation(), FVector(1, 2, 3));
	EXPECT_EQ(TestJournal(), TArray<FString>({TEXT("Part.OnRegister"), Actor->GetName() + TEXT(".PostActorCreated")}));

	// Without a native root component the engine registers the components only after PostActorCreated.
	TestJournal().Reset();
	ATestRootlessActor* const Rootless = World->SpawnActor<ATestRootlessActor>();
	EXPECT_EQ(TestJournal(), TArray<FString>({Rootless->GetName() + TEXT(".PostActorCreated"), TEXT("Part.OnRegister")}));
	EXPECT_EQ(World->PersistentLevel->Actors, TArray<AActor*>({Actor, Rootless}));
	EXPECT_FALSE(Rootless->SetActorTransform(FTransform(FVector(1, 0, 0))));
	EXPECT_TRUE(Actor->SetActorTransform(FTransform(FVector(1, 0, 0))));

	FHostLogCapture Log;
	EXPECT_EQ(World->SpawnActor<AActor>(UTestObject::StaticClass()), nullptr);
	EXPECT_EQ(World->SpawnActor<AActor>(AInfo::StaticClass()), nullptr);
	EXPECT_EQ(World->SpawnActor<AActor>(nullptr), nullptr);
	EXPECT_EQ(Log.Count(TEXT("LogSpawn"), TEXT("SpawnActor failed")), 3);
	EXPECT_EQ(World->PersistentLevel->Actors.Num(), 2);
}

TEST_F(WorldTest, LoadingAppliesSavedValuesBeforePostLoadAndRegistersAfterIt)
{
	UTestComponent* Added = nullptr;
	ATestActor* const Actor = UE::Host::LoadActor<ATestActor>(World, [&Added](ATestActor& Loading)
	{
		EXPECT_TRUE(Loading.ConstructionFlags & RF_WasLoaded);
		EXPECT_TRUE(UE::Host::SetPropertyValue(&Loading, TEXT("Count"), 5));
		Added = UE::Host::LoadInstanceComponent<UTestComponent>(Loading, FName(TEXT("Added")));
		EXPECT_TRUE(UE::Host::SetPropertyValue(Added, TEXT("Point.X"), 3.0));
	});
	ASSERT_NE(Actor, nullptr);
	EXPECT_EQ(TestJournal(), TArray<FString>({Actor->GetName() + TEXT(".PostLoad Count=5"), TEXT("Part.OnRegister"), TEXT("Added.OnRegister")}));
	EXPECT_TRUE(Actor->HasAnyFlags(RF_WasLoaded));
	EXPECT_TRUE(Added->HasAnyFlags(RF_WasLoaded));
	EXPECT_EQ(Added->GetOwner(), Actor);
	EXPECT_EQ(Added->GetPoint().X, 3.0);
	EXPECT_EQ(Actor->GetInstanceComponents(), TArray<UActorComponent*>({Added}));
	EXPECT_EQ(World->PersistentLevel->Actors, TArray<AActor*>({Actor}));
	EXPECT_EQ(UE::Host::LoadActor(World, AInfo::StaticClass()), nullptr);
	EXPECT_EQ(UE::Host::LoadActor(nullptr, ATestActor::StaticClass()), nullptr);
}

TEST_F(WorldTest, AllActorsOfAClassIncludeSubclassesAndSkipDestroyedActors)
{
	ATestActor* const Base = World->SpawnActor<ATestActor>();
	World->SpawnActor<ATestRootlessActor>();
	ATestDerivedActor* const Derived = World->SpawnActor<ATestDerivedActor>();
	ATestActor* const Doomed = World->SpawnActor<ATestActor>();
	ATestActor* const Garbage = World->SpawnActor<ATestActor>();
	// Many actors of another class, and actors of the class in another world, change nothing.
	for (int32 Index = 0; Index < 1000; ++Index)
	{
		World->SpawnActor<ATestRootlessActor>();
	}
	UWorld* const Other = UWorld::CreateWorld(EWorldType::Game, false);
	Other->SpawnActor<ATestDerivedActor>();
	ATestActor* const Last = World->SpawnActor<ATestActor>();
	EXPECT_TRUE(Doomed->Destroy());
	Garbage->MarkAsGarbage();

	TArray<AActor*> Found;
	UGameplayStatics::GetAllActorsOfClass(Last->GetRootComponent(), ATestActor::StaticClass(), Found);
	EXPECT_EQ(Found, TArray<AActor*>({Base, Derived, Last}));
	Other->DestroyWorld(false);
	UGameplayStatics::GetAllActorsOfClass(World, ATestDerivedActor::StaticClass(), Found);
	EXPECT_EQ(Found, TArray<AActor*>({Derived}));
	EXPECT_FALSE(World->PersistentLevel->Actors.Contains(Doomed));

	FHostLogCapture Log;
	UGameplayStatics::GetAllActorsOfClass(nullptr, ATestActor::StaticClass(), Found);
	EXPECT_TRUE(Found.IsEmpty());
	EXPECT_EQ(Log.Count(TEXT("LogScript"), TEXT("A null object was passed as a world context object")), 1);
	EXPECT_EQ(GEngine->GetWorldFromContextObject(GetTransientPackage(), EGetWorldErrorMode::ReturnNull), nullptr);
	EXPECT_EQ(Log.GetLines().size(), 1u);
}

// Two actors listen to each other's root component; whichever goes first, nothing touches freed memory
// (the suite runs under AddressSanitizer) and the survivor's events skip the departed listener.
TEST_F(WorldTest, ActorsBoundToEachOtherAreDestroyedCleanlyInEitherOrder)
{
	enum class EEnd
	{
		Destroy,
		DestroyComponent,
		WithTheWorld
	};
	for (const std::array<EEnd, 2> Ends : {std::array{EEnd::Destroy, EEnd::WithTheWorld}, std::array{EEnd::WithTheWorld, EEnd::Destroy}, std::array{EEnd::DestroyComponent, EEnd::Destroy}})
	{
		UWorld* const Local = UWorld::CreateWorld(EWorldType::Game, false);
		std::array<ATestActor*, 2> Actors = {Local->SpawnActor<ATestActor>(), Local->SpawnActor<ATestActor>()};
		int32 Calls = 0;
		for (int32 Index = 0; Index < 2; ++Index)
		{
			UTestComponent* const Listener = Actors[Index]->FindComponentByClass<UTestComponent>();
			Actors[1 - Index]->GetRootComponent()->TransformUpdated.AddWeakLambda(Listener, [&Calls](USceneComponent*, EUpdateTransformFlags, ETeleportType) { ++Calls; });
		}
		for (int32 Index = 0; Index < 2; ++Index)
		{
			if (Ends[Index] == EEnd::Destroy)
			{
				Actors[Index]->Destroy();
			}
			else if (Ends[Index] == EEnd::DestroyComponent)
			{
				Actors[Index]->FindComponentByClass<UTestComponent>()->DestroyComponent();
			}
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
			if (Index == 0 && Ends[0] != EEnd::WithTheWorld)
			{
				ASSERT_TRUE(IsValid(Actors[1]));
				Actors[1]->SetActorLocation(FVector(0, 0, 100));
				EXPECT_EQ(Calls, 0);
			}
		}
		Local->DestroyWorld(false);
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	}
}

TEST_F(WorldTest, AStreamedLevelLoadsApartAndRegistersWhenItJoinsTheWorld)
{
	ATestActor* Streamed = nullptr;
	const ULevel* const Level = UE::Host::StreamInLevel(World, [this, &Streamed](UWorld& LevelPackageWorld)
	{
		Streamed = UE::Host::LoadActor<ATestActor>(&LevelPackageWorld);
		ASSERT_NE(Streamed, nullptr);
		// Loaded in a world of its own: not yet one of this world's actors, its components not registered.
		EXPECT_EQ(Streamed->GetWorld(), &LevelPackageWorld);
		EXPECT_EQ(TestJournal(), TArray<FString>({Streamed->GetName() + TEXT(".PostLoad Count=1")}));
		TArray<AActor*> Found;
		UGameplayStatics::GetAllActorsOfClass(World, ATestActor::StaticClass(), Found);
		EXPECT_TRUE(Found.IsEmpty());
	});
	ASSERT_NE(Level, nullptr);
	EXPECT_EQ(TestJournal(), TArray<FString>({Streamed->GetName() + TEXT(".PostLoad Count=1"), TEXT("Part.OnRegister")}));
	EXPECT_EQ(Streamed->GetWorld(), World);
	EXPECT_EQ(World->GetLevels(), TArray<ULevel*>({World->PersistentLevel, const_cast<ULevel*>(Level)}));
	ATestActor* const Spawned = World->SpawnActor<ATestActor>();
	TArray<AActor*> Found;
	UGameplayStatics::GetAllActorsOfClass(World, ATestActor::StaticClass(), Found);
	EXPECT_EQ(Found, TArray<AActor*>({Spawned, Streamed}));
	EXPECT_EQ(UE::Host::StreamInLevel(nullptr, nullptr), nullptr);
}
