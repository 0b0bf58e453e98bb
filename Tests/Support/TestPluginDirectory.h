// Plugin directories for tests: the repository's own (with the installed model data) or a fresh
// temporary one that a test fills with model files of its own.
#pragma once

#include "CoreMinimal.h"
#include "TemporaryDirectory.h"

#include <filesystem>

namespace DuRizerudoreTest
{
	/** Registers the repository as the DuRizerudore plugin; its model data is what the setup script installed. */
	void UseRepositoryPlugin();

	/** Leaves the plugin unregistered, as in a process that cannot find it. */
	void UseNoPlugin();

	/** True when the setup script installed EGM84 (gravity and 30' geoid) below the repository. */
	bool IsInstalledEgm84Available();

	/** The installed data directory of the repository plugin (…/Binaries/GeographicLib/data). */
	std::filesystem::path GetInstalledDataDirectory();

	/**
	 * A temporary plugin directory with a descriptor, registered as the DuRizerudore plugin while the object
	 * lives. Model directories are created only on request.
	 */
	class FTemporaryPlugin
	{
	public:
		FTemporaryPlugin();
		~FTemporaryPlugin();

		FTemporaryPlugin(const FTemporaryPlugin&) = delete;
		FTemporaryPlugin& operator=(const FTemporaryPlugin&) = delete;

		/** The plugin directory, where the descriptor is. */
		const std::filesystem::path& GetRoot() const { return Root; }
		std::filesystem::path GetDataDirectory() const;
		std::filesystem::path GetGravityDirectory() const { return GetDataDirectory() / "gravity"; }
		std::filesystem::path GetGeoidDirectory() const { return GetDataDirectory() / "geoids"; }

		/** Creates the gravity and geoid directories (empty). */
		void CreateModelDirectories(bool bGravity = true, bool bGeoid = true) const;

		/** The directory as the plugin's log messages name it. */
		static FString ToEngine(const std::filesystem::path& Path);

	private:
		FTemporaryDirectory Scratch;
		std::filesystem::path Root;
	};
}
