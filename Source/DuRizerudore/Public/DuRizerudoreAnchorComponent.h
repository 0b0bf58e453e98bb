// The component that keeps its owner at an Earth-fixed pose.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Components/SceneComponent.h"
#include "Delegates/Delegate.h"
#include "DuRizerudoreConversion.h"
#include "DuRizerudoreSystem.h"
#include "Math/Matrix.h"
#include "Math/Rotator.h"
#include "Math/Transform.h"
#include "Math/Vector.h"
#include "UObject/NameTypes.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include "DuRizerudoreAnchorComponent.generated.h"

class FProperty;
class UWorld;
struct FPropertyChangedEvent;

// Keeps its owner's pose on the Earth in two cached forms, ECEF (position and axes) and geodetic (position and a
// rotation in the north/east/up frame at that position), and keeps them and the owner's transform in step: moving
// the owner refreshes the caches, setting a cached value moves the owner, and a rebuild of the world's coordinate
// system moves the owner so that it keeps its Earth-fixed pose. The anchor works on the world transform of the
// owner's root component: an owner attached to a parent is moved in world space, and a replaced root is followed.
// A registered anchor without a coordinate system binds to the first one of its world that holds an initialized
// frame, and an anchor whose coordinate system lost its authority to another moves on to the new authority.
// Actors anchored at run time must be Movable: in a game world the engine refuses to move a registered root that is
// Static or Stationary. The anchor then keeps its Earth-fixed caches (the owner is not read back) and poses the
// owner at the next move that succeeds or the next rebuild of the coordinate system.
// Game thread only.
UCLASS(ClassGroup = (Custom), meta = (BlueprintSpawnableComponent))
class DURIZERUDORE_API UDuRizerudoreAnchorComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	/** Default caches (the Earth's centre, the geocentric axes, latitude and longitude 0); the component never ticks. */
	UDuRizerudoreAnchorComponent();
	virtual ~UDuRizerudoreAnchorComponent() override;

	virtual void OnRegister() override;
	virtual void OnUnregister() override;
	virtual void BeginDestroy() override;
