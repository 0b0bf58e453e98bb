#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "NumberIo.h"
#include "Options.h"

#include <array>
#include <cmath>
#include <strings.h>
#include <vector>

namespace DuRizerudoreCli
{
	namespace
	{
		template <typename TEnum>
		struct FNamedValue
		{
			const char* Name;
			TEnum Value;
		};

		constexpr std::array<FNamedValue<ECoordinateSystem>, 5> CoordinateSystems{{
			{"Local_ENU", ECoordinateSystem::Local_ENU},
			{"Local_NED", ECoordinateSystem::Local_NED},
			{"Local_UE", ECoordinateSystem::Local_UE},
			{"Geocentric", ECoordinateSystem::Geocentric},
			{"Geodetic", ECoordinateSystem::Geodetic},
		}};

		constexpr std::array<FNamedValue<ECoordinateLocalFrameType>, 2> LocalFrameTypes{{
			{"cartesian", ECoordinateLocalFrameType::Cartesian},
			{"utm", ECoordinateLocalFrameType::UTM},
		}};

		constexpr std::array<FNamedValue<ECoordinateAltitudeReference>, 2> AltitudeReferences{{
			{"ellipsoid", ECoordinateAltitudeReference::Ellipsoid},
			{"msl", ECoordinateAltitudeReference::MeanSeaLevel},
		}};

		constexpr std::array<FNamedValue<EEarthGravityModel>, 4> EarthModels{{
			{"none", EEarthGravityModel::None},
			{"egm84", EEarthGravityModel::EGM84},
			{"egm96", EEarthGravityModel::EGM96},
			{"egm2008", EEarthGravityModel::EGM2008},
		}};

		constexpr std::array<FNamedValue<ECoordinateGravityAccuracy>, 4> GravityAccuracies{{
			{"full", ECoordinateGravityAccuracy::Full},
			{"8", ECoordinateGravityAccuracy::Truncated8},
			{"16", ECoordinateGravityAccuracy::Truncated16},
			{"32", ECoordinateGravityAccuracy::Truncated32},
		}};

		constexpr std::array<FNamedValue<ECoordinateGeoidInterpolation>, 2> GeoidInterpolations{{
			{"bilinear", ECoordinateGeoidInterpolation::Bilinear},
			{"cubic", ECoordinateGeoidInterpolation::Cubic},
		}};

		template <typename TEnum, std::size_t Count>
		const char* FindName(const std::array<FNamedValue<TEnum>, Count>& Table, const TEnum Value)
		{
			for (const FNamedValue<TEnum>& Entry : Table)
			{
				if (Entry.Value == Value)
				{
					return Entry.Name;
				}
			}
			return "?";
		}

		/**
		 * An option taking one of the names in Table, in any letter case. TTarget is the enumeration itself
		 * or the TEnumAsByte the setups store it in. The default shown is the target's current value.
		 */
		template <typename TTarget, typename TEnum, std::size_t Count>
		CLI::Option* AddEnumOption(CLI::App& App, const std::string& Flags, TTarget& Target, const std::array<FNamedValue<TEnum>, Count>& Table,
			const std::string& Description)
		{
			std::vector<std::string> Names;
			for (const FNamedValue<TEnum>& Entry : Table)
			{
				Names.emplace_back(Entry.Name);
			}
			CLI::Option* Option = App.add_option_function<std::string>(
				Flags,
				[&Target, &Table](const std::string& Value) {
					// The membership check has already replaced Value by the table's own spelling.
					for (const FNamedValue<TEnum>& Entry : Table)
					{
						if (strcasecmp(Entry.Name, Value.c_str()) == 0)
						{
							Target = Entry.Value;
						}
					}
				},
				Description);
			// A transform rather than a check: it replaces the value by the table's own spelling (and the
			// engine's check() macro would take the member call for itself).
			Option->transform(CLI::IsMember(Names, CLI::ignore_case).description(""));
			Option->type_name(fmt::format("{}", fmt::join(Names, "|")));
			Option->default_str(FindName(Table, static_cast<TEnum>(Target)));
			return Option;
		}

		/**
		 * LAT,LON,H of the local frame origin: three finite numbers. Whether they are a place on the Earth is the
		 * reference frame's to decide, when it is built.
		 */
		std::string ParseOrigin(const std::string& Text, FGeodeticCoordinate& OutOrigin)
		{
			std::array<double, 3> Numbers{};
			std::string Reason;
			if (!ParseNumbers(Text, Numbers, Reason))
			{
				return fmt::format("{} (format LAT,LON,H)", Reason);
			}
			OutOrigin = FGeodeticCoordinate(Numbers[0], Numbers[1], Numbers[2]);
			return {};
		}
	}

