// IFileManager: the engine's file manager, reduced to existence tests and absolute paths.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

class IFileManager
{
public:
	virtual ~IFileManager() = default;

	static IFileManager& Get();

	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* Directory) = 0;
	virtual int64 FileSize(const TCHAR* Filename) = 0;
	virtual FString ConvertToAbsolutePathForExternalAppForRead(const TCHAR* Filename) = 0;
};
