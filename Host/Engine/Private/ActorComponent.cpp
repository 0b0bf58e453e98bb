#include "Components/ActorComponent.h"

#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Logging/LogMacros.h"
#include "UObject/UnrealType.h"

DEFINE_LOG_CATEGORY_STATIC(LogActorComponent, Log, All);

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UActorComponent)

UActorComponent::UActorComponent(const FObjectInitializer& ObjectInitializer)
	: UObject(ObjectInitializer)
{
	PrimaryComponentTick.bCanEverTick = false;
	PrimaryComponentTick.bStartWithTickEnabled = true;
}

void UActorComponent::PostInitProperties()
{
	Super::PostInitProperties();
	OwnerPrivate = GetTypedOuter<AActor>();
	if (OwnerPrivate != nullptr)
	{
		OwnerPrivate->AddOwnedComponent(this);
	}
}

UWorld* UActorComponent::GetWorld() const
{
	if (WorldPrivate != nullptr)
	{
		return WorldPrivate;
	}
	const AActor* const Owner = GetOwner();
	if (Owner != nullptr && !Owner->HasAnyFlags(RF_ClassDefaultObject))
	{
		return Owner->GetWorld();
	}
	return nullptr;
}

void UActorComponent::RegisterComponent()
{
	AActor* const MyOwner = GetOwner();
	UWorld* const MyOwnerWorld = MyOwner != nullptr ? MyOwner->GetWorld() : nullptr;
	if (ensure(MyOwnerWorld != nullptr))
	{
		RegisterComponentWithWorld(MyOwnerWorld);
	}
}

void UActorComponent::RegisterComponentWithWorld(UWorld* InWorld)
{
	if (IsRegistered())
	{
		UE_LOG(LogActorComponent, Log, TEXT("RegisterComponentWithWorld: (%s) Already registered. Aborting."), *GetPathName());
		return;
	}
	if (!IsValid(this))
	{
		UE_LOG(LogActorComponent, Log, TEXT("RegisterComponentWithWorld: (%s) Trying to register component with IsValid() == false. Aborting."), *GetPathName());
		return;
	}
	if (InWorld == nullptr)
	{
		return;
	}
	WorldPrivate = InWorld;
	ExecuteRegisterEvents();
}

void UActorComponent::UnregisterComponent()
{
	if (!IsRegistered())
	{
		UE_LOG(LogActorComponent, Log, TEXT("UnregisterComponent: (%s) not registered. Aborting."), *GetPathName());
		return;
	}
	ExecuteUnregisterEvents();
	WorldPrivate = nullptr;
}

void UActorComponent::DestroyComponent(const bool bPromoteChildren)
{
	if (IsGarbage())
	{
		return;
	}
	if (IsRegistered())
	{
		UnregisterComponent();
	}
	if (AActor* const MyOwner = GetOwner())
	{
		MyOwner->RemoveInstanceComponent(this);
		MyOwner->RemoveOwnedComponent(this);
		if (MyOwner->GetRootComponent() == this)
		{
			MyOwner->SetRootComponent(nullptr);
		}
	}
	MarkAsGarbage();
}

void UActorComponent::BeginDestroy()
{
	ExecuteUnregisterEvents();
	WorldPrivate = nullptr;
	if (AActor* const MyOwner = GetOwner())
	{
		MyOwner->RemoveOwnedComponent(this);
	}
	Super::BeginDestroy();
}

void UActorComponent::OnRegister()
{
	checkf(!bRegistered, TEXT("OnRegister: %s is already registered"), *GetPathName());
	bRegistered = true;
}

void UActorComponent::OnUnregister()
{
	checkf(bRegistered, TEXT("OnUnregister: %s is not registered"), *GetPathName());
	bRegistered = false;
}

void UActorComponent::ExecuteRegisterEvents()
{
	if (!bRegistered)
	{
		OnRegister();
		checkf(bRegistered, TEXT("Failed to route OnRegister (%s)"), *GetPathName());
	}
}

void UActorComponent::ExecuteUnregisterEvents()
{
	if (bRegistered)
	{
		OnUnregister();
		checkf(!bRegistered, TEXT("Failed to route OnUnregister (%s)"), *GetPathName());
	}
}

#if WITH_EDITOR
void UActorComponent::PreEditChange(FProperty* PropertyThatWillChange)
{
	Super::PreEditChange(PropertyThatWillChange);
	if (IsRegistered())
	{
		ExecuteUnregisterEvents();
		bReregisterAfterEdit = true;
	}
}

void UActorComponent::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	// The component registers again before the base classes hear of the edit, as in the editor.
	if (bReregisterAfterEdit)
	{
		bReregisterAfterEdit = false;
		if (IsValid(this) && WorldPrivate != nullptr)
		{
			ExecuteRegisterEvents();
		}
	}
	Super::PostEditChangeProperty(PropertyChangedEvent);
}
#endif
