// Where the plugin looks for GeographicLib's model files, for code outside the module that has to tell
// a user what is missing (the command-line tool, an editor panel).
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * The suffixes GeographicLib gives its model files, appended to a model's name (GetGravityModelFileName,
	 * GetGeoidModelFileName): a gravity model's metadata and its coefficients, and a geoid grid. UTF-8, as the
	 * file names handed to GeographicLib are.
	 */
	inline constexpr ANSICHAR GravityModelMetadataSuffix[] = ".egm";
	inline constexpr ANSICHAR GravityModelCoefficientsSuffix[] = ".egm.cof";
	inline constexpr ANSICHAR GeoidGridSuffix[] = ".pgm";

	/**
	 * The absolute "Binaries/GeographicLib" directory below the plugin's base directory; the model files are in
	 * its "data/gravity" and "data/geoids" folders. Returns an empty string (and logs an error) when the plugin
	 * manager does not know the plugin.
	 */
	DURIZERUDORE_API FString ResolveGeographicLibDataRoot();

	/**
	 * GeographicLib's name of a gravity model ("egm84", "egm96", "egm2008"), read from the name with
	 * GravityModelMetadataSuffix and with GravityModelCoefficientsSuffix. Returns null for None and for values
	 * outside the enumeration.
	 */
	DURIZERUDORE_API const TCHAR* GetGravityModelFileName(EEarthGravityModel Model);

	/**
	 * GeographicLib's name of a geoid grid ("egm84-30", "egm96-15", "egm2008-5"), read from the name with
	 * GeoidGridSuffix. Returns null for None and for values outside the enumeration.
	 */
	DURIZERUDORE_API const TCHAR* GetGeoidModelFileName(EEarthGravityModel Model);

	/**
	 * The degree and order of the installed gravity model's coefficients, read from the header of its
	 * coefficients file below ResolveGeographicLibDataRoot(), so that a caller can say when a requested truncation
	 * is above the model's own. Returns false, leaving the outputs alone, for None, a missing or unreadable file.
	 */
	DURIZERUDORE_API bool ReadInstalledGravityModelDegree(EEarthGravityModel Model, int32& OutDegree, int32& OutOrder);
}
