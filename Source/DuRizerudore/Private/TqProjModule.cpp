// The DuRizerudore module: its log categories, its registration with the module manager, and the loading of
// GeographicLib's library file from the plugin's own directory at start-up.
#include "DuRizerudoreLog.h"

#include "CoreMinimal.h"
#include "HAL/PlatformProcess.h"
#include "Interfaces/IPluginManager.h"
#include "Logging/LogMacros.h"
#include "Misc/Paths.h"
#include "Modules/ModuleInterface.h"
#include "Modules/ModuleManager.h"

DEFINE_LOG_CATEGORY(LogDuRizerudoreConversion);
DEFINE_LOG_CATEGORY(LogDuRizerudoreSystem);
DEFINE_LOG_CATEGORY(LogDuRizerudoreModule);

// How the module meets GeographicLib. The engine's build links GeographicLib statically into the module on every
// platform (Source/ThirdParty/GeographicLib, DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY): GeographicLib's
// containers are then allocated and freed by one allocator, the module's; no library file must be staged, found
// by its SONAME or install name, or delay-loaded, so a missing copy can no longer stop the module from loading
// or crash the first conversion; and GeographicLib is built with the engine's own standard library. Start-up then
// only records that the library is present. A build that links GeographicLib as a shared library (the
// standalone build with the system's GeographicLib) keeps the load below, with its messages.
#ifndef DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY
#define DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY 0
#endif

// Where the plugin keeps GeographicLib's library file, relative to its base directory, and the message when it
// cannot be loaded, in a build that loads it. Windows binds a shared GeographicLib lazily (a delay-loaded DLL), so
// start-up must load the plugin's copy by its full path for that binding to find it. Linux and Mac link the plugin's shared
// GeographicLib from the same place, named the platform's way; start-up loads it explicitly there too, so
// that a missing or unloadable copy is reported in the same form and the library stays held until shut-down.
#if DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY
// Nothing to load.
#elif PLATFORM_WINDOWS
#define DURIZERUDORE_GEOGRAPHICLIB_RELATIVE_PATH TEXT("Binaries/GeographicLib/Win64/GeographicLib.dll")
#define DURIZERUDORE_GEOGRAPHICLIB_LOAD_FAILED TEXT("Failed to load GeographicLib.dll from '%s'.")
#elif PLATFORM_LINUX
#define DURIZERUDORE_GEOGRAPHICLIB_RELATIVE_PATH TEXT("Binaries/GeographicLib/Linux/libGeographicLib.so")
#define DURIZERUDORE_GEOGRAPHICLIB_LOAD_FAILED TEXT("Failed to load libGeographicLib.so from '%s'.")
#elif PLATFORM_MAC
#define DURIZERUDORE_GEOGRAPHICLIB_RELATIVE_PATH TEXT("Binaries/GeographicLib/Mac/libGeographicLib.dylib")
#define DURIZERUDORE_GEOGRAPHICLIB_LOAD_FAILED TEXT("Failed to load libGeographicLib.dylib from '%s'.")
#else
#error "DuRizerudore ships GeographicLib for Win64, Linux and Mac only."
#endif

/**
 * The module object. Start-up never fails the module: a missing plugin directory or library file is logged
 * and the module stays loaded. The conversion code never consults the handle. Every other module-interface
 * operation keeps the interface's behaviour: dynamic reloading and automatic shut-down are supported, and
 * this is not a game module.
 */
class FTqProjModule : public IModuleInterface
{
public:
	/**
	 * Loads GeographicLib's library file from below the plugin directory and holds its handle; where GeographicLib
	 * is linked into the module, records that it is present.
	 */
	virtual void StartupModule() override
	{
#if DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY
		bGeographicLibLinked = true;
#else
		const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("DuRizerudore"));
		if (!Plugin.IsValid())
		{
			UE_LOG(LogDuRizerudoreModule, Error, TEXT("Failed to resolve the DuRizerudore plugin directory while loading GeographicLib."));
			return;
		}

		const FString LibraryPath = FPaths::Combine(Plugin->GetBaseDir(), DURIZERUDORE_GEOGRAPHICLIB_RELATIVE_PATH);
		GeographicLibHandle = FPlatformProcess::GetDllHandle(*LibraryPath);
		if (GeographicLibHandle == nullptr)
		{
			UE_LOG(LogDuRizerudoreModule, Error, DURIZERUDORE_GEOGRAPHICLIB_LOAD_FAILED, *LibraryPath);
		}
#endif
	}

	/** Releases the library file if start-up loaded it; a second call does nothing. */
	virtual void ShutdownModule() override
	{
		if (GeographicLibHandle != nullptr)
		{
			FPlatformProcess::FreeDllHandle(GeographicLibHandle);
			GeographicLibHandle = nullptr;
		}
	}

	/** Whether GeographicLib is linked into the module, so that no library file is loaded or held. */
	bool IsGeographicLibLinked() const
	{
		return bGeographicLibLinked;
	}

private:
	/** The loaded library file, null while it is not held. */
	void* GeographicLibHandle = nullptr;

	/** Set by start-up where GeographicLib is linked into the module. */
	bool bGeographicLibLinked = false;
};

#undef DURIZERUDORE_GEOGRAPHICLIB_RELATIVE_PATH
#undef DURIZERUDORE_GEOGRAPHICLIB_LOAD_FAILED

IMPLEMENT_MODULE(FTqProjModule, DuRizerudore)
