// FPaths: path joining and tests, with the engine's "/" separators.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

class FPaths
{
public:
	/** Joins the parts with one "/" between non-empty parts; empty parts add nothing. */
	template <typename... PathTypes>
	static FString Combine(PathTypes&&... InPaths)
	{
		FString Result;
		(AppendPath(Result, FString(InPaths)), ...);
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
	static void AppendPath(FString& Out, const FString& Part) { Out /= Part; }
};
