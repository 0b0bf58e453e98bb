// Where the plugin looks for GeographicLib's model files, for code outside the module that has to tell
// a user what is missing (the command-line tool, an editor panel).
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * The absolute "Binaries/GeographicLib" directory below the plugin's base directory; the model files are in
	 * its "data/gravity" and "data/geoids" folders. Returns an empty string (and logs an error) when the plugin
	 * manager does not know the plugin.
	 */
	DURIZERUDORE_API FString ResolveGeographicLibDataRoot();

	/**
	 * GeographicLib's name of a gravity model ("egm84", "egm96", "egm2008"), read from "<name>.egm" and
	 * "<name>.egm.cof". Returns null for None and for values outside the enumeration.
	 */
	DURIZERUDORE_API const TCHAR* GetGravityModelFileName(EEarthGravityModel Model);

	/**
	 * GeographicLib's name of a geoid grid ("egm84-30", "egm96-15", "egm2008-5"), read from "<name>.pgm".
	 * Returns null for None and for values outside the enumeration.
	 */
	DURIZERUDORE_API const TCHAR* GetGeoidModelFileName(EEarthGravityModel Model);
}
