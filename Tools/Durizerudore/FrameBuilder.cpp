#include <fmt/format.h>

#include "FrameBuilder.h"

#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreModelFiles.h"
#include "DuRizerudoreSystem.h"
#include "Engine/World.h"
#include "HostPluginRegistration.h"
#include "TextConversion.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace DuRizerudoreCli
{
	namespace
	{
		namespace fs = std::filesystem;

		constexpr const TCHAR* PluginName = TEXT("DuRizerudore");
		constexpr const char* DescriptorName = "DuRizerudore.uplugin";

		bool IsFile(const fs::path& Path)
		{
			std::error_code Ignored;
			return fs::is_regular_file(Path, Ignored);
		}

		/**
		 * Anything at the path, following links; a FIFO or a device there is not missing but refused by the loader, which
		 * says why. So is a path that cannot be looked at (a link loop, a directory without search permission): only a
		 * file that is certainly absent (or a dangling link) is missing, to be installed.
		 */
		bool Exists(const fs::path& Path)
		{
			std::error_code Error;
			const fs::file_type Type = fs::status(Path, Error).type();
			return Type != fs::file_type::not_found && (!Error || Error == std::errc::too_many_symbolic_link_levels || Error == std::errc::permission_denied);
		}

		struct FMissingModel
		{
			std::string Description; // "gravity model egm84"
			std::vector<std::string> MissingFiles;
			fs::path Directory;
			const char* DoWithoutOption;
		};

		/** The model files the setup selects that are not where the instance looks for them. */
		std::vector<FMissingModel> FindMissingModelFiles(const FCoordinateConversionSetup& Setup, const fs::path& DataDirectory)
		{
			std::vector<FMissingModel> Missing;
			auto Check = [&Missing](const char* Kind, const TCHAR* ModelName, const fs::path& Directory, std::vector<std::string> Extensions,
							 const char* DoWithoutOption) {
				if (ModelName == nullptr)
				{
					return;
				}
				const std::string Name = ToUtf8(FString(ModelName));
				FMissingModel Model{fmt::format("{} model {}", Kind, Name), {}, Directory, DoWithoutOption};
				for (const std::string& Extension : Extensions)
				{
					if (!Exists(Directory / (Name + Extension)))
					{
						Model.MissingFiles.push_back(Name + Extension);
					}
				}
				if (!Model.MissingFiles.empty())
				{
					Missing.push_back(std::move(Model));
				}
			};
			Check("gravity", DuRizerudore::GetGravityModelFileName(Setup.GravityModel.GetValue()), DataDirectory / "gravity",
				{DuRizerudore::GravityModelMetadataSuffix, DuRizerudore::GravityModelCoefficientsSuffix}, "--gravity-model none");
			Check("geoid", DuRizerudore::GetGeoidModelFileName(Setup.GeoidModel.GetValue()), DataDirectory / "geoids", {DuRizerudore::GeoidGridSuffix},
				"--geoid-model none");
			return Missing;
		}

		std::string ExplainUninitializedInstance(const FCoordinateConversionSetup& Setup)
		{
			const FString Root = DuRizerudore::ResolveGeographicLibDataRoot();
			if (Root.IsEmpty())
			{
				return "cannot build the reference frame: the plugin directory is not known (see the log above)";
			}
			const fs::path DataDirectory = fs::path(ToUtf8(Root)) / "data";
			const std::vector<FMissingModel> Missing = FindMissingModelFiles(Setup, DataDirectory);
			if (Missing.empty())
			{
				return "cannot build the reference frame: the model files could not be loaded (see the log messages above)";
			}
			std::string Message = "cannot build the reference frame: model data is missing.";
			std::vector<std::string> DoWithout;
			for (const FMissingModel& Model : Missing)
			{
				Message += fmt::format("\n  {}: {} not found in {}", Model.Description, fmt::join(Model.MissingFiles, " and "), Model.Directory.string());
				DoWithout.emplace_back(Model.DoWithoutOption);
			}
			Message += "\nInstall the model data with scripts/install-data (or scripts/setup) from the plugin's source tree,";
			Message += fmt::format("\nor do without it: {} (queries that need the model then fail).", fmt::join(DoWithout, ", "));
			return Message;
		}
	}

	std::string RegisterPlugin(const FToolOptions& Options)
	{
		if (!Options.PluginDirectory.empty())
		{
			std::error_code Error;
			const fs::path Directory = fs::absolute(Options.PluginDirectory, Error);
			if (Error || !IsFile(Directory / DescriptorName))
			{
				return fmt::format("--plugin-dir {}: no {} in that directory", Options.PluginDirectory, DescriptorName);
			}
			if (!UE::Host::RegisterPluginDirectory(FString(Directory.string().c_str()), PluginName))
			{
				return fmt::format("--plugin-dir {}: the plugin could not be registered (see the log above)", Options.PluginDirectory);
			}
			return {};
		}
		const FString ExecutableDirectory = UE::Host::GetExecutableDirectory();
		if (!UE::Host::RegisterPluginAbove(ExecutableDirectory, PluginName).IsSet())
		{
			return fmt::format("cannot find {} in {} or any directory above it; name the plugin directory with --plugin-dir DIR", DescriptorName,
				ToUtf8(ExecutableDirectory));
		}
		return {};
	}

	std::string BuildReferenceFrame(const FToolOptions& Options, FCoordinateReferenceFrame& OutFrame)
	{
		const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Instance =
			MakeShared<FCoordinateConversionInstance, ESPMode::ThreadSafe>(Options.ConversionSetup);
		if (!Instance->IsInitialized())
		{
			return ExplainUninitializedInstance(Options.ConversionSetup);
		}
		if (Options.bNoLocalFrame)
		{
			OutFrame = FCoordinateReferenceFrame(Instance);
			return {};
		}
		// The frame decides whether the origin is a place it can build a local frame at, as for every other user.
		FCoordinateReferenceFrame Frame(Instance, Options.ReferenceSetup);
		if (!Frame.HasLocalFrame())
		{
			const FGeodeticCoordinate& Origin = Options.ReferenceSetup.LocalFrameOrigin;
			return fmt::format("cannot build the reference frame at --origin {},{},{}: the latitude must lie within [-90, 90], the height within "
							   "1e7 m of the ellipsoid, and the point must have a place in a {} local frame",
				Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM, Options.ReferenceSetup.LocalFrameType == ECoordinateLocalFrameType::UTM ? "UTM/UPS" : "tangent-plane");
		}
		OutFrame = MoveTemp(Frame);
		return {};
	}

	std::string DescribeIgnoredTruncation(const FToolOptions& Options)
	{
		const FCoordinateConversionSetup& Setup = Options.ConversionSetup;
		int32 ModelDegree = -1;
		int32 ModelOrder = -1;
		if ((!Options.bGravityMaxDegreeGiven && !Options.bGravityMaxOrderGiven)
			|| !DuRizerudore::ReadInstalledGravityModelDegree(Setup.GravityModel.GetValue(), ModelDegree, ModelOrder))
		{
			return {};
		}
		std::vector<std::string> Excess;
		if (Options.bGravityMaxDegreeGiven && Setup.GravityMaxDegree > ModelDegree)
		{
			Excess.push_back(fmt::format("--gravity-max-degree {} is above the model's degree {}", Setup.GravityMaxDegree, ModelDegree));
		}
		if (Options.bGravityMaxOrderGiven && Setup.GravityMaxOrder > ModelOrder)
		{
			Excess.push_back(fmt::format("--gravity-max-order {} is above the model's order {}", Setup.GravityMaxOrder, ModelOrder));
		}
		if (Excess.empty())
		{
			return {};
		}
		return fmt::format("note: {} (gravity model {}); the model's own is used", fmt::join(Excess, " and "),
			ToUtf8(FString(DuRizerudore::GetGravityModelFileName(Setup.GravityModel.GetValue()))));
	}

	std::string BuildCoordinateSystem(const FToolOptions& Options, const ADuRizerudoreSystem*& OutCoordinateSystem)
	{
		UWorld* const World = UWorld::CreateWorld(EWorldType::Game, false);
		ADuRizerudoreSystem* const CoordinateSystem = World->SpawnActor<ADuRizerudoreSystem>();
		// The settings go in as one edit in the editor's details panel would make them; the actor rebuilds from them.
		FProperty* const LocalFrameProperty = FindFProperty<FProperty>(ADuRizerudoreSystem::StaticClass(), FName(TEXT("LocalReferenceFrame")));
		CoordinateSystem->PreEditChange(LocalFrameProperty);
		CoordinateSystem->GetSetup() = Options.ConversionSetup;
		CoordinateSystem->GetReferenceSetup() = Options.ReferenceSetup;
		*LocalFrameProperty->ContainerPtrToValuePtr<bool>(CoordinateSystem) = !Options.bNoLocalFrame;
		FPropertyChangedEvent Edit(LocalFrameProperty, EPropertyChangeType::ValueSet);
		CoordinateSystem->PostEditChangeProperty(Edit);
		if (!CoordinateSystem->IsReferenceFrameInitialized())
		{
			DestroyCoordinateSystemWorld(*CoordinateSystem);
			return "cannot build the coordinate system's reference frame (see the log above)";
		}
		OutCoordinateSystem = CoordinateSystem;
		return {};
	}

	void DestroyCoordinateSystemWorld(const ADuRizerudoreSystem& CoordinateSystem)
	{
		CoordinateSystem.GetWorld()->DestroyWorld(false);
		CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	}
}
