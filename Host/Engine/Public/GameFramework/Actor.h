// AActor: an object placed in a level of a world, made of components; its transform is its root
// component's. Actors are made by UWorld::SpawnActor (or loaded with their level) and removed by Destroy.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "Engine/HitResult.h"
#include "Templates/Casts.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"

class ULevel;
class UWorld;

// The engine's class annotation: the header tool reads it for what derived classes inherit.
UCLASS(BlueprintType, Blueprintable, config = Engine, meta = (ShortTooltip = "An Actor is an object that can be placed or spawned in the world."), MinimalAPI)
class AActor : public UObject
{
	DECLARE_CLASS(AActor, UObject, CLASS_Native, CASTCLASS_None, TEXT("/Script/Engine"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(AActor)

public:
	AActor();
	AActor(const FObjectInitializer& ObjectInitializer);

	/** Nothing ticks in the stand-in; the flags keep what the actor asked for. */
	FActorTickFunction PrimaryActorTick;

	USceneComponent* GetRootComponent() const { return RootComponent; }

	/**
	 * Makes a component of this actor (or null) the root; false for a component of another actor. On a change
	 * the new root is told first, then the old one (NotifyIsRootComponentChanged).
	 */
	bool SetRootComponent(USceneComponent* NewRootComponent);

	/** The root component's world transform, or the identity without a root component. */
	const FTransform& GetActorTransform() const;
	FVector GetActorLocation() const { return GetActorTransform().GetLocation(); }
	FQuat GetActorQuat() const { return GetActorTransform().GetRotation(); }
	FRotator GetActorRotation() const { return GetActorTransform().Rotator(); }
	FVector GetActorScale3D() const { return GetActorTransform().GetScale3D(); }

	/**
	 * Moves the root component to the world transform (centimetres). Returns false without a root component
	 * and when the root may not move (registered, not Movable, in a game world; a warning says so); a transform
	 * holding NaN is reported by an ensure and not applied.
	 */
	bool SetActorTransform(const FTransform& NewTransform, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	bool SetActorLocation(const FVector& NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	bool SetActorRotation(FRotator NewRotation, ETeleportType Teleport = ETeleportType::None);
	bool SetActorRotation(const FQuat& NewRotation, ETeleportType Teleport = ETeleportType::None);

	void SetActorEnableCollision(bool bNewActorEnableCollision) { bActorEnableCollision = bNewActorEnableCollision; }
	bool GetActorEnableCollision() const { return bActorEnableCollision; }
	void SetCanBeDamaged(bool bInCanBeDamaged) { bCanBeDamaged = bInCanBeDamaged; }
	bool CanBeDamaged() const { return bCanBeDamaged; }
	void SetHidden(bool bInHidden) { bHidden = bInHidden; }
	bool IsHidden() const { return bHidden; }

	/**
	 * Removes the actor from its world: unregisters its components, marks the actor and its components as
	 * garbage and takes it out of its level. Returns true once the actor is pending destruction.
	 */
	bool Destroy(bool bNetForce = false, bool bShouldModifyLevel = true);

	/** Called by Destroy before anything is torn down. */
	virtual void Destroyed();

	/** After the actor was spawned: its components are registered if it has a root component. */
	virtual void PostActorCreated();

	virtual UWorld* GetWorld() const override;
	ULevel* GetLevel() const;

	/** The components this actor owns (made with it as their outer), root first. */
	void GetComponents(TArray<UActorComponent*>& OutComponents, bool bIncludeFromChildActors = false) const;

	template <class ComponentType>
	void GetComponents(TArray<ComponentType*>& OutComponents, bool bIncludeFromChildActors = false) const
	{
		OutComponents.Reset();
		for (UActorComponent* const Component : OwnedComponents)
		{
			if (ComponentType* const Typed = Cast<ComponentType>(Component))
			{
				OutComponents.Add(Typed);
			}
		}
	}

	/** The first owned component of the class, or null. */
	UActorComponent* FindComponentByClass(const TSubclassOf<UActorComponent> ComponentClass) const;

	template <class T>
	T* FindComponentByClass() const
	{
		return static_cast<T*>(FindComponentByClass(T::StaticClass()));
	}

	/** Records a component added to this placed actor (not made by its constructor). */
	void AddInstanceComponent(UActorComponent* Component);
	void RemoveInstanceComponent(UActorComponent* Component);
	const TArray<UActorComponent*>& GetInstanceComponents() const { return InstanceComponents; }

	void AddOwnedComponent(UActorComponent* Component);
	void RemoveOwnedComponent(UActorComponent* Component);

	/** Registers every owned component not registered yet, the root component first, then PostRegisterAllComponents. */
	void RegisterAllComponents();

	/** Called once RegisterAllComponents has registered the components with the actor's world. */
	virtual void PostRegisterAllComponents();

	/** Unregisters every registered owned component, then PostUnregisterAllComponents. */
	void UnregisterAllComponents(bool bForReregister = false);

	/** Called once UnregisterAllComponents has unregistered the components (the actor leaves its world or is destroyed). */
	virtual void PostUnregisterAllComponents();

	/** Marks every owned component as garbage. */
	void MarkComponentsAsGarbage();

	/** True once Destroy has run or the actor is garbage. */
	bool IsPendingKillPending() const { return bActorIsBeingDestroyed || !IsValid(this); }

	// A few of the engine's reflected actor settings, in its categories and with its specifiers, so that
	// what derived classes hide or show of them is visible to the editor and to scripts. Nothing reads them.

	/** How long this Actor lives before dying, 0=forever. Note this is the INITIAL value and should not be modified once play has begun. */
	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = Actor)
	float InitialLifeSpan = 0.0f;

	/** The priority of this input component when pushed in to the stack. */
	UPROPERTY(EditAnywhere, Category = Input)
	int32 InputPriority = 0;

	/** Priority for this actor when checking for replication in a low bandwidth or saturated situation, higher priority means it is more likely to replicate */
	UPROPERTY(Category = Replication, EditDefaultsOnly, BlueprintReadWrite)
	float NetPriority = 1.0f;

protected:
	USceneComponent* RootComponent = nullptr;

private:
	friend class UWorld;

	TArray<UActorComponent*> OwnedComponents;
	TArray<UActorComponent*> InstanceComponents;
	bool bActorEnableCollision = true;
	bool bCanBeDamaged = true;
	bool bHidden = false;
	bool bActorIsBeingDestroyed = false;
};
