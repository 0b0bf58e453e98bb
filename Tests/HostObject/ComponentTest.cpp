// Components: deferred transform notifications, registration of components made at run time, and the
// editor's unregister/register around a property edit.

#include "HostObjectTestTypes.h"

#include "Engine/ScopedMovementUpdate.h"
#include "Engine/World.h"
#include "HostPropertyAccess.h"

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
