// The origin-shift component: its bindings, the choice of the component that drives a world, and the shift.
#include "DuRizerudoreOriginShiftComponent.h"

#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreConversionInternal.h"

#include "Containers/Array.h"
#include "Engine/ScopedMovementUpdate.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Templates/UnrealTemplate.h"

namespace DuRizerudore::OriginShiftPrivate
{
	/** Registered origin-shift components, in the order they registered (game thread only). */
	TArray<TWeakObjectPtr<UDuRizerudoreOriginShiftComponent>>& GetRegisteredOriginShiftComponents()
	{
		static TArray<TWeakObjectPtr<UDuRizerudoreOriginShiftComponent>> Registered;
		return Registered;
	}

	/** Forgets a component, and any that are gone. */
	void ForgetOriginShiftComponent(const UDuRizerudoreOriginShiftComponent* const Component)
	{
		GetRegisteredOriginShiftComponents().RemoveAll([Component](const TWeakObjectPtr<UDuRizerudoreOriginShiftComponent>& Entry)
		{
			return !Entry.IsValid() || Entry.Get() == Component;
		});
	}
}

UDuRizerudoreOriginShiftComponent::UDuRizerudoreOriginShiftComponent()
{
	PrimaryComponentTick.bCanEverTick = false;
	PrimaryComponentTick.bStartWithTickEnabled = false;
}

UDuRizerudoreOriginShiftComponent::~UDuRizerudoreOriginShiftComponent() = default;

void UDuRizerudoreOriginShiftComponent::OnRegister()
{
	Super::OnRegister();
	BindRootTransformUpdated();
	BindCoordinateSystemReady();
	DuRizerudore::OriginShiftPrivate::ForgetOriginShiftComponent(this);
	DuRizerudore::OriginShiftPrivate::GetRegisteredOriginShiftComponents().Emplace(this);
	if (!CoordinateSystem.IsValid())
	{
		RefreshCoordinateSystem();
	}
}

void UDuRizerudoreOriginShiftComponent::OnUnregister()
{
	Unbind();
	Super::OnUnregister();
}

void UDuRizerudoreOriginShiftComponent::BeginDestroy()
{
	Unbind();
	Super::BeginDestroy();
}

void UDuRizerudoreOriginShiftComponent::Unbind()
{
	DuRizerudore::OriginShiftPrivate::ForgetOriginShiftComponent(this);
	UnbindCoordinateSystemReady();
	UnbindRootTransformUpdated();
	CoordinateSystem.Reset();
}

void UDuRizerudoreOriginShiftComponent::RefreshCoordinateSystem()
{
	ADuRizerudoreSystem* const Found = ADuRizerudoreSystem::GetCoordinateSystem(this);
	CoordinateSystem = IsValid(Found) ? Found : nullptr;
}

void UDuRizerudoreOriginShiftComponent::BindRootTransformUpdated()
{
	UnbindRootTransformUpdated();
	const AActor* const Owner = GetOwner();
	BoundRootComponent = IsValid(Owner) ? Owner->GetRootComponent() : nullptr;
	if (USceneComponent* const RootComponent = BoundRootComponent.Get())
	{
		RootTransformUpdatedHandle = RootComponent->TransformUpdated.AddUObject(this, &UDuRizerudoreOriginShiftComponent::HandleRootTransformUpdated);
		RootComponent->IsRootComponentChanged.AddDynamic(this, &UDuRizerudoreOriginShiftComponent::HandleRootComponentChanged);
	}
}

void UDuRizerudoreOriginShiftComponent::UnbindRootTransformUpdated()
{
	if (USceneComponent* const RootComponent = BoundRootComponent.Get())
	{
		if (RootTransformUpdatedHandle.IsValid())
		{
			RootComponent->TransformUpdated.Remove(RootTransformUpdatedHandle);
		}
		RootComponent->IsRootComponentChanged.RemoveDynamic(this, &UDuRizerudoreOriginShiftComponent::HandleRootComponentChanged);
	}
	RootTransformUpdatedHandle.Reset();
	BoundRootComponent.Reset();
}

void UDuRizerudoreOriginShiftComponent::BindCoordinateSystemReady()
{
	UnbindCoordinateSystemReady();
	CoordinateSystemReadyHandle = ADuRizerudoreSystem::GetOnCoordinateSystemReady().AddUObject(this, &UDuRizerudoreOriginShiftComponent::HandleCoordinateSystemReady);
}

void UDuRizerudoreOriginShiftComponent::UnbindCoordinateSystemReady()
{
	if (CoordinateSystemReadyHandle.IsValid())
	{
		ADuRizerudoreSystem::GetOnCoordinateSystemReady().Remove(CoordinateSystemReadyHandle);
	}
	CoordinateSystemReadyHandle.Reset();
}

void UDuRizerudoreOriginShiftComponent::HandleCoordinateSystemReady(UWorld* const World, ADuRizerudoreSystem* const ReadySystem)
{
	const ADuRizerudoreSystem* const Bound = CoordinateSystem.Get();
	if (!IsRegistered() || World == nullptr || World != GetWorld() || !IsValid(ReadySystem) || ReadySystem == Bound)
	{
		return;
	}
	// A live coordinate system is kept unless the world's authority is now another one: only an authority's
	// arrival looks the world up, so an ordinary rebuild of another actor logs nothing.
	if (Bound == nullptr || ReadySystem->IsAuthority())
	{
		RefreshCoordinateSystem();
	}
}

