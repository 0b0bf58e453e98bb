// Worlds for the tests of the coordinate-system actor and the anchor component: a world per test,
// coordinate-system actors placed as a level load places them, and edits made the editor's way.
#pragma once

#include <gtest/gtest.h>

#include "DuRizerudoreSystem.h"

#include "Engine/World.h"
#include "HostPropertyAccess.h"

namespace DuRizerudoreTest
{
	/** A game world, destroyed with everything in it (and garbage collected) when the object goes. */
	class FTestWorld
	{
	public:
		FTestWorld();
		~FTestWorld();
		FTestWorld(const FTestWorld&) = delete;
		FTestWorld& operator=(const FTestWorld&) = delete;

		UWorld* operator->() const { return World; }
		UWorld* Get() const { return World; }

	private:
		UWorld* World = nullptr;
	};

	/** Model selection without model files: rebuilds are quick and need no installed data. */
	FCoordinateConversionSetup MakeModelFreeSetup();

	/** What a level saves of a coordinate-system actor. */
	struct FCoordinateSystemSettings
	{
		bool bAuthority = false;
		FCoordinateConversionSetup Setup = MakeModelFreeSetup();
		bool LocalReferenceFrame = true;
		FCoordinateReferenceSetup ReferenceSetup;
	};

	/** A tangent-plane or UTM reference setup at an ellipsoidal origin. */
	FCoordinateReferenceSetup MakeReferenceSetup(ECoordinateLocalFrameType Type, double LatitudeDeg, double LongitudeDeg, double HeightM);

	/** Places a coordinate-system actor as a level load does: constructed with its saved settings, then PostLoad. */
	ADuRizerudoreSystem* LoadCoordinateSystem(UWorld* World, const FCoordinateSystemSettings& Settings, UClass* Class = ADuRizerudoreSystem::StaticClass());

	/** Edits a reflected value ("Member" or "Member.Field") the way the details panel does; the edit must apply. */
	template <typename ValueType>
	void EditMember(UObject* Object, const TCHAR* PropertyPath, const ValueType& NewValue)
	{
		EXPECT_TRUE(UE::Host::EditProperty(Object, PropertyPath, NewValue)) << "no editable value at that path";
	}
}

class UDuRizerudoreAnchorComponent;

namespace DuRizerudoreTest
{
	/** An actor placed with a scene root at a transform and carrying an anchor, registered as the editor registers them. */
	struct FAnchoredActor
	{
		AActor* Actor = nullptr;
		UDuRizerudoreAnchorComponent* Anchor = nullptr;
	};

	/** Spawns the actor with its scene root at the transform, then adds and registers the anchor. */
	FAnchoredActor SpawnAnchoredActor(UWorld* World, const FTransform& Transform);

	/** The ECEF pose the anchor caches: axes as rows 0 to 2, position as row 3. */
	FMatrix GetCachedEcefPose(const UDuRizerudoreAnchorComponent* Anchor);
}
