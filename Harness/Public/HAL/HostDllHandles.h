// Host-only: what FPlatformProcess's dynamic-library services hold, so that tests can see a library being
// loaded and released. The platform keeps a library mapped as long as it likes, so the handles are counted here.
#pragma once

#include "CoreTypes.h"

namespace UE::Host
{
	/** Handles of the library file at that path (absolute, or relative to the working directory) loaded and not yet released. */
	int32 CountOpenDllHandles(const TCHAR* Filename);
}
