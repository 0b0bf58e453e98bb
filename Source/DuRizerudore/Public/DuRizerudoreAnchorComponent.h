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

struct FPropertyChangedEvent;

// Keeps its owner's pose on the Earth in two cached forms, ECEF (position and axes) and geodetic (position and a
// rotation in the north/east/up frame at that position), and keeps them and the owner's transform in step: moving
// the owner refreshes the caches, setting a cached value moves the owner, and a rebuild of the world's coordinate
// system moves the owner so that it keeps its Earth-fixed pose. The anchor works on the world transform of the
// owner's root component: an owner attached to a parent is moved in world space. Game thread only.
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

	/** Stores an ECEF position (metres) and moves the owner there. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefPosition(const FVector& NewEcefPosition);

	/** Stores an ECEF X axis as given (no normalisation) and moves the owner; the caches then hold the owner's actual, orthonormal axes. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefXAxis(const FVector& NewEcefXAxis);

	/** Stores an ECEF Y axis as given and moves the owner, as SetEcefXAxis. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefYAxis(const FVector& NewEcefYAxis);

	/** Stores an ECEF Z axis as given and moves the owner, as SetEcefXAxis. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetEcefZAxis(const FVector& NewEcefZAxis);

	/**
	 * Stores a geodetic position (height above the ellipsoid) and moves the owner there, keeping its ECEF axes (not
	 * its orientation against north, east and up): after a long move it leans by the angle between the two verticals
	 * (0.9 degrees per 100 km); SetGeodeticRotation afterwards stands it up. Without an initialized coordinate system
	 * only the value is stored.
	 */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetGeodeticPosition(const FGeodeticCoordinate& NewGeodeticPosition);

	/** Stores a rotation in the north/east/up frame at the geodetic position, recomputes the ECEF axes and moves the owner. */
	UFUNCTION(BlueprintSetter, Category = "DuRizerudore")
	void SetGeodeticRotation(const FRotator& NewGeodeticRotation);

	/**
	 * Moves the owner to the cached ECEF pose (scale 1) and refreshes the caches from where it landed. False, with
	 * nothing moved, without a valid owner with a root component or without an initialized coordinate system.
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

	void BindAuthorityReferenceChanged();
	void UnbindAuthorityReferenceChanged();
	void BindRootTransformUpdated();
	void UnbindRootTransformUpdated();

	/** A rebuild of the coordinate system: the owner is moved so that its Earth-fixed pose stays the same. */
	void HandleReferenceChanged(FCoordinateReferenceFramePtr PreviousFrame, FCoordinateReferenceFramePtr NewFrame);

	/** The owner moved: the caches follow, unless the move is this component's own. */
	void HandleRootTransformUpdated(USceneComponent* UpdatedComponent, EUpdateTransformFlags UpdateTransformFlags, ETeleportType Teleport);

	/** The editor's edit rules, matched against the edited member and the edited property. */
	void ApplyEditedProperty(FName MemberPropertyName, FName PropertyName);

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

	/** The cached ECEF pose: the three axes as rows 0 to 2, the position as row 3. */
	FMatrix GetEcefMatrix() const;

	/** Stores the rows of an ECEF pose as the cached axes and position, unnormalised, without moving the owner. */
	void SetCachedEcefMatrix(const FMatrix& EcefMatrix);

	TWeakObjectPtr<ADuRizerudoreSystem> AuthorityCoordinateSystem;
	TWeakObjectPtr<USceneComponent> BoundRootComponent;
	FDelegateHandle AuthorityReferenceChangedHandle;
	FDelegateHandle RootTransformUpdatedHandle;
	bool bApplyingAnchorTransform = false;
};
