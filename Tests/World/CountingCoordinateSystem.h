// A coordinate-system actor that counts how often its world is asked for: a non-authoritative actor asks for
// its world once per authority-local conversion (to check the answer of its last lookup, which it remembers), so
// the count is the number of conversions while no coordinate system joins, leaves or rebuilds.
#pragma once

#include "DuRizerudoreSystem.h"

#include "CountingCoordinateSystem.generated.h"

UCLASS()
class ACountingCoordinateSystem : public ADuRizerudoreSystem
{
	GENERATED_BODY()

public:
	ACountingCoordinateSystem(const FObjectInitializer& ObjectInitializer)
		: Super(ObjectInitializer)
	{
	}

	virtual UWorld* GetWorld() const override
	{
		++WorldRequests;
		return Super::GetWorld();
	}

	mutable int32 WorldRequests = 0;
};
