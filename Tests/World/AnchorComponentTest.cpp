// The anchor component: its caches against closed forms, setters and owner moves, edits made the
// editor's way, and destruction in every order.
#include "ClosedForms.h"
#include "CountingCoordinateSystem.h"
#include "DuRizerudoreAnchorComponent.h"
#include "WorldTestSupport.h"

#include "GameFramework/Actor.h"
#include "Logging/HostLogCapture.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

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
	ExpectConsistentCaches(Placed.Anchor);

	// After a setter the owner's own moves reach the caches again: the guard is down.
	System->WorldRequests = 0;
	Placed.Actor->SetActorLocation(FVector(-7000.0, 2000.0, 300.0));
	EXPECT_EQ(System->WorldRequests, 1);
	EXPECT_LT((Placed.Anchor->GetEcefPosition()
				  - (ClosedFormEcef(OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM)
					  + ClosedFormEngineAxisToEcef(FVector(-70.0, 20.0, 3.0), OriginLatitudeDeg, OriginLongitudeDeg)))
				  .Size(),
		1e-6);

	// A rebuild applies the pose through each handler once, also after the editor unregistered and registered
	// the anchor again for a few edits: no handler is left behind or doubled.
	System->WorldRequests = 0;
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM + 1.0));
	const int32 RequestsOfOneRebuild = System->WorldRequests;
	for (int32 Edit = 0; Edit < 3; ++Edit)
	{
		EditMember(Placed.Anchor, TEXT("GeodeticRotation"), FRotator(0.0, 10.0 * Edit, 0.0));
	}
	System->WorldRequests = 0;
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM));
	EXPECT_EQ(System->WorldRequests, RequestsOfOneRebuild);
}

