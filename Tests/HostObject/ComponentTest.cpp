// Components: deferred transform notifications, who may move in which world, registration of components made at run time, and the
// editor's unregister/register around a property edit.

#include "HostObjectTestTypes.h"

#include "Engine/ScopedMovementUpdate.h"
#include "Engine/World.h"
#include "HostPropertyAccess.h"
#include "Logging/HostLogCapture.h"

#include <functional>

#include <gtest/gtest.h>

namespace
{
	class ComponentTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			TestJournal().Reset();
			World = UWorld::CreateWorld(EWorldType::Game, false);
			Actor = World->SpawnActor<ATestActor>();
			Root = Actor->GetRootComponent();
			Root->TransformUpdated.AddLambda([this](USceneComponent* Component, EUpdateTransformFlags, ETeleportType Teleport)
			{
				Notifications.Add(Component->GetComponentLocation());
				LastTeleport = Teleport;
			});
			TestJournal().Reset();
		}

		void TearDown() override
		{
			World->DestroyWorld(false);
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		}

		UWorld* World = nullptr;
		ATestActor* Actor = nullptr;
		USceneComponent* Root = nullptr;
		TArray<FVector> Notifications;
		ETeleportType LastTeleport = ETeleportType::None;
	};
}

TEST_F(ComponentTest, TransformUpdatesFireAtOnceOrOnceWhenTheOutermostScopeCloses)
{
	struct FCase
	{
		const char* Name;
		std::function<void(USceneComponent*)> Moves;
		TArray<FVector> Expected;
	};
	const FVector A(100, 0, 0);
	const FVector B(0, 200, 0);
	const FCase Cases[] = {
		{"two moves without a scope", [&](USceneComponent* C) { C->SetWorldLocation(A); C->SetWorldLocation(B); }, {A, B}},
		{"a move to where it is", [&](USceneComponent* C) { C->SetWorldLocation(FVector::ZeroVector); C->SetWorldLocation(FVector(0.00001, 0, 0)); }, {}},
		{"nested scopes", [&](USceneComponent* C)
			{
				FScopedMovementUpdate Outer(C);
				C->SetWorldLocation(A);
				{
					FScopedMovementUpdate Inner(C);
					C->SetWorldLocation(B);
				}
				EXPECT_EQ(C->GetComponentLocation(), B);
			},
			{B}},
		{"there and back inside a scope", [&](USceneComponent* C)
			{
				FScopedMovementUpdate Outer(C);
				C->SetWorldLocation(A);
				C->SetWorldLocation(FVector::ZeroVector);
			},
			{}},
		{"an immediate scope inside a deferring one", [&](USceneComponent* C)
			{
				FScopedMovementUpdate Outer(C);
				FScopedMovementUpdate Inner(C, EScopedUpdate::ImmediateUpdates);
				C->SetWorldLocation(A);
			},
			{A}},
		{"an immediate scope alone", [&](USceneComponent* C)
			{
				FScopedMovementUpdate Immediate(C, EScopedUpdate::ImmediateUpdates);
				C->SetWorldLocation(A);
				C->SetWorldLocation(B);
			},
			{A, B}},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		Root->SetWorldTransform(FTransform::Identity);
		Notifications.Reset();
		Case.Moves(Root);
		EXPECT_EQ(Notifications, Case.Expected);
	}

	Root->SetWorldTransform(FTransform::Identity);
	Notifications.Reset();
	{
		FScopedMovementUpdate Scope(Root);
		EXPECT_TRUE(Root->IsDeferringMovementUpdates());
		Actor->SetActorTransform(FTransform(A), false, nullptr, ETeleportType::TeleportPhysics);
		Actor->SetActorLocation(B);
	}
	EXPECT_FALSE(Root->IsDeferringMovementUpdates());
	EXPECT_EQ(Notifications, TArray<FVector>({B}));
	EXPECT_EQ(LastTeleport, ETeleportType::TeleportPhysics);
}

TEST_F(ComponentTest, AComponentMadeForAnActorBelongsToItAndRegistersOnRequest)
{
	UTestComponent* const Component = NewObject<UTestComponent>(Actor, FName(TEXT("Late")));
	EXPECT_EQ(Component->GetOwner(), Actor);
	EXPECT_EQ(Component->GetOwner<ATestActor>(), Actor);
	EXPECT_EQ(Component->GetWorld(), World);
	EXPECT_FALSE(Component->IsRegistered());
	Component->RegisterComponent();
	EXPECT_TRUE(Component->IsRegistered());
	Component->RegisterComponent();
	Component->DestroyComponent();
	EXPECT_FALSE(IsValid(Component));
	EXPECT_EQ(TestJournal(), TArray<FString>({TEXT("Late.OnRegister"), TEXT("Late.OnUnregister")}));
	TArray<UActorComponent*> Remaining;
	Actor->GetComponents(Remaining);
	EXPECT_FALSE(Remaining.Contains(Component));
}

