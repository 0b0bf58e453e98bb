// FPaths: path joining and tests, with the engine's "/" separators.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

class FPaths
{
public:
	/**
	 * Joins the parts as the engine does: the first part as it is, then each further one appended with
	 * FString's path append ("a" + "" gives "a/", "a/" + "/b" gives "a//b"). Parts are TCHAR strings or FStrings.
	 */
	template <typename... PathTypes>
	static FString Combine(PathTypes&&... InPaths)
	{
		const TCHAR* const Parts[] = { GetTCharPtr(InPaths)... };
		FString Result(Parts[0]);
		for (SIZE_T Index = 1; Index < sizeof...(InPaths); ++Index)
		{
			Result /= Parts[Index];
		}
		return Result;
	}

	static bool FileExists(const FString& InPath);
	static bool DirectoryExists(const FString& InPath);
	static bool IsRelative(const FString& InPath);

	/** The absolute form of a path, relative paths taken against the working directory. */
	static FString ConvertRelativePathToFull(const FString& InPath);

	/** Turns "\\" into "/". */
	static void NormalizeFilename(FString& InPath);
	static void NormalizeDirectoryName(FString& InPath);

	static FString GetCleanFilename(const FString& InPath);
	static FString GetBaseFilename(const FString& InPath, bool bRemovePath = true);
	static FString GetExtension(const FString& InPath, bool bIncludeDot = false);
	static FString GetPath(const FString& InPath);

private:
	static const TCHAR* GetTCharPtr(const TCHAR* Ptr) { return Ptr; }
	static const TCHAR* GetTCharPtr(const FString& Str) { return *Str; }
};
