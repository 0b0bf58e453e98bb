// UActorComponent: a part of an actor. It belongs to the actor it was made in (its outer), joins the
// actor's world when registered (OnRegister) and leaves it when unregistered (OnUnregister).
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineBaseTypes.h"
#include "Templates/Casts.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"

class AActor;
class UWorld;

/** What a transform update of a component propagates. */
enum class EUpdateTransformFlags : int32
{
	None = 0x0,
	SkipPhysicsUpdate = 0x1,
	PropagateFromParent = 0x2,
	OnlyUpdateIfUsingSocket = 0x4,
};
ENUM_CLASS_FLAGS(EUpdateTransformFlags)

// The engine's class annotation: the header tool reads it for what derived classes inherit.
UCLASS(DefaultToInstanced, BlueprintType, abstract, meta = (ShortTooltip = "An ActorComponent is a reusable component that can be added to any actor."), config = Engine, MinimalAPI)
class UActorComponent : public UObject
{
	DECLARE_CLASS(UActorComponent, UObject, CLASS_Abstract | CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UActorComponent)

public:
	UActorComponent(const FObjectInitializer& ObjectInitializer = FObjectInitializer::Get());

	/** Nothing ticks in the stand-in; the flags keep what the component asked for. */
	FActorComponentTickFunction PrimaryComponentTick;

	/** The actor this component belongs to (its outer actor), or null. */
	AActor* GetOwner() const { return OwnerPrivate; }

	template <class T>
	T* GetOwner() const
	{
		return Cast<T>(GetOwner());
	}

	/** Registers the component with its owner's world; does nothing if already registered or without a world. */
	void RegisterComponent();
	void RegisterComponentWithWorld(UWorld* InWorld);

	/** Unregisters the component; logs and does nothing if it is not registered. */
	void UnregisterComponent();

	bool IsRegistered() const { return bRegistered; }

	/** Unregisters the component, removes it from its owner and marks it as garbage. */
	virtual void DestroyComponent(bool bPromoteChildren = false);

	virtual UWorld* GetWorld() const override;
	virtual void PostInitProperties() override;
	virtual void BeginDestroy() override;

#if WITH_EDITOR
	/** A registered component is unregistered for the edit, and registered again in PostEditChangeProperty. */
	virtual void PreEditChange(FProperty* PropertyThatWillChange) override;
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent) override;
#endif

protected:
	/** The component joined its world; overrides must call Super::OnRegister(). */
	virtual void OnRegister();

	/** The component leaves its world; overrides must call Super::OnUnregister(). */
	virtual void OnUnregister();

private:
	void ExecuteRegisterEvents();
	void ExecuteUnregisterEvents();

	AActor* OwnerPrivate = nullptr;
	UWorld* WorldPrivate = nullptr;
	bool bRegistered = false;
	// Set while an editor edit has unregistered the component, which the edit's end registers again.
	bool bReregisterAfterEdit = false;
};
