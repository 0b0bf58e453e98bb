// The world actor that owns the default conversion models and reference frame of its world.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Delegates/DelegateCombinations.h"
#include "DuRizerudoreConversion.h"
#include "GameFramework/Info.h"
#include "Math/Matrix.h"
#include "Math/Transform.h"
#include "Templates/SharedPointer.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include "DuRizerudoreSystem.generated.h"

class FObjectInitializer;
class UWorld;
struct FPropertyChangedEvent;

/** A thread-safe shared reference frame; the event macros cannot take a type with a comma in it. */
using FCoordinateReferenceFramePtr = TSharedPtr<FCoordinateReferenceFrame, ESPMode::ThreadSafe>;

/** Raised by a coordinate system after every rebuild of its frame, with whether the new frame is initialized. */
DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FDuRizerudoreReferenceFrameChanged, bool, bFrameInitialized);

/**
 * World actor that owns the default conversion models and reference frame for its world.
 *
 * Every load, spawn and edit rebuilds the conversion instance from Setup and the reference frame from
 * ReferenceSetup, then broadcasts OnReferenceChanged with the frame held before and the frame held now (null
 * when the rebuild failed). Frames handed out earlier stay valid: they share their own instance. A world holds
 * one such actor, or several of which exactly one is marked as authority; the others follow the authority and
 * re-broadcast its changes. Engine objects are touched on the game thread only; the frames may be used from
 * any thread.
 */
UCLASS(Blueprintable, BlueprintType, HideCategories = (Actor, Input, Replication, Collision, Rendering, HLOD, Cooking, Transform),
	meta = (ToolTip = "World actor that owns the default conversion models and reference frame for its world."))
class DURIZERUDORE_API ADuRizerudoreSystem : public AInfo
{
	GENERATED_BODY()

public:
	/** Raised after every rebuild with (previous frame, new frame); either may be null. */
	DECLARE_MULTICAST_DELEGATE_TwoParams(FOnReferenceChanged, FCoordinateReferenceFramePtr /*PreviousFrame*/, FCoordinateReferenceFramePtr /*NewFrame*/);

	/** Raised with (world, coordinate system) when a coordinate system of that world holds an initialized frame. */
	DECLARE_MULTICAST_DELEGATE_TwoParams(FOnCoordinateSystemReady, UWorld* /*World*/, ADuRizerudoreSystem* /*CoordinateSystem*/);

	/** Builds nothing: the models are loaded at the first load, spawn or edit. The actor never ticks. */
	ADuRizerudoreSystem(const FObjectInitializer& ObjectInitializer);
	virtual ~ADuRizerudoreSystem() override;

	virtual void PostLoad() override;
	virtual void PostActorCreated() override;
#if WITH_EDITOR
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
#endif
	virtual void PostRegisterAllComponents() override;
	virtual void PostUnregisterAllComponents() override;
	virtual void Destroyed() override;
	virtual void BeginDestroy() override;

	/**
	 * The event, shared by every world, that a coordinate system holds an initialized frame: raised after each
	 * successful rebuild, and when an actor that already holds one joins its world (a level streamed in). Listeners
	 * compare the world with their own; anchors find a coordinate system that came after them through it.
	 * Game thread only.
	 */
	static FOnCoordinateSystemReady& GetOnCoordinateSystemReady();

	/** The model selection; a change takes effect at the next rebuild (load, spawn or edit). */
	const FCoordinateConversionSetup& GetSetup() const;
	FCoordinateConversionSetup& GetSetup();

	/** The local frame setup; a change takes effect at the next rebuild. */
	const FCoordinateReferenceSetup& GetReferenceSetup() const;
	FCoordinateReferenceSetup& GetReferenceSetup();

	/** The current conversion instance. Requires one (a check stops otherwise); GetInstancePtr is the checking alternative. */
	const FCoordinateConversionInstance& GetInstance() const;
	FCoordinateConversionInstance& GetInstance();

	/** The current conversion instance, null before the first rebuild and after destruction. */
	TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> GetInstancePtr() const;

	/** The current reference frame. Requires one (a check stops otherwise); GetReferenceFramePtr is the checking alternative. */
	const FCoordinateReferenceFrame& GetReferenceFrame() const;
	FCoordinateReferenceFrame& GetReferenceFrame();

	/** The current reference frame, null unless the last rebuild succeeded. */
	FCoordinateReferenceFramePtr GetReferenceFramePtr() const;

