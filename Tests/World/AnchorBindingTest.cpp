// Anchors and the coordinate systems of their world over time: a coordinate system that comes after the
// anchors, an authority that replaces the one they follow, a second authority, and an owner whose root is
// replaced. No ticking is involved: everything happens in the calls that change the world.
#include "ClosedForms.h"
#include "DuRizerudoreAnchorComponent.h"
#include "WorldTestSupport.h"

#include "Components/SceneComponent.h"
#include "GameFramework/Actor.h"
#include "HostLevelLoading.h"
#include "Logging/HostLogCapture.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace DuRizerudoreTest;

namespace
{
	FCoordinateSystemSettings TangentPlaneAt(const double LatitudeDeg, const double LongitudeDeg, const bool bAuthority = false)
	{
		FCoordinateSystemSettings Settings;
		Settings.bAuthority = bAuthority;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, LatitudeDeg, LongitudeDeg, 0.0);
		return Settings;
	}

	/** Where an engine position (centimetres) of a tangent plane at (latitude, longitude, 0) is in ECEF, in closed form. */
	FVector ClosedFormTangentPlaneToEcef(const FVector& EnginePosition, const double LatitudeDeg, const double LongitudeDeg)
	{
		return ClosedFormEcef(LatitudeDeg, LongitudeDeg, 0.0) + ClosedFormEngineAxisToEcef(EnginePosition * 0.01, LatitudeDeg, LongitudeDeg);
	}

	/** Anchored actors at a few places near the engine origin, with a turn each. */
	std::vector<FAnchoredActor> SpawnScene(UWorld* World)
	{
		const FTransform Places[] = {
			FTransform(FRotator(0.0, 30.0, 0.0).Quaternion(), FVector(100.0, 200.0, 0.0)),
			FTransform(FRotator(10.0, -70.0, 5.0).Quaternion(), FVector(-250000.0, 40000.0, 1200.0)),
			FTransform(FRotator(-20.0, 170.0, 0.0).Quaternion(), FVector(3000.0, -900000.0, -500.0)),
		};
		std::vector<FAnchoredActor> Scene;
		for (const FTransform& Place : Places)
		{
			Scene.push_back(SpawnAnchoredActor(World, Place));
		}
		return Scene;
	}

	/** Each anchor caches where its owner stands in a tangent plane at (latitude, longitude, 0). */
	void ExpectCachesFollowOwners(const std::vector<FAnchoredActor>& Scene, const double LatitudeDeg, const double LongitudeDeg)
	{
		for (const FAnchoredActor& Placed : Scene)
		{
			const FTransform Owner = Placed.Actor->GetActorTransform();
			EXPECT_LT((Placed.Anchor->GetEcefPosition() - ClosedFormTangentPlaneToEcef(Owner.GetTranslation(), LatitudeDeg, LongitudeDeg)).Size(), 1e-6);
			EXPECT_TRUE(Placed.Anchor->GetEcefXAxis().Equals(ClosedFormEngineAxisToEcef(Owner.GetRotation().GetAxisX(), LatitudeDeg, LongitudeDeg), 1e-9));
			EXPECT_TRUE(Placed.Anchor->GetEcefZAxis().Equals(ClosedFormEngineAxisToEcef(Owner.GetRotation().GetAxisZ(), LatitudeDeg, LongitudeDeg), 1e-9));
		}
	}

	std::vector<FTransform> OwnerTransforms(const std::vector<FAnchoredActor>& Scene)
	{
		std::vector<FTransform> Transforms;
		for (const FAnchoredActor& Placed : Scene)
		{
			Transforms.push_back(Placed.Actor->GetActorTransform());
		}
		return Transforms;
	}

	std::vector<FMatrix> CachedPoses(const std::vector<FAnchoredActor>& Scene)
	{
		std::vector<FMatrix> Poses;
		for (const FAnchoredActor& Placed : Scene)
		{
			Poses.push_back(GetCachedEcefPose(Placed.Anchor));
		}
		return Poses;
	}

	void ExpectSamePoses(const std::vector<FMatrix>& Expected, const std::vector<FMatrix>& Actual)
	{
		ASSERT_EQ(Expected.size(), Actual.size());
		for (size_t Index = 0; Index < Expected.size(); ++Index)
		{
			EXPECT_TRUE(Actual[Index].Equals(Expected[Index], 1e-6)) << "anchor " << Index;
		}
	}
}

