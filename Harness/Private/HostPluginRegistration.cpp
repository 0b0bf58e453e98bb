#include "HostPluginRegistration.h"

#include "Interfaces/IPluginManager.h"
#include "Misc/Paths.h"

#include <cstdio>
#include <cstring>
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

	TOptional<int32> RegisterPluginFromCommandLine(const int ArgumentCount, const char* const* const Arguments, const char* const Usage)
	{
		FString PluginDirectory;
		for (int Index = 1; Index < ArgumentCount; ++Index)
		{
			if (std::strcmp(Arguments[Index], "--plugin-dir") == 0 && Index + 1 < ArgumentCount)
			{
				PluginDirectory = FString(Arguments[++Index]);
			}
			else
			{
				std::puts(Usage);
				return std::strcmp(Arguments[Index], "--help") == 0 ? 0 : 2;
			}
		}
		const bool bRegistered = PluginDirectory.IsEmpty() ? RegisterPluginAbove(GetExecutableDirectory(), TEXT("DuRizerudore")).IsSet()
														   : RegisterPluginDirectory(PluginDirectory, TEXT("DuRizerudore"));
		if (!bRegistered)
		{
			std::fputs("Cannot find DuRizerudore.uplugin; pass --plugin-dir with the plugin's directory.\n", stderr);
			return 2;
		}
		return NullOpt;
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
