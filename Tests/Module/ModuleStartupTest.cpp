// The module as the engine meets it: loaded by name through the module manager, starting up with or without
// its plugin and GeographicLib's library file, and shutting down.
#include "CoreMinimal.h"
#include "HAL/HostDllHandles.h"
#include "Logging/HostLogCapture.h"
#include "Modules/ModuleManager.h"

#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#if DURIZERUDORE_GEOGRAPHICLIB_LINKED_STATICALLY

// GeographicLib linked into the module, as the engine's build does it: nothing to find, load or release.
TEST(ModuleStartup, LinkedGeographicLibNeedsNoLibraryFileNorPluginDirectory)
{
	for (const bool bWithPlugin : {true, false})
	{
		SCOPED_TRACE(bWithPlugin ? "with the plugin" : "without the plugin");
		std::optional<DuRizerudoreTest::FTemporaryPlugin> Plugin;
		if (bWithPlugin)
		{
			Plugin.emplace();
		}
		else
		{
			DuRizerudoreTest::UseNoPlugin();
		}
		FHostLogCapture Capture;
		IModuleInterface* const Module = FModuleManager::Get().LoadModule(TEXT("DuRizerudore"));
		ASSERT_NE(Module, nullptr);
		Module->ShutdownModule();
		EXPECT_TRUE(FModuleManager::Get().UnloadModule(TEXT("DuRizerudore")));
		EXPECT_TRUE(Capture.GetLines().empty());
	}
}

#else

namespace
{
	using DuRizerudoreTest::FTemporaryPlugin;

	const TCHAR* const ModuleCategory = TEXT("LogDuRizerudoreModule");

	/** Where the module looks for GeographicLib on this platform, below a plugin directory. */
	std::filesystem::path LibraryPathBelow(const std::filesystem::path& PluginRoot)
	{
		return PluginRoot / "Binaries" / "GeographicLib" / "Linux" / "libGeographicLib.so";
	}
}

TEST(ModuleStartup, HoldsTheLibraryFromThePluginDirectoryAndReleasesItOnce)
{
	const FTemporaryPlugin Plugin;
	const std::filesystem::path Library = LibraryPathBelow(Plugin.GetRoot());
	std::filesystem::create_directories(Library.parent_path());
	std::filesystem::copy_file(DURIZERUDORE_GEOGRAPHICLIB_LIBRARY, Library);
	const FString LibraryPath = FTemporaryPlugin::ToEngine(Library);
	FHostLogCapture Capture;

	IModuleInterface* const Module = FModuleManager::Get().LoadModule(TEXT("DuRizerudore"));
	ASSERT_NE(Module, nullptr);
	EXPECT_EQ(UE::Host::CountOpenDllHandles(*LibraryPath), 1);
	// Loading a loaded module starts nothing again.
	EXPECT_EQ(FModuleManager::Get().LoadModule(TEXT("DuRizerudore")), Module);
	EXPECT_EQ(UE::Host::CountOpenDllHandles(*LibraryPath), 1);

	Module->ShutdownModule();
	EXPECT_EQ(UE::Host::CountOpenDllHandles(*LibraryPath), 0);
	// A second shut-down, and the one the manager makes while unloading, release nothing more.
	Module->ShutdownModule();
	EXPECT_TRUE(FModuleManager::Get().UnloadModule(TEXT("DuRizerudore")));
	EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("DuRizerudore")));
	EXPECT_EQ(UE::Host::CountOpenDllHandles(*LibraryPath), 0);
	EXPECT_TRUE(Capture.GetLines().empty());
}

TEST(ModuleStartup, MissingLibraryFileIsReportedWithTheJoinedPath)
{
	const FTemporaryPlugin Plugin;
	FHostLogCapture Capture;

	ASSERT_NE(FModuleManager::Get().LoadModule(TEXT("DuRizerudore")), nullptr);
	const FString Expected = FString(TEXT("Failed to load libGeographicLib.so from '")) + FTemporaryPlugin::ToEngine(LibraryPathBelow(Plugin.GetRoot())) + TEXT("'.");
	EXPECT_EQ(Capture.GetMessages(ModuleCategory), std::vector<std::wstring>{Expected.ToStdWString()});
	EXPECT_EQ(Capture.GetLines().back().Verbosity, ELogVerbosity::Error);

	// Nothing is held, so unloading releases nothing (a stray release would fail a check).
	EXPECT_TRUE(FModuleManager::Get().UnloadModule(TEXT("DuRizerudore")));
	EXPECT_EQ(Capture.GetMessages(ModuleCategory).size(), 1u);
}

TEST(ModuleStartup, UnregisteredPluginOnlyReportsTheDirectory)
{
	DuRizerudoreTest::UseNoPlugin();
	FHostLogCapture Capture;

	ASSERT_NE(FModuleManager::Get().LoadModule(TEXT("DuRizerudore")), nullptr);
	EXPECT_TRUE(FModuleManager::Get().UnloadModule(TEXT("DuRizerudore")));

	// No load was tried: the platform's own failure warning would be a second line.
	const std::vector<FHostLogLine> Lines = Capture.GetLines();
	ASSERT_EQ(Lines.size(), 1u);
	EXPECT_EQ(Lines[0].Category, ModuleCategory);
	EXPECT_EQ(Lines[0].Verbosity, ELogVerbosity::Error);
	EXPECT_EQ(Lines[0].Message, L"Failed to resolve the DuRizerudore plugin directory while loading GeographicLib.");
}

#endif