TEST(AnchorComponent, SettingOneEcefAxisKeepsItAndTurnsTheOthersLeast)
{
	FTestWorld World;
	LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
	const FVector North = ClosedFormNorth(OriginLatitudeDeg, OriginLongitudeDeg);
	const FVector East = ClosedFormEast(OriginLongitudeDeg);
	const FVector Up = ClosedFormUp(OriginLatitudeDeg, OriginLongitudeDeg);
	// Tilting one axis by 0.05 towards another turns by atan(0.05) about the third, and about nothing else.
	const double Tilt = std::atan(0.05) * 180.0 / M_PI;
	// Tilted out of every axis plane, X keeps Y in the plane of the old Y and the new X (Gram-Schmidt), and Z
	// completes the engine's axes: in north, east, up components Z = X ^ Y.
	const FRotator KeptY = []
	{
		const FVector X = FVector(1.0, 0.05, 0.05).GetSafeNormal();
		const FVector Y = (FVector(0.0, 1.0, 0.0) - X * X.Y).GetSafeNormal();
		return FQuat(FMatrix(X, Y, X ^ Y, FVector(0.0, 0.0, 0.0))).Rotator();
	}();
	struct FCase
	{
		const char* Name;
		int32 Axis;
		FVector Direction;
		FRotator Expected;
	};
	const FCase Cases[] = {
		{"X tilted up", 0, North + Up * 0.05, FRotator(Tilt, 0.0, 0.0)},
		{"X longer and tilted east", 0, (North + East * 0.05) * 3.0, FRotator(0.0, Tilt, 0.0)},
		{"Y tilted north", 1, East + North * 0.05, FRotator(0.0, -Tilt, 0.0)},
		{"Z tilted east", 2, Up + East * 0.05, FRotator(0.0, 0.0, Tilt)},
		{"X along the old Y", 0, East, FRotator(0.0, 90.0, 0.0)},
		{"X tilted up and east", 0, North + Up * 0.05 + East * 0.05, KeptY},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(10.0, 20.0, 0.0)));
		if (Case.Axis == 0)
		{
			Placed.Anchor->SetEcefXAxis(Case.Direction);
		}
		else if (Case.Axis == 1)
		{
			Placed.Anchor->SetEcefYAxis(Case.Direction);
		}
		else
		{
			Placed.Anchor->SetEcefZAxis(Case.Direction);
		}
		const FVector SetAxis = Case.Axis == 0 ? Placed.Anchor->GetEcefXAxis() : (Case.Axis == 1 ? Placed.Anchor->GetEcefYAxis() : Placed.Anchor->GetEcefZAxis());
		EXPECT_TRUE(SetAxis.Equals(Case.Direction.GetSafeNormal(), 1e-12));
		ExpectConsistentCaches(Placed.Anchor);
		// A few centimetres from the origin true north turns from the origin's by about 2e-6 degrees.
		EXPECT_TRUE(Placed.Anchor->GetGeodeticRotation().Equals(Case.Expected, 1e-5)) << Placed.Anchor->GetGeodeticRotation().Pitch << " " << Placed.Anchor->GetGeodeticRotation().Yaw << " " << Placed.Anchor->GetGeodeticRotation().Roll;
		EXPECT_TRUE(Placed.Actor->GetActorRotation().Equals(Case.Expected, 1e-3)) << Placed.Actor->GetActorRotation().Pitch << " " << Placed.Actor->GetActorRotation().Yaw << " " << Placed.Actor->GetActorRotation().Roll;
	}

	// A zero or non-finite direction changes nothing.
	FHostLogCapture Log;
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FRotator(0.0, 30.0, 0.0).Quaternion(), FVector(10.0, 20.0, 0.0)));
	const FMatrix Before = GetCachedEcefPose(Placed.Anchor);
	const FGeodeticCoordinate GeodeticBefore = Placed.Anchor->GetGeodeticPosition();
	const FRotator RotationBefore = Placed.Anchor->GetGeodeticRotation();
	const FTransform OwnerBefore = Placed.Actor->GetActorTransform();
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	Placed.Anchor->SetEcefXAxis(FVector(0.0, 0.0, 0.0));
	Placed.Anchor->SetEcefYAxis(FVector(NaN, 0.0, 1.0));
	Placed.Anchor->SetEcefZAxis(FVector(std::numeric_limits<double>::infinity(), 0.0, 0.0));
	Placed.Anchor->SetEcefPosition(FVector(NaN, 0.0, 0.0));
	Placed.Anchor->SetGeodeticPosition(FGeodeticCoordinate(NaN, 0.0, 0.0));
	Placed.Anchor->SetGeodeticRotation(FRotator(NaN, 0.0, 0.0));
	// A matrix comparison within a tolerance takes NaN for equal: the caches are also tested for NaN, and the
	// geodetic ones compared exactly.
	EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Before, 0.0));
	EXPECT_FALSE(GetCachedEcefPose(Placed.Anchor).ContainsNaN());
	EXPECT_TRUE(Placed.Anchor->GetGeodeticPosition().ToVector() == GeodeticBefore.ToVector());
	EXPECT_TRUE(Placed.Anchor->GetGeodeticRotation() == RotationBefore);
	EXPECT_TRUE(Placed.Actor->GetActorTransform().Equals(OwnerBefore, 0.0));
	EXPECT_EQ(Log.CountEnsures(), 0);
}

