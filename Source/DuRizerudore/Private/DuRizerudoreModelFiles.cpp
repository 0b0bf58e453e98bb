// Where GeographicLib's model files are (below the plugin's directory) and how they are loaded.
#include "DuRizerudoreModelFiles.h"

#include "DuRizerudoreLog.h"
#include "DuRizerudoreModelLoading.h"

#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/Optional.h"
#include "Misc/Paths.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>
THIRD_PARTY_INCLUDES_END

#include <exception>
#include <string>

namespace DuRizerudore
{
	namespace
	{
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
		switch (Model)
		{
		case EEarthGravityModel::EGM84:
			return TEXT("egm84");
		case EEarthGravityModel::EGM96:
			return TEXT("egm96");
		case EEarthGravityModel::EGM2008:
			return TEXT("egm2008");
		default:
			return nullptr;
		}
	}

	const TCHAR* GetGeoidModelFileName(const EEarthGravityModel Model)
	{
		switch (Model)
		{
		case EEarthGravityModel::EGM84:
			return TEXT("egm84-30");
		case EEarthGravityModel::EGM96:
			return TEXT("egm96-15");
		case EEarthGravityModel::EGM2008:
			return TEXT("egm2008-5");
		default:
			return nullptr;
		}
	}

	bool LoadGravityModel(const EEarthGravityModel Model, const FString& GravityDirectory, const int32 MaxDegree, const int32 MaxOrder,
		TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& OutGravityModel)
	{
		const TCHAR* ModelName = GetGravityModelFileName(Model);
		const FString Name = ModelName != nullptr ? FString(ModelName) : FString();
		try
		{
			const std::string NarrowDirectory = TCHAR_TO_UTF8(*GravityDirectory);
			const std::string NarrowName = TCHAR_TO_UTF8(*Name);
			OutGravityModel = MakeShared<GeographicLib::GravityModel, ESPMode::ThreadSafe>(NarrowName, NarrowDirectory, MaxDegree, MaxOrder);
			return OutGravityModel.IsValid();
		}
		catch (const std::exception& Exception)
		{
			UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load gravity model '%s' from '%s': %s"), *Name, *GravityDirectory, UTF8_TO_TCHAR(Exception.what()));
		}
		catch (...)
		{
			UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load gravity model '%s' from '%s': unknown exception."), *Name, *GravityDirectory);
		}
		OutGravityModel.Reset();
		return false;
	}

	bool LoadGeoidModel(const EEarthGravityModel Model, const FString& GeoidDirectory, const ECoordinateGeoidInterpolation Interpolation,
		TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& OutGeoidModel)
	{
		const TCHAR* ModelName = GetGeoidModelFileName(Model);
		const FString Name = ModelName != nullptr ? FString(ModelName) : FString();
		try
		{
			const std::string NarrowDirectory = TCHAR_TO_UTF8(*GeoidDirectory);
			const std::string NarrowName = TCHAR_TO_UTF8(*Name);
			const bool bCubic = Interpolation == ECoordinateGeoidInterpolation::Cubic;
			// Thread-safe mode reads the whole grid into memory, so that queries never touch the file again.
			constexpr bool bThreadSafe = true;
			OutGeoidModel = MakeShared<GeographicLib::Geoid, ESPMode::ThreadSafe>(NarrowName, NarrowDirectory, bCubic, bThreadSafe);
			return OutGeoidModel.IsValid();
		}
		catch (const std::exception& Exception)
		{
			UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load geoid model '%s' from '%s': %s"), *Name, *GeoidDirectory, UTF8_TO_TCHAR(Exception.what()));
		}
		catch (...)
		{
			UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load geoid model '%s' from '%s': unknown exception."), *Name, *GeoidDirectory);
		}
		OutGeoidModel.Reset();
		return false;
	}
}
