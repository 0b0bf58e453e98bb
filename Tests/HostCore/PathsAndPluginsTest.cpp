#include "CoreMinimal.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "HostPluginRegistration.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
	/** A fresh directory below the system's temporary directory, removed afterwards. */
	struct FTemporaryDirectory
	{
		FTemporaryDirectory()
		{
			Path = std::filesystem::temp_directory_path() / ("durizerudore-host-" + std::to_string(::getpid()) + "-" + std::to_string(Counter++));
			std::filesystem::create_directories(Path);
		}
		~FTemporaryDirectory() { std::filesystem::remove_all(Path); }

		FString Get() const { return FString::FromStdString(Path.generic_wstring()); }

		std::filesystem::path Path;
		static inline int Counter = 0;
	};
}

TEST(PlatformFile, ExistenceAndAbsolutePaths)
{
	FTemporaryDirectory Temporary;
	std::filesystem::create_directories(Temporary.Path / "data" / "geoids");
	std::ofstream(Temporary.Path / "data" / "file.txt") << "x";

	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	const FString Data = FPaths::Combine(Temporary.Get(), TEXT("data"));
	EXPECT_TRUE(PlatformFile.DirectoryExists(*Data));
	EXPECT_TRUE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("geoids"))));
	EXPECT_FALSE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("gravity"))));
	EXPECT_FALSE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("file.txt"))));
	EXPECT_TRUE(FPaths::FileExists(FPaths::Combine(Data, TEXT("file.txt"))));
	EXPECT_EQ(IFileManager::Get().FileSize(*FPaths::Combine(Data, TEXT("file.txt"))), 1);

	// Dots and doubled separators are resolved; no trailing separator is kept.
	const FString Messy = Temporary.Get() + TEXT("/data/./geoids/../geoids/");
	EXPECT_EQ(PlatformFile.ConvertToAbsolutePathForExternalAppForRead(*Messy), FPaths::Combine(Data, TEXT("geoids")));

	// Relative paths are taken against the working directory.
	const std::filesystem::path Saved = std::filesystem::current_path();
	std::filesystem::current_path(Temporary.Path);
	EXPECT_EQ(PlatformFile.ConvertToAbsolutePathForExternalAppForRead(TEXT("data")), Data);
	std::filesystem::current_path(Saved);
}

TEST(PluginManager, RegistersFindsAndForgetsPlugins)
{
	FTemporaryDirectory Temporary;
	std::filesystem::create_directories(Temporary.Path / "Plugin" / "Binaries");
	std::ofstream(Temporary.Path / "Plugin" / "HostTestPlugin.uplugin") << "{}";
	const FString PluginDirectory = FPaths::Combine(Temporary.Get(), TEXT("Plugin"));

	EXPECT_FALSE(IPluginManager::Get().FindPlugin(TEXT("HostTestPlugin")).IsValid());
	EXPECT_FALSE(UE::Host::RegisterPluginDirectory(Temporary.Get(), TEXT("HostTestPlugin")));

	// Found from a directory below the descriptor, as a tool finds its plugin relative to itself.
	const TOptional<FString> Found = UE::Host::RegisterPluginAbove(FPaths::Combine(PluginDirectory, TEXT("Binaries")), TEXT("HostTestPlugin"));
	ASSERT_TRUE(Found.IsSet());
	EXPECT_EQ(Found.GetValue(), PluginDirectory);

	const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("hosttestplugin"));
	ASSERT_TRUE(Plugin.IsValid());
	EXPECT_EQ(Plugin->GetName(), FString(TEXT("HostTestPlugin")));
	EXPECT_EQ(Plugin->GetBaseDir(), PluginDirectory);

	EXPECT_FALSE(UE::Host::RegisterPluginAbove(Temporary.Get(), TEXT("NoSuchPlugin")).IsSet());

	EXPECT_TRUE(IPluginManager::Get().RemoveFromPluginsList(Plugin->GetDescriptorFileName()));
	EXPECT_FALSE(IPluginManager::Get().FindPlugin(TEXT("HostTestPlugin")).IsValid());
	// The plugin object handed out before stays usable.
	EXPECT_EQ(Plugin->GetBaseDir(), PluginDirectory);
}
