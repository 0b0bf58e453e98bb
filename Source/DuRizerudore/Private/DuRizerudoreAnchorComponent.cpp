// The anchor component: its bindings, its edit rules and the pose math between the owner's transform, the
// ECEF caches and the geodetic caches.
#include "DuRizerudoreAnchorComponent.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudorePoseConversion.h"
#include "DuRizerudoreReferenceChangedBinding.h"

#include "Engine/ScopedMovementUpdate.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Math/UnrealMathUtility.h"
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
	BindCoordinateSystemReady();
	// An edit registers the component again: a component that had no coordinate system when the edit began
	// looks for none now (a coordinate system that comes later announces itself).
	if (!IsCoordinateSystemInitialized() && (!bEditInProgress || bBoundBeforeEdit))
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
	UnbindCoordinateSystemReady();
	UnbindRootTransformUpdated();
	UnbindAuthorityReferenceChanged();
	Super::OnUnregister();
}

void UDuRizerudoreAnchorComponent::BeginDestroy()
{
	UnbindCoordinateSystemReady();
	UnbindRootTransformUpdated();
	UnbindAuthorityReferenceChanged();
	Super::BeginDestroy();
}

#if WITH_EDITOR
void UDuRizerudoreAnchorComponent::PreEditChange(FProperty* PropertyAboutToChange)
{
	// Recorded before the base class unregisters the component for the edit, which drops the coordinate system.
	bEditInProgress = true;
	bBoundBeforeEdit = !IsTemplate() && IsRegistered() && AuthorityCoordinateSystem.IsValid();
	bInitializedBeforeEdit = bBoundBeforeEdit && IsCoordinateSystemInitialized();
	Super::PreEditChange(PropertyAboutToChange);
}

void UDuRizerudoreAnchorComponent::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	ApplyEditedProperty(PropertyChangedEvent.GetMemberPropertyName(), PropertyChangedEvent.GetPropertyName());
	Super::PostEditChangeProperty(PropertyChangedEvent);
	bEditInProgress = false;
	bBoundBeforeEdit = false;
	bInitializedBeforeEdit = false;
}
#endif

