#include "Components/SceneComponent.h"

#include "Engine/ScopedMovementUpdate.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(USceneComponent)

USceneComponent::USceneComponent(const FObjectInitializer& ObjectInitializer)
	: UActorComponent(ObjectInitializer)
{
}

void USceneComponent::SetWorldTransform(const FTransform& NewTransform, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	InternalSetWorldTransform(NewTransform, bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldLocation(const FVector NewLocation, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	InternalSetWorldTransform(FTransform(ComponentToWorld.GetRotation(), NewLocation, ComponentToWorld.GetScale3D()), bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldRotation(const FRotator NewRotation, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	SetWorldRotation(NewRotation.Quaternion(), bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldRotation(const FQuat& NewRotation, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	InternalSetWorldTransform(FTransform(NewRotation, ComponentToWorld.GetLocation(), ComponentToWorld.GetScale3D()), bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldLocationAndRotation(const FVector NewLocation, const FQuat& NewRotation, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	InternalSetWorldTransform(FTransform(NewRotation, NewLocation, ComponentToWorld.GetScale3D()), bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::InternalSetWorldTransform(const FTransform& NewTransform, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	if (OutSweepHitResult != nullptr)
	{
		OutSweepHitResult->Reset();
	}
	if (ComponentToWorld.Equals(NewTransform))
	{
		return;
	}
	ComponentToWorld = NewTransform;
	if (IsDeferringMovementUpdates())
	{
		FScopedMovementUpdate& CurrentScope = *ScopedMovementStack.back();
		CurrentScope.TeleportType = FMath::Max(CurrentScope.TeleportType, Teleport);
		return;
	}
	PropagateTransformUpdate(true, EUpdateTransformFlags::None, Teleport);
}

void USceneComponent::PropagateTransformUpdate(const bool bTransformChanged, const EUpdateTransformFlags UpdateTransformFlags, const ETeleportType Teleport)
{
	if (bTransformChanged)
	{
		TransformUpdated.Broadcast(this, UpdateTransformFlags, Teleport);
	}
}

void USceneComponent::BeginScopedMovementUpdate(FScopedMovementUpdate& ScopedUpdate)
{
	ScopedMovementStack.push_back(&ScopedUpdate);
}

void USceneComponent::EndScopedMovementUpdate(FScopedMovementUpdate& CompletedScope)
{
	checkf(!ScopedMovementStack.empty() && ScopedMovementStack.back() == &CompletedScope, TEXT("Scoped movement updates on %s must close in reverse order"), *GetPathName());
	ScopedMovementStack.pop_back();
	if (!ScopedMovementStack.empty())
	{
		FScopedMovementUpdate& OuterScope = *ScopedMovementStack.back();
		OuterScope.TeleportType = FMath::Max(OuterScope.TeleportType, CompletedScope.TeleportType);
		return;
	}
	PropagateTransformUpdate(CompletedScope.IsTransformDirty(), EUpdateTransformFlags::None, CompletedScope.TeleportType);
}
