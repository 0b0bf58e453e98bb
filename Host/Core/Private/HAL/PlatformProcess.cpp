#include "HAL/PlatformProcess.h"
#include "HAL/OpenDllHandles.h"

#include "Containers/StringConv.h"
#include "Containers/UnrealString.h"
#include "Logging/LogMacros.h"
#include "Misc/AssertionMacros.h"
#include "Misc/Paths.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <utility>

DEFINE_LOG_CATEGORY_STATIC(LogUnixPlatformProcess, Log, All);

namespace
{
	// Every handle given out and not released, with the file it came from. Releasing a handle that is not
	// open fails a check: the platform would release someone else's reference or touch freed state.
	struct FOpenDllHandles
	{
		std::mutex Mutex;
		std::multimap<void*, FString> Paths;
	};

	FOpenDllHandles& GetOpenDllHandles()
	{
		static FOpenDllHandles Handles;
		return Handles;
	}
}

void* FUnixPlatformProcess::GetDllHandle(const TCHAR* Filename)
{
	check(Filename != nullptr);
	const FString AbsolutePath = FPaths::ConvertRelativePathToFull(Filename);
	void* const Handle = dlopen(TCHAR_TO_UTF8(*AbsolutePath), RTLD_LAZY | RTLD_LOCAL);
	if (Handle == nullptr)
	{
		UE_LOG(LogUnixPlatformProcess, Warning, TEXT("dlopen failed: %s"), UTF8_TO_TCHAR(dlerror()));
		return nullptr;
	}
	FOpenDllHandles& Open = GetOpenDllHandles();
	const std::lock_guard<std::mutex> Lock(Open.Mutex);
	Open.Paths.emplace(Handle, AbsolutePath);
	return Handle;
}

void FUnixPlatformProcess::FreeDllHandle(void* DllHandle)
{
	check(DllHandle != nullptr);
	{
		FOpenDllHandles& Open = GetOpenDllHandles();
		const std::lock_guard<std::mutex> Lock(Open.Mutex);
		const auto Found = Open.Paths.find(DllHandle);
		checkf(Found != Open.Paths.end(), TEXT("FreeDllHandle: the handle is not open"));
		Open.Paths.erase(Found);
	}
	dlclose(DllHandle);
}

void* FUnixPlatformProcess::GetDllExport(void* DllHandle, const TCHAR* ProcName)
{
	check(DllHandle != nullptr);
	check(ProcName != nullptr);
	return dlsym(DllHandle, TCHAR_TO_UTF8(ProcName));
}

namespace UE::Host::Internal
{
	int32 CountOpenDllHandles(const TCHAR* Filename)
	{
		const FString AbsolutePath = FPaths::ConvertRelativePathToFull(Filename);
		FOpenDllHandles& Open = GetOpenDllHandles();
		const std::lock_guard<std::mutex> Lock(Open.Mutex);
		int32 Count = 0;
		for (const std::pair<void* const, FString>& Entry : Open.Paths)
		{
			Count += Entry.second.Equals(AbsolutePath, ESearchCase::CaseSensitive) ? 1 : 0;
		}
		return Count;
	}
}