TEST_F(ComponentTest, AnEditUnregistersInPreEditChangeAndRegistersAgainInPostEditChangeProperty)
{
	UTestComponent* const Component = Actor->FindComponentByClass<UTestComponent>();
	ASSERT_TRUE(UE::Host::EditProperty(Component, TEXT("Point.X"), 4.0));
	EXPECT_TRUE(Component->IsRegistered());
	EXPECT_EQ(Component->GetPoint().X, 4.0);
	ASSERT_TRUE(UE::Host::EditProperty(Component, TEXT("Point"), FTestPoint()));
	EXPECT_EQ(TestJournal(), TArray<FString>({
		TEXT("Part.OnUnregister"), TEXT("Part.PostEditChangeProperty Point X"), TEXT("Part.OnRegister"),
		TEXT("Part.OnUnregister"), TEXT("Part.PostEditChangeProperty Point Point"), TEXT("Part.OnRegister")}));

	TestJournal().Reset();
	Component->UnregisterComponent();
	ASSERT_TRUE(UE::Host::EditProperty(Component, TEXT("Point.Y"), 1.0));
	EXPECT_FALSE(Component->IsRegistered());
	EXPECT_FALSE(UE::Host::EditProperty(Component, TEXT("Point.W"), 1.0));
	EXPECT_FALSE(UE::Host::EditProperty(Component, TEXT("Point.X"), 1));
	EXPECT_EQ(TestJournal(), TArray<FString>({TEXT("Part.OnUnregister"), TEXT("Part.PostEditChangeProperty Point Y")}));
}

TEST_F(ComponentTest, OnlyRegisteredComponentsAnnounceAndOnlyMovableOnesMoveInAGameWorld)
{
	struct FCase
	{
		const char* Name;
		EWorldType::Type WorldType;
		EComponentMobility::Type Mobility;
		bool bRegistered;
		bool bMoves;
	};
	const FCase Cases[] = {
		{"movable in a game", EWorldType::Game, EComponentMobility::Movable, true, true},
		{"static in a game", EWorldType::Game, EComponentMobility::Static, true, false},
		{"stationary in play-in-editor", EWorldType::PIE, EComponentMobility::Stationary, true, false},
		{"static in a game preview", EWorldType::GamePreview, EComponentMobility::Static, true, false},
		{"static in the editor", EWorldType::Editor, EComponentMobility::Static, true, true},
		{"static, unregistered, in a game", EWorldType::Game, EComponentMobility::Static, false, true},
		{"movable, unregistered, in a game", EWorldType::Game, EComponentMobility::Movable, false, true},
	};
	EXPECT_EQ(Root->GetMobility(), EComponentMobility::Movable);
	const FVector Target(100, 200, 300);
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		World->WorldType = Case.WorldType;
		Root->SetMobility(EComponentMobility::Movable);
		Root->SetWorldTransform(FTransform::Identity);
		Root->SetMobility(Case.Mobility);
		if (!Case.bRegistered)
		{
			Root->UnregisterComponent();
		}
		Notifications.Reset();
		FHostLogCapture Log;
		FHitResult Hit;
		Hit.bBlockingHit = true;

		const bool bReported = Actor->SetActorTransform(FTransform(Target), false, &Hit);
		EXPECT_EQ(bReported, Case.bMoves);
		EXPECT_FALSE(Hit.bBlockingHit);
		EXPECT_EQ(Actor->SetActorLocation(Target * 2.0), Case.bMoves);
		EXPECT_EQ(Actor->SetActorRotation(FRotator(0, 30, 0)), Case.bMoves);
		EXPECT_EQ(Root->GetComponentLocation(), Case.bMoves ? Target * 2.0 : FVector::ZeroVector);
		// Announced only by a registered component, and only when it moved.
		EXPECT_EQ(Notifications.Num(), Case.bRegistered && Case.bMoves ? 3 : 0);
		EXPECT_EQ(Log.Count(TEXT("LogSceneComponent"), TEXT("has to be 'Movable' if you'd like to move. ")), Case.bMoves ? 0 : 3);
		// A move to where the component already is needs no permission.
		EXPECT_TRUE(Actor->SetActorTransform(Root->GetComponentTransform()));
		if (!Case.bRegistered)
		{
			Root->RegisterComponentWithWorld(World);
		}
	}
	World->WorldType = EWorldType::Game;
}
