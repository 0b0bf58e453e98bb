// The coordinate-system actor: rebuilds, the world lookup, the authority binding and the conversion of
// whole poses through the authority's frame.
#include "DuRizerudoreSystem.h"

#include "DuRizerudoreLog.h"
#include "DuRizerudorePoseConversion.h"
#include "DuRizerudoreReferenceChangedBinding.h"

#include "Containers/Array.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "Kismet/GameplayStatics.h"
#include "Misc/AssertionMacros.h"
#include "Templates/Casts.h"
#include "Templates/UnrealTemplate.h"
#include "UObject/UnrealType.h"

ADuRizerudoreSystem::ADuRizerudoreSystem(const FObjectInitializer& ObjectInitializer)
	: Super(ObjectInitializer)
{
	PrimaryActorTick.bCanEverTick = false;
	PrimaryActorTick.bStartWithTickEnabled = false;
	// A coordinate system has no physical presence: it never takes part in collision queries.
	SetActorEnableCollision(false);
	// A new actor of the class may change the answer of any world's lookup once it is in a world.
	InvalidateRememberedLookups();
}

ADuRizerudoreSystem::~ADuRizerudoreSystem() = default;

void ADuRizerudoreSystem::PostLoad()
{
	Super::PostLoad();
	// The engine loads class defaults and archetypes too; only placed actors own models.
	if (!IsTemplate())
	{
		RefreshState();
	}
}

void ADuRizerudoreSystem::PostActorCreated()
{
	Super::PostActorCreated();
	if (!IsTemplate())
	{
		RefreshState();
	}
}

#if WITH_EDITOR
void ADuRizerudoreSystem::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
	Super::PostEditChangeProperty(PropertyChangedEvent);
	// Every edit rebuilds, the authority flag included, so that the binding follows it.
	if (!IsTemplate())
	{
		RefreshState();
	}
}
#endif

void ADuRizerudoreSystem::PostRegisterAllComponents()
{
	Super::PostRegisterAllComponents();
	// A level streamed in loads its actors before it joins the world: their rebuilds were announced where nobody
	// of this world listened, so joining is announced again.
	InvalidateRememberedLookups();
	BroadcastCoordinateSystemReady();
}

void ADuRizerudoreSystem::PostUnregisterAllComponents()
{
	// The actor leaves its world (its level is removed, or it is destroyed).
	InvalidateRememberedLookups();
	Super::PostUnregisterAllComponents();
}

void ADuRizerudoreSystem::Destroyed()
{
	InvalidateRememberedLookups();
	Super::Destroyed();
}

void ADuRizerudoreSystem::BeginDestroy()
{
	InvalidateRememberedLookups();
	UnbindAuthorityBinding();
	ReferenceFrame.Reset();
	Instance.Reset();
	Super::BeginDestroy();
}

const FCoordinateConversionSetup& ADuRizerudoreSystem::GetSetup() const
{
	return Setup;
}

FCoordinateConversionSetup& ADuRizerudoreSystem::GetSetup()
{
	return Setup;
}

const FCoordinateReferenceSetup& ADuRizerudoreSystem::GetReferenceSetup() const
{
	return ReferenceSetup;
}

FCoordinateReferenceSetup& ADuRizerudoreSystem::GetReferenceSetup()
{
	return ReferenceSetup;
}

const FCoordinateConversionInstance& ADuRizerudoreSystem::GetInstance() const
{
	check(Instance.IsValid());
	return *Instance;
}

FCoordinateConversionInstance& ADuRizerudoreSystem::GetInstance()
{
	check(Instance.IsValid());
	return *Instance;
}

TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> ADuRizerudoreSystem::GetInstancePtr() const
{
	return Instance;
}

const FCoordinateReferenceFrame& ADuRizerudoreSystem::GetReferenceFrame() const
{
	check(ReferenceFrame.IsValid());
	return *ReferenceFrame;
}

FCoordinateReferenceFrame& ADuRizerudoreSystem::GetReferenceFrame()
{
	check(ReferenceFrame.IsValid());
	return *ReferenceFrame;
}

FCoordinateReferenceFramePtr ADuRizerudoreSystem::GetReferenceFramePtr() const
{
	return ReferenceFrame;
}