	/** The event raised after every rebuild, for adding and removing handlers. */
	FOnReferenceChanged& GetOnReferenceChanged();

	/** True when the actor holds a reference frame on an initialized conversion instance. */
	bool IsReferenceFrameInitialized() const;

	/** True while the actor raises the events of a rebuild (its own or its authority's); SetReferenceSetup and SetSetup are refused then. */
	bool IsBroadcastingReferenceChange() const;

	/**
	 * Replaces the local frame setup at run time and rebuilds as an edit does: followers are told, and
	 * OnReferenceChanged and then OnReferenceFrameChanged are raised. While the model selection is the one the
	 * current initialized instance was built from, that instance is kept: no model file is read again, and frames
	 * handed out earlier stay valid. The setup shapes the frame only while LocalReferenceFrame is set. Anchored
	 * actors keep their place on the Earth; their engine transforms move. Game thread only.
	 *
	 * @param NewReferenceSetup the local frame origin, its altitude reference and the kind of local frame.
	 * @return whether the new frame is initialized; false when the frame refuses the origin (the actor then holds
	 *   no frame, as after any failed rebuild). A call from a handler while this actor broadcasts, or on an actor
	 *   that is being destroyed, is refused: false, an error logged, nothing changed.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame")
	bool SetReferenceSetup(const FCoordinateReferenceSetup& NewReferenceSetup);

	/**
	 * Replaces the model selection at run time: a new conversion instance is built (the models are read again)
	 * and the frame rebuilt on it, with the same events as SetReferenceSetup. Game thread only.
	 *
	 * @param NewSetup the datum, models, truncation and interpolation.
	 * @return whether the new frame is initialized; false when a model does not load (logged). Refused like
	 *   SetReferenceSetup: false, an error logged, nothing changed.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame")
	bool SetSetup(const FCoordinateConversionSetup& NewSetup);

	/** True when this actor is marked as its world's authoritative coordinate system. */
	UFUNCTION(BlueprintPure, Category = "DuRizerudore|Frame")
	bool IsAuthority() const;

	/**
	 * The coordinate system of the world of WorldContextObject: its one authority, or its only actor when none
	 * is marked. Null, with an error logged, for a world without such an actor or an ambiguous one; null without
	 * a message of its own when there is no world.
	 */
	UFUNCTION(BlueprintPure, Category = "DuRizerudore|Frame", meta = (WorldContext = "WorldContextObject"))
	static ADuRizerudoreSystem* GetCoordinateSystem(const UObject* WorldContextObject);

	/**
	 * An engine-local transform (Local_UE: centimetres, X north, Y east, Z up) as an ECEF pose matrix through the
	 * authority's frame: rows 0 to 2 the transform's X, Y and Z axes as ECEF directions, row 3 the ECEF position
	 * in metres. The transform's scale is ignored and its rotation used as it is. False, output untouched, when the
	 * world has no authority with an initialized frame, a UTM/UPS frame cannot project the position, or the transform
	 * or its pose is not finite: a true result is always finite.
	 */
	bool ConvertAuthorityLocalTransformToEcefMatrix(const FTransform& LocalTransform, FMatrix& OutEcefMatrix) const;

	/**
	 * The inverse: an ECEF pose matrix (axis rows, position in metres) as an engine-local transform with scale 1.
	 * Axes are normalised row by row; a mirrored basis flips X; degenerate axes give the identity rotation. False,
	 * output untouched, under the same conditions.
	 */
	bool ConvertEcefMatrixToAuthorityLocalTransform(const FMatrix& EcefMatrix, FTransform& OutLocalTransform) const;

	/**
	 * An engine-local pose (position in centimetres, rotation) as an ECEF position in metres and a rotation whose
	 * axes are ECEF directions. The engine's axes are mirrored, so the ECEF rotation is that of the axis rows with X
	 * negated (the identity at latitude 0, longitude 0 gives (0, 0.7071, 0, 0.7071), turning +X to south): take the
	 * forward direction from ConvertAuthorityLocalTransformToEcefMatrix's row 0. False, outputs untouched, under the
	 * same conditions.
	 */
	bool ConvertAuthorityLocalToEcef(const FVector& LocalPosition, const FQuat& LocalRotation, FVector& OutEcefPosition, FQuat& OutEcefRotation) const;

