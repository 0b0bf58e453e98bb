// FModuleManager and IMPLEMENT_MODULE as the engine has them in a monolithic build, which is what the
// stand-in always is: every module is linked into the program, registers itself by name while static
// objects are constructed, and is created and started only when it is loaded by name.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Modules/ModuleInterface.h"
#include "UObject/NameTypes.h"

#include <memory>
#include <mutex>
#include <vector>

enum class ELoadModuleFlags
{
	None = 0x0,
	LogFailures = 1 << 0,
};

class FModuleManager
{
public:
	/** Creates a module object; registered by IMPLEMENT_MODULE. */
	using FInitializeStaticallyLinkedModule = IModuleInterface* (*)();

	static FModuleManager& Get();

	/**
	 * Loads the module registered under that name (case-insensitive): creates its object and calls StartupModule.
	 * A module already loaded is returned as it is. Null when no module of that name is registered.
	 */
	IModuleInterface* LoadModule(const FName InModuleName, ELoadModuleFlags InLoadModuleFlags = ELoadModuleFlags::None);

	/** Calls ShutdownModule and destroys the module object. False when the module was not loaded. */
	bool UnloadModule(const FName InModuleName, bool bIsShutdown = false, bool bAllowUnloadCode = true);

	/** The loaded module of that name, or null. */
	IModuleInterface* GetModule(const FName InModuleName);

	bool IsModuleLoaded(const FName InModuleName) const;

	/** Makes a module that is linked into the program loadable by name. */
	void RegisterStaticallyLinkedModule(const FName InModuleName, FInitializeStaticallyLinkedModule InInitializer);

private:
	struct FModuleInfo
	{
		FName Name;
		FInitializeStaticallyLinkedModule Initializer = nullptr;
		std::unique_ptr<IModuleInterface> Module;
	};

	FModuleInfo* FindModule(const FName InModuleName);
	const FModuleInfo* FindModule(const FName InModuleName) const;

	mutable std::recursive_mutex Mutex;
	std::vector<FModuleInfo> Modules;
};

/** Registers a module linked into the program with the module manager while static objects are constructed. */
template <class ModuleClass>
class FStaticallyLinkedModuleRegistrant
{
public:
	explicit FStaticallyLinkedModuleRegistrant(const TCHAR* InModuleName)
	{
		FModuleManager::Get().RegisterStaticallyLinkedModule(InModuleName, &InitializeModule);
	}

	static IModuleInterface* InitializeModule() { return new ModuleClass(); }
};

// The registrant object and the marker function that the linker is asked to find in every module.
#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName) \
	static FStaticallyLinkedModuleRegistrant<ModuleImplClass> ModuleRegistrant##ModuleName(TEXT(#ModuleName)); \
	extern "C" void IMPLEMENT_MODULE_##ModuleName() {}