ADuRizerudoreSystem::FOnCoordinateSystemReady& ADuRizerudoreSystem::GetOnCoordinateSystemReady()
{
	static FOnCoordinateSystemReady OnCoordinateSystemReady;
	return OnCoordinateSystemReady;
}

void ADuRizerudoreSystem::BroadcastCoordinateSystemReady()
{
	UWorld* const World = GetWorld();
	if (World != nullptr && !IsTemplate() && IsValid(this) && IsReferenceFrameInitialized())
	{
		GetOnCoordinateSystemReady().Broadcast(World, this);
	}
}

ADuRizerudoreSystem::FOnReferenceChanged& ADuRizerudoreSystem::GetOnReferenceChanged()
{
	return OnReferenceChanged;
}

bool ADuRizerudoreSystem::IsReferenceFrameInitialized() const
{
	return ReferenceFrame.IsValid() && ReferenceFrame->IsInitialized();
}

bool ADuRizerudoreSystem::IsBroadcastingReferenceChange() const
{
	return bBroadcasting;
}

bool ADuRizerudoreSystem::IsAuthority() const
{
	return bAuthority;
}

bool ADuRizerudoreSystem::SetReferenceSetup(const FCoordinateReferenceSetup& NewReferenceSetup)
{
	if (!CanChangeAtRunTime(TEXT("SetReferenceSetup")))
	{
		return false;
	}
	ReferenceSetup = NewReferenceSetup;
	RefreshState(EInstanceRebuild::WhenSetupChanged);
	return IsReferenceFrameInitialized();
}

bool ADuRizerudoreSystem::SetSetup(const FCoordinateConversionSetup& NewSetup)
{
	if (!CanChangeAtRunTime(TEXT("SetSetup")))
	{
		return false;
	}
	Setup = NewSetup;
	RefreshState(EInstanceRebuild::Always);
	return IsReferenceFrameInitialized();
}

bool ADuRizerudoreSystem::CanChangeAtRunTime(const TCHAR* const FunctionName) const
{
	if (bBroadcasting)
	{
		// The rebuild would replace the frame under the handlers still to be called, and their re-poses would be
		// told about a frame that is no longer the one they are given.
		UE_LOG(LogDuRizerudoreSystem, Error, TEXT("%s was called on %s while it broadcasts a change of its reference frame; the call is refused and nothing changes."),
			FunctionName, *GetName());
		return false;
	}
	if (!IsValid(this) || IsTemplate() || HasAnyFlags(RF_BeginDestroyed))
	{
		UE_LOG(LogDuRizerudoreSystem, Error, TEXT("%s was called on %s, which is a template or is being destroyed; the call is refused and nothing changes."),
			FunctionName, *GetName());
		return false;
	}
	return true;
}

namespace DuRizerudore::SystemPrivate
{
	/** Whether two setups select the same models, truncation and interpolation, so that they build the same instance. */
	bool IsSameModelSelection(const FCoordinateConversionSetup& A, const FCoordinateConversionSetup& B)
	{
		return A.DatumModel == B.DatumModel && A.GravityModel == B.GravityModel && A.GeoidModel == B.GeoidModel
			&& A.GravityAccuracy == B.GravityAccuracy && A.GravityMaxDegree == B.GravityMaxDegree
			&& A.GravityMaxOrder == B.GravityMaxOrder && A.GeoidInterpolation == B.GeoidInterpolation;
	}
}

