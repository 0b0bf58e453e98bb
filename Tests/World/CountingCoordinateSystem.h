// A coordinate-system actor that counts how often its world is asked for: a non-authoritative actor looks
// the authority up once per authority-local conversion, so the count is the number of conversions.
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
