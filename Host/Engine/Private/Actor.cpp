#include "GameFramework/Actor.h"

#include "Engine/Level.h"
#include "Engine/World.h"
#include "Logging/LogMacros.h"

DEFINE_LOG_CATEGORY_STATIC(LogActor, Log, All);

AActor::AActor()
	: AActor(FObjectInitializer::Get())
{
}

AActor::AActor(const FObjectInitializer& ObjectInitializer)
	: UObject(ObjectInitializer)
{
	PrimaryActorTick.bCanEverTick = false;
	PrimaryActorTick.bStartWithTickEnabled = true;
}

bool AActor::SetRootComponent(USceneComponent* NewRootComponent)
{
	if (NewRootComponent != nullptr && NewRootComponent->GetOwner() != this)
	{
		return false;
	}
	if (RootComponent != NewRootComponent)
	{
		USceneComponent* const OldRootComponent = RootComponent;
		RootComponent = NewRootComponent;
		// The new root first, as the engine does: it probably knows nothing of the old one.
		if (RootComponent != nullptr)
		{
			RootComponent->NotifyIsRootComponentChanged(true);
		}
		if (OldRootComponent != nullptr)
		{
			OldRootComponent->NotifyIsRootComponentChanged(false);
		}
	}
	return true;
}

const FTransform& AActor::GetActorTransform() const
{
	return RootComponent != nullptr ? RootComponent->GetComponentTransform() : FTransform::Identity;
}

bool AActor::SetActorTransform(const FTransform& NewTransform, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	if (OutSweepHitResult != nullptr)
	{
		OutSweepHitResult->Reset();
	}
	if (RootComponent == nullptr)
	{
		return false;
	}
	if (ensureMsgf(!NewTransform.ContainsNaN(), TEXT("SetActorTransform: Get NAN Transform data for %s"), *GetNameSafe(this)))
	{
		return RootComponent->InternalSetWorldTransform(NewTransform, bSweep, OutSweepHitResult, Teleport);
	}
	return true;
}

bool AActor::SetActorLocation(const FVector& NewLocation, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	if (RootComponent == nullptr)
	{
		if (OutSweepHitResult != nullptr)
		{
			OutSweepHitResult->Reset();
		}
		return false;
	}
	const FTransform& Current = RootComponent->GetComponentTransform();
	return RootComponent->InternalSetWorldTransform(FTransform(Current.GetRotation(), NewLocation, Current.GetScale3D()), bSweep, OutSweepHitResult, Teleport);
}

bool AActor::SetActorRotation(const FRotator NewRotation, const ETeleportType Teleport)
{
	return SetActorRotation(NewRotation.Quaternion(), Teleport);
}

bool AActor::SetActorRotation(const FQuat& NewRotation, const ETeleportType Teleport)
{
	if (RootComponent == nullptr)
	{
		return false;
	}
	const FTransform& Current = RootComponent->GetComponentTransform();
	return RootComponent->InternalSetWorldTransform(FTransform(NewRotation, Current.GetLocation(), Current.GetScale3D()), false, nullptr, Teleport);
}

bool AActor::Destroy(const bool bNetForce, const bool bShouldModifyLevel)
{
	if (!IsPendingKillPending())
	{
		if (UWorld* const World = GetWorld())
		{
			World->DestroyActor(this, bNetForce, bShouldModifyLevel);
		}
		else
		{
			UE_LOG(LogActor, Warning, TEXT("Destroying %s, which doesn't have a valid world pointer"), *GetPathName());
		}
	}
	return IsPendingKillPending();
}

void AActor::Destroyed()
{
}

void AActor::PostActorCreated()
{
}

UWorld* AActor::GetWorld() const
{
	if (HasAnyFlags(RF_ClassDefaultObject))
	{
		return nullptr;
	}
	const ULevel* const Level = GetLevel();
	return Level != nullptr ? Level->OwningWorld : nullptr;
}

ULevel* AActor::GetLevel() const
{
	return GetTypedOuter<ULevel>();
}

void AActor::GetComponents(TArray<UActorComponent*>& OutComponents, const bool bIncludeFromChildActors) const
{
	OutComponents = OwnedComponents;
}

UActorComponent* AActor::FindComponentByClass(const TSubclassOf<UActorComponent> ComponentClass) const
{
	UClass* const Class = ComponentClass.Get();
	for (UActorComponent* const Component : OwnedComponents)
	{
		if (Class != nullptr && Component->IsA(Class))
		{
			return Component;
		}
	}
	return nullptr;
}

void AActor::AddInstanceComponent(UActorComponent* Component)
{
	InstanceComponents.AddUnique(Component);
}

void AActor::RemoveInstanceComponent(UActorComponent* Component)
{
	InstanceComponents.Remove(Component);
}

void AActor::AddOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.AddUnique(Component);
}

void AActor::RemoveOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.Remove(Component);
}

void AActor::RegisterAllComponents()
{
	UWorld* const World = GetWorld();
	if (World == nullptr)
	{
		return;
	}
	if (RootComponent != nullptr && !RootComponent->IsRegistered())
	{
		RootComponent->RegisterComponentWithWorld(World);
	}
	// A copy: registering may add components.
	const TArray<UActorComponent*> Components = OwnedComponents;
	for (UActorComponent* const Component : Components)
	{
		if (!Component->IsRegistered() && IsValid(Component))
		{
			Component->RegisterComponentWithWorld(World);
		}
	}
	PostRegisterAllComponents();
}

void AActor::PostRegisterAllComponents()
{
}

void AActor::UnregisterAllComponents(const bool bForReregister)
{
	const TArray<UActorComponent*> Components = OwnedComponents;
	for (UActorComponent* const Component : Components)
	{
		if (Component->IsRegistered())
		{
			Component->UnregisterComponent();
		}
	}
	PostUnregisterAllComponents();
}

void AActor::PostUnregisterAllComponents()
{
}

void AActor::MarkComponentsAsGarbage()
{
	for (UActorComponent* const Component : OwnedComponents)
	{
		if (!Component->IsGarbage())
		{
			Component->MarkAsGarbage();
		}
	}
}