#if WITH_EDITOR
	virtual void PreEditChange(FProperty* PropertyAboutToChange) override;
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
#endif

	/** The cached ECEF position, metres. */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FVector GetEcefPosition() const;

	/** The cached X (forward) axis of the owner as an ECEF direction. */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FVector GetEcefXAxis() const;

	/** The cached Y (right) axis of the owner as an ECEF direction. */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FVector GetEcefYAxis() const;

	/** The cached Z (up) axis of the owner as an ECEF direction. */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FVector GetEcefZAxis() const;

	/** The cached geodetic position: degrees, degrees, metres above the ellipsoid. */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FGeodeticCoordinate GetGeodeticPosition() const;

	/** The cached rotation in the north/east/up frame at the geodetic position (X north, Y east, Z up). */
	UFUNCTION(BlueprintGetter, Category = "DuRizerudore")
	FRotator GetGeodeticRotation() const;

	/** Stores an ECEF position (metres) and moves the owner there. A position that is not finite is ignored. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefPosition(const FVector& NewEcefPosition);

	/**
	 * Points the owner's X axis along an ECEF direction (any length) and moves the owner. The new X axis is that
	 * direction exactly; Y is the old Y made perpendicular to it (Gram-Schmidt, staying in the plane of the old Y
	 * and the new X), Z completes the engine's axes: the nearest rotation with that X axis. A zero or non-finite
	 * direction is ignored.
	 */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefXAxis(const FVector& NewEcefXAxis);

	/** Points the owner's Y axis along an ECEF direction as SetEcefXAxis does; X is the old X made perpendicular to it. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefYAxis(const FVector& NewEcefYAxis);

	/** Points the owner's Z axis along an ECEF direction as SetEcefXAxis does; X is the old X made perpendicular to it. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefZAxis(const FVector& NewEcefZAxis);

	/**
	 * Stores a geodetic position (height above the ellipsoid) and moves the owner there, keeping its ECEF axes (not
	 * its orientation against north, east and up): after a long move it leans by the angle between the two verticals
	 * (0.9 degrees per 100 km); SetGeodeticRotation afterwards stands it up. Without an initialized coordinate system
	 * only the value is stored. A position that is not finite, or whose latitude lies beyond a pole, is ignored.
	 */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetGeodeticPosition(const FGeodeticCoordinate& NewGeodeticPosition);

	/**
	 * Stores a rotation in the north/east/up frame at the geodetic position, recomputes the ECEF axes and moves the
	 * owner. A rotation that is not finite is ignored.
	 */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetGeodeticRotation(const FRotator& NewGeodeticRotation);

	/**
	 * Moves the owner to the cached ECEF pose (scale 1) and refreshes the caches from where it landed. False, with
	 * nothing moved, without a valid owner with a root component, without an initialized coordinate system, or when
	 * the engine refuses to move the owner (a root that is not Movable in a game world; the caches are kept).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore")
	bool ApplyAnchorTransformToActor();

	/** Recomputes the caches from the owner's transform. False, with nothing changed, without a coordinate system. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore")
	bool UpdateAnchorTransformFromActor();

protected:
	/** Owner position in ECEF, metres. */
	UPROPERTY(EditAnywhere, BlueprintGetter = GetEcefPosition, BlueprintSetter = SetEcefPosition, Category = "DuRizerudore|ECEF")
	FVector EcefPosition = FVector(0.0, 0.0, 0.0);

	/** Owner X axis (forward) as an ECEF direction. */
	UPROPERTY(EditAnywhere, BlueprintGetter = GetEcefXAxis, BlueprintSetter = SetEcefXAxis, Category = "DuRizerudore|ECEF")
	FVector EcefXAxis = FVector(1.0, 0.0, 0.0);

	/** Owner Y axis (right) as an ECEF direction. */
	UPROPERTY(EditAnywhere, BlueprintGetter = GetEcefYAxis, BlueprintSetter = SetEcefYAxis, Category = "DuRizerudore|ECEF")
	FVector EcefYAxis = FVector(0.0, 1.0, 0.0);

	/** Owner Z axis (up) as an ECEF direction. */
	UPROPERTY(EditAnywhere, BlueprintGetter = GetEcefZAxis, BlueprintSetter = SetEcefZAxis, Category = "DuRizerudore|ECEF")
	FVector EcefZAxis = FVector(0.0, 0.0, 1.0);

	/** Owner position: latitude and longitude in degrees, height in metres above the ellipsoid. */
	UPROPERTY(EditAnywhere, BlueprintGetter = GetGeodeticPosition, BlueprintSetter = SetGeodeticPosition, Category = "DuRizerudore|Geodetic")
	FGeodeticCoordinate GeodeticPosition;

	UPROPERTY(EditAnywhere, BlueprintGetter = GetGeodeticRotation, BlueprintSetter = SetGeodeticRotation, Category = "DuRizerudore|Geodetic",
		meta = (ToolTip = "Rotation in the local north/east/up tangent frame at GeodeticPosition."))
	FRotator GeodeticRotation = FRotator(0.0, 0.0, 0.0);

