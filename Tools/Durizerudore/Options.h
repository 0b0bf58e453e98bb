// The options every command shares: they fill the two setups the reference frame is built from.
// Includes an engine header; CLI11 and fmt must come before it.
#pragma once

#include "DuRizerudoreConversion.h"

#include <string>

namespace CLI
{
	class App;
	class Option;
}

namespace DuRizerudoreCli
{
	struct FToolOptions
	{
		/** Start from the setups' own defaults, so the tool never disagrees with a visual script about them. */
		FCoordinateConversionSetup ConversionSetup;
		FCoordinateReferenceSetup ReferenceSetup;

		/** Build the frame from the conversion instance alone (local east-north-up is then geocentric). */
		bool bNoLocalFrame = false;

		/** Where DuRizerudore.uplugin is; empty to look above the executable. */
		std::string PluginDirectory;

		/** Which options were given, for the checks that need the whole command line. */
		bool bGravityMaxDegreeGiven = false;
		bool bGravityMaxOrderGiven = false;
	};

	/** Adds the shared options to the top-level application. */
	void AddSharedOptions(CLI::App& App, FToolOptions& Options);

	/** Checks that need more than one option; returns the usage error, empty when the options fit together. */
	std::string CheckSharedOptions(const FToolOptions& Options);

	/** An option naming a coordinate system (enumerator names, any letter case). */
	CLI::Option* AddCoordinateSystemOption(CLI::App& App, const std::string& Flags, ECoordinateSystem& Target, const std::string& Description);

	/** The enumerator name of a coordinate system, as options accept it. */
	const char* GetCoordinateSystemName(ECoordinateSystem System);
}