void ADuRizerudoreSystem::RefreshState(const EInstanceRebuild Rebuild)
{
	// A rebuild is where the authority flag takes effect (an edit of any property rebuilds).
	InvalidateRememberedLookups();
	const FCoordinateReferenceFramePtr PreviousFrame = ReferenceFrame;
	ReferenceFrame.Reset();

	// An edit rebuilds the instance: it may have changed the model files on disk as well as the setup. A run-time
	// change of the local frame keeps an initialized instance built from the same models, so that it reads no file.
	const bool bKeepInstance = Rebuild == EInstanceRebuild::WhenSetupChanged && Instance.IsValid() && Instance->IsInitialized()
		&& DuRizerudore::SystemPrivate::IsSameModelSelection(InstanceSetup, Setup);
	if (!bKeepInstance)
	{
		Instance = MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(Setup);
		InstanceSetup = Setup;
	}
	if (Instance->IsInitialized())
	{
		ReferenceFrame = LocalReferenceFrame ? MakeShared<FCoordinateReferenceFrame, ESPMode::ThreadSafe>(Instance, ReferenceSetup)
											 : MakeShared<FCoordinateReferenceFrame, ESPMode::ThreadSafe>(Instance);
		// A local frame that the projection rejected (logged by the frame) fails the rebuild rather than quietly
		// leaving a frame whose local axes are the geocentric ones.
		if (!ReferenceFrame->IsInitialized() || (LocalReferenceFrame && !ReferenceFrame->HasLocalFrame()))
		{
			ReferenceFrame.Reset();
		}
	}

	if (ReferenceFrame.IsValid())
	{
		RefreshAuthorityBinding();
	}
	else
	{
		UnbindAuthorityBinding();
	}
	const TGuardValue<bool> BroadcastGuard(bBroadcasting, true);
	OnReferenceChanged.Broadcast(PreviousFrame, ReferenceFrame);
	OnReferenceFrameChanged.Broadcast(IsReferenceFrameInitialized());
	BroadcastCoordinateSystemReady();
}

ADuRizerudoreSystem* ADuRizerudoreSystem::GetCoordinateSystem(const UObject* WorldContextObject)
{
	if (GEngine == nullptr)
	{
		return nullptr;
	}
	UWorld* const World = GEngine->GetWorldFromContextObject(WorldContextObject, EGetWorldErrorMode::LogAndReturnNull);
	if (World == nullptr)
	{
		return nullptr;
	}

	TArray<AActor*> Actors;
	UGameplayStatics::GetAllActorsOfClass(World, ADuRizerudoreSystem::StaticClass(), Actors);
	if (Actors.Num() == 0)
	{
		UE_LOG(LogDuRizerudoreSystem, Error, TEXT("DuRizerudoreSystem actor not found. Add one to the world to configure the default coordinate system."));
		return nullptr;
	}

	ADuRizerudoreSystem* Authority = nullptr;
	int32 AuthorityCount = 0;
	for (AActor* const Actor : Actors)
	{
		ADuRizerudoreSystem* const System = Cast<ADuRizerudoreSystem>(Actor);
		if (IsValid(System) && System->bAuthority)
		{
			Authority = System;
			++AuthorityCount;
		}
	}
	if (AuthorityCount == 1)
	{
		return Authority;
	}
	if (AuthorityCount > 1)
	{
		UE_LOG(LogDuRizerudoreSystem, Error, TEXT("Multiple authoritative DuRizerudoreSystem actors found. Exactly one authority should exist per world."));
		return nullptr;
	}
	if (Actors.Num() == 1)
	{
		return Cast<ADuRizerudoreSystem>(Actors[0]);
	}
	UE_LOG(LogDuRizerudoreSystem, Error, TEXT("Multiple DuRizerudoreSystem actors found, but none is marked as authority."));
	return nullptr;
}

uint64& ADuRizerudoreSystem::GetCoordinateSystemsGeneration()
{
	// Starts above the zero of a lookup never remembered.
	static uint64 Generation = 1;
	return Generation;
}

void ADuRizerudoreSystem::InvalidateRememberedLookups()
{
	++GetCoordinateSystemsGeneration();
}

const ADuRizerudoreSystem* ADuRizerudoreSystem::FindCoordinateSystemOfWorld() const
{
	// The lookup's answer changes only when an actor of the class joins or leaves a world, is destroyed (or marked
	// for destruction, which leaves the one found invalid) or changes its authority flag (which a rebuild follows).
	// Asked once per call, so that an answer is never carried into another world.
	const UWorld* const World = GetWorld();
	const ADuRizerudoreSystem* const Remembered = RememberedCoordinateSystem.Get();
	if (RememberedGeneration == GetCoordinateSystemsGeneration() && IsValid(Remembered) && Remembered->bAuthority == bRememberedAuthority
		&& World != nullptr && (Remembered == this || Remembered->GetWorld() == World))
	{
		return Remembered;
	}
	ADuRizerudoreSystem* const Found = GetCoordinateSystem(this);
	RememberedCoordinateSystem = Found;
	RememberedGeneration = IsValid(Found) ? GetCoordinateSystemsGeneration() : 0;
	bRememberedAuthority = Found != nullptr && Found->bAuthority;
	return Found;
}

