#include "HostLevelLoading.h"

#include "Engine/Level.h"
#include "Engine/World.h"

namespace
{
	constexpr EObjectFlags LoadingFlags = RF_WasLoaded | RF_NeedLoad | RF_NeedPostLoad;

	// Set while a streamed level loads: its components register when the level is added to its world.
	bool bLoadingStreamedLevel = false;

	bool IsConstructibleChildOf(const UClass* Class, UClass* Base)
	{
		return Class != nullptr && !Class->HasAnyClassFlags(CLASS_Abstract) && Class->IsChildOf(Base);
	}
}

AActor* UE::Host::LoadActor(UWorld* World, UClass* Class, const TFunction<void(AActor&)>& ApplySavedProperties)
{
	if (World == nullptr || World->PersistentLevel == nullptr || !IsConstructibleChildOf(Class, AActor::StaticClass()))
	{
		return nullptr;
	}
	ULevel* const Level = World->PersistentLevel;
	AActor* const Actor = NewObject<AActor>(Level, Class, NAME_None, RF_Transactional | LoadingFlags);
	TArray<UActorComponent*> Components;
	Actor->GetComponents(Components);
	// The components the constructor made are saved with the actor and loaded with it.
	for (UActorComponent* const Component : Components)
	{
		Component->SetFlags(LoadingFlags);
	}
	if (ApplySavedProperties)
	{
		ApplySavedProperties(*Actor);
	}
	Level->Actors.Add(Actor);

	Actor->GetComponents(Components);
	Actor->ClearFlags(RF_NeedLoad);
	for (UActorComponent* const Component : Components)
	{
		Component->ClearFlags(RF_NeedLoad);
	}
	Actor->ConditionalPostLoad();
	for (UActorComponent* const Component : Components)
	{
		Component->ConditionalPostLoad();
	}
	if (IsValid(Actor) && !bLoadingStreamedLevel)
	{
		Actor->RegisterAllComponents();
	}
	return Actor;
}

ULevel* UE::Host::StreamInLevel(UWorld* World, const TFunction<void(UWorld& LevelPackageWorld)>& LoadActors)
{
	if (World == nullptr)
	{
		return nullptr;
	}
	UWorld* const PackageWorld = NewObject<UWorld>(World, UWorld::StaticClass(), NAME_None, RF_Transactional);
	PackageWorld->WorldType = EWorldType::Inactive;
	ULevel* const Level = NewObject<ULevel>(PackageWorld, ULevel::StaticClass(), FName(TEXT("PersistentLevel")), RF_Transactional);
	Level->OwningWorld = PackageWorld;
	PackageWorld->PersistentLevel = Level;
	PackageWorld->AddLevel(Level);
	if (LoadActors)
	{
		bLoadingStreamedLevel = true;
		LoadActors(*PackageWorld);
		bLoadingStreamedLevel = false;
	}
	World->AddToWorld(Level);
	return Level;
}

UActorComponent* UE::Host::LoadInstanceComponent(AActor& Owner, UClass* Class, const FName Name)
{
	if (!IsConstructibleChildOf(Class, UActorComponent::StaticClass()))
	{
		return nullptr;
	}
	UActorComponent* const Component = NewObject<UActorComponent>(&Owner, Class, Name, RF_Transactional | LoadingFlags);
	Owner.AddInstanceComponent(Component);
	return Component;
}