private:
	/** True when the bound coordinate system is alive and holds an initialized frame. */
	bool IsCoordinateSystemInitialized() const;

	/** Finds the world's coordinate system again and binds to its event; returns IsCoordinateSystemInitialized. */
	bool RefreshAuthorityCoordinateSystem();

	void BindAuthorityReferenceChanged(ADuRizerudoreSystem& CoordinateSystem);
	void UnbindAuthorityReferenceChanged();
	void BindRootTransformUpdated();
	void UnbindRootTransformUpdated();
	void BindCoordinateSystemReady();
	void UnbindCoordinateSystemReady();

	/**
	 * A coordinate system of some world holds an initialized frame. An anchor of that world without one binds to
	 * the world's coordinate system and reads its owner, as at registration; an anchor that follows another
	 * system moves on when the world's authority is now a different one, keeping its Earth-fixed pose.
	 */
	void HandleCoordinateSystemReady(UWorld* World, ADuRizerudoreSystem* CoordinateSystem);

	/** The owner's root was replaced: the anchor follows the new root, and the caches the owner's new transform; an owner left without a root keeps its caches. */
	UFUNCTION() // The engine announces a new root through a dynamic delegate, which binds functions by name.
	void HandleRootComponentChanged(USceneComponent* UpdatedComponent, bool bIsRootComponent);

	/** A rebuild of the coordinate system: the owner is moved so that its Earth-fixed pose stays the same. */
	void HandleReferenceChanged(FCoordinateReferenceFramePtr PreviousFrame, FCoordinateReferenceFramePtr NewFrame);

	/** The owner moved: the caches follow, unless the move is this component's own. */
	void HandleRootTransformUpdated(USceneComponent* UpdatedComponent, EUpdateTransformFlags UpdateTransformFlags, ETeleportType Teleport);

	/** The editor's edit rules, matched against the edited member and the edited property. */
	void ApplyEditedProperty(FName MemberPropertyName, FName PropertyName);

	/** The caches from the owner, as at registration, keeping the value just edited in the member of that name. */
	void ReadOwnerKeepingEditedMember(FName EditedMember);

	/** Makes the two other axes perpendicular to the axis of that index, which is pointed along Direction. */
	void SetEcefAxisKeepingOrthonormal(int32 AxisIndex, const FVector& Direction);

	/** The point-local frame at a geodetic point as a matrix: rows north, east and up as ECEF directions, no position. */
	static FMatrix BuildPointLocalUeToEcefMatrix(const FGeodeticCoordinate& GeodeticPoint);

	/** The axis rows of a point-local pose as ECEF directions; any position is dropped. */
	static FMatrix ConvertPointLocalUeMatrixToEcef(const FMatrix& PointLocalMatrix, const FGeodeticCoordinate& GeodeticPoint);

	/** The axis rows of an ECEF pose in the point-local frame; the position is dropped. */
	static FMatrix ConvertEcefMatrixToPointLocalUe(const FMatrix& EcefMatrix, const FGeodeticCoordinate& GeodeticPoint);

	/** EcefPosition from GeodeticPosition; false without an initialized coordinate system. */
	bool UpdateEcefPositionFromGeodetic();

	/** The three ECEF axes from GeodeticRotation at GeodeticPosition; needs no coordinate system. */
	bool UpdateEcefBasisFromGeodetic();

	/** GeodeticPosition and GeodeticRotation from the ECEF caches; false without an initialized coordinate system. */
	bool UpdateGeodeticFromEcef();

	/** The owner's transform (the identity without a root component) as an ECEF pose matrix. */
	bool ConvertActorTransformToEcef(FMatrix& OutEcefMatrix) const;

	/** The cached ECEF pose as an engine transform with scale 1. */
	bool ConvertEcefToActorTransform(FTransform& OutTransform) const;

	/** All six caches from the owner's transform; the ECEF ones may be updated while the geodetic ones fail. */
	bool UpdateCachedCoordinatesFromActor();

	/**
	 * UpdateCachedCoordinatesFromActor and UpdateGeodeticFromEcef with the owner and the bound coordinate system
	 * already resolved, so that one move resolves its weak references once. The geodetic update needs
	 * CoordinateSystem's own frame initialized.
	 */
	bool UpdateCachedCoordinatesFromActor(const AActor& Owner, const ADuRizerudoreSystem& CoordinateSystem);
	bool UpdateGeodeticFromEcef(const ADuRizerudoreSystem& CoordinateSystem);

	/** The cached ECEF pose: the three axes as rows 0 to 2, the position as row 3. */
	FMatrix GetEcefMatrix() const;

	/** Stores the rows of an ECEF pose as the cached axes and position, unnormalised, without moving the owner. */
	void SetCachedEcefMatrix(const FMatrix& EcefMatrix);

	TWeakObjectPtr<ADuRizerudoreSystem> AuthorityCoordinateSystem;
	TWeakObjectPtr<USceneComponent> BoundRootComponent;
	FDelegateHandle AuthorityReferenceChangedHandle;
	FDelegateHandle RootTransformUpdatedHandle;
	FDelegateHandle CoordinateSystemReadyHandle;
	bool bApplyingAnchorTransform = false;
	// Set from PreEditChange to the end of PostEditChangeProperty: an edit is under way, whether the component was
	// bound to a coordinate system when it began, and whether that one held an initialized frame.
	bool bEditInProgress = false;
	bool bBoundBeforeEdit = false;
	bool bInitializedBeforeEdit = false;
};
