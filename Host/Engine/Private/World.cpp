#include "Engine/World.h"

#include "Logging/LogMacros.h"
#include "UObject/Package.h"
#include "UObject/UObjectArray.h"

DEFINE_LOG_CATEGORY_STATIC(LogSpawn, Warning, All);

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UWorld)

UWorld::UWorld(const FObjectInitializer& ObjectInitializer)
	: UObject(ObjectInitializer)
{
}

UWorld* UWorld::CreateWorld(const EWorldType::Type InWorldType, const bool bInformEngineOfWorld, const FName WorldName, UPackage* InWorldPackage, const bool bAddToRoot)
{
	UObject* const Outer = InWorldPackage != nullptr ? static_cast<UObject*>(InWorldPackage) : static_cast<UObject*>(GetTransientPackage());
	UWorld* const World = NewObject<UWorld>(Outer, UWorld::StaticClass(), WorldName, RF_Transactional);
	World->WorldType = InWorldType;
	World->PersistentLevel = NewObject<ULevel>(World, ULevel::StaticClass(), FName(TEXT("PersistentLevel")), RF_Transactional);
	World->PersistentLevel->OwningWorld = World;
	World->AddLevel(World->PersistentLevel);
	if (bAddToRoot)
	{
		World->AddToRoot();
	}
	return World;
}

void UWorld::DestroyWorld(const bool bInformEngineOfWorld, UWorld* NewWorld)
{
	RemoveFromRoot();
	for (int32 Index = 0; Index < GUObjectArray.GetObjectArrayNum(); ++Index)
	{
		UObject* const Object = static_cast<UObject*>(GUObjectArray.IndexToObject(Index)->Object);
		if (Object != nullptr && Object->IsIn(this) && !Object->IsRooted())
		{
			Object->MarkAsGarbage();
		}
	}
	MarkAsGarbage();
}

bool UWorld::AddLevel(ULevel* InLevel)
{
	if (InLevel == nullptr || Levels.Contains(InLevel))
	{
		return false;
	}
	Levels.Add(InLevel);
	return true;
}

void UWorld::AddToWorld(ULevel* Level, const FTransform& LevelTransform, const bool bConsiderTimeLimit)
{
	if (Level == nullptr || !AddLevel(Level))
	{
		return;
	}
	Level->OwningWorld = this;
	// A copy: registering may spawn or destroy actors.
	const TArray<AActor*> Actors = Level->Actors;
	for (AActor* const Actor : Actors)
	{
		if (IsValid(Actor))
		{
			Actor->RegisterAllComponents();
		}
	}
}

AActor* UWorld::SpawnActor(UClass* Class, const FTransform* UserTransformPtr, const FActorSpawnParameters& SpawnParameters)
{
	if (Class == nullptr)
	{
		UE_LOG(LogSpawn, Warning, TEXT("SpawnActor failed because no class was specified"));
		return nullptr;
	}
	if (Class->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogSpawn, Warning, TEXT("SpawnActor failed because class %s is abstract"), *Class->GetName());
		return nullptr;
	}
	if (!Class->IsChildOf(AActor::StaticClass()))
	{
		UE_LOG(LogSpawn, Warning, TEXT("SpawnActor failed because %s is not an actor class"), *Class->GetName());
		return nullptr;
	}
	ULevel* const Level = SpawnParameters.OverrideLevel != nullptr ? SpawnParameters.OverrideLevel : PersistentLevel;
	AActor* const Actor = NewObject<AActor>(Level, Class, SpawnParameters.Name, SpawnParameters.ObjectFlags);
	Level->Actors.Add(Actor);

	// As the engine does: a native root component means the components are complete, so they register
	// before PostActorCreated; an actor without one registers its components after it.
	USceneComponent* const Root = Actor->GetRootComponent();
	if (Root != nullptr)
	{
		if (UserTransformPtr != nullptr)
		{
			Root->SetWorldTransform(*UserTransformPtr);
		}
		Actor->RegisterAllComponents();
	}
	if (!IsValid(Actor))
	{
		return nullptr;
	}
	Actor->PostActorCreated();
	if (IsValid(Actor))
	{
		Actor->RegisterAllComponents();
	}
	return IsValid(Actor) ? Actor : nullptr;
}

bool UWorld::DestroyActor(AActor* Actor, const bool bNetForce, const bool bShouldModifyLevel)
{
	check(Actor != nullptr);
	if (Actor->IsPendingKillPending())
	{
		return true;
	}
	Actor->bActorIsBeingDestroyed = true;
	Actor->Destroyed();
	if (ULevel* const Level = Actor->GetLevel())
	{
		Level->Actors.Remove(Actor);
	}
	Actor->UnregisterAllComponents();
	Actor->MarkAsGarbage();
	Actor->MarkComponentsAsGarbage();
	return true;
}
