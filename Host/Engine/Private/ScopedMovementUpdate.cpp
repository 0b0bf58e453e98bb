#include "Engine/ScopedMovementUpdate.h"

#include "Components/SceneComponent.h"

FScopedMovementUpdate::FScopedMovementUpdate(USceneComponent* Component, const EScopedUpdate::Type ScopeBehavior, const bool bRequireOverlapsEventFlagToQueueOverlaps)
	: bRequireOverlapsEventFlag(bRequireOverlapsEventFlagToQueueOverlaps)
{
	if (Component != nullptr && (ScopeBehavior == EScopedUpdate::DeferredUpdates || Component->IsDeferringMovementUpdates()))
	{
		Owner = Component;
		InitialTransform = Component->GetComponentTransform();
		Component->BeginScopedMovementUpdate(*this);
	}
}

FScopedMovementUpdate::~FScopedMovementUpdate()
{
	if (Owner != nullptr)
	{
		Owner->EndScopedMovementUpdate(*this);
	}
}

bool FScopedMovementUpdate::IsTransformDirty() const
{
	return Owner != nullptr && !InitialTransform.Equals(Owner->GetComponentTransform(), UE_SMALL_NUMBER);
}
