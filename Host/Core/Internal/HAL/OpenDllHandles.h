// Stand-in internals, outside the public include paths: the count behind FPlatformProcess's dynamic-library
// services. The engine has no such count; the test harness reads it to see a library being released, which
// it cannot see otherwise because the platform keeps a library mapped as long as it likes.
#pragma once

#include "CoreTypes.h"

namespace UE::Host::Internal
{
	/** Handles of the library file at that path (absolute, or relative to the working directory) loaded and not yet released. */
	int32 CountOpenDllHandles(const TCHAR* Filename);
}
