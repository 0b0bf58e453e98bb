// An object whose reflected function a dynamic delegate calls, as a visual script's event does.
#pragma once

#include "UObject/Object.h"

#include <vector>

#include "FrameChangedListener.generated.h"

UCLASS()
class UFrameChangedListener : public UObject
{
	GENERATED_BODY()

public:
	UFrameChangedListener(const FObjectInitializer& ObjectInitializer)
		: Super(ObjectInitializer)
	{
	}

	/** Appends 1 or 0 to Journal. */
	UFUNCTION()
	void HandleFrameChanged(bool bFrameInitialized);

	std::vector<int32>* Journal = nullptr;
};
