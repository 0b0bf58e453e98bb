// IPlatformFile: the engine's platform-file layer, reduced to what the plugin asks of it.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

class IPlatformFile
{
public:
	virtual ~IPlatformFile() = default;

	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* Directory) = 0;
	virtual int64 FileSize(const TCHAR* Filename) = 0;

	/** The absolute form of a path as an external program (a third-party library) must be given it. */
	virtual FString ConvertToAbsolutePathForExternalAppForRead(const TCHAR* Filename) = 0;
	virtual FString ConvertToAbsolutePathForExternalAppForWrite(const TCHAR* Filename) = 0;
};
