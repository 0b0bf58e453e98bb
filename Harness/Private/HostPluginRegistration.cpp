#include "HostPluginRegistration.h"

#include "Interfaces/IPluginManager.h"
#include "Misc/Paths.h"

#include <filesystem>
#include <system_error>

namespace UE::Host
{
	bool RegisterPluginDirectory(const FString& PluginDirectory, const TCHAR* PluginName)
	{
		return IPluginManager::Get().AddToPluginsList(FPaths::Combine(PluginDirectory, FString(PluginName) + TEXT(".uplugin")));
	}

	TOptional<FString> RegisterPluginAbove(const FString& StartDirectory, const TCHAR* PluginName)
	{
		FString Directory = FPaths::ConvertRelativePathToFull(StartDirectory);
		for (;;)
		{
			if (RegisterPluginDirectory(Directory, PluginName))
			{
				return Directory;
			}
			const FString Parent = FPaths::GetPath(Directory);
			if (Parent.IsEmpty() || Parent == Directory)
			{
				return NullOpt;
			}
			Directory = Parent;
		}
	}

	FString GetExecutableDirectory()
	{
		std::error_code Error;
		const std::filesystem::path Executable = std::filesystem::read_symlink("/proc/self/exe", Error);
		if (Error)
		{
			return FPaths::ConvertRelativePathToFull(TEXT("."));
		}
		return FString::FromStdString(Executable.parent_path().generic_wstring());
	}

	void UnregisterPlugin(const TCHAR* PluginName)
	{
		// A registration of the same name replaces an earlier one, so there is at most one; the loop stops
		// on a refusal all the same rather than spin.
		while (const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(PluginName))
		{
			if (!IPluginManager::Get().RemoveFromPluginsList(Plugin->GetDescriptorFileName()))
			{
				return;
			}
		}
	}
}
