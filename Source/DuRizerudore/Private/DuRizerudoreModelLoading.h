// Loading GeographicLib's gravity and geoid models from the plugin's model files. Internal to the
// conversion instance.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * Loads a gravity model from GravityDirectory, truncated to (MaxDegree, MaxOrder), -1 meaning the whole model.
	 * Returns false, with OutGravityModel reset and the reason logged, when the files are missing, unreadable or not
	 * regular files, when the coefficients declare a degree or order beyond any published model's, or when the model
	 * is None or unknown. Nothing is opened that is not a regular file, so a FIFO or a device cannot block or exhaust it.
	 */
	bool LoadGravityModel(EEarthGravityModel Model, const FString& GravityDirectory, int32 MaxDegree, int32 MaxOrder,
		TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& OutGravityModel);

	/**
	 * Loads a geoid grid from GeoidDirectory, held whole in memory so that queries are thread-safe. Returns false,
	 * with OutGeoidModel reset and the reason logged, when the grid is missing, unreadable, malformed or not a regular
	 * file.
	 */
	bool LoadGeoidModel(EEarthGravityModel Model, const FString& GeoidDirectory, ECoordinateGeoidInterpolation Interpolation,
		TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& OutGeoidModel);
}
