// USceneComponent: a component with a world transform. The stand-in keeps no attachment: the component
// transform is the world transform. Every change of it is announced by TransformUpdated while the component is
// registered, at once or, inside an FScopedMovementUpdate, when the outermost scope closes. A registered component
// that is not Movable refuses to move in a game world, with the engine's warning.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Engine/EngineTypes.h"
#include "Engine/HitResult.h"
#include "UObject/SparseDelegate.h"

#include <vector>

class FScopedMovementUpdate;
class USceneComponent;

DECLARE_EVENT_ThreeParams(USceneComponent, FTransformUpdated, USceneComponent* /*UpdatedComponent*/, EUpdateTransformFlags /*UpdateTransformFlags*/, ETeleportType /*Teleport*/);
DECLARE_DYNAMIC_MULTICAST_SPARSE_DELEGATE_TwoParams(FIsRootComponentChanged, USceneComponent, IsRootComponentChanged, USceneComponent*, UpdatedComponent, bool, bIsRootComponent);

// The engine's class annotation: the header tool reads it for what derived classes inherit.
UCLASS(ClassGroup = (Utility, Common), BlueprintType, HideCategories = (Trigger, PhysicsVolume), meta = (BlueprintSpawnableComponent, IgnoreCategoryKeywordsInSubclasses), MinimalAPI)
class USceneComponent : public UActorComponent
{
	DECLARE_CLASS(USceneComponent, UActorComponent, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(USceneComponent)

public:
	USceneComponent(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());

	/** Fired after the component's transform changed. */
	FTransformUpdated TransformUpdated;

	/** Fired when the component becomes or stops being its owner's root component; binds UFUNCTIONs (AddDynamic). */
	FIsRootComponentChanged IsRootComponentChanged;

	/** Announces through IsRootComponentChanged that the component became or stopped being the root. */
	void NotifyIsRootComponentChanged(bool bIsRootComponent) { IsRootComponentChanged.Broadcast(this, bIsRootComponent); }

	/** The world transform (centimetres, degrees, scale). */
	const FTransform& GetComponentTransform() const { return ComponentToWorld; }
	FVector GetComponentLocation() const { return ComponentToWorld.GetLocation(); }
	FQuat GetComponentQuat() const { return ComponentToWorld.GetRotation(); }
	FRotator GetComponentRotation() const { return ComponentToWorld.Rotator(); }
	FVector GetComponentScale() const { return ComponentToWorld.GetScale3D(); }

	/** Whether the component may move while the game runs; Movable by default. */
	TEnumAsByte<EComponentMobility::Type> Mobility = EComponentMobility::Movable;

	void SetMobility(EComponentMobility::Type NewMobility) { Mobility = NewMobility; }
	EComponentMobility::Type GetMobility() const { return Mobility; }
	bool IsMovable() const { return Mobility == EComponentMobility::Movable; }

	/**
	 * True, after a warning, if the component is registered, not Movable and in a game world: then it must not
	 * move. ActionText names what was tried ("move").
	 */
	bool CheckStaticMobilityAndWarn(const FText& ActionText) const;

	/**
	 * Sets the world transform. A change within 1e-4 of the current location, rotation and scale is no
	 * change (the engine's tolerance) and fires nothing. Nothing is swept: OutSweepHitResult is reset.
	 * A component that may not move (CheckStaticMobilityAndWarn) keeps its transform.
	 */
	void SetWorldTransform(const FTransform& NewTransform, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldLocation(FVector NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldRotation(FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldRotation(const FQuat& NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetWorldLocationAndRotation(FVector NewLocation, const FQuat& NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	/** True inside a deferring FScopedMovementUpdate on this component. */
	bool IsDeferringMovementUpdates() const { return !ScopedMovementStack.empty(); }

	void BeginScopedMovementUpdate(FScopedMovementUpdate& ScopedUpdate);
	void EndScopedMovementUpdate(FScopedMovementUpdate& CompletedScope);

protected:
	/** Announces a transform change through TransformUpdated. */
	void PropagateTransformUpdate(bool bTransformChanged, EUpdateTransformFlags UpdateTransformFlags = EUpdateTransformFlags::None, ETeleportType Teleport = ETeleportType::None);

private:
	/** False, with nothing changed, when the component may not move. */
	bool InternalSetWorldTransform(const FTransform& NewTransform, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport);

	friend class AActor;

	FTransform ComponentToWorld;
	std::vector<FScopedMovementUpdate*> ScopedMovementStack;
};
