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

#if PLATFORM_WINDOWS
#include "Windows/AllowWindowsPlatformTypes.h"
#include "Windows/WindowsHWrapper.h"
#include "Windows/HideWindowsPlatformTypes.h"
#endif

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>
THIRD_PARTY_INCLUDES_END

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

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

		/** No published spherical-harmonic model goes beyond degree 2190 (EGM2008); a larger header is corrupt. */
		constexpr int32 MaxPublishedDegree = 2190;

		/** GeographicLib's coefficient files start with an 8-byte model id, then degree and order as little-endian int32. */
		constexpr std::streamoff CoefficientIdBytes = 8;

		std::filesystem::path ToFileSystemPath(const std::string& Utf8)
		{
			return std::filesystem::path(std::u8string(Utf8.begin(), Utf8.end()));
		}

		/**
		 * Why GeographicLib must not open File, or empty when it may: a FIFO blocks the open and a device never
		 * ends, so only regular files (or links to them) are handed on. A missing file is left to GeographicLib,
		 * whose message names it; a path that cannot be examined (a link loop, a directory without search
		 * permission) is refused with the system's reason, which GeographicLib would not give.
		 */
		std::string RefuseNonRegularFile(const std::string& File)
		{
			std::error_code Error;
			const std::filesystem::file_type Type = std::filesystem::status(ToFileSystemPath(File), Error).type();
			switch (Type)
			{
			case std::filesystem::file_type::regular:
			case std::filesystem::file_type::not_found:
				return {};
			case std::filesystem::file_type::none:
				return Error ? File + " cannot be examined: " + Error.message() : std::string();
			case std::filesystem::file_type::fifo:
				return File + " is a FIFO, not a regular file";
			case std::filesystem::file_type::block:
			case std::filesystem::file_type::character:
				return File + " is a device, not a regular file";
			case std::filesystem::file_type::directory:
				return File + " is a directory, not a regular file";
			default:
				return File + " is not a regular file";
			}
		}

		/** Reads one little-endian int32 at the stream's position; false at the end of the file. */
		bool ReadLittleEndianInt32(std::ifstream& Stream, int32& OutValue)
		{
			unsigned char Bytes[4] = {};
			if (!Stream.read(reinterpret_cast<char*>(Bytes), sizeof(Bytes)))
			{
				return false;
			}
			const std::uint32_t Value = std::uint32_t(Bytes[0]) | std::uint32_t(Bytes[1]) << 8 | std::uint32_t(Bytes[2]) << 16 | std::uint32_t(Bytes[3]) << 24;
			OutValue = static_cast<int32>(Value);
			return true;
		}

		/** Cosine and sine coefficient count of a set of degree N and order M, as GeographicLib stores them. */
		std::streamoff CountCoefficients(const int32 N, const int32 M)
		{
			const std::streamoff Degree = N;
			const std::streamoff Order = M;
			return (Order + 1) * (2 * Degree - Order + 2) / 2 + Order * (2 * Degree - Order + 1) / 2;
		}

		/** Degree and order of the coefficient set whose header starts at At; false when the file ends before them. */
		bool ReadCoefficientSetHeader(std::ifstream& Stream, const std::streamoff At, int32& OutN, int32& OutM)
		{
			return Stream.seekg(At) && ReadLittleEndianInt32(Stream, OutN) && ReadLittleEndianInt32(Stream, OutM);
		}

		/**
		 * Why a coefficient file must not reach GeographicLib, which allocates what its headers declare before it
		 * reads a coefficient, or empty when it may. Both the model's set and the correction set that follows it are
		 * checked; a file too short to hold a header is left to GeographicLib's own message.
		 */
		std::string RefuseOversizedCoefficients(const std::string& File)
		{
			std::ifstream Stream(ToFileSystemPath(File), std::ios::binary);
			std::streamoff SetStart = CoefficientIdBytes;
			for (int32 Set = 0; Set < 2; ++Set)
			{
				int32 N = -1;
				int32 M = -1;
				if (!ReadCoefficientSetHeader(Stream, SetStart, N, M))
				{
					return {};
				}
				if (N > MaxPublishedDegree || M > MaxPublishedDegree)
				{
					return File + " declares degree " + std::to_string(N) + " and order " + std::to_string(M) + ", beyond the "
						+ std::to_string(MaxPublishedDegree) + " of any published model";
				}
				if (N < 0 || M < 0 || M > N)
				{
					// GeographicLib refuses these (or reads an empty set) without allocating.
					return {};
				}
				SetStart += 2 * 4 + CountCoefficients(N, M) * std::streamoff(sizeof(double));
			}
			return {};
		}

		/**
		 * The directory as GeographicLib can open it, or empty with OutReason set. GeographicLib opens its files
		 * through narrow paths, which Windows reads in the ANSI code page, not UTF-8: there a path with characters
		 * outside ASCII goes by its short (8.3) form, and is refused where the volume keeps none. Elsewhere narrow
		 * paths are UTF-8, and the directory is passed as it is.
		 */
		std::string ToGeographicLibDirectory(const FString& Directory, std::string& OutReason)
		{
#if PLATFORM_WINDOWS
			bool bAscii = true;
			for (const TCHAR Character : Directory)
			{
				bAscii = bAscii && static_cast<uint32>(Character) < 128u;
			}
			if (!bAscii)
			{
				const DWORD Length = ::GetShortPathNameW(*Directory, nullptr, 0);
				std::wstring Short(Length, L'\0');
				const DWORD Written = Length != 0 ? ::GetShortPathNameW(*Directory, Short.data(), Length) : 0;
				Short.resize(Written < Length ? Written : 0);
				for (const wchar_t Character : Short)
				{
					if (static_cast<uint32>(Character) >= 128u)
					{
						Short.clear();
						break;
					}
				}
				if (Short.empty())
				{
					OutReason = "the path holds characters outside ASCII and has no short (8.3) form, which GeographicLib needs to open it on Windows";
					return {};
				}
				return std::string(Short.begin(), Short.end());
			}
#endif
			OutReason.clear();
			return std::string(TCHAR_TO_UTF8(*Directory));
		}

		/**
		 * Builds a model with Make from its GeographicLib name and directory, in UTF-8, unless Refuse (given the
		 * same) gives a reason not to. GeographicLib reports a missing or broken file by throwing; either reason is
		 * logged and the model left unset.
		 */
		template <typename TModel, typename FRefuseModel, typename FMakeModel>
		bool LoadModelOrLog(const TCHAR* Kind, const TCHAR* ModelName, const FString& Directory, TSharedPtr<TModel, ESPMode::ThreadSafe>& OutModel,
			const FRefuseModel& Refuse, const FMakeModel& Make)
		{
			const FString Name = ModelName != nullptr ? FString(ModelName) : FString();
			try
			{
				const std::string NameUtf8(TCHAR_TO_UTF8(*Name));
				std::string PathReason;
				const std::string DirectoryUtf8 = ToGeographicLibDirectory(Directory, PathReason);
				if (const std::string Reason = ModelName == nullptr ? std::string() : !PathReason.empty() ? PathReason : Refuse(NameUtf8, DirectoryUtf8); !Reason.empty())
				{
					UE_LOG(LogDuRizerudoreConversion, Error, TEXT("Failed to load %s model '%s' from '%s': %s"), Kind, *Name, *Directory, UTF8_TO_TCHAR(Reason.c_str()));
					OutModel.Reset();
					return false;
				}
				OutModel = Make(NameUtf8, DirectoryUtf8);
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

		/** GeographicLib reads a gravity model from its metadata file and its coefficients from a second file. */
		std::string RefuseGravityModelFiles(const std::string& Name, const std::string& Directory)
		{
			const std::string Metadata = Directory + "/" + Name + GravityModelMetadataSuffix;
			const std::string Coefficients = Directory + "/" + Name + GravityModelCoefficientsSuffix;
			for (const std::string& File : {Metadata, Coefficients})
			{
				if (std::string Reason = RefuseNonRegularFile(File); !Reason.empty())
				{
					return Reason;
				}
			}
			return RefuseOversizedCoefficients(Coefficients);
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

	bool ReadInstalledGravityModelDegree(const EEarthGravityModel Model, int32& OutDegree, int32& OutOrder)
	{
		const TCHAR* const Name = GetGravityModelFileName(Model);
		const FString Root = ResolveGeographicLibDataRoot();
		if (Name == nullptr || Root.IsEmpty())
		{
			return false;
		}
		const std::string File = std::string(TCHAR_TO_UTF8(*FPaths::Combine(Root, TEXT("data"), TEXT("gravity"), Name))) + GravityModelCoefficientsSuffix;
		if (!RefuseNonRegularFile(File).empty())
		{
			return false;
		}
		std::ifstream Stream(ToFileSystemPath(File), std::ios::binary);
		int32 N = -1;
		int32 M = -1;
		if (!ReadCoefficientSetHeader(Stream, CoefficientIdBytes, N, M) || N < 0 || M < 0)
		{
			return false;
		}
		OutDegree = N;
		OutOrder = M;
		return true;
	}

	bool LoadGravityModel(const EEarthGravityModel Model, const FString& GravityDirectory, const int32 MaxDegree, const int32 MaxOrder,
		TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& OutGravityModel)
	{
		return LoadModelOrLog(TEXT("gravity"), GetGravityModelFileName(Model), GravityDirectory, OutGravityModel, RefuseGravityModelFiles,
			[MaxDegree, MaxOrder](const std::string& Name, const std::string& Directory) {
				return MakeShared<GeographicLib::GravityModel, ESPMode::ThreadSafe>(Name, Directory, MaxDegree, MaxOrder);
			});
	}

	bool LoadGeoidModel(const EEarthGravityModel Model, const FString& GeoidDirectory, const ECoordinateGeoidInterpolation Interpolation,
		TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& OutGeoidModel)
	{
		const bool bCubic = Interpolation == ECoordinateGeoidInterpolation::Cubic;
		return LoadModelOrLog(TEXT("geoid"), GetGeoidModelFileName(Model), GeoidDirectory, OutGeoidModel,
			[](const std::string& Name, const std::string& Directory) { return RefuseNonRegularFile(Directory + "/" + Name + GeoidGridSuffix); },
			[bCubic](const std::string& Name, const std::string& Directory) {
				// Thread-safe mode reads the whole grid into memory, so that queries never touch the file again.
				constexpr bool bThreadSafe = true;
				return MakeShared<GeographicLib::Geoid, ESPMode::ThreadSafe>(Name, Directory, bCubic, bThreadSafe);
			});
	}
}