	/**
	 * An ECEF pose (position in metres, rotation) as an engine-local position in centimetres and rotation. The
	 * rotation is read as ConvertAuthorityLocalToEcef writes it: the rotation whose rows are (-forward, right, up) in
	 * ECEF. It must be normalised (squared length within 0.01 of 1); otherwise, and under the same conditions as
	 * above, false with the outputs untouched.
	 */
	bool ConvertEcefToAuthorityLocal(const FVector& EcefPosition, const FQuat& EcefRotation, FVector& OutLocalPosition, FQuat& OutLocalRotation) const;

	/**
	 * Raised after every rebuild (load, spawn, edit, SetReferenceSetup, SetSetup), after OnReferenceChanged, with
	 * whether the new frame is initialized: where visual scripts react to a change of the frame.
	 */
	UPROPERTY(BlueprintAssignable, Category = "DuRizerudore|Frame")
	FDuRizerudoreReferenceFrameChanged OnReferenceFrameChanged;

protected:
	/** This actor is the world's authoritative coordinate system. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DuRizerudore")
	bool bAuthority = false;

	/** The models the conversion instance is built from. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DuRizerudore")
	FCoordinateConversionSetup Setup;

	/** Whether the reference frame has the local frame of ReferenceSetup; without it local axes are the geocentric ones. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DuRizerudore")
	bool LocalReferenceFrame = true;

	/** The local frame origin, its altitude reference and the kind of local frame. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "DuRizerudore", meta = (EditCondition = "LocalReferenceFrame", EditConditionHides))
	FCoordinateReferenceSetup ReferenceSetup;

private:
	/** Whether a rebuild makes a new conversion instance. */
	enum class EInstanceRebuild : uint8
	{
		/** Always: an edit may have changed the model files on disk as well as the setup. */
		Always,
		/** Only when the model selection changed or the current instance is not initialized. */
		WhenSetupChanged,
	};

	/** Rebuilds the instance (as Rebuild says) and the frame from the reflected settings, rebinds to the authority and broadcasts. */
	void RefreshState(EInstanceRebuild Rebuild = EInstanceRebuild::Always);

	/** Whether a run-time change named FunctionName may rebuild now; logs why not. */
	bool CanChangeAtRunTime(const TCHAR* FunctionName) const;

	/** The initialized frame of the world's authority (this actor when it is one); null when there is none. Use at once. */
	const FCoordinateReferenceFrame* GetAuthorityReferenceFrame() const;

	/**
	 * The world's coordinate system as GetCoordinateSystem finds it from this actor, remembered while no coordinate
	 * system joins or leaves a world, is destroyed or rebuilds, and while the one found is alive with the authority
	 * flag it had. Null (with the lookup's message) when there is none; a null answer is never remembered.
	 */
	const ADuRizerudoreSystem* FindCoordinateSystemOfWorld() const;

	/** The count of the changes that can change any world's lookup; a remembered answer holds while it stands. */
	static uint64& GetCoordinateSystemsGeneration();

	/** Makes every remembered lookup stale: called when a coordinate system joins or leaves a world, is destroyed or rebuilds. */
	static void InvalidateRememberedLookups();

	/** Binds this actor to the world's authority, unless it is one itself. */
	void RefreshAuthorityBinding();

	/** Removes the binding to the authority, also when the authority is already gone. */
	void UnbindAuthorityBinding();

	/** Raises the shared ready event for this actor's world, if the actor is in one and holds an initialized frame. */
	void BroadcastCoordinateSystemReady();

	/** Passes a change of the authority's frame on to this actor's listeners, with this actor's own frame twice. */
	void HandleAuthorityReferenceChanged(FCoordinateReferenceFramePtr PreviousFrame, FCoordinateReferenceFramePtr NewFrame);

	FOnReferenceChanged OnReferenceChanged;
	TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Instance;
	/** The model selection Instance was built from. */
	FCoordinateConversionSetup InstanceSetup;
	/** Set while this actor raises its events: a handler may not rebuild the actor under its own broadcast. */
	bool bBroadcasting = false;
	FCoordinateReferenceFramePtr ReferenceFrame;
	TWeakObjectPtr<ADuRizerudoreSystem> AuthorityCoordinateSystem;
	FDelegateHandle AuthorityReferenceChangedHandle;
	/** The last answer of FindCoordinateSystemOfWorld, the generation it was found in and the authority flag it had. */
	mutable TWeakObjectPtr<ADuRizerudoreSystem> RememberedCoordinateSystem;
	mutable uint64 RememberedGeneration = 0;
	mutable bool bRememberedAuthority = false;
};
