// The anchor component: its caches against closed forms, setters and owner moves, edits made the
// editor's way, and destruction in every order.
#include "ClosedForms.h"
#include "CountingCoordinateSystem.h"
#include "DuRizerudoreAnchorComponent.h"
#include "WorldTestSupport.h"

#include "GameFramework/Actor.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <array>

using namespace DuRizerudoreTest;

namespace
{
	constexpr double OriginLatitudeDeg = 45.0;
	constexpr double OriginLongitudeDeg = 10.0;
	constexpr double OriginHeightM = 100.0;

	FCoordinateSystemSettings TangentPlaneAtOrigin()
	{
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM);
		return Settings;
	}

	FVector Row(const FMatrix& Matrix, const int32 Index)
	{
		return FVector(Matrix.M[Index][0], Matrix.M[Index][1], Matrix.M[Index][2]);
	}

	/** The caches hold one pose: orthonormal right-handed axes, and the geodetic form of the same point and axes. */
	void ExpectConsistentCaches(const UDuRizerudoreAnchorComponent* Anchor)
	{
		const FMatrix Pose = GetCachedEcefPose(Anchor);
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Row(Pose, Axis).Size(), 1.0, 1e-12);
			EXPECT_NEAR(Row(Pose, Axis) | Row(Pose, (Axis + 1) % 3), 0.0, 1e-12);
		}
		// Engine axes are left-handed: north cross east is down.
		EXPECT_TRUE((Row(Pose, 0) ^ Row(Pose, 1)).Equals(-Row(Pose, 2), 1e-12));
		const FGeodeticCoordinate Geodetic = Anchor->GetGeodeticPosition();
		EXPECT_LT((ClosedFormEcef(Geodetic.LatitudeDeg, Geodetic.LongitudeDeg, Geodetic.HeightM) - Row(Pose, 3)).Size(), 1e-6);
		const FQuat Local = Anchor->GetGeodeticRotation().Quaternion();
		EXPECT_TRUE(ClosedFormEngineAxisToEcef(Local.GetAxisX(), Geodetic.LatitudeDeg, Geodetic.LongitudeDeg).Equals(Row(Pose, 0), 1e-9));
		EXPECT_TRUE(ClosedFormEngineAxisToEcef(Local.GetAxisZ(), Geodetic.LatitudeDeg, Geodetic.LongitudeDeg).Equals(Row(Pose, 2), 1e-9));
	}
}

TEST(AnchorComponent, RegistrationReadsTheOwnerIntoAllSixCaches)
{
	FTestWorld World;
	LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
	const FQuat Rotation = FRotator(15.0, 120.0, -40.0).Quaternion();
	const FVector Translation(123456.0, -654321.0, 7890.0);
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(Rotation, Translation, FVector(2.0, 2.0, 2.0)));

	// The tangent plane at the origin in closed form: centimetres north, east and up from the origin.
	const FVector Expected = ClosedFormEcef(OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM)
		+ ClosedFormEngineAxisToEcef(Translation * 0.01, OriginLatitudeDeg, OriginLongitudeDeg);
	EXPECT_LT((Placed.Anchor->GetEcefPosition() - Expected).Size(), 1e-6);
	EXPECT_TRUE(Placed.Anchor->GetEcefXAxis().Equals(ClosedFormEngineAxisToEcef(Rotation.GetAxisX(), OriginLatitudeDeg, OriginLongitudeDeg), 1e-12));
	EXPECT_TRUE(Placed.Anchor->GetEcefYAxis().Equals(ClosedFormEngineAxisToEcef(Rotation.GetAxisY(), OriginLatitudeDeg, OriginLongitudeDeg), 1e-12));
	EXPECT_TRUE(Placed.Anchor->GetEcefZAxis().Equals(ClosedFormEngineAxisToEcef(Rotation.GetAxisZ(), OriginLatitudeDeg, OriginLongitudeDeg), 1e-12));
	ExpectConsistentCaches(Placed.Anchor);

	// Applying the pose keeps place and rotation and drops the scale.
	ASSERT_TRUE(Placed.Anchor->ApplyAnchorTransformToActor());
	const FTransform Applied = Placed.Actor->GetActorTransform();
	EXPECT_TRUE(Applied.GetScale3D().Equals(FVector(1.0, 1.0, 1.0), 0.0));
	EXPECT_TRUE(Applied.GetTranslation().Equals(Translation, 1e-6));
	EXPECT_TRUE(Applied.GetRotation().Equals(Rotation, 1e-12));
}

