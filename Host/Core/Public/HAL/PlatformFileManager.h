// FPlatformFileManager: hands out the process's platform-file layer.
#pragma once

#include "CoreTypes.h"
#include "GenericPlatform/GenericPlatformFile.h"

class FPlatformFileManager
{
public:
	static FPlatformFileManager& Get();

	IPlatformFile& GetPlatformFile();
};
