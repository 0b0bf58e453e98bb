// Host-only: loading actors the way a level load does, for tests. A loaded actor is constructed with
// RF_WasLoaded, receives its saved property values, then PostLoad, then its components register; it is
// never told PostActorCreated.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "GameFramework/Actor.h"
#include "HostPropertyAccess.h"

class ULevel;
class UWorld;

namespace UE::Host
{
	/**
	 * Loads an actor of Class into the world's persistent level. ApplySavedProperties (may be null) sets the
	 * saved values, typically through UE::Host::SetPropertyValue, and may add saved instance components with
	 * LoadInstanceComponent. Then the actor and every component it owns get PostLoad (the actor first),
	 * and the components register. Returns null, making nothing, for a null world, or a class that is
	 * null, abstract or not an actor class.
	 */
	AActor* LoadActor(UWorld* World, UClass* Class, const TFunction<void(AActor&)>& ApplySavedProperties = nullptr);

	template <class T>
	T* LoadActor(UWorld* World, const TFunction<void(T&)>& ApplySavedProperties = nullptr)
	{
		return static_cast<T*>(LoadActor(World, T::StaticClass(), [&ApplySavedProperties](AActor& Actor)
		{
			if (ApplySavedProperties)
			{
				ApplySavedProperties(static_cast<T&>(Actor));
			}
		}));
	}

	/**
	 * Streams a level into World as level streaming does. The level is first loaded in a package of its own:
	 * LoadActors loads its actors with LoadActor on the package's world (of which the level is the persistent
	 * level), so that they get their saved values and PostLoad while the level is not part of World, and their
	 * components do not register yet. Then UWorld::AddToWorld makes the level part of World, which registers them.
	 * The level and the package's world belong to World and go with it. Returns the level, or null for a null world.
	 */
	ULevel* StreamInLevel(UWorld* World, const TFunction<void(UWorld& LevelPackageWorld)>& LoadActors);

	/**
	 * Inside ApplySavedProperties: a component that was added to the placed actor and saved with it, made
	 * as loaded (RF_WasLoaded). Its saved values are the caller's to set; it gets PostLoad and registers
	 * with the actor. Returns null for a class that is null, abstract or not a component class.
	 */
	UActorComponent* LoadInstanceComponent(AActor& Owner, UClass* Class, FName Name = NAME_None);

	template <class T>
	T* LoadInstanceComponent(AActor& Owner, FName Name = NAME_None)
	{
		return static_cast<T*>(LoadInstanceComponent(Owner, T::StaticClass(), Name));
	}
}