	void AddSharedOptions(CLI::App& App, FToolOptions& Options)
	{
		FCoordinateConversionSetup& Conversion = Options.ConversionSetup;
		FCoordinateReferenceSetup& Reference = Options.ReferenceSetup;
		const std::string FrameGroup = "Reference frame (every command)";
		const std::string ModelGroup = "Earth models (every command)";

		const FGeodeticCoordinate& DefaultOrigin = Reference.LocalFrameOrigin;
		App.add_option_function<std::string>(
			   "--origin",
			   [&Reference](const std::string& Text) { ParseOrigin(Text, Reference.LocalFrameOrigin); },
			   "Local frame origin: latitude and longitude in degrees, height in metres (against --altitude-reference)")
			->transform(CLI::Validator(
				[](std::string& Text) {
					// Rejects a bad origin while the command line is parsed, so it is reported like any other usage error.
					FGeodeticCoordinate Parsed;
					std::string Problem = ParseOrigin(Text, Parsed);
					if (Problem.empty())
					{
						Text = fmt::format("{},{},{}", Parsed.LatitudeDeg, Parsed.LongitudeDeg, Parsed.HeightM);
					}
					return Problem;
				},
				""))
			->type_name("LAT,LON,H")
			->default_str(fmt::format("{},{},{}", DefaultOrigin.LatitudeDeg, DefaultOrigin.LongitudeDeg, DefaultOrigin.HeightM))
			->group(FrameGroup);
		AddEnumOption(App, "--local-frame", Reference.LocalFrameType, LocalFrameTypes,
			"Tangent plane at the origin, or the origin-relative UTM/UPS grid of the origin's zone")
			->group(FrameGroup);
		AddEnumOption(App, "--altitude-reference", Reference.LocalFrameAltitudeReference, AltitudeReferences,
			"What the origin height is measured from (msl needs a geoid model)")
			->group(FrameGroup);
		App.add_flag("--no-local-frame", Options.bNoLocalFrame,
			   "Build the frame from the Earth models alone: local east-north-up is then the geocentric frame")
			->excludes("--origin")
			->excludes("--local-frame")
			->excludes("--altitude-reference")
			->group(FrameGroup);

		AddEnumOption(App, "--gravity-model", Conversion.GravityModel, EarthModels, "Spherical-harmonic gravity model to load")->group(ModelGroup);
		AddEnumOption(App, "--geoid-model", Conversion.GeoidModel, EarthModels, "Geoid grid to load (egm84-30, egm96-15, egm2008-5)")->group(ModelGroup);
		AddEnumOption(App, "--gravity-accuracy", Conversion.GravityAccuracy, GravityAccuracies,
			"Degree and order the gravity model is truncated to, or the whole model")
			->group(ModelGroup);
		App.add_option_function<int32>(
			   "--gravity-max-degree",
			   [&Options](const int32 Value) {
				   Options.ConversionSetup.GravityMaxDegree = Value;
				   Options.bGravityMaxDegreeGiven = true;
			   },
			   "With --gravity-accuracy full: the highest degree read (-1: the whole model)")
			->type_name("N")
			->default_str(std::to_string(Conversion.GravityMaxDegree))
			->group(ModelGroup);
		App.add_option_function<int32>(
			   "--gravity-max-order",
			   [&Options](const int32 Value) {
				   Options.ConversionSetup.GravityMaxOrder = Value;
				   Options.bGravityMaxOrderGiven = true;
			   },
			   "With --gravity-accuracy full: the highest order read (-1: the degree)")
			->type_name("N")
			->default_str(std::to_string(Conversion.GravityMaxOrder))
			->group(ModelGroup);
		AddEnumOption(App, "--geoid-interpolation", Conversion.GeoidInterpolation, GeoidInterpolations, "How the geoid grid is interpolated")
			->group(ModelGroup);
		App.add_option("--plugin-dir", Options.PluginDirectory,
			   "Directory holding DuRizerudore.uplugin and Binaries/GeographicLib/data (default: found above the executable)")
			->type_name("DIR")
			->group(ModelGroup);
	}

	std::string CheckSharedOptions(const FToolOptions& Options)
	{
		const FCoordinateConversionSetup& Conversion = Options.ConversionSetup;
		const bool bTruncationGiven = Options.bGravityMaxDegreeGiven || Options.bGravityMaxOrderGiven;
		// The setup ignores the limits at any other accuracy; taking them silently would mislead.
		if (Conversion.GravityMaxDegree < -1 || Conversion.GravityMaxOrder < -1)
		{
			return "--gravity-max-degree and --gravity-max-order take -1 (not set) or a degree of 0 or more";
		}
		if (bTruncationGiven && Conversion.GravityAccuracy != ECoordinateGravityAccuracy::Full)
		{
			return "--gravity-max-degree and --gravity-max-order apply only with --gravity-accuracy full";
		}
		if (Conversion.GravityMaxOrder >= 0 && Conversion.GravityMaxDegree < 0)
		{
			return "--gravity-max-order needs --gravity-max-degree";
		}
		if (Conversion.GravityMaxOrder > Conversion.GravityMaxDegree && Conversion.GravityMaxDegree >= 0)
		{
			return fmt::format("--gravity-max-order {} cannot exceed --gravity-max-degree {}", Conversion.GravityMaxOrder, Conversion.GravityMaxDegree);
		}
		if (!Options.bNoLocalFrame && Options.ReferenceSetup.LocalFrameAltitudeReference == ECoordinateAltitudeReference::MeanSeaLevel
			&& Conversion.GeoidModel == EEarthGravityModel::None)
		{
			return "--altitude-reference msl needs a geoid model (it is --geoid-model none)";
		}
		return {};
	}

	CLI::Option* AddCoordinateSystemOption(CLI::App& App, const std::string& Flags, ECoordinateSystem& Target, const std::string& Description)
	{
		return AddEnumOption(App, Flags, Target, CoordinateSystems, Description);
	}

	const char* GetCoordinateSystemName(const ECoordinateSystem System)
	{
		return FindName(CoordinateSystems, System);
	}
}
