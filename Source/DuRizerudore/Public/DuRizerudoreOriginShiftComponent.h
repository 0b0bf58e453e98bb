// The component that keeps a world local to one actor by moving the world's origin after it.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Components/SceneComponent.h"
#include "Delegates/Delegate.h"
#include "Delegates/DelegateCombinations.h"
#include "DuRizerudoreConversion.h"
#include "DuRizerudoreSystem.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include "DuRizerudoreOriginShiftComponent.generated.h"

class UWorld;

/** Raised after the world's origin moved, with the origin before and after as the coordinate system's setup holds them. */
DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(FDuRizerudoreOriginShifted, FGeodeticCoordinate, PreviousOrigin, FGeodeticCoordinate, NewOrigin);

// Placed on the actor the world should stay local to (the player's pawn or camera). When a move takes the owner
// farther than ShiftDistance horizontally from the engine origin, the world's coordinate system gets a new local
// frame origin at the owner's latitude and longitude; its height, altitude reference and frame kind are kept, and
// a UTM/UPS frame takes the zone of the new origin. Anchored actors keep their place on the Earth; so does the
// owner, through its own anchor if it has one, otherwise through this component (teleported, no sweep). Engine
// coordinates therefore stay small and the engine's +Z stays near the local vertical, whatever the distance
// travelled.
//
// One world, one driver: of the components registered in a world with bShiftEnabled set, only the one that
// registered first shifts on moves; the others wait until it is unregistered or disabled. Two pawns far apart
// would otherwise pull the origin back and forth. ShiftOriginToOwner works on any component.
//
// A frame without a local frame (geocentric axes) has nothing to shift; without a coordinate system, or with one
// whose frame is not initialized, moves do nothing (the world lookup logs the missing coordinate system once, at
// registration). The shift changes the frame on this machine only. The component never ticks. Game thread only.
UCLASS(ClassGroup = (DuRizerudore), meta = (BlueprintSpawnableComponent,
	ToolTip = "Keeps the world local to its owner: moves the world's origin under the owner whenever it travels farther than ShiftDistance from it."))
class DURIZERUDORE_API UDuRizerudoreOriginShiftComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	/** The least ShiftDistance, in centimetres (100 m); smaller values set from code are read as this. */
	static constexpr double MinShiftDistance = 10000.0;

	/** Never ticks: it acts on the owner's transform updates. */
	UDuRizerudoreOriginShiftComponent();
	virtual ~UDuRizerudoreOriginShiftComponent() override;

	virtual void OnRegister() override;
	virtual void OnUnregister() override;
	virtual void BeginDestroy() override;

	/**
	 * Moves the world's origin to the owner's latitude and longitude now, whatever the distance and bShiftEnabled.
	 *
	 * @return true when the coordinate system holds the new frame and OnOriginShifted was raised; false, with the
	 *   frame and the owner unchanged, without a valid owner, without an initialized coordinate system, in a frame
	 *   without a local frame, while that coordinate system broadcasts (the call is refused and logged), or when
	 *   the new origin is refused (the previous one is then restored).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore")
	bool ShiftOriginToOwner();

	/** The owner's horizontal distance sqrt(X^2 + Y^2) from the engine origin, in centimetres, beyond which the origin moves. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore", meta = (ClampMin = "10000.0", Units = "cm"))
	double ShiftDistance = 1000000.0;

	/** Whether moves of the owner shift the origin. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore")
	bool bShiftEnabled = true;

	/** Raised after every shift with the origin before and after (latitude, longitude, and the height against the setup's altitude reference). */
	UPROPERTY(BlueprintAssignable, Category = "DuRizerudore")
	FDuRizerudoreOriginShifted OnOriginShifted;

private:
	/** Finds the world's coordinate system (the lookup logs when there is none). */
	void RefreshCoordinateSystem();

	void BindRootTransformUpdated();
	void UnbindRootTransformUpdated();
	void BindCoordinateSystemReady();
	void UnbindCoordinateSystemReady();
	void Unbind();

	/** Whether this component drives its world's origin on moves: enabled, and the first such one registered there. */
	bool IsWorldShiftDriver() const;

	/** A coordinate system of some world holds an initialized frame: one for this world is picked up, as the anchor does. */
	void HandleCoordinateSystemReady(UWorld* World, ADuRizerudoreSystem* CoordinateSystem);

	/** The owner's root was replaced: the component follows the new root and looks at where it stands. */
	UFUNCTION() // The engine announces a new root through a dynamic delegate, which binds functions by name.
	void HandleRootComponentChanged(USceneComponent* UpdatedComponent, bool bIsRootComponent);

	/** The owner moved: the origin follows when the owner went beyond ShiftDistance, unless the move is a shift's own. */
	void HandleRootTransformUpdated(USceneComponent* UpdatedComponent, EUpdateTransformFlags UpdateTransformFlags, ETeleportType Teleport);

	/** Shifts when this component drives the world and the owner stands beyond ShiftDistance, unless its coordinate system is announcing a rebuild. */
	void ShiftIfBeyondDistance();

	TWeakObjectPtr<ADuRizerudoreSystem> CoordinateSystem;
	TWeakObjectPtr<USceneComponent> BoundRootComponent;
	FDelegateHandle RootTransformUpdatedHandle;
	FDelegateHandle CoordinateSystemReadyHandle;
	/** Set while a shift rebuilds the frame and re-poses the owner: those moves are the shift's own. */
	bool bShifting = false;
};
