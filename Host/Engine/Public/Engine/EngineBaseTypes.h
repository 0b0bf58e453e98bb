// Tick functions. Nothing ticks in the stand-in; the flags are kept so that code can set and test them.
#pragma once

#include "CoreMinimal.h"

struct FTickFunction
{
	/** False for objects that never tick. */
	uint8 bCanEverTick : 1;
	/** Whether ticking starts enabled once the object is registered. */
	uint8 bStartWithTickEnabled : 1;

	FTickFunction() : bCanEverTick(false), bStartWithTickEnabled(true) {}
	virtual ~FTickFunction() = default;
};

struct FActorTickFunction : public FTickFunction
{
};

struct FActorComponentTickFunction : public FTickFunction
{
};
