#include "TestPluginDirectory.h"

#include "HostPluginRegistration.h"

#include <fstream>
#include <string>

namespace DuRizerudoreTest
{
	namespace
	{
		std::filesystem::path RepositoryRoot()
		{
			return std::filesystem::path(DURIZERUDORE_TEST_PLUGIN_DIR);
		}
	}

	void UseRepositoryPlugin()
	{
		UE::Host::RegisterPluginDirectory(FString(DURIZERUDORE_TEST_PLUGIN_DIR), TEXT("DuRizerudore"));
	}

	void UseNoPlugin()
	{
		UE::Host::UnregisterPlugin(TEXT("DuRizerudore"));
	}

	std::filesystem::path GetInstalledDataDirectory()
	{
		return RepositoryRoot() / "Binaries" / "GeographicLib" / "data";
	}

	bool IsInstalledEgm84Available()
	{
		const std::filesystem::path Data = GetInstalledDataDirectory();
		return std::filesystem::is_regular_file(Data / "gravity" / "egm84.egm") && std::filesystem::is_regular_file(Data / "gravity" / "egm84.egm.cof")
			&& std::filesystem::is_regular_file(Data / "geoids" / "egm84-30.pgm");
	}

	FTemporaryPlugin::FTemporaryPlugin()
	{
		Root = Scratch / "DuRizerudore";
		std::filesystem::create_directories(Root);
		std::ofstream(Root / "DuRizerudore.uplugin") << "{ \"FileVersion\": 3, \"FriendlyName\": \"DuRizerudore\" }\n";
		UE::Host::RegisterPluginDirectory(ToEngine(Root), TEXT("DuRizerudore"));
	}

	FTemporaryPlugin::~FTemporaryPlugin()
	{
		UE::Host::UnregisterPlugin(TEXT("DuRizerudore"));
	}

	std::filesystem::path FTemporaryPlugin::GetDataDirectory() const
	{
		return Root / "Binaries" / "GeographicLib" / "data";
	}

	void FTemporaryPlugin::CreateModelDirectories(const bool bGravity, const bool bGeoid) const
	{
		if (bGravity)
		{
			std::filesystem::create_directories(GetGravityDirectory());
		}
		if (bGeoid)
		{
			std::filesystem::create_directories(GetGeoidDirectory());
		}
	}

	FString FTemporaryPlugin::ToEngine(const std::filesystem::path& Path)
	{
		return FString::FromStdString(Path.lexically_normal().generic_wstring());
	}
}
