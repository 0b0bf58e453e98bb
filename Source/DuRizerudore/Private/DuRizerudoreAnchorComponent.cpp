// The anchor component: its bindings, its edit rules and the pose math between the owner's transform, the
// ECEF caches and the geodetic caches.
#include "DuRizerudoreAnchorComponent.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudorePoseConversion.h"

#include "Engine/ScopedMovementUpdate.h"
#include "GameFramework/Actor.h"
#include "UObject/UnrealType.h"

UDuRizerudoreAnchorComponent::UDuRizerudoreAnchorComponent()
{
	PrimaryComponentTick.bCanEverTick = false;
	PrimaryComponentTick.bStartWithTickEnabled = false;
}

UDuRizerudoreAnchorComponent::~UDuRizerudoreAnchorComponent() = default;

void UDuRizerudoreAnchorComponent::OnRegister()
{
	Super::OnRegister();
	BindRootTransformUpdated();
	if (!IsCoordinateSystemInitialized())
	{
		RefreshAuthorityCoordinateSystem();
	}
	// At registration the owner's transform is the truth; the caches follow it.
	if (IsCoordinateSystemInitialized())
	{
		UpdateCachedCoordinatesFromActor();
	}
}

void UDuRizerudoreAnchorComponent::OnUnregister()
{
	UnbindRootTransformUpdated();
	UnbindAuthorityReferenceChanged();
	AuthorityCoordinateSystem.Reset();
	Super::OnUnregister();
}

void UDuRizerudoreAnchorComponent::BeginDestroy()
{
	UnbindRootTransformUpdated();
	UnbindAuthorityReferenceChanged();
	AuthorityCoordinateSystem.Reset();
	Super::BeginDestroy();
}

#if WITH_EDITOR
void UDuRizerudoreAnchorComponent::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	ApplyEditedProperty(PropertyChangedEvent.GetMemberPropertyName(), PropertyChangedEvent.GetPropertyName());
	Super::PostEditChangeProperty(PropertyChangedEvent);
}
#endif

void UDuRizerudoreAnchorComponent::ApplyEditedProperty(const FName MemberPropertyName, const FName PropertyName)
{
	const auto IsEdited = [MemberPropertyName, PropertyName](const TCHAR* Name)
	{
		const FName Member(Name);
		return MemberPropertyName == Member || PropertyName == Member;
	};
	const bool bEcefEdited = IsEdited(TEXT("EcefPosition")) || IsEdited(TEXT("EcefXAxis")) || IsEdited(TEXT("EcefYAxis")) || IsEdited(TEXT("EcefZAxis"));
	const bool bGeodeticPositionEdited = !bEcefEdited && IsEdited(TEXT("GeodeticPosition"));
	const bool bGeodeticRotationEdited = !bEcefEdited && !bGeodeticPositionEdited && IsEdited(TEXT("GeodeticRotation"));
	if (!bEcefEdited && !bGeodeticPositionEdited && !bGeodeticRotationEdited)
	{
		return;
	}

	// The editor unregisters a component before an edit and registers it again only after this runs, and
	// unregistering drops the coordinate system: without finding it again here the edit could not move the
	// owner, and the registration that follows would read the unmoved owner back into the caches.
	if (!IsCoordinateSystemInitialized())
	{
		RefreshAuthorityCoordinateSystem();
	}

	if (bEcefEdited)
	{
		ApplyAnchorTransformToActor();
	}
	else if (bGeodeticPositionEdited)
	{
		if (UpdateEcefPositionFromGeodetic())
		{
			ApplyAnchorTransformToActor();
		}
	}
	else if (UpdateEcefBasisFromGeodetic())
	{
		ApplyAnchorTransformToActor();
	}
}

FVector UDuRizerudoreAnchorComponent::GetEcefPosition() const
{
	return EcefPosition;
}

FVector UDuRizerudoreAnchorComponent::GetEcefXAxis() const
{
	return EcefXAxis;
}

FVector UDuRizerudoreAnchorComponent::GetEcefYAxis() const
{
	return EcefYAxis;
}

FVector UDuRizerudoreAnchorComponent::GetEcefZAxis() const
{
	return EcefZAxis;
}

