#include "HostLevelLoading.h"

#include "Engine/Level.h"
#include "Engine/World.h"

namespace
{
	constexpr EObjectFlags LoadingFlags = RF_WasLoaded | RF_NeedLoad | RF_NeedPostLoad;

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
	if (IsValid(Actor))
	{
		Actor->RegisterAllComponents();
	}
	return Actor;
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
