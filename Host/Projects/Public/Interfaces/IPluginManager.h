// IPluginManager: finds plugins by name and tells where they live.
#pragma once

#include "CoreMinimal.h"
#include "Containers/StringView.h"

class IPlugin
{
public:
	virtual ~IPlugin() = default;

	/** The plugin's name, the file name of its descriptor without ".uplugin". */
	virtual const FString& GetName() const = 0;

	/** The directory holding the plugin's descriptor. */
	virtual FString GetBaseDir() const = 0;

	/** The full path of the plugin's ".uplugin" descriptor. */
	virtual const FString& GetDescriptorFileName() const = 0;

	virtual FString GetContentDir() const = 0;
	virtual bool IsEnabled() const = 0;
};

class IPluginManager
{
public:
	virtual ~IPluginManager() = default;

	static IPluginManager& Get();

	/** The plugin of that name (case-insensitive), or null when it is not known. */
	virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) = 0;

	virtual TArray<TSharedRef<IPlugin>> GetDiscoveredPlugins() = 0;

	/** Makes the plugin described by a ".uplugin" file known. False when the file does not exist. */
	virtual bool AddToPluginsList(const FString& PluginFilename) = 0;

	/** Forgets a plugin registered from that descriptor. */
	virtual bool RemoveFromPluginsList(const FString& PluginFilename) = 0;
};