TEST(AnchorBinding, AnchorsBindToACoordinateSystemThatComesAfterThem)
{
	struct FArrival
	{
		const char* Name;
		// Makes the world's coordinate system (after an earlier one, if any, was there) and returns it.
		std::function<ADuRizerudoreSystem*(UWorld*)> Arrive;
		bool bEarlierSystem;
		// The origin of the tangent plane the arriving system brings.
		double LatitudeDeg;
		double LongitudeDeg;
	};
	const FArrival Arrivals[] = {
		// Spawned with the default settings, a tangent plane at latitude and longitude 0; its models are made
		// model-free, so that its frame is initialized whether or not model files are installed.
		{"spawned at run time", [](UWorld* World)
			{
				ADuRizerudoreSystem* const System = World->SpawnActor<ADuRizerudoreSystem>();
				EditMember(System, TEXT("Setup"), MakeModelFreeSetup());
				return System;
			},
			false, 0.0, 0.0},
		{"loaded with the level", [](UWorld* World) { return LoadCoordinateSystem(World, TangentPlaneAt(-33.9, 151.2)); }, false, -33.9, 151.2},
		// Loaded (and rebuilt) before its level joins the world, where no anchor of the world can hear it yet.
		{"in a streamed-in level", [](UWorld* World)
			{
				ADuRizerudoreSystem* Streamed = nullptr;
				UE::Host::StreamInLevel(World, [&Streamed](UWorld& LevelPackageWorld) { Streamed = LoadCoordinateSystem(&LevelPackageWorld, TangentPlaneAt(-33.9, 151.2)); });
				return Streamed;
			},
			false, -33.9, 151.2},
		{"an authority destroyed and another loaded", [](UWorld* World) { return LoadCoordinateSystem(World, TangentPlaneAt(-33.9, 151.2, true)); }, true, -33.9, 151.2},
	};
	for (const FArrival& Arrival : Arrivals)
	{
		SCOPED_TRACE(Arrival.Name);
		const double LatitudeDeg = Arrival.LatitudeDeg;
		const double LongitudeDeg = Arrival.LongitudeDeg;
		FTestWorld World;
		FTestWorld OtherWorld;
		if (Arrival.bEarlierSystem)
		{
			LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0, true));
		}
		const std::vector<FAnchoredActor> Scene = SpawnScene(World.Get());
		const FAnchoredActor Elsewhere = SpawnAnchoredActor(OtherWorld.Get(), FTransform(FVector(100.0, 200.0, 0.0)));
		if (Arrival.bEarlierSystem)
		{
			ADuRizerudoreSystem::GetCoordinateSystem(World.Get())->Destroy();
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		}
		const std::vector<FTransform> Placed = OwnerTransforms(Scene);

		FHostLogCapture Log;
		ADuRizerudoreSystem* const System = Arrival.Arrive(World.Get());
		ASSERT_NE(System, nullptr);
		// Nobody looked for a coordinate system in a world that has none.
		EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), TEXT("DuRizerudoreSystem actor not found")), 0);

		// Bound, with the owners read as at registration: nobody moved, the caches are where the owners stand.
		const std::vector<FTransform> AfterArrival = OwnerTransforms(Scene);
		for (size_t Index = 0; Index < Scene.size(); ++Index)
		{
			EXPECT_TRUE(AfterArrival[Index].Equals(Placed[Index], 1e-9));
		}
		ExpectCachesFollowOwners(Scene, LatitudeDeg, LongitudeDeg);

		// Owner moves reach the caches, and the system's rebuilds reach the owners.
		Scene[0].Actor->SetActorLocation(FVector(5000.0, 6000.0, 70.0));
		ExpectCachesFollowOwners(Scene, LatitudeDeg, LongitudeDeg);
		const std::vector<FMatrix> Earth = CachedPoses(Scene);
		EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, LatitudeDeg + 0.5, LongitudeDeg, 0.0));
		ExpectSamePoses(Earth, CachedPoses(Scene));
		ExpectCachesFollowOwners(Scene, LatitudeDeg + 0.5, LongitudeDeg);
		EXPECT_FALSE(Scene[0].Actor->GetActorTransform().Equals(AfterArrival[0], 1.0));

		// The anchor of another world never heard of it.
		EXPECT_EQ(Elsewhere.Anchor->GetEcefPosition(), FVector(0.0, 0.0, 0.0));
		EXPECT_FALSE(Elsewhere.Anchor->UpdateAnchorTransformFromActor());
	}
}

TEST(AnchorBinding, AnAuthorityThatArrivesTakesTheAnchorsOver)
{
	FTestWorld World;
	// The only coordinate system, not marked as authority.
	ADuRizerudoreSystem* const First = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
	const std::vector<FAnchoredActor> Scene = SpawnScene(World.Get());
	const std::vector<FMatrix> Earth = CachedPoses(Scene);

	// The new authority's frame is another one: the owners move so that their Earth-fixed poses stay.
	ADuRizerudoreSystem* const Authority = LoadCoordinateSystem(World.Get(), TangentPlaneAt(46.0, 11.0, true));
	ExpectSamePoses(Earth, CachedPoses(Scene));
	ExpectCachesFollowOwners(Scene, 46.0, 11.0);

	// From now on the authority's rebuilds move them, also without the first system's relay.
	First->Destroy();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EditMember(Authority, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 47.0, 12.0, 0.0));
	ExpectSamePoses(Earth, CachedPoses(Scene));
	ExpectCachesFollowOwners(Scene, 47.0, 12.0);
}

