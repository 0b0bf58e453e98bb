// Making the plugin known and building the reference frame every input line is converted in, with
// failures explained in terms of what the user can do about them.
// Includes engine headers; CLI11 and fmt must come before it.
#pragma once

#include "DuRizerudoreConversion.h"
#include "Options.h"

#include <string>

class ADuRizerudoreSystem;

namespace DuRizerudoreCli
{
	/** Registers the plugin from --plugin-dir or from above the executable; returns the error, empty on success. */
	std::string RegisterPlugin(const FToolOptions& Options);

	/** Builds the frame the options describe; returns the error, empty on success. */
	std::string BuildReferenceFrame(const FToolOptions& Options, FCoordinateReferenceFrame& OutFrame);

	/**
	 * A note for standard error when --gravity-max-degree or --gravity-max-order asks for more than the installed
	 * gravity model holds (GeographicLib then silently uses the model's own); empty when there is nothing to say
	 * or the model's header cannot be read.
	 */
	std::string DescribeIgnoredTruncation(const FToolOptions& Options);

	/**
	 * Makes a world holding one coordinate-system actor set up from the options (--no-local-frame clears its
	 * local frame), as a designer would place and edit it; returns the error, empty on success.
	 */
	std::string BuildCoordinateSystem(const FToolOptions& Options, const ADuRizerudoreSystem*& OutCoordinateSystem);

	/** Destroys the world of a coordinate-system actor and everything in it, as an engine tears its worlds down. */
	void DestroyCoordinateSystemWorld(const ADuRizerudoreSystem& CoordinateSystem);
}