TEST(AnchorComponent, EachMoveRefreshesTheCachesExactlyOnce)
{
	FTestWorld World;
	// Not marked as authority, so every authority-local conversion looks the world up once.
	FCoordinateSystemSettings Settings = TangentPlaneAtOrigin();
	ACountingCoordinateSystem* const System = Cast<ACountingCoordinateSystem>(LoadCoordinateSystem(World.Get(), Settings, ACountingCoordinateSystem::StaticClass()));
	ASSERT_NE(System, nullptr);
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform::Identity);

	// Moving the owner: one conversion of its transform.
	System->WorldRequests = 0;
	Placed.Actor->SetActorLocation(FVector(5000.0, 0.0, 0.0));
	EXPECT_EQ(System->WorldRequests, 1);
	EXPECT_NEAR((Placed.Anchor->GetEcefPosition() - ClosedFormEcef(OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM)).Size(), 50.0, 1e-6);

	// A setter: the cached pose to a transform, then one refresh from where the owner landed, no echo.
	System->WorldRequests = 0;
	const FVector NonUnit(0.0, 3.0, 0.5);
	Placed.Anchor->SetEcefXAxis(NonUnit);
	EXPECT_EQ(System->WorldRequests, 2);
	EXPECT_FALSE(Placed.Anchor->GetEcefXAxis().Equals(NonUnit, 1e-3));
	ExpectConsistentCaches(Placed.Anchor);
}

TEST(AnchorComponent, GeodeticSettersAndTheirLimits)
{
	FTestWorld World;
	const FAnchoredActor Unbound = SpawnAnchoredActor(World.Get(), FTransform::Identity);

	// No coordinate system: the value is stored, nothing else moves.
	const FGeodeticCoordinate Everest(27.9881, 86.925, 8848.86);
	Unbound.Anchor->SetGeodeticPosition(Everest);
	EXPECT_EQ(Unbound.Anchor->GetGeodeticPosition().LatitudeDeg, Everest.LatitudeDeg);
	EXPECT_EQ(Unbound.Anchor->GetEcefPosition(), FVector(0.0, 0.0, 0.0));
	EXPECT_EQ(Unbound.Actor->GetActorLocation(), FVector(0.0, 0.0, 0.0));
	EXPECT_FALSE(Unbound.Anchor->ApplyAnchorTransformToActor());

	// With one: a long move keeps the ECEF axes, so the orientation against north, east and up changes.
	LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FRotator(0.0, 30.0, 0.0).Quaternion(), FVector(0.0, 0.0, 0.0)));
	const FMatrix Before = GetCachedEcefPose(Placed.Anchor);
	Placed.Anchor->SetGeodeticPosition(Everest);
	const FMatrix After = GetCachedEcefPose(Placed.Anchor);
	EXPECT_LT((Row(After, 3) - ClosedFormEcef(Everest.LatitudeDeg, Everest.LongitudeDeg, Everest.HeightM)).Size(), 1e-6);
	for (int32 Axis = 0; Axis < 3; ++Axis)
	{
		EXPECT_TRUE(Row(After, Axis).Equals(Row(Before, Axis), 1e-9));
	}
	EXPECT_FALSE(Placed.Anchor->GetGeodeticRotation().Equals(FRotator(0.0, 30.0, 0.0), 1.0));
	ExpectConsistentCaches(Placed.Anchor);

	// A geodetic rotation: yaw 90 at the point faces east, pitch 0, up stays up.
	Placed.Anchor->SetGeodeticRotation(FRotator(0.0, 90.0, 0.0));
	EXPECT_TRUE(Placed.Anchor->GetEcefXAxis().Equals(ClosedFormEast(Everest.LongitudeDeg), 1e-9));
	EXPECT_TRUE(Placed.Anchor->GetEcefZAxis().Equals(ClosedFormUp(Everest.LatitudeDeg, Everest.LongitudeDeg), 1e-9));
	EXPECT_TRUE(Placed.Anchor->GetGeodeticRotation().Equals(FRotator(0.0, 90.0, 0.0), 1e-9));

	// An owner without a root component cannot be moved, and stands at the identity.
	AActor* const Bare = World->SpawnActor<AActor>();
	UDuRizerudoreAnchorComponent* const BareAnchor = NewObject<UDuRizerudoreAnchorComponent>(Bare);
	BareAnchor->RegisterComponent();
	EXPECT_FALSE(BareAnchor->ApplyAnchorTransformToActor());
	EXPECT_TRUE(BareAnchor->UpdateAnchorTransformFromActor());
	EXPECT_LT((BareAnchor->GetEcefPosition() - ClosedFormEcef(OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM)).Size(), 1e-6);
}

