// Details-panel edits of an anchor in the editor's order (PreEditChange, unregister, the write,
// PostEditChangeProperty, register again): when an edit may look the world up for its coordinate system,
// and when it must not.
#include "DuRizerudoreAnchorComponent.h"
#include "WorldTestSupport.h"

#include "GameFramework/Actor.h"
#include "HostPropertyAccess.h"
#include "Logging/HostLogCapture.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

using namespace DuRizerudoreTest;

namespace
{
	constexpr const TCHAR* NotFound = TEXT("DuRizerudoreSystem actor not found");
	constexpr const TCHAR* NoWorld = TEXT("No world was found for object");

	FCoordinateSystemSettings TangentPlaneAt(const double LatitudeDeg, const double LongitudeDeg)
	{
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, LatitudeDeg, LongitudeDeg, 0.0);
		return Settings;
	}
}

TEST(AnchorEdit, AnEditLooksNothingUpForAComponentThatWasNotBound)
{
	// An empty world: the edit is stored and logs nothing; registration logged the empty world once already.
	{
		FTestWorld World;
		FHostLogCapture Log;
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(100.0, 200.0, 0.0)));
		Log.Clear();
		EditMember(Placed.Anchor, TEXT("GeodeticRotation"), FRotator(0.0, 45.0, 0.0));
		EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), NotFound), 0);
		EXPECT_TRUE(Placed.Anchor->IsRegistered());
		EXPECT_EQ(Placed.Anchor->GetGeodeticRotation(), FRotator(0.0, 45.0, 0.0));
		EXPECT_TRUE(Placed.Actor->GetActorTransform().Equals(FTransform(FVector(100.0, 200.0, 0.0)), 0.0));
	}

	// Templates have no world: neither the class defaults nor an archetype looks for one.
	{
		FHostLogCapture Log;
		UDuRizerudoreAnchorComponent* const Archetype = NewObject<UDuRizerudoreAnchorComponent>(GetTransientPackage(), NAME_None, RF_ArchetypeObject);
		EditMember(Archetype, TEXT("GeodeticPosition.LatitudeDeg"), 12.0);
		UDuRizerudoreAnchorComponent* const Defaults = GetMutableDefault<UDuRizerudoreAnchorComponent>();
		const FVector SavedPosition = Defaults->GetEcefPosition();
		EditMember(Defaults, TEXT("EcefPosition"), FVector(1.0, 2.0, 3.0));
		EditMember(Defaults, TEXT("EcefPosition"), SavedPosition);
		EXPECT_EQ(Log.Count(TEXT("LogScript"), NoWorld), 0);
		EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), NotFound), 0);
		EXPECT_EQ(Archetype->GetGeodeticPosition().LatitudeDeg, 12.0);
	}
}

TEST(AnchorEdit, AnAnchorUnregisteredOnPurposeIsNotRevivedByAnEdit)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
	const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(100.0, 200.0, 0.0)));
	Placed.Anchor->UnregisterComponent();

	// The edit is stored; the owner does not move and the component stays unregistered.
	EditMember(Placed.Anchor, TEXT("GeodeticPosition.LatitudeDeg"), 45.5);
	EXPECT_FALSE(Placed.Anchor->IsRegistered());
	EXPECT_TRUE(Placed.Actor->GetActorLocation().Equals(FVector(100.0, 200.0, 0.0), 0.0));

	// Later the owner moves on its own, and neither a rebuild nor a new coordinate system pulls it back.
	Placed.Actor->SetActorLocation(FVector(-500.0, 900.0, 10.0));
	EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 46.0, 10.0, 0.0));
	EXPECT_TRUE(Placed.Actor->GetActorLocation().Equals(FVector(-500.0, 900.0, 10.0), 0.0));
	EXPECT_FALSE(Placed.Anchor->ApplyAnchorTransformToActor());
}

TEST(AnchorEdit, AnOwnerIsNeverThrownToTheEarthsCentreByAnEdit)
{
	// Registered before its world had a coordinate system: the caches held the defaults (the Earth's centre).
	{
		FTestWorld World;
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(100.0, 200.0, 0.0)));
		LoadCoordinateSystem(World.Get(), TangentPlaneAt(45.0, 10.0));
		EditMember(Placed.Anchor, TEXT("GeodeticRotation"), FRotator(0.0, 45.0, 0.0));
		EXPECT_TRUE(Placed.Actor->GetActorLocation().Equals(FVector(100.0, 200.0, 0.0), 1e-6));
		EXPECT_NEAR(Placed.Actor->GetActorRotation().Yaw, 45.0, 1e-3);
	}

	// Bound to a coordinate system whose frame failed, which recovers while the edit is under way: the anchor
	// is bound again during the edit and reads its owner before the edited rotation is applied.
	{
		FTestWorld World;
		FCoordinateSystemSettings Failing = TangentPlaneAt(45.0, 10.0);
		Failing.Setup.DatumModel = static_cast<EEarthDatumModel>(7);
		ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Failing);
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform(FVector(100.0, 200.0, 0.0)));

		UE::Host::FPropertyValueRef Ref;
		ASSERT_TRUE(UE::Host::FindPropertyValueRef(Placed.Anchor, TEXT("GeodeticRotation"), Ref));
		Placed.Anchor->PreEditChange(Ref.MemberProperty);
		EditMember(System, TEXT("Setup"), MakeModelFreeSetup());
		*static_cast<FRotator*>(Ref.Value) = FRotator(0.0, 45.0, 0.0);
		FPropertyChangedEvent Event(Ref.Property, EPropertyChangeType::ValueSet);
		Event.SetActiveMemberProperty(Ref.MemberProperty);
		Placed.Anchor->PostEditChangeProperty(Event);

		EXPECT_TRUE(Placed.Anchor->IsRegistered());
		EXPECT_TRUE(Placed.Actor->GetActorLocation().Equals(FVector(100.0, 200.0, 0.0), 1e-6));
		EXPECT_NEAR(Placed.Actor->GetActorRotation().Yaw, 45.0, 1e-3);
		EXPECT_TRUE(Placed.Anchor->GetGeodeticRotation().Equals(FRotator(0.0, 45.0, 0.0), 1e-9));
	}
}