void UDuRizerudoreAnchorComponent::ApplyEditedProperty(const FName MemberPropertyName, const FName PropertyName)
{
	const auto IsEdited = [MemberPropertyName, PropertyName](const TCHAR* Name)
	{
		const FName Member(Name);
		return MemberPropertyName == Member || PropertyName == Member;
	};
	const TCHAR* const EcefMembers[] = {TEXT("EcefPosition"), TEXT("EcefXAxis"), TEXT("EcefYAxis"), TEXT("EcefZAxis")};
	const TCHAR* EditedMember = nullptr;
	for (const TCHAR* const Member : EcefMembers)
	{
		if (EditedMember == nullptr && IsEdited(Member))
		{
			EditedMember = Member;
		}
	}
	const bool bEcefEdited = EditedMember != nullptr;
	const bool bGeodeticPositionEdited = !bEcefEdited && IsEdited(TEXT("GeodeticPosition"));
	const bool bGeodeticRotationEdited = !bEcefEdited && !bGeodeticPositionEdited && IsEdited(TEXT("GeodeticRotation"));
	if (!bEcefEdited && !bGeodeticPositionEdited && !bGeodeticRotationEdited)
	{
		return;
	}
	if (!bEcefEdited)
	{
		EditedMember = bGeodeticPositionEdited ? TEXT("GeodeticPosition") : TEXT("GeodeticRotation");
	}

	// The editor unregisters a component before an edit and registers it again only after this runs, and
	// unregistering drops the coordinate system. A component that was bound when the edit began finds it again
	// here, so that the edit can move the owner; one that was not (no coordinate system, unregistered on purpose,
	// a template) is left as it is.
	if (bEditInProgress && bBoundBeforeEdit && !IsCoordinateSystemInitialized())
	{
		RefreshAuthorityCoordinateSystem();
		// Caches that did not follow the owner before the edit are read from it first, as registration does, so
		// that the edit applies to where the owner stands and not to stale or default values.
		if (!bInitializedBeforeEdit && IsCoordinateSystemInitialized())
		{
			ReadOwnerKeepingEditedMember(FName(EditedMember));
		}
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

void UDuRizerudoreAnchorComponent::ReadOwnerKeepingEditedMember(const FName EditedMember)
{
	const FVector EditedEcefPosition = EcefPosition;
	const FVector EditedEcefXAxis = EcefXAxis;
	const FVector EditedEcefYAxis = EcefYAxis;
	const FVector EditedEcefZAxis = EcefZAxis;
	const FGeodeticCoordinate EditedGeodeticPosition = GeodeticPosition;
	const FRotator EditedGeodeticRotation = GeodeticRotation;
	if (!UpdateCachedCoordinatesFromActor())
	{
		return;
	}
	if (EditedMember == FName(TEXT("EcefPosition")))
	{
		EcefPosition = EditedEcefPosition;
	}
	else if (EditedMember == FName(TEXT("EcefXAxis")))
	{
		EcefXAxis = EditedEcefXAxis;
	}
	else if (EditedMember == FName(TEXT("EcefYAxis")))
	{
		EcefYAxis = EditedEcefYAxis;
	}
	else if (EditedMember == FName(TEXT("EcefZAxis")))
	{
		EcefZAxis = EditedEcefZAxis;
	}
	else if (EditedMember == FName(TEXT("GeodeticPosition")))
	{
		GeodeticPosition = EditedGeodeticPosition;
	}
	else if (EditedMember == FName(TEXT("GeodeticRotation")))
	{
		GeodeticRotation = EditedGeodeticRotation;
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
	if (NewEcefPosition.ContainsNaN())
	{
		return;
	}
	EcefPosition = NewEcefPosition;
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetEcefXAxis(const FVector& NewEcefXAxis)
{
	SetEcefAxisKeepingOrthonormal(0, NewEcefXAxis);
}

void UDuRizerudoreAnchorComponent::SetEcefYAxis(const FVector& NewEcefYAxis)
{
	SetEcefAxisKeepingOrthonormal(1, NewEcefYAxis);
}

void UDuRizerudoreAnchorComponent::SetEcefZAxis(const FVector& NewEcefZAxis)
{
	SetEcefAxisKeepingOrthonormal(2, NewEcefZAxis);
}

void UDuRizerudoreAnchorComponent::SetEcefAxisKeepingOrthonormal(const int32 AxisIndex, const FVector& Direction)
{
	FVector Axes[3] = {EcefXAxis, EcefYAxis, EcefZAxis};
	if (!DuRizerudore::OrthonormalizeAroundAxis(Axes, AxisIndex, Direction))
	{
		return;
	}
	EcefXAxis = Axes[0];
	EcefYAxis = Axes[1];
	EcefZAxis = Axes[2];
	ApplyAnchorTransformToActor();
}

void UDuRizerudoreAnchorComponent::SetGeodeticPosition(const FGeodeticCoordinate& NewGeodeticPosition)
{
	// A latitude beyond a pole names no point: storing it would leave the geodetic cache naming another place
	// than the ECEF one.
	if (NewGeodeticPosition.ToVector().ContainsNaN() || FMath::Abs(NewGeodeticPosition.LatitudeDeg) > 90.0)
	{
		return;
	}
	GeodeticPosition = NewGeodeticPosition;
	if (UpdateEcefPositionFromGeodetic())
	{
		ApplyAnchorTransformToActor();
	}
}

void UDuRizerudoreAnchorComponent::SetGeodeticRotation(const FRotator& NewGeodeticRotation)
{
	if (NewGeodeticRotation.ContainsNaN())
	{
		return;
	}
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
	ADuRizerudoreSystem* const CoordinateSystem = ADuRizerudoreSystem::GetCoordinateSystem(this);
	if (!IsValid(CoordinateSystem))
	{
		return false;
	}
	BindAuthorityReferenceChanged(*CoordinateSystem);
	return IsCoordinateSystemInitialized();
}

void UDuRizerudoreAnchorComponent::BindAuthorityReferenceChanged(ADuRizerudoreSystem& CoordinateSystem)
{
	DuRizerudore::BindReferenceChanged(CoordinateSystem, this, &UDuRizerudoreAnchorComponent::HandleReferenceChanged, AuthorityCoordinateSystem, AuthorityReferenceChangedHandle);
}

void UDuRizerudoreAnchorComponent::UnbindAuthorityReferenceChanged()
{
	DuRizerudore::UnbindReferenceChanged(AuthorityCoordinateSystem, AuthorityReferenceChangedHandle);
}

void UDuRizerudoreAnchorComponent::BindRootTransformUpdated()
{
	UnbindRootTransformUpdated();
	const AActor* const Owner = GetOwner();
	BoundRootComponent = IsValid(Owner) ? Owner->GetRootComponent() : nullptr;
	if (USceneComponent* const RootComponent = BoundRootComponent.Get())
	{
		RootTransformUpdatedHandle = RootComponent->TransformUpdated.AddUObject(this, &UDuRizerudoreAnchorComponent::HandleRootTransformUpdated);
		RootComponent->IsRootComponentChanged.AddDynamic(this, &UDuRizerudoreAnchorComponent::HandleRootComponentChanged);
	}
}

void UDuRizerudoreAnchorComponent::UnbindRootTransformUpdated()
{
	if (USceneComponent* const RootComponent = BoundRootComponent.Get())
	{
		if (RootTransformUpdatedHandle.IsValid())
		{
			RootComponent->TransformUpdated.Remove(RootTransformUpdatedHandle);
		}
		RootComponent->IsRootComponentChanged.RemoveDynamic(this, &UDuRizerudoreAnchorComponent::HandleRootComponentChanged);
	}
	RootTransformUpdatedHandle.Reset();
	BoundRootComponent.Reset();
}

void UDuRizerudoreAnchorComponent::BindCoordinateSystemReady()
{
	UnbindCoordinateSystemReady();
	CoordinateSystemReadyHandle = ADuRizerudoreSystem::GetOnCoordinateSystemReady().AddUObject(this, &UDuRizerudoreAnchorComponent::HandleCoordinateSystemReady);
}

void UDuRizerudoreAnchorComponent::UnbindCoordinateSystemReady()
{
	if (CoordinateSystemReadyHandle.IsValid())
	{
		ADuRizerudoreSystem::GetOnCoordinateSystemReady().Remove(CoordinateSystemReadyHandle);
	}
	CoordinateSystemReadyHandle.Reset();
}

void UDuRizerudoreAnchorComponent::HandleCoordinateSystemReady(UWorld* const World, ADuRizerudoreSystem* const CoordinateSystem)
{
	// Every rebuild in any world is announced to every anchor: the rebuild of the one it is bound to (a shift) is
	// told apart first, at the least cost.
	ADuRizerudoreSystem* const Bound = AuthorityCoordinateSystem.Get();
	if (CoordinateSystem == Bound || !IsRegistered() || World == nullptr || World != GetWorld() || !IsValid(CoordinateSystem))
	{
		return;
	}
	// A component bound to a live coordinate system keeps it unless the world's authority is now another one:
	// only an authority's arrival looks the world up, so an ordinary rebuild of another actor logs nothing.
	if (Bound != nullptr && !CoordinateSystem->IsAuthority())
	{
		return;
	}
	ADuRizerudoreSystem* const Found = ADuRizerudoreSystem::GetCoordinateSystem(this);
	if (!IsValid(Found) || Found == Bound)
	{
		return;
	}
	const bool bWasInitialized = IsCoordinateSystemInitialized();
	const bool bWasBound = Bound != nullptr;
	UnbindAuthorityReferenceChanged();
	BindAuthorityReferenceChanged(*Found);
	if (!IsCoordinateSystemInitialized())
	{
		return;
	}
	// Caches that belong to a coordinate system stay Earth-fixed and the owner moves to them under the new one;
	// without one, the owner's transform is the truth, as at registration.
	if (bWasBound && bWasInitialized)
	{
		ApplyAnchorTransformToActor();
	}
	else
	{
		UpdateCachedCoordinatesFromActor();
	}
}

void UDuRizerudoreAnchorComponent::HandleRootComponentChanged(USceneComponent* /*UpdatedComponent*/, const bool bIsRootComponent)
{
	if (bIsRootComponent)
	{
		return;
	}
	BindRootTransformUpdated();
	// An owner left without a root has not moved on the Earth: the caches keep its pose until a new root comes.
	if (!bApplyingAnchorTransform && BoundRootComponent.IsValid())
	{
		UpdateCachedCoordinatesFromActor();
	}
}

void UDuRizerudoreAnchorComponent::HandleReferenceChanged(FCoordinateReferenceFramePtr /*PreviousFrame*/, FCoordinateReferenceFramePtr /*NewFrame*/)
{
	// The application tests the coordinate system itself and changes nothing without an initialized frame.
	ApplyAnchorTransformToActor();
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
	return DuRizerudore::BuildEngineAxesToEcefBasis(GeodeticPoint.LatitudeDeg, GeodeticPoint.LongitudeDeg);
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
	const FVector NewEcefPosition = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(Instance, GeodeticPosition.ToVector());
	if (NewEcefPosition.ContainsNaN())
	{
		return false;
	}
	EcefPosition = NewEcefPosition;
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
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	return CoordinateSystem != nullptr && UpdateGeodeticFromEcef(*CoordinateSystem);
}

bool UDuRizerudoreAnchorComponent::UpdateGeodeticFromEcef(const ADuRizerudoreSystem& CoordinateSystem)
{
	if (!CoordinateSystem.IsReferenceFrameInitialized())
	{
		return false;
	}
	const FCoordinateConversionInstance& Instance = *CoordinateSystem.GetReferenceFrame().GetConversion();
	// The point's axes come with its geodetic form from one call. They are a rotation, so the cached axes are
	// taken into them by dot products: what the basis's general inverse gives, without its cost.
	FMatrix Basis;
	const FGeodeticCoordinate NewGeodeticPosition(DuRizerudore::ConvertEcefToGeodeticWithEngineAxes(Instance, EcefPosition, Basis));
	const FVector North = Basis.GetScaledAxis(EAxis::X);
	const FVector East = Basis.GetScaledAxis(EAxis::Y);
	const FVector Up = Basis.GetScaledAxis(EAxis::Z);
	FMatrix PointLocal = FMatrix::Identity;
	const FVector EcefAxes[3] = {EcefXAxis, EcefYAxis, EcefZAxis};
	for (int32 Row = 0; Row < 3; ++Row)
	{
		PointLocal.SetAxis(Row, FVector(EcefAxes[Row] | North, EcefAxes[Row] | East, EcefAxes[Row] | Up));
	}
	FVector IgnoredPosition(0.0, 0.0, 0.0);
	FQuat Rotation = FQuat::Identity;
	DuRizerudore::DecomposePoseMatrix(PointLocal, IgnoredPosition, Rotation);
	const FRotator NewGeodeticRotation = Rotation.Rotator();
	if (NewGeodeticPosition.ToVector().ContainsNaN() || NewGeodeticRotation.ContainsNaN())
	{
		return false;
	}
	GeodeticPosition = NewGeodeticPosition;
	GeodeticRotation = NewGeodeticRotation;
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
	const AActor* const Owner = GetOwner();
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	return IsValid(Owner) && CoordinateSystem != nullptr && UpdateCachedCoordinatesFromActor(*Owner, *CoordinateSystem);
}

bool UDuRizerudoreAnchorComponent::UpdateCachedCoordinatesFromActor(const AActor& Owner, const ADuRizerudoreSystem& CoordinateSystem)
{
	const USceneComponent* const RootComponent = Owner.GetRootComponent();
	const FTransform OwnerTransform = RootComponent != nullptr ? RootComponent->GetComponentTransform() : FTransform::Identity;
	FMatrix EcefMatrix;
	// A frame that yields no finite pose leaves the Earth-fixed caches as they were (the conversion refuses a pose
	// that is not finite, so its output needs no second look).
	if (!CoordinateSystem.ConvertAuthorityLocalTransformToEcefMatrix(OwnerTransform, EcefMatrix))
	{
		return false;
	}
	SetCachedEcefMatrix(EcefMatrix);
	return UpdateGeodeticFromEcef(CoordinateSystem);
}

bool UDuRizerudoreAnchorComponent::ApplyAnchorTransformToActor()
{
	AActor* const Owner = GetOwner();
	if (!IsValid(Owner))
	{
		return false;
	}
	USceneComponent* const RootComponent = Owner->GetRootComponent();
	const ADuRizerudoreSystem* const CoordinateSystem = AuthorityCoordinateSystem.Get();
	if (!IsValid(RootComponent) || CoordinateSystem == nullptr || !CoordinateSystem->IsReferenceFrameInitialized())
	{
		return false;
	}
	FTransform Target = FTransform::Identity;
	// A pose the frame cannot express in finite numbers never reaches the owner.
	if (!CoordinateSystem->ConvertEcefMatrixToAuthorityLocalTransform(GetEcefMatrix(), Target) || Target.ContainsNaN())
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
		// A root that is not Movable stays where it is in a game world. Only a root that now stands at the
		// target has moved; an owner that stayed behind is never read back, so the caches keep the Earth-fixed
		// pose for the next move or rebuild.
		bMoved = Owner->SetActorTransform(Target, false, nullptr, ETeleportType::TeleportPhysics) && RootComponent->GetComponentTransform().Equals(Target);
		if (bMoved)
		{
			UpdateCachedCoordinatesFromActor();
		}
		else
		{
			// The geodetic form follows the ECEF pose that is kept, so both still name one pose.
			UpdateGeodeticFromEcef();
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
