#include "CoreMinimal.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "HostPluginRegistration.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/Paths.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
	using DuRizerudoreTest::FTemporaryDirectory;

	FString ToEngine(const std::filesystem::path& Path)
	{
		return FString::FromStdString(Path.generic_wstring());
	}
}

TEST(PlatformFile, ExistenceAndAbsolutePaths)
{
	FTemporaryDirectory Temporary;
	std::filesystem::create_directories(Temporary.GetPath() / "data" / "geoids");
	std::ofstream(Temporary.GetPath() / "data" / "file.txt") << "x";

	IPlatformFile& PlatformFile = FPlatformFileManager::Get().GetPlatformFile();
	const FString Data = FPaths::Combine(ToEngine(Temporary.GetPath()), TEXT("data"));
	EXPECT_TRUE(PlatformFile.DirectoryExists(*Data));
	EXPECT_TRUE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("geoids"))));
	EXPECT_FALSE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("gravity"))));
	EXPECT_FALSE(FPaths::DirectoryExists(FPaths::Combine(Data, TEXT("file.txt"))));
	EXPECT_TRUE(FPaths::FileExists(FPaths::Combine(Data, TEXT("file.txt"))));
	EXPECT_EQ(IFileManager::Get().FileSize(*FPaths::Combine(Data, TEXT("file.txt"))), 1);

	// Dots and doubled separators are resolved; no trailing separator is kept.
	const FString Messy = ToEngine(Temporary.GetPath()) + TEXT("/data/./geoids/../geoids/");
	EXPECT_EQ(PlatformFile.ConvertToAbsolutePathForExternalAppForRead(*Messy), FPaths::Combine(Data, TEXT("geoids")));

	// Relative paths are taken against the working directory.
	const std::filesystem::path Saved = std::filesystem::current_path();
	std::filesystem::current_path(Temporary.GetPath());
	EXPECT_EQ(PlatformFile.ConvertToAbsolutePathForExternalAppForRead(TEXT("data")), Data);
	std::filesystem::current_path(Saved);
}

TEST(PluginManager, RegistersFindsAndForgetsPlugins)
{
	FTemporaryDirectory Temporary;
	std::filesystem::create_directories(Temporary.GetPath() / "Plugin" / "Binaries");
	std::ofstream(Temporary.GetPath() / "Plugin" / "HostTestPlugin.uplugin") << "{}";
	const FString PluginDirectory = FPaths::Combine(ToEngine(Temporary.GetPath()), TEXT("Plugin"));

	EXPECT_FALSE(IPluginManager::Get().FindPlugin(TEXT("HostTestPlugin")).IsValid());
	EXPECT_FALSE(UE::Host::RegisterPluginDirectory(ToEngine(Temporary.GetPath()), TEXT("HostTestPlugin")));

	// Found from a directory below the descriptor, as a tool finds its plugin relative to itself.
	const TOptional<FString> Found = UE::Host::RegisterPluginAbove(FPaths::Combine(PluginDirectory, TEXT("Binaries")), TEXT("HostTestPlugin"));
	ASSERT_TRUE(Found.IsSet());
	EXPECT_EQ(Found.GetValue(), PluginDirectory);

	const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("hosttestplugin"));
	ASSERT_TRUE(Plugin.IsValid());
	EXPECT_EQ(Plugin->GetName(), FString(TEXT("HostTestPlugin")));
	EXPECT_EQ(Plugin->GetBaseDir(), PluginDirectory);

	EXPECT_FALSE(UE::Host::RegisterPluginAbove(ToEngine(Temporary.GetPath()), TEXT("NoSuchPlugin")).IsSet());

	EXPECT_TRUE(IPluginManager::Get().RemoveFromPluginsList(Plugin->GetDescriptorFileName()));
	EXPECT_FALSE(IPluginManager::Get().FindPlugin(TEXT("HostTestPlugin")).IsValid());
	// The plugin object handed out before stays usable.
	EXPECT_EQ(Plugin->GetBaseDir(), PluginDirectory);
}
