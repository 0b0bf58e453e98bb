// UWorld: a world with its persistent level, where actors are spawned and destroyed.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"
#include "Engine/Level.h"
#include "GameFramework/Actor.h"
#include "UObject/Object.h"

class UPackage;

struct FActorSpawnParameters
{
	/** The actor's name; an empty name makes a unique one. */
	FName Name;
	/** The level to spawn into; null for the persistent level. */
	ULevel* OverrideLevel = nullptr;
	EObjectFlags ObjectFlags = RF_Transactional;
};

class UWorld : public UObject
{
	DECLARE_CLASS(UWorld, UObject, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UWorld)

public:
	UWorld(const FObjectInitializer& ObjectInitializer);

	/**
	 * Makes a world with an empty persistent level. With bAddToRoot the world survives garbage collection
	 * until DestroyWorld.
	 */
	static UWorld* CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName = NAME_None, UPackage* InWorldPackage = nullptr, bool bAddToRoot = true);

	/** Marks the world and everything in it as garbage; the next CollectGarbage destroys them. */
	void DestroyWorld(bool bInformEngineOfWorld, UWorld* NewWorld = nullptr);

	/**
	 * Spawns an actor of Class at the transform (the identity if null), in the engine's order: construction
	 * (which may create components), the root component's transform, registration of all components if
	 * there is a root component, PostActorCreated, then registration of the rest. Returns null (and logs)
	 * for a null, abstract or non-actor class.
	 */
	AActor* SpawnActor(UClass* Class, const FTransform* UserTransformPtr, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters());

	template <class T>
	T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return CastChecked<T>(SpawnActor(T::StaticClass(), nullptr, SpawnParameters), ECastCheckedType::NullAllowed);
	}

	template <class T>
	T* SpawnActor(UClass* Class, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return CastChecked<T>(SpawnActor(Class, nullptr, SpawnParameters), ECastCheckedType::NullAllowed);
	}

	template <class T>
	T* SpawnActor(UClass* Class, const FTransform& Transform, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return CastChecked<T>(SpawnActor(Class, &Transform, SpawnParameters), ECastCheckedType::NullAllowed);
	}

	/** Destroys an actor of this world (see AActor::Destroy); true once it is pending destruction. */
	bool DestroyActor(AActor* Actor, bool bNetForce = false, bool bShouldModifyLevel = true);

	virtual UWorld* GetWorld() const override { return const_cast<UWorld*>(this); }

	/** The levels that are part of the world, the persistent level first. */
	const TArray<ULevel*>& GetLevels() const { return Levels; }

	/** Adds a level to the list of the world's levels; false if it is null or already there. */
	bool AddLevel(ULevel* InLevel);

	/**
	 * Makes a loaded level part of the world, as level streaming does when the level becomes visible: the level
	 * belongs to this world from now on, and the components of its actors register, each actor's followed by its
	 * PostRegisterAllComponents. The level transform is not applied by the stand-in.
	 */
	void AddToWorld(ULevel* Level, const FTransform& LevelTransform = FTransform::Identity, bool bConsiderTimeLimit = true);

	/** True for a world where the game runs: a game, play-in-editor, game preview or remote-procedure world. */
	bool IsGameWorld() const
	{
		return WorldType == EWorldType::Game || WorldType == EWorldType::PIE || WorldType == EWorldType::GamePreview || WorldType == EWorldType::GameRPC;
	}

	ULevel* PersistentLevel = nullptr;
	TEnumAsByte<EWorldType::Type> WorldType = EWorldType::None;

private:
	TArray<ULevel*> Levels;
};
