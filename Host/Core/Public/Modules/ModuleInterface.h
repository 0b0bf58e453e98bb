// IModuleInterface: what every engine module implements; the module manager creates the object and calls
// StartupModule after creating it and ShutdownModule before destroying it.
#pragma once

#include "CoreTypes.h"

class IModuleInterface
{
public:
	virtual ~IModuleInterface() {}

	/** Called right after the module object is created. */
	virtual void StartupModule() {}

	/** Called before the module is unloaded, ahead of ShutdownModule, during a dynamic reload. */
	virtual void PreUnloadCallback() {}

	/** Called after the module has been reloaded. */
	virtual void PostLoadCallback() {}

	/** Called before the module object is destroyed. */
	virtual void ShutdownModule() {}

	/** Whether the module may be unloaded and loaded again while the program runs. */
	virtual bool SupportsDynamicReloading() { return true; }

	/** Whether the module manager shuts the module down when the program exits. */
	virtual bool SupportsAutomaticShutdown() { return true; }

	/** Whether this is a game module rather than an engine or plugin module. */
	virtual bool IsGameModule() const { return false; }
};
