// FPlatformProcess: the engine's per-platform process services; the stand-in has the dynamic-library ones
// of the engine's Unix platforms.
#pragma once

#include "CoreTypes.h"

struct FUnixPlatformProcess
{
	/**
	 * Loads a shared library by path (relative paths are taken against the working directory), its symbols
	 * bound lazily and kept local. Returns its handle, or null (with a warning) when it cannot be loaded.
	 */
	static void* GetDllHandle(const TCHAR* Filename);

	/** Releases a handle from GetDllHandle; a null handle fails a check. */
	static void FreeDllHandle(void* DllHandle);

	/** The address of an exported symbol of a loaded library, or null. */
	static void* GetDllExport(void* DllHandle, const TCHAR* ProcName);
};

typedef FUnixPlatformProcess FPlatformProcess;
