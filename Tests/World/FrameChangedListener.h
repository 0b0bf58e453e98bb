// Objects whose reflected functions dynamic delegates call, as visual scripts' events do.
#pragma once

#include "DuRizerudoreConversion.h"
#include "UObject/Object.h"

#include <utility>
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

UCLASS()
class UOriginShiftListener : public UObject
{
	GENERATED_BODY()

public:
	UOriginShiftListener(const FObjectInitializer& ObjectInitializer)
		: Super(ObjectInitializer)
	{
	}

	/** Appends the previous and the new origin to Journal. */
	UFUNCTION()
	void HandleOriginShifted(FGeodeticCoordinate PreviousOrigin, FGeodeticCoordinate NewOrigin);

	std::vector<std::pair<FGeodeticCoordinate, FGeodeticCoordinate>>* Journal = nullptr;
};