TEST(AnchorComponent, DetailsPanelEditsInTheEditorsOrder)
{
	FTestWorld World;
	LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(1000.0, 2000.0, 0.0)));
	const FTransform Start = Placed.Actor->GetActorTransform();

	// An unrelated edit moves nothing.
	Placed.Anchor->PreEditChange(nullptr);
	FPropertyChangedEvent Unrelated(nullptr);
	Placed.Anchor->PostEditChangeProperty(Unrelated);
	EXPECT_TRUE(Placed.Actor->GetActorTransform().Equals(Start, 0.0));

	// One field of the geodetic position: the owner moves there, the rotation against north stays.
	EditMember(Placed.Anchor, TEXT("GeodeticPosition.LatitudeDeg"), Placed.Anchor->GetGeodeticPosition().LatitudeDeg + 0.01);
	EXPECT_TRUE(Placed.Anchor->IsRegistered());
	EXPECT_NEAR(Placed.Actor->GetActorLocation().X - Start.GetTranslation().X, 0.01 * 111132.0 * 100.0, 2000.0);
	ExpectConsistentCaches(Placed.Anchor);

	// The geodetic rotation: the ECEF axes follow and the owner turns.
	EditMember(Placed.Anchor, TEXT("GeodeticRotation"), FRotator(0.0, 45.0, 0.0));
	const FGeodeticCoordinate Point = Placed.Anchor->GetGeodeticPosition();
	const FVector NorthEast = (ClosedFormNorth(Point.LatitudeDeg, Point.LongitudeDeg) + ClosedFormEast(Point.LongitudeDeg)).GetSafeNormal();
	EXPECT_TRUE(Placed.Anchor->GetEcefXAxis().Equals(NorthEast, 1e-9));
	EXPECT_NEAR(Placed.Actor->GetActorRotation().Yaw, 45.0, 0.1);
}

TEST(AnchorComponent, DestructionInEveryOrderLeavesNoHandlerBehind)
{
	using FOrder = std::array<int32, 3>;
	const FOrder Orders[] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
	for (const FOrder& Order : Orders)
	{
		FTestWorld World;
		const TWeakObjectPtr<ADuRizerudoreSystem> System = LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(10.0, 20.0, 30.0)));
		const TWeakObjectPtr<AActor> Actor = Placed.Actor;
		const TWeakObjectPtr<UDuRizerudoreAnchorComponent> Anchor = Placed.Anchor;
		for (const int32 Step : Order)
		{
			if (Step == 0 && Actor.IsValid())
			{
				Actor->Destroy();
			}
			else if (Step == 1 && Anchor.IsValid())
			{
				Anchor->DestroyComponent();
			}
			else if (Step == 2 && System.IsValid())
			{
				System->Destroy();
			}
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
			// Whatever is left still works without reaching what is gone (AddressSanitizer watches).
			if (System.IsValid())
			{
				EditMember(System.Get(), TEXT("Setup"), MakeModelFreeSetup());
			}
			if (Actor.IsValid())
			{
				Actor->SetActorLocation(FVector(1.0, 2.0, 3.0));
			}
		}
	}
}
