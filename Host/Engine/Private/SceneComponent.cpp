#include "Components/SceneComponent.h"

#include "Engine/ScopedMovementUpdate.h"
#include "Engine/World.h"
#include "Logging/LogMacros.h"

DEFINE_LOG_CATEGORY_STATIC(LogSceneComponent, Log, All);

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

bool USceneComponent::CheckStaticMobilityAndWarn(const FText& ActionText) const
{
	if (Mobility == EComponentMobility::Movable || !IsRegistered())
	{
		return false;
	}
	const UWorld* const World = GetWorld();
	if (World == nullptr || !World->IsGameWorld())
	{
		return false;
	}
	// The engine names the owner's path, then the component: "Mobility of <owner path> : <component> ...".
	UE_LOG(LogSceneComponent, Warning, TEXT("Mobility of %s : %s has to be 'Movable' if you'd like to %s. "), *GetPathNameSafe(GetOwner()), *GetName(), *ActionText.ToString());
	return true;
}

bool USceneComponent::InternalSetWorldTransform(const FTransform& NewTransform, const bool bSweep, FHitResult* OutSweepHitResult, const ETeleportType Teleport)
{
	if (OutSweepHitResult != nullptr)
	{
		OutSweepHitResult->Reset();
	}
	if (ComponentToWorld.Equals(NewTransform))
	{
		return true;
	}
	// Made once, as the engine keeps its warning text: a move is a hot path.
	static const FText MobilityWarnText = FText::FromString(TEXT("move"));
	if (CheckStaticMobilityAndWarn(MobilityWarnText))
	{
		return false;
	}
	ComponentToWorld = NewTransform;
	if (IsDeferringMovementUpdates())
	{
		FScopedMovementUpdate& CurrentScope = *ScopedMovementStack.back();
		CurrentScope.TeleportType = FMath::Max(CurrentScope.TeleportType, Teleport);
		return true;
	}
	PropagateTransformUpdate(true, EUpdateTransformFlags::None, Teleport);
	return true;
}

void USceneComponent::PropagateTransformUpdate(const bool bTransformChanged, const EUpdateTransformFlags UpdateTransformFlags, const ETeleportType Teleport)
{
	// Only a registered component announces its moves.
	if (bTransformChanged && IsRegistered())
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