TEST(AnchorBinding, AnchorsOfASystemWithoutAFrameAreReadWhenAnAuthorityArrives)
{
	FTestWorld World;
	FCoordinateSystemSettings Refused = TangentPlaneAt(45.0, 10.0);
	Refused.ReferenceSetup.LocalFrameOrigin.LatitudeDeg = 91.0;
	LoadCoordinateSystem(World.Get(), Refused);
	const std::vector<FAnchoredActor> Scene = SpawnScene(World.Get());
	const std::vector<FTransform> Placed = OwnerTransforms(Scene);

	// Another system that is no authority: its own rebuild finds the world ambiguous, the anchors keep theirs
	// without looking the world up again.
	FHostLogCapture Log;
	LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
	EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), TEXT("Multiple DuRizerudoreSystem actors found")), 1);

	// The authority takes them over. Caches no frame ever filled are read from the owners, who stay where they are.
	LoadCoordinateSystem(World.Get(), TangentPlaneAt(46.0, 11.0, true));
	const std::vector<FTransform> After = OwnerTransforms(Scene);
	for (size_t Index = 0; Index < Scene.size(); ++Index)
	{
		EXPECT_TRUE(After[Index].Equals(Placed[Index], 1e-9));
	}
	ExpectCachesFollowOwners(Scene, 46.0, 11.0);
}

TEST(AnchorBinding, ASecondAuthorityLeavesTheAnchorsWithTheirSystem)
{
	FTestWorld World;
	FHostLogCapture Log;
	ADuRizerudoreSystem* const Authority = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0, true));
	const std::vector<FAnchoredActor> Scene = SpawnScene(World.Get());
	const std::vector<FTransform> Placed = OwnerTransforms(Scene);
	const std::vector<FMatrix> Earth = CachedPoses(Scene);

	// Two authorities: the world is ambiguous, which the lookup reports; nobody moves and nothing is lost.
	Log.Clear();
	ADuRizerudoreSystem* const Second = LoadCoordinateSystem(World.Get(), TangentPlaneAt(-10.0, 100.0, true));
	EXPECT_GE(Log.Count(TEXT("LogDuRizerudoreSystem"), TEXT("Multiple authoritative DuRizerudoreSystem actors found.")), 1);
	ExpectSamePoses(Earth, CachedPoses(Scene));
	const std::vector<FTransform> AfterSecond = OwnerTransforms(Scene);
	for (size_t Index = 0; Index < Scene.size(); ++Index)
	{
		EXPECT_TRUE(AfterSecond[Index].Equals(Placed[Index], 1e-9));
	}

	// The anchors still follow their own authority, and not the second one.
	EditMember(Second, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, -11.0, 100.0, 0.0));
	ExpectCachesFollowOwners(Scene, 45.0, 10.0);
	EditMember(Authority, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.5, 10.0, 0.0));
	ExpectSamePoses(Earth, CachedPoses(Scene));
	ExpectCachesFollowOwners(Scene, 45.5, 10.0);
}

TEST(AnchorBinding, TheAnchorFollowsAReplacedRoot)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(100.0, 200.0, 0.0)));
	USceneComponent* const OldRoot = Placed.Actor->GetRootComponent();

	// The new root stands elsewhere: the owner now stands there, and so do the caches.
	USceneComponent* const NewRoot = NewObject<USceneComponent>(Placed.Actor);
	NewRoot->SetWorldTransform(FTransform(FRotator(0.0, 45.0, 0.0).Quaternion(), FVector(7000.0, -3000.0, 20.0)));
	NewRoot->RegisterComponent();
	ASSERT_TRUE(Placed.Actor->SetRootComponent(NewRoot));
	ExpectCachesFollowOwners({Placed}, 45.0, 10.0);

	// Moves of the new root reach the caches; the old one is no longer the owner.
	NewRoot->SetWorldLocation(FVector(-8000.0, 1000.0, 0.0));
	ExpectCachesFollowOwners({Placed}, 45.0, 10.0);
	const FMatrix Earth = GetCachedEcefPose(Placed.Anchor);
	OldRoot->SetWorldLocation(FVector(1.0, 2.0, 3.0));
	EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Earth, 0.0));

	// A rebuild keeps the owner's Earth-fixed pose by moving the new root, and leaves the old one alone.
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.1, 10.0, 0.0));
	EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Earth, 1e-6));
	ExpectCachesFollowOwners({Placed}, 45.1, 10.0);
	EXPECT_TRUE(OldRoot->GetComponentLocation().Equals(FVector(1.0, 2.0, 3.0), 0.0));

	// An owner left without a root has not moved on the Earth: the caches keep its pose through a rebuild.
	const FMatrix Kept = GetCachedEcefPose(Placed.Anchor);
	NewRoot->DestroyComponent();
	ASSERT_EQ(Placed.Actor->GetRootComponent(), nullptr);
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.2, 10.0, 0.0));
	EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Kept, 0.0));
}