TEST(AnchorComponent, EarthFixedCachesSurviveAFailedRebuild)
{
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	struct FImpossibleOrigin
	{
		const char* Name;
		FCoordinateReferenceSetup Setup;
	};
	const FImpossibleOrigin Origins[] = {
		{"UTM origin beyond the pole", MakeReferenceSetup(ECoordinateLocalFrameType::UTM, 95.0, 10.0, 0.0)},
		{"UTM origin at NaN", MakeReferenceSetup(ECoordinateLocalFrameType::UTM, NaN, 10.0, 0.0)},
		{"tangent plane at latitude 95", MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 95.0, 10.0, 0.0)},
		{"tangent plane at NaN latitude", MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, NaN, 10.0, 0.0)},
		{"tangent plane at an infinite longitude", MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.0, INFINITY, 0.0)},
		{"tangent plane 1e30 m high", MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.0, 10.0, 1e30)},
	};
	for (const FImpossibleOrigin& Origin : Origins)
	{
		SCOPED_TRACE(Origin.Name);
		FTestWorld World;
		FHostLogCapture Log;
		ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FRotator(5.0, 30.0, 0.0).Quaternion(), FVector(12345.0, -6789.0, 100.0)));
		const FMatrix Earth = GetCachedEcefPose(Placed.Anchor);
		const FTransform OwnerBefore = Placed.Actor->GetActorTransform();

		EditMember(System, TEXT("ReferenceSetup"), Origin.Setup);
		EXPECT_FALSE(System->GetReferenceFramePtr().IsValid());
		EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreConversion"), TEXT("Cannot build a local frame at the origin")), 1);
		// The owner stays where it was, and the caches keep the Earth-fixed pose.
		EXPECT_TRUE(Placed.Actor->GetActorTransform().Equals(OwnerBefore, 0.0));
		EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Earth, 0.0));
		// Moving the owner meanwhile changes nothing that belongs to the Earth.
		Placed.Actor->SetActorLocation(FVector(1.0, 2.0, 3.0));
		EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Earth, 0.0));
		EXPECT_FALSE(Placed.Actor->GetActorTransform().ContainsNaN());
		EXPECT_FALSE(GetCachedEcefPose(Placed.Anchor).ContainsNaN());
		EXPECT_EQ(Log.CountEnsures(), 0);

		// The good frame comes back, and with it the owner at its Earth-fixed pose.
		EditMember(System, TEXT("ReferenceSetup"), TangentPlaneAtOrigin().ReferenceSetup);
		EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Earth, 1e-6));
		EXPECT_TRUE(Placed.Actor->GetActorTransform().Equals(OwnerBefore, 1e-6));
	}
}