void UDuRizerudoreOriginShiftComponent::HandleRootComponentChanged(USceneComponent* /*UpdatedComponent*/, const bool bIsRootComponent)
{
	if (bIsRootComponent)
	{
		return;
	}
	BindRootTransformUpdated();
	if (!bShifting)
	{
		ShiftIfBeyondDistance();
	}
}

void UDuRizerudoreOriginShiftComponent::HandleRootTransformUpdated(USceneComponent* /*UpdatedComponent*/, EUpdateTransformFlags /*UpdateTransformFlags*/, ETeleportType /*Teleport*/)
{
	if (!bShifting)
	{
		ShiftIfBeyondDistance();
	}
}

bool UDuRizerudoreOriginShiftComponent::IsWorldShiftDriver() const
{
	const UWorld* const World = GetWorld();
	for (const TWeakObjectPtr<UDuRizerudoreOriginShiftComponent>& Entry : DuRizerudore::OriginShiftPrivate::GetRegisteredOriginShiftComponents())
	{
		const UDuRizerudoreOriginShiftComponent* const Component = Entry.Get();
		if (Component != nullptr && Component->IsRegistered() && Component->bShiftEnabled && Component->GetWorld() == World)
		{
			return Component == this;
		}
	}
	return false;
}

void UDuRizerudoreOriginShiftComponent::ShiftIfBeyondDistance()
{
	const USceneComponent* const RootComponent = BoundRootComponent.Get();
	if (RootComponent == nullptr || !bShiftEnabled)
	{
		return;
	}
	// A distance set below the least one from code, or not a number, is read as the least one.
	const double Distance = ShiftDistance >= MinShiftDistance ? ShiftDistance : MinShiftDistance;
	const FVector Location = RootComponent->GetComponentLocation();
	// Compared squared: no root is taken on the path every move of the owner runs through.
	if (!(Location.X * Location.X + Location.Y * Location.Y > Distance * Distance) || !IsWorldShiftDriver())
	{
		return;
	}
	// A rebuild that re-poses the owner (through its anchor) cannot be followed by another one while it is still
	// announced: the owner's next move shifts instead.
	const ADuRizerudoreSystem* const System = CoordinateSystem.Get();
	if (System != nullptr && System->IsBroadcastingReferenceChange())
	{
		return;
	}
	ShiftOriginToOwner();
}

bool UDuRizerudoreOriginShiftComponent::ShiftOriginToOwner()
{
	AActor* const Owner = GetOwner();
	ADuRizerudoreSystem* const System = CoordinateSystem.Get();
	if (bShifting || !IsValid(Owner) || System == nullptr || !System->IsReferenceFrameInitialized() || !System->GetReferenceFrame().HasLocalFrame())
	{
		return false;
	}
	USceneComponent* const RootComponent = Owner->GetRootComponent();
	const FTransform OwnerTransform = RootComponent != nullptr ? RootComponent->GetComponentTransform() : FTransform::Identity;
	FMatrix OwnerEcefPose;
	if (!System->ConvertAuthorityLocalTransformToEcefMatrix(OwnerTransform, OwnerEcefPose) || OwnerEcefPose.ContainsNaN())
	{
		return false;
	}
	const FVector OwnerGeodetic =
		FCoordinateConversionKernelAccess::WorldPositionToGeodetic(*System->GetReferenceFrame().GetConversion(), OwnerEcefPose.GetOrigin());
	if (OwnerGeodetic.ContainsNaN())
	{
		return false;
	}

	const FCoordinateReferenceSetup PreviousSetup = System->GetReferenceSetup();
	FCoordinateReferenceSetup NewSetup = PreviousSetup;
	NewSetup.LocalFrameOrigin.LatitudeDeg = OwnerGeodetic.X;
	NewSetup.LocalFrameOrigin.LongitudeDeg = OwnerGeodetic.Y;
	// An anchor on the owner re-poses it with the rebuild; otherwise this component does, after it.
	UDuRizerudoreAnchorComponent* const OwnerAnchor = Owner->FindComponentByClass<UDuRizerudoreAnchorComponent>();
	const bool bAnchorKeepsOwner = OwnerAnchor != nullptr && OwnerAnchor->IsRegistered();
	if (bAnchorKeepsOwner)
	{
		// The engine calls the handlers of a transform update in no promised order: the anchor may not have read
		// the move that brought the owner here yet, and would put it back where it was.
		OwnerAnchor->UpdateAnchorTransformFromActor();
	}

	{
		// The owner's moves from here on are the shift's own re-pose, never a reason for another shift.
		const TGuardValue<bool> ShiftingGuard(bShifting, true);
		if (!System->SetReferenceSetup(NewSetup))
		{
			// A refused call changed nothing; a new origin the frame refused is undone, so the world keeps a frame.
			if (!System->IsReferenceFrameInitialized() && IsValid(System))
			{
				System->SetReferenceSetup(PreviousSetup);
			}
			return false;
		}
		FTransform Target = FTransform::Identity;
		if (!bAnchorKeepsOwner && IsValid(RootComponent) && System->ConvertEcefMatrixToAuthorityLocalTransform(OwnerEcefPose, Target) && !Target.ContainsNaN())
		{
			Target.SetScale3D(OwnerTransform.GetScale3D());
			FScopedMovementUpdate MovementUpdate(RootComponent, EScopedUpdate::DeferredUpdates, false);
			Owner->SetActorTransform(Target, false, nullptr, ETeleportType::TeleportPhysics);
		}
	}
	OnOriginShifted.Broadcast(PreviousSetup.LocalFrameOrigin, NewSetup.LocalFrameOrigin);
	return true;
}