FGeodeticCoordinate UDuRizerudoreAnchorComponent::GetGeodeticPosition() const
{
	return GeodeticPosition;
}

FRotator UDuRizerudoreAnchorComponent::GetGeodeticRotation() const
{
	return GeodeticRotation;
}

void UDuRizerudoreAnchorComponent::SetEcefPosition(const FVector& NewEcefPosition)
{
	EcefPosition = NewEcefPosition;
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetEcefXAxis(const FVector& NewEcefXAxis)
{
	EcefXAxis = NewEcefXAxis;
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetEcefYAxis(const FVector& NewEcefYAxis)
{
	EcefYAxis = NewEcefYAxis;
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetEcefZAxis(const FVector& NewEcefZAxis)
{
	EcefZAxis = NewEcefZAxis;
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetGeodeticPosition(const FGeodeticCoordinate& NewGeodeticPosition)
{
	GeodeticPosition = NewGeodeticPosition;
	if (UpdateEcefPositionFromGeodetic())
	{
		ApplyAnchorTransformToActor();
	}
}

void UDuRizerudoreAnchorComponent::SetGeodeticRotation(const FRotator& NewGeodeticRotation)
{
	GeodeticRotation = NewGeodeticRotation;
	UpdateEcefBasisFromGeodetic();
	ApplyAnchorTransformToActor();
}

bool UDuRizerudoreAnchorComponent::UpdateAnchorTransformFromActor()
{
	return UpdateCachedCoordinatesFromActor();
}

bool UDuRizerudoreAnchorComponent::IsCoordinateSystemInitialized() const
{
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	return CoordinateSystem != nullptr && CoordinateSystem->IsReferenceFrameInitialized();
}

bool UDuRizerudoreAnchorComponent::RefreshAuthorityCoordinateSystem()
{
	UnbindAuthorityReferenceChanged();
	AuthorityCoordinateSystem.Reset();
	ADuRizerudoreSystem* const CoordinateSystem = ADuRizerudoreSystem::GetCoordinateSystem(this);
	if (!IsValid(CoordinateSystem))
	{
		return false;
	}
	AuthorityCoordinateSystem = CoordinateSystem;
	BindAuthorityReferenceChanged();
	return IsCoordinateSystemInitialized();
}

void UDuRizerudoreAnchorComponent::BindAuthorityReferenceChanged()
{
	if (ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get())
	{
		AuthorityReferenceChangedHandle = CoordinateSystem->GetOnReferenceChanged().AddUObject(this, &UDuRizerudoreAnchorComponent::HandleReferenceChanged);
	}
}

void UDuRizerudoreAnchorComponent::UnbindAuthorityReferenceChanged()
{
	if (AuthorityReferenceChangedHandle.IsValid())
	{
		if (ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get())
		{
			CoordinateSystem->GetOnReferenceChanged().Remove(AuthorityReferenceChangedHandle);
		}
	}
	AuthorityReferenceChangedHandle.Reset();
}

void UDuRizerudoreAnchorComponent::BindRootTransformUpdated()
{
	UnbindRootTransformUpdated();
	const AActor* const Owner = GetOwner();
	BoundRootComponent = IsValid(Owner) ? Owner->GetRootComponent() : nullptr;
	if (USceneComponent* const RootComponent = BoundRootComponent.Get())
	{
		RootTransformUpdatedHandle = RootComponent->TransformUpdated.AddUObject(this, &UDuRizerudoreAnchorComponent::HandleRootTransformUpdated);
	}
}

void UDuRizerudoreAnchorComponent::UnbindRootTransformUpdated()
{
	if (RootTransformUpdatedHandle.IsValid())
	{
		if (USceneComponent* const RootComponent = BoundRootComponent.Get())
		{
			RootComponent->TransformUpdated.Remove(RootTransformUpdatedHandle);
		}
	}
	RootTransformUpdatedHandle.Reset();
	BoundRootComponent.Reset();
}

void UDuRizerudoreAnchorComponent::HandleReferenceChanged(FCoordinateReferenceFramePtr /*PreviousFrame*/, FCoordinateReferenceFramePtr /*NewFrame*/)
{
	if (IsCoordinateSystemInitialized())
	{
		ApplyAnchorTransformToActor();
	}
}

void UDuRizerudoreAnchorComponent::HandleRootTransformUpdated(USceneComponent* /*UpdatedComponent*/, EUpdateTransformFlags /*UpdateTransformFlags*/, ETeleportType /*Teleport*/)
{
	if (!bApplyingAnchorTransform)
	{
		UpdateCachedCoordinatesFromActor();
	}
}

FMatrix UDuRizerudoreAnchorComponent::BuildPointLocalUeToEcefMatrix(const FGeodeticCoordinate& GeodeticPoint)
{
	const FQuat EnuToGeocentric = DuRizerudore::BuildEnuToGeocentricRotation(GeodeticPoint.LatitudeDeg, GeodeticPoint.LongitudeDeg);
	// Engine axes at the point: X north, Y east, Z up, each taken from its east-north-up form.
	FMatrix Basis = FMatrix::Identity;
	Basis.SetAxis(0, EnuToGeocentric.RotateVector(FVector(0.0, 1.0, 0.0)));
	Basis.SetAxis(1, EnuToGeocentric.RotateVector(FVector(1.0, 0.0, 0.0)));
	Basis.SetAxis(2, EnuToGeocentric.RotateVector(FVector(0.0, 0.0, 1.0)));
	return Basis;
}

FMatrix UDuRizerudoreAnchorComponent::ConvertPointLocalUeMatrixToEcef(const FMatrix& PointLocalMatrix, const FGeodeticCoordinate& GeodeticPoint)
{
	const FMatrix Basis = BuildPointLocalUeToEcefMatrix(GeodeticPoint);
	// The engine's TransformVector gives a four-component vector; its first three are the image of the row.
	FMatrix Result = FMatrix::Identity;
	for (int32 Row = 0; Row < 3; ++Row)
	{
		Result.SetAxis(Row, FVector(Basis.TransformVector(FVector(PointLocalMatrix.M[Row][0], PointLocalMatrix.M[Row][1], PointLocalMatrix.M[Row][2]))));
	}
	return Result;
}

FMatrix UDuRizerudoreAnchorComponent::ConvertEcefMatrixToPointLocalUe(const FMatrix& EcefMatrix, const FGeodeticCoordinate& GeodeticPoint)
{
	// The engine's general inverse, which falls back to the identity for a basis of near-zero rows.
	const FMatrix InverseBasis = BuildPointLocalUeToEcefMatrix(GeodeticPoint).Inverse();
	FMatrix Result = FMatrix::Identity;
	for (int32 Row = 0; Row < 3; ++Row)
	{
		Result.SetAxis(Row, FVector(InverseBasis.TransformVector(FVector(EcefMatrix.M[Row][0], EcefMatrix.M[Row][1], EcefMatrix.M[Row][2]))));
	}
	return Result;
}

bool UDuRizerudoreAnchorComponent::UpdateEcefPositionFromGeodetic()
{
	if (!IsCoordinateSystemInitialized())
	{
		return false;
	}
	const FCoordinateConversionInstance& Instance = *AuthorityCoordinateSystem->GetReferenceFrame().GetConversion();
	EcefPosition = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(Instance, GeodeticPosition.ToVector());
	return true;
}

bool UDuRizerudoreAnchorComponent::UpdateEcefBasisFromGeodetic()
{
	const FMatrix PointLocal = DuRizerudore::MakePoseMatrix(GeodeticRotation.Quaternion(), FVector(0.0, 0.0, 0.0));
	const FMatrix Ecef = ConvertPointLocalUeMatrixToEcef(PointLocal, GeodeticPosition);
	EcefXAxis = FVector(Ecef.M[0][0], Ecef.M[0][1], Ecef.M[0][2]);
	EcefYAxis = FVector(Ecef.M[1][0], Ecef.M[1][1], Ecef.M[1][2]);
	EcefZAxis = FVector(Ecef.M[2][0], Ecef.M[2][1], Ecef.M[2][2]);
	return true;
}

bool UDuRizerudoreAnchorComponent::UpdateGeodeticFromEcef()
{
	if (!IsCoordinateSystemInitialized())
	{
		return false;
	}
	const FCoordinateConversionInstance& Instance = *AuthorityCoordinateSystem->GetReferenceFrame().GetConversion();
	GeodeticPosition = FGeodeticCoordinate(FCoordinateConversionKernelAccess::WorldPositionToGeodetic(Instance, EcefPosition));
	FVector IgnoredPosition(0.0, 0.0, 0.0);
	FQuat Rotation = FQuat::Identity;
	DuRizerudore::DecomposePoseMatrix(ConvertEcefMatrixToPointLocalUe(GetEcefMatrix(), GeodeticPosition), IgnoredPosition, Rotation);
	GeodeticRotation = Rotation.Rotator();
	return true;
}

bool UDuRizerudoreAnchorComponent::ConvertActorTransformToEcef(FMatrix& OutEcefMatrix) const
{
	const AActor* const Owner = GetOwner();
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	if (!IsValid(Owner) || CoordinateSystem == nullptr)
	{
		return false;
	}
	const USceneComponent* const RootComponent = Owner->GetRootComponent();
	const FTransform OwnerTransform = RootComponent != nullptr ? RootComponent->GetComponentTransform() : FTransform::Identity;
	return CoordinateSystem->ConvertAuthorityLocalTransformToEcefMatrix(OwnerTransform, OutEcefMatrix);
}

bool UDuRizerudoreAnchorComponent::ConvertEcefToActorTransform(FTransform& OutTransform) const
{
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	return CoordinateSystem != nullptr && CoordinateSystem->ConvertEcefMatrixToAuthorityLocalTransform(GetEcefMatrix(), OutTransform);
}

bool UDuRizerudoreAnchorComponent::UpdateCachedCoordinatesFromActor()
{
	FMatrix EcefMatrix;
	if (!ConvertActorTransformToEcef(EcefMatrix))
	{
		return false;
	}
	SetCachedEcefMatrix(EcefMatrix);
	return UpdateGeodeticFromEcef();
}

bool UDuRizerudoreAnchorComponent::ApplyAnchorTransformToActor()
{
	AActor* const Owner = GetOwner();
	if (!IsValid(Owner))
	{
		return false;
	}
	USceneComponent* const RootComponent = Owner->GetRootComponent();
	if (!IsValid(RootComponent) || !IsCoordinateSystemInitialized())
	{
		return false;
	}
	FTransform Target = FTransform::Identity;
	if (!ConvertEcefToActorTransform(Target))
	{
		return false;
	}

	// The owner's transform event fires while this component moves it; the flag keeps that echo out, and its
	// previous value is restored so that nested applications stay guarded.
	const bool bWasApplyingAnchorTransform = bApplyingAnchorTransform;
	bApplyingAnchorTransform = true;
	bool bMoved = false;
	{
		FScopedMovementUpdate MovementUpdate(RootComponent, EScopedUpdate::DeferredUpdates, false);
		bMoved = Owner->SetActorTransform(Target, false, nullptr, ETeleportType::TeleportPhysics);
		if (bMoved)
		{
			UpdateCachedCoordinatesFromActor();
		}
	}
	bApplyingAnchorTransform = bWasApplyingAnchorTransform;
	return bMoved;
}

FMatrix UDuRizerudoreAnchorComponent::GetEcefMatrix() const
{
	return FMatrix(EcefXAxis, EcefYAxis, EcefZAxis, EcefPosition);
}

void UDuRizerudoreAnchorComponent::SetCachedEcefMatrix(const FMatrix& EcefMatrix)
{
	EcefXAxis = FVector(EcefMatrix.M[0][0], EcefMatrix.M[0][1], EcefMatrix.M[0][2]);
	EcefYAxis = FVector(EcefMatrix.M[1][0], EcefMatrix.M[1][1], EcefMatrix.M[1][2]);
	EcefZAxis = FVector(EcefMatrix.M[2][0], EcefMatrix.M[2][1], EcefMatrix.M[2][2]);
	EcefPosition = EcefMatrix.GetOrigin();
}
