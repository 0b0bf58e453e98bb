#include "Modules/ModuleManager.h"

#include "Logging/LogMacros.h"

#include <algorithm>
#include <utility>

DEFINE_LOG_CATEGORY_STATIC(LogModuleManager, Log, All);

FModuleManager& FModuleManager::Get()
{
	// Built on first use, so that registrants in other translation units can reach it during static initialisation.
	static FModuleManager Singleton;
	return Singleton;
}

FModuleManager::FModuleInfo* FModuleManager::FindModule(const FName InModuleName)
{
	const auto Found = std::find_if(Modules.begin(), Modules.end(), [&InModuleName](const FModuleInfo& Info) { return Info.Name == InModuleName; });
	return Found != Modules.end() ? &*Found : nullptr;
}

const FModuleManager::FModuleInfo* FModuleManager::FindModule(const FName InModuleName) const
{
	return const_cast<FModuleManager*>(this)->FindModule(InModuleName);
}

void FModuleManager::RegisterStaticallyLinkedModule(const FName InModuleName, const FInitializeStaticallyLinkedModule InInitializer)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	if (FModuleInfo* const Existing = FindModule(InModuleName))
	{
		Existing->Initializer = InInitializer;
		return;
	}
	FModuleInfo Info;
	Info.Name = InModuleName;
	Info.Initializer = InInitializer;
	Modules.push_back(std::move(Info));
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName, const ELoadModuleFlags InLoadModuleFlags)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	FModuleInfo* const Info = FindModule(InModuleName);
	if (Info == nullptr || Info->Initializer == nullptr)
	{
		if (InLoadModuleFlags == ELoadModuleFlags::LogFailures)
		{
			UE_LOG(LogModuleManager, Warning, TEXT("ModuleManager: Unable to load module '%s' because it is not registered."), *InModuleName.ToString());
		}
		return nullptr;
	}
	if (!Info->Module)
	{
		Info->Module.reset(Info->Initializer());
		Info->Module->StartupModule();
	}
	return Info->Module.get();
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool /*bIsShutdown*/, bool /*bAllowUnloadCode*/)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	FModuleInfo* const Info = FindModule(InModuleName);
	if (Info == nullptr || !Info->Module)
	{
		return false;
	}
	Info->Module->ShutdownModule();
	Info->Module.reset();
	return true;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName)
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	FModuleInfo* const Info = FindModule(InModuleName);
	return Info != nullptr ? Info->Module.get() : nullptr;
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName) const
{
	const std::lock_guard<std::recursive_mutex> Lock(Mutex);
	const FModuleInfo* const Info = FindModule(InModuleName);
	return Info != nullptr && Info->Module != nullptr;
}