const FCoordinateReferenceFrame* ADuRizerudoreSystem::GetAuthorityReferenceFrame() const
{
	// An authority never looks itself up, so two authorities in one world each still answer with their own frame.
	const ADuRizerudoreSystem* const Candidate = bAuthority ? this : FindCoordinateSystemOfWorld();
	if (!IsValid(Candidate) || !Candidate->IsReferenceFrameInitialized())
	{
		return nullptr;
	}
	return Candidate->ReferenceFrame.Get();
}

void ADuRizerudoreSystem::RefreshAuthorityBinding()
{
	UnbindAuthorityBinding();
	if (bAuthority)
	{
		return;
	}
	ADuRizerudoreSystem* const Authority = GetCoordinateSystem(this);
	if (!IsValid(Authority) || Authority == this)
	{
		return;
	}
	DuRizerudore::BindReferenceChanged(*Authority, this, &ADuRizerudoreSystem::HandleAuthorityReferenceChanged, AuthorityCoordinateSystem, AuthorityReferenceChangedHandle);
}

void ADuRizerudoreSystem::UnbindAuthorityBinding()
{
	DuRizerudore::UnbindReferenceChanged(AuthorityCoordinateSystem, AuthorityReferenceChangedHandle);
}

void ADuRizerudoreSystem::HandleAuthorityReferenceChanged(FCoordinateReferenceFramePtr /*PreviousFrame*/, FCoordinateReferenceFramePtr /*NewFrame*/)
{
	// This actor's own frame is what its own rebuild made; listeners only learn that the authority changed.
	const TGuardValue<bool> BroadcastGuard(bBroadcasting, true);
	OnReferenceChanged.Broadcast(ReferenceFrame, ReferenceFrame);
}

bool ADuRizerudoreSystem::ConvertAuthorityLocalTransformToEcefMatrix(const FTransform& LocalTransform, FMatrix& OutEcefMatrix) const
{
	const FCoordinateReferenceFrame* const Frame = GetAuthorityReferenceFrame();
	return Frame != nullptr && DuRizerudore::ConvertLocalUeTransformToEcefPose(*Frame, LocalTransform, OutEcefMatrix);
}

bool ADuRizerudoreSystem::ConvertEcefMatrixToAuthorityLocalTransform(const FMatrix& EcefMatrix, FTransform& OutLocalTransform) const
{
	const FCoordinateReferenceFrame* const Frame = GetAuthorityReferenceFrame();
	return Frame != nullptr && DuRizerudore::ConvertEcefPoseToLocalUeTransform(*Frame, EcefMatrix, OutLocalTransform);
}

bool ADuRizerudoreSystem::ConvertAuthorityLocalToEcef(const FVector& LocalPosition, const FQuat& LocalRotation, FVector& OutEcefPosition, FQuat& OutEcefRotation) const
{
	FMatrix EcefPose;
	if (!ConvertAuthorityLocalTransformToEcefMatrix(FTransform(LocalRotation, LocalPosition, FVector(1.0, 1.0, 1.0)), EcefPose))
	{
		return false;
	}
	DuRizerudore::DecomposePoseMatrix(EcefPose, OutEcefPosition, OutEcefRotation);
	return true;
}

bool ADuRizerudoreSystem::ConvertEcefToAuthorityLocal(const FVector& EcefPosition, const FQuat& EcefRotation, FVector& OutLocalPosition, FQuat& OutLocalRotation) const
{
	// The engine's matrix conversion treats a rotation that is not normalised as a broken invariant; a caller's
	// unnormalised input is refused instead.
	if (!EcefRotation.IsNormalized())
	{
		return false;
	}
	const FCoordinateReferenceFrame* const Frame = GetAuthorityReferenceFrame();
	FMatrix LocalUePose;
	if (Frame == nullptr || !DuRizerudore::ConvertEcefPoseToLocalUePose(*Frame, DuRizerudore::MakePoseMatrix(EcefRotation, EcefPosition), LocalUePose))
	{
		return false;
	}
	DuRizerudore::DecomposePoseMatrix(LocalUePose, OutLocalPosition, OutLocalRotation);
	return true;
}