TEST(AnchorComponent, AnOwnerThatCannotMoveIsNeverReadBackAndIsPosedOnceItCan)
{
	FTestWorld World;
	FHostLogCapture Log;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
	const FTransform Placed(FRotator(5.0, 30.0, 0.0).Quaternion(), FVector(12345.0, -6789.0, 100.0));
	const FAnchoredActor Anchored = SpawnAnchoredActor(World.Get(), Placed);
	USceneComponent* const Root = Anchored.Actor->GetRootComponent();
	Root->SetMobility(EComponentMobility::Static);
	const FMatrix Earth = GetCachedEcefPose(Anchored.Anchor);

	// A rebuild 50 m higher cannot move the owner: it stays, and the caches keep the Earth-fixed pose exactly.
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM + 50.0));
	EXPECT_TRUE(Anchored.Actor->GetActorTransform().Equals(Placed, 0.0));
	EXPECT_TRUE(GetCachedEcefPose(Anchored.Anchor).Equals(Earth, 0.0));
	EXPECT_FALSE(Anchored.Anchor->ApplyAnchorTransformToActor());
	EXPECT_TRUE(GetCachedEcefPose(Anchored.Anchor).Equals(Earth, 0.0));
	EXPECT_EQ(Log.Count(TEXT("LogSceneComponent"), TEXT("has to be 'Movable'")), 2);

	// A setter keeps what was asked for, in both forms, while the owner stays.
	FGeodeticCoordinate Asked = Anchored.Anchor->GetGeodeticPosition();
	Asked.HeightM += 10.0;
	Anchored.Anchor->SetGeodeticPosition(Asked);
	EXPECT_TRUE(Anchored.Actor->GetActorTransform().Equals(Placed, 0.0));
	EXPECT_NEAR(Anchored.Anchor->GetGeodeticPosition().HeightM, Asked.HeightM, 1e-6);
	EXPECT_LT((Anchored.Anchor->GetEcefPosition() - ClosedFormEcef(Asked.LatitudeDeg, Asked.LongitudeDeg, Asked.HeightM)).Size(), 1e-6);
	ExpectConsistentCaches(Anchored.Anchor);
	const FMatrix Kept = GetCachedEcefPose(Anchored.Anchor);

	// Movable again: the next rebuild poses the owner at the kept pose, 40 m below its first place in this frame.
	Root->SetMobility(EComponentMobility::Movable);
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, OriginLatitudeDeg, OriginLongitudeDeg, OriginHeightM + 50.0));
	EXPECT_TRUE(GetCachedEcefPose(Anchored.Anchor).Equals(Kept, 1e-6));
	// (The 10 m go along the normal at the actor, 2e-5 rad from the origin's: 0.2 mm sideways.)
	EXPECT_LT((Anchored.Actor->GetActorLocation() - (Placed.GetTranslation() - FVector(0.0, 0.0, 4000.0))).Size(), 0.05);
	EXPECT_TRUE(Anchored.Actor->GetActorQuat().Equals(Placed.GetRotation(), 1e-6));
	EXPECT_EQ(Log.CountEnsures(), 0);
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

	// A latitude beyond a pole names no point: the owner and both caches keep the pose they had.
	const FMatrix Kept = GetCachedEcefPose(Placed.Anchor);
	const FGeodeticCoordinate KeptPoint = Placed.Anchor->GetGeodeticPosition();
	const double UnboundLatitude = Unbound.Anchor->GetGeodeticPosition().LatitudeDeg;
	for (const double BeyondPole : {95.0, -90.5})
	{
		Placed.Anchor->SetGeodeticPosition(FGeodeticCoordinate(BeyondPole, Everest.LongitudeDeg, Everest.HeightM));
		Unbound.Anchor->SetGeodeticPosition(FGeodeticCoordinate(BeyondPole, 0.0, 0.0));
		EXPECT_TRUE(GetCachedEcefPose(Placed.Anchor).Equals(Kept, 0.0));
		EXPECT_EQ(Placed.Anchor->GetGeodeticPosition().LatitudeDeg, KeptPoint.LatitudeDeg);
		EXPECT_EQ(Unbound.Anchor->GetGeodeticPosition().LatitudeDeg, UnboundLatitude);
	}

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
		SCOPED_TRACE(testing::Message() << Order[0] << Order[1] << Order[2]);
		FTestWorld World;
		const TWeakObjectPtr<ADuRizerudoreSystem> System = LoadCoordinateSystem(World.Get(), TangentPlaneAtOrigin());
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(10.0, 20.0, 30.0)));
		const TWeakObjectPtr<AActor> Actor = Placed.Actor;
		const TWeakObjectPtr<UDuRizerudoreAnchorComponent> Anchor = Placed.Anchor;
		// Compared, never followed: whether an event still holds a handler of the anchor.
		const void* const AnchorAddress = Placed.Anchor;
		USceneComponent* const Root = Placed.Actor->GetRootComponent();
		FVector OwnerLocation(10.0, 20.0, 30.0);
		for (const int32 Step : Order)
		{
			const bool bAnchorWasAlive = Anchor.IsValid();
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
			// A destroyed anchor (or one whose owner was destroyed) holds no handler anywhere any more.
			const bool bAnchorRegistered = Anchor.IsValid() && Anchor->IsRegistered();
			if (bAnchorWasAlive && !bAnchorRegistered)
			{
				EXPECT_FALSE(ADuRizerudoreSystem::GetOnCoordinateSystemReady().IsBoundToObject(AnchorAddress));
				if (System.IsValid())
				{
					EXPECT_FALSE(System->GetOnReferenceChanged().IsBoundToObject(AnchorAddress));
				}
				if (Actor.IsValid())
				{
					EXPECT_FALSE(Root->TransformUpdated.IsBoundToObject(AnchorAddress));
				}
			}
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);

			// What is left still works: a rebuild keeps the owner where it stands, on the Earth and in the world.
			if (System.IsValid())
			{
				EditMember(System.Get(), TEXT("Setup"), MakeModelFreeSetup());
			}
			if (Actor.IsValid())
			{
				EXPECT_TRUE(Actor->GetActorLocation().Equals(OwnerLocation, 1e-6));
				const FMatrix Before = Anchor.IsValid() ? GetCachedEcefPose(Anchor.Get()) : FMatrix::Identity;
				OwnerLocation = FVector(1.0, 2.0, 3.0) * (Step + 2.0);
				Actor->SetActorLocation(OwnerLocation);
				// A registered anchor with a coordinate system follows the move; without one its caches stay.
				if (Anchor.IsValid() && Anchor->IsRegistered())
				{
					EXPECT_EQ(GetCachedEcefPose(Anchor.Get()).Equals(Before, 1e-9), !System.IsValid());
				}
			}
		}
	}
}

