// ParallelFor: runs a body for every index of 0 to Num - 1, spread over a pool of worker threads sized to
// the machine (one thread fewer than its cores: the calling thread works too). Returns when every index
// has run. Which thread runs which index, and in what order, is not specified.
#pragma once

#include "CoreTypes.h"
#include "Misc/EnumClassFlags.h"
#include "Templates/Function.h"

enum class EParallelForFlags
{
	None = 0,
	/** Every index on the calling thread, in order. */
	ForceSingleThread = 1,
	/** Indices of very different cost: the stand-in always hands out small batches, so this changes nothing. */
	Unbalanced = 2,
	/** No rendering thread in the stand-in: no effect. */
	PumpRenderingThread = 4,
	/** No thread priorities in the stand-in: no effect. */
	BackgroundPriority = 8,
};
ENUM_CLASS_FLAGS(EParallelForFlags)

namespace ParallelForImpl
{
	/** Runs Body for every index, in batches of at least MinBatchSize indices (1 if smaller). */
	void ParallelForInternal(int32 Num, TFunctionRef<void(int32)> Body, int32 MinBatchSize, EParallelForFlags Flags);

	/** The threads a ParallelFor may use, the calling thread included: the machine's cores, at least 1. */
	int32 GetNumThreads();
}

inline void ParallelFor(int32 Num, TFunctionRef<void(int32)> Body, bool bForceSingleThread, bool bPumpRenderingThread = false)
{
	ParallelForImpl::ParallelForInternal(Num, Body, 1, (bForceSingleThread ? EParallelForFlags::ForceSingleThread : EParallelForFlags::None) | (bPumpRenderingThread ? EParallelForFlags::PumpRenderingThread : EParallelForFlags::None));
}

inline void ParallelFor(int32 Num, TFunctionRef<void(int32)> Body, EParallelForFlags Flags = EParallelForFlags::None)
{
	ParallelForImpl::ParallelForInternal(Num, Body, 1, Flags);
}

inline void ParallelFor(const TCHAR* DebugName, int32 Num, int32 MinBatchSize, TFunctionRef<void(int32)> Body, EParallelForFlags Flags = EParallelForFlags::None)
{
	ParallelForImpl::ParallelForInternal(Num, Body, MinBatchSize, Flags);
}
