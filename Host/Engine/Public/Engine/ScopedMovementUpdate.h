// FScopedMovementUpdate: defers the transform-updated notifications of a scene component until the
// outermost deferring scope on that component closes; then they fire once, if the transform changed.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"

class USceneComponent;

namespace EScopedUpdate
{
	enum Type
	{
		ImmediateUpdates,
		DeferredUpdates
	};
}

class FScopedMovementUpdate
{
public:
	/**
	 * Opens a scope on Component (null allowed: the scope does nothing). An immediate scope inside a
	 * deferring one defers as well. bRequireOverlapsEventFlagToQueueOverlaps has no effect: nothing overlaps here.
	 */
	FScopedMovementUpdate(USceneComponent* Component, EScopedUpdate::Type ScopeBehavior = EScopedUpdate::DeferredUpdates, bool bRequireOverlapsEventFlagToQueueOverlaps = true);
	~FScopedMovementUpdate();

	FScopedMovementUpdate(const FScopedMovementUpdate&) = delete;
	FScopedMovementUpdate& operator=(const FScopedMovementUpdate&) = delete;

	bool IsDeferringUpdates() const { return Owner != nullptr; }

	/** True if the component's transform differs from the one at the start of this scope. */
	bool IsTransformDirty() const;

	bool RequiresOverlapsEventFlag() const { return bRequireOverlapsEventFlag; }

private:
	friend class USceneComponent;

	USceneComponent* Owner = nullptr;
	FTransform InitialTransform;
	// The strongest teleport among the moves made inside the scope.
	ETeleportType TeleportType = ETeleportType::None;
	bool bRequireOverlapsEventFlag;
};
