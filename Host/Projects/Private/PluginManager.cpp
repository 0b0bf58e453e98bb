#include "Interfaces/IPluginManager.h"

#include "Misc/Paths.h"

#include <mutex>

namespace
{
	class FHostPlugin final : public IPlugin
	{
	public:
		explicit FHostPlugin(const FString& InDescriptorFileName)
			: DescriptorFileName(InDescriptorFileName)
			, Name(FPaths::GetBaseFilename(InDescriptorFileName))
		{
		}

		virtual const FString& GetName() const override { return Name; }
		virtual FString GetBaseDir() const override { return FPaths::GetPath(DescriptorFileName); }
		virtual const FString& GetDescriptorFileName() const override { return DescriptorFileName; }
		virtual FString GetContentDir() const override { return FPaths::Combine(GetBaseDir(), TEXT("Content")); }
		virtual bool IsEnabled() const override { return true; }

	private:
		FString DescriptorFileName;
		FString Name;
	};

	class FHostPluginManager final : public IPluginManager
	{
	public:
		virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) override
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			for (const TSharedRef<IPlugin>& Plugin : Plugins)
			{
				if (FStringView(Plugin->GetName()).Equals(Name, ESearchCase::IgnoreCase))
				{
					return Plugin;
				}
			}
			return nullptr;
		}

		virtual TArray<TSharedRef<IPlugin>> GetDiscoveredPlugins() override
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			return Plugins;
		}

		virtual bool AddToPluginsList(const FString& PluginFilename) override
		{
			FString Absolute = FPaths::ConvertRelativePathToFull(PluginFilename);
			if (!FPaths::FileExists(Absolute) || !FPaths::GetExtension(Absolute).Equals(TEXT("uplugin"), ESearchCase::IgnoreCase))
			{
				return false;
			}
			const std::lock_guard<std::mutex> Lock(Mutex);
			const FString Name = FPaths::GetBaseFilename(Absolute);
			// A later registration of the same name replaces the earlier one, as a re-mounted plugin would.
			Plugins.RemoveAll([&Name](const TSharedRef<IPlugin>& Plugin) { return Plugin->GetName().Equals(Name, ESearchCase::IgnoreCase); });
			Plugins.Add(MakeShared<FHostPlugin>(Absolute));
			return true;
		}

		virtual bool RemoveFromPluginsList(const FString& PluginFilename) override
		{
			const FString Absolute = FPaths::ConvertRelativePathToFull(PluginFilename);
			const std::lock_guard<std::mutex> Lock(Mutex);
			return Plugins.RemoveAll([&Absolute](const TSharedRef<IPlugin>& Plugin) { return Plugin->GetDescriptorFileName() == Absolute; }) > 0;
		}

	private:
		std::mutex Mutex;
		TArray<TSharedRef<IPlugin>> Plugins;
	};

	FHostPluginManager& GetHostPluginManager()
	{
		static FHostPluginManager Singleton;
		return Singleton;
	}
}

IPluginManager& IPluginManager::Get()
{
	return GetHostPluginManager();
}
