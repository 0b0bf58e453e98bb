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

	/**
	 * The command line of a standalone program that runs the plugin: nothing (the plugin is looked for above the
	 * executable) or --plugin-dir DIR. Registers the DuRizerudore plugin. Returns unset when the program should go
	 * on; otherwise the exit status to leave with, after printing Usage (0 for --help, 2 for anything else it does
	 * not take) or why the plugin was not found (2).
	 */
	TOptional<int32> RegisterPluginFromCommandLine(int ArgumentCount, const char* const* Arguments, const char* Usage);

	/** Forgets every registration of the plugin of that name. */
	void UnregisterPlugin(const TCHAR* PluginName);
}
