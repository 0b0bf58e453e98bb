#include <CLI/CLI.hpp>

#include "Commands.h"
#include "Options.h"

#include "DuRizerudoreBlueprintLibrary.h"

namespace DuRizerudoreCli
{
	namespace
	{
		FVector ToVector(const std::span<const double> In)
		{
			return FVector(In[0], In[1], In[2]);
		}

		void WriteVector(const FVector& Vector, const std::span<double> Out)
		{
			Out[0] = Vector.X;
			Out[1] = Vector.Y;
			Out[2] = Vector.Z;
		}

		/** Why a height query failed: the only two ways it can. */
		const char* HeightQueryFailure(const FCoordinateReferenceFrame& Frame)
		{
			if (!Frame.GetConversion()->SupportsGeoidQueries())
			{
				return "no geoid model is loaded (see --geoid-model)";
			}
			return "position cannot be converted to geodetic in this frame";
		}

		void AddPositionOptions(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--from", Options.FromSystem, "System the input positions are in")->required()->default_str("");
			AddCoordinateSystemOption(Command, "--to", Options.ToSystem, "System to print the positions in")->required()->default_str("");
		}

		void AddPositionSystemOption(CLI::App& Command, FCommandOptions& Options)
		{
			AddCoordinateSystemOption(Command, "--position-system", Options.PositionSystem, "System the input positions are in");
		}

		void AddNoOptions(CLI::App&, FCommandOptions&)
		{
		}

		const char* RunPosition(const FCoordinateReferenceFrame& Frame, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			FVector Converted;
			if (!UDuRizerudoreBlueprintLibrary::ConvertPosition(Frame, Options.FromSystem, Options.ToSystem, ToVector(In), Converted))
			{
				return "position cannot be converted in this frame";
			}
			WriteVector(Converted, Out);
			return nullptr;
		}

		const char* RunGeoidHeight(const FCoordinateReferenceFrame& Frame, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetGeoidHeight(Frame, Options.PositionSystem, ToVector(In), Out[0]))
			{
				return HeightQueryFailure(Frame);
			}
			return nullptr;
		}

		const char* RunHeightAboveEllipsoid(const FCoordinateReferenceFrame& Frame, const FCommandOptions&, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetHeightAboveEllipsoid(Frame, ToVector(In), Out[0]))
			{
				return HeightQueryFailure(Frame);
			}
			return nullptr;
		}

		const char* RunHeightAboveMsl(const FCoordinateReferenceFrame& Frame, const FCommandOptions& Options, const std::span<const double> In, const std::span<double> Out)
		{
			if (!UDuRizerudoreBlueprintLibrary::GetHeightAboveMeanSeaLevel(Frame, Options.PositionSystem, ToVector(In), Out[0]))
			{
				return HeightQueryFailure(Frame);
			}
			return nullptr;
		}

		constexpr FCommand Commands[] = {
			{"position", "Converts positions between coordinate systems (ConvertPosition)", "x y z", "x y z", 3, 3, AddPositionOptions, RunPosition},
			{"geoid-height", "Geoid height N above the ellipsoid, metres (GetGeoidHeight)", "x y z", "N", 3, 1, AddPositionSystemOption, RunGeoidHeight},
			{"height-above-ellipsoid", "Ellipsoidal height of a geodetic position whose height is above mean sea level (GetHeightAboveEllipsoid)",
				"lat lon height-above-msl", "h", 3, 1, AddNoOptions, RunHeightAboveEllipsoid},
			{"height-above-msl", "Height above mean sea level of a position (GetHeightAboveMeanSeaLevel)", "x y z", "H", 3, 1, AddPositionSystemOption,
				RunHeightAboveMsl},
		};

		static_assert([] {
			for (const FCommand& Command : Commands)
			{
				if (Command.InputCount > MaxNumbersPerLine || Command.OutputCount > MaxNumbersPerLine)
				{
					return false;
				}
			}
			return true;
		}());
	}

	std::span<const FCommand> GetCommands()
	{
		return Commands;
	}
}
