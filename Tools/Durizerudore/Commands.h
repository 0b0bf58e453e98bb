// The table of commands: each reads a fixed count of numbers per line, makes one function-library
// call and prints a fixed count of numbers. Adding a command is adding a row.
// Includes engine headers; CLI11 and fmt must come before it.
#pragma once

#include "DuRizerudoreConversion.h"

#include <span>

class ADuRizerudoreSystem;

namespace CLI
{
	class App;
}

namespace DuRizerudoreCli
{
	/** The most numbers any command reads or prints on one line. */
	inline constexpr std::size_t MaxNumbersPerLine = 16;

	/** What the options of individual commands select; each command reads only its own. */
	struct FCommandOptions
	{
		ECoordinateSystem FromSystem = ECoordinateSystem::Geodetic;
		ECoordinateSystem ToSystem = ECoordinateSystem::Geodetic;
		ECoordinateSystem PositionSystem = ECoordinateSystem::Geodetic;
		ECoordinateSystem VectorSystem = ECoordinateSystem::Local_ENU;
		/** Gravity is printed in geocentric axes unless asked otherwise. */
		ECoordinateSystem GravityVectorSystem = ECoordinateSystem::Geocentric;
		/** geodesic: the direct problem rather than the inverse one, on a rhumb line rather than a geodesic. */
		bool bDirect = false;
		bool bRhumb = false;
		/** Threads that convert lines at once (position only); 0 until given, which means one a core. */
		int Threads = 0;
	};

	/** What a command converts through: the reference frame, and for pose commands the world's coordinate-system actor. */
	struct FCommandContext
	{
		const FCoordinateReferenceFrame& Frame;
		const ADuRizerudoreSystem* CoordinateSystem = nullptr;
	};

	struct FCommand
	{
		const char* Name;
		const char* Summary;
		const char* InputDescription;
		const char* OutputDescription;
		std::size_t InputCount;
		std::size_t OutputCount;

		/** Adds the command's own options to its subcommand. */
		void (*AddOptions)(CLI::App& Command, FCommandOptions& Options);

		/** Null on success, else the short reason printed after "ERROR: ". */
		const char* (*Run)(const FCommandContext& Context, const FCommandOptions& Options, std::span<const double> In, std::span<double> Out);

		/** The command converts through a coordinate-system actor in a world, built from the shared options. */
		bool bNeedsCoordinateSystem = false;

		/** Where the command's options decide how many numbers it prints: that count, else OutputCount. */
		std::size_t (*OutputCountFor)(const FCommandOptions& Options) = nullptr;

		/**
		 * Where set, the command reads groups of lines ended by a blank line (or the end of input), each line InputCount
		 * numbers, and prints one line for each group; Run is then unused. Null on success, else the short reason.
		 */
		const char* (*RunGroup)(const FCommandContext& Context, std::span<const FVector> Lines, std::span<double> Out) = nullptr;
	};

	std::span<const FCommand> GetCommands();
}
