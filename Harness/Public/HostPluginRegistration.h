// Host-only: how standalone programs and tests make a plugin known to IPluginManager. The engine
// discovers plugins itself; a standalone program registers its plugin from the descriptor's location.
#pragma once

#include "CoreMinimal.h"

namespace UE::Host
{
	/** Registers the plugin whose descriptor is <PluginDirectory>/<PluginName>.uplugin. */
	bool RegisterPluginDirectory(const FString& PluginDirectory, const TCHAR* PluginName);

	/**
	 * Looks for <PluginName>.uplugin in StartDirectory and its parents and registers the first one found.
	 * Returns the plugin directory, unset when none was found.
	 */
	TOptional<FString> RegisterPluginAbove(const FString& StartDirectory, const TCHAR* PluginName);

	/** The directory of the running executable. */
	FString GetExecutableDirectory();

	/** Forgets every registration of the plugin of that name. */
	void UnregisterPlugin(const TCHAR* PluginName);
}
