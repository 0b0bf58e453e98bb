#include "HAL/HostDllHandles.h"

#include "HAL/OpenDllHandles.h"

int32 UE::Host::CountOpenDllHandles(const TCHAR* Filename)
{
	return UE::Host::Internal::CountOpenDllHandles(Filename);
}
