// Where GeographicLib's model files are (below the plugin's directory) and how they are loaded.
#include "DuRizerudoreModelFiles.h"

#include "DuRizerudoreLog.h"
#include "DuRizerudoreModelLoading.h"

#include "Containers/StringConv.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/Optional.h"
#include "Misc/Paths.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>
THIRD_PARTY_INCLUDES_END

#include <cstddef>
#include <exception>
#include <string>

namespace DuRizerudore
{
	namespace
	{
		/** GeographicLib's names of each model's files, indexed by EEarthGravityModel; None has none. */
		constexpr const TCHAR* GravityModelNames[] = {nullptr, TEXT("egm84"), TEXT("egm96"), TEXT("egm2008")};
		constexpr const TCHAR* GeoidModelNames[] = {nullptr, TEXT("egm84-30"), TEXT("egm96-15"), TEXT("egm2008-5")};

		template <std::size_t Count>
		const TCHAR* LookUpModelName(const TCHAR* const (&Names)[Count], const EEarthGravityModel Model)
		{
			const std::size_t Index = static_cast<uint8>(Model);
			return Index < Count ? Names[Index] : nullptr;
		}

		/** The plugin's base directory, unset (and logged) when the plugin manager does not know it. */
		TOptional<FString> ResolvePluginBaseDirectory()
		{
			const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("DuRizerudore"));
			if (!Plugin.IsValid())
			{
				UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to resolve the DuRizerudore plugin directory."));
				return NullOpt;
			}
			return Plugin->GetBaseDir();
		}

		/**
		 * Builds a model with Make from its GeographicLib name and directory, in UTF-8. GeographicLib reports a
		 * missing or broken file by throwing; the reason is logged and the model left unset.
		 */
		template <typename TModel, typename FMakeModel>
		bool LoadModelOrLog(const TCHAR* Kind, const TCHAR* ModelName, const FString& Directory, TSharedPtr<TModel, ESPMode::ThreadSafe>& OutModel,
			const FMakeModel& Make)
		{
			const FString Name = ModelName != nullptr ? FString(ModelName) : FString();
			try
			{
				OutModel = Make(std::string(TCHAR_TO_UTF8(*Name)), std::string(TCHAR_TO_UTF8(*Directory)));
				return OutModel.IsValid();
			}
			catch (const std::exception& Exception)
			{
				UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load %s model '%s' from '%s': %s"), Kind, *Name, *Directory, UTF8_TO_TCHAR(Exception.what()));
			}
			catch (...)
			{
				UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load %s model '%s' from '%s': unknown exception."), Kind, *Name, *Directory);
			}
			OutModel.Reset();
			return false;
		}
	}

	FString ResolveGeographicLibDataRoot()
	{
		const TOptional<FString> PluginBaseDirectory = ResolvePluginBaseDirectory();
		if (!PluginBaseDirectory.IsSet())
		{
			return FString();
		}
		const FString Root = FPaths::Combine(PluginBaseDirectory.GetValue(), TEXT("Binaries"), TEXT("GeographicLib"));
		return FPlatformFileManager::Get().GetPlatformFile().ConvertToAbsolutePathForExternalAppForRead(*Root);
	}

	const TCHAR* GetGravityModelFileName(const EEarthGravityModel Model)
	{
		return LookUpModelName(GravityModelNames, Model);
	}

	const TCHAR* GetGeoidModelFileName(const EEarthGravityModel Model)
	{
		return LookUpModelName(GeoidModelNames, Model);
	}

	bool LoadGravityModel(const EEarthGravityModel Model, const FString& GravityDirectory, const int32 MaxDegree, const int32 MaxOrder,
		TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& OutGravityModel)
	{
		return LoadModelOrLog(TEXT("gravity"), GetGravityModelFileName(Model), GravityDirectory, OutGravityModel,
			[MaxDegree, MaxOrder](const std::string& Name, const std::string& Directory) {
				return MakeShared<GeographicLib::GravityModel, ESPMode::ThreadSafe>(Name, Directory, MaxDegree, MaxOrder);
			});
	}

	bool LoadGeoidModel(const EEarthGravityModel Model, const FString& GeoidDirectory, const ECoordinateGeoidInterpolation Interpolation,
		TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& OutGeoidModel)
	{
		const bool bCubic = Interpolation == ECoordinateGeoidInterpolation::Cubic;
		return LoadModelOrLog(TEXT("geoid"), GetGeoidModelFileName(Model), GeoidDirectory, OutGeoidModel,
			[bCubic](const std::string& Name, const std::string& Directory) {
				// Thread-safe mode reads the whole grid into memory, so that queries never touch the file again.
				constexpr bool bThreadSafe = true;
				return MakeShared<GeographicLib::Geoid, ESPMode::ThreadSafe>(Name, Directory, bCubic, bThreadSafe);
			});
	}
}
