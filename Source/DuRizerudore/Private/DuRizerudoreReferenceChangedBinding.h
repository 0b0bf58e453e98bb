// A handler on a coordinate system's reference-changed event, as the coordinate-system actor follows its
// authority and the anchor component follows its coordinate system: held weakly on both sides and removed
// by handle, so that either side may be destroyed first.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/IDelegateInstance.h"
#include "DuRizerudoreSystem.h"
#include "UObject/WeakObjectPtrTemplates.h"

namespace DuRizerudore
{
	/**
	 * Adds Handler of Listener (an engine object, bound weakly) to System's reference-changed event and records
	 * System and the handle. Removes nothing first: callers unbind an earlier binding themselves.
	 */
	template <typename ListenerType>
	void BindReferenceChanged(ADuRizerudoreSystem& System, ListenerType* Listener,
		void (ListenerType::*Handler)(FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr), TWeakObjectPtr<ADuRizerudoreSystem>& OutBoundSystem,
		FDelegateHandle& OutHandle)
	{
		OutBoundSystem = &System;
		OutHandle = System.GetOnReferenceChanged().AddUObject(Listener, Handler);
	}

	/** Removes the recorded handler while the bound system is alive; clears the system and the handle in every case. */
	inline void UnbindReferenceChanged(TWeakObjectPtr<ADuRizerudoreSystem>& BoundSystem, FDelegateHandle& Handle)
	{
		if (Handle.IsValid())
		{
			if (ADuRizerudoreSystem* const System = BoundSystem.Get())
			{
				System->GetOnReferenceChanged().Remove(Handle);
			}
		}
		Handle.Reset();
		BoundSystem.Reset();
	}
}
