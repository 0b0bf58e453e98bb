// Internal operations of the conversion code, shared by the instance, the reference frame and the
// conversion kernels. Not exported.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "Misc/Optional.h"

namespace DuRizerudore
{
	/** Degrees to radians, the one factor every angle in the system goes through. */
	inline constexpr double DegreesToRadians = 0.017453292519943295;

	/** WGS84 equatorial radius in metres and flattening. */
	inline constexpr double Wgs84EquatorialRadiusM = 6378137.0;
	inline constexpr double Wgs84Flattening = 1.0 / 298.257223563;

	/**
	 * The unit quaternion that turns a vector in the east-north-up axes at (LatitudeDeg, LongitudeDeg)
	 * into geocentric axes. Latitude is geodetic, so up is the ellipsoid normal; no height enters.
	 */
	FQuat BuildEnuToGeocentricRotation(double LatitudeDeg, double LongitudeDeg);

	/** The east-north-up to geocentric rotation at a geocentric position (its geodetic latitude and longitude). */
	FQuat BuildEnuToGeocentricRotationAtGeocentric(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition);

	/** The plugin's base directory, unset (and logged) when the plugin manager does not know it. */
	TOptional<FString> ResolvePluginBaseDirectory();

	/** The absolute "Binaries/GeographicLib" directory of the plugin, empty when the plugin is not found. */
	FString ResolveGeographicLibDataRoot();

	/** GeographicLib's gravity model name ("egm84", ...), null for None and unknown values. */
	const TCHAR* GetGravityModelFileName(EEarthGravityModel Model);

	/** GeographicLib's geoid grid name ("egm84-30", ...), null for None and unknown values. */
	const TCHAR* GetGeoidModelFileName(EEarthGravityModel Model);

	/** Loads a gravity model truncated to (MaxDegree, MaxOrder), -1 meaning the whole model; logs failures. */
	bool LoadGravityModel(EEarthGravityModel Model, const FString& GravityDirectory, int32 MaxDegree, int32 MaxOrder,
		TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& OutGravityModel);

	/** Loads a geoid grid, held whole in memory so that queries are thread-safe; logs failures. */
	bool LoadGeoidModel(EEarthGravityModel Model, const FString& GeoidDirectory, ECoordinateGeoidInterpolation Interpolation,
		TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& OutGeoidModel);
}

/**
 * The door through which the system's own conversion code (reference frames, dispatchers, the function
 * library) reaches the protected geodesy of an instance.
 */
struct FCoordinateConversionKernelAccess
{
	static FVector GeodeticToWorldPosition(const FCoordinateConversionInstance& Instance, const FVector& GeodeticPosition)
	{
		return Instance.GeodeticToWorldPosition(GeodeticPosition);
	}

	static FVector WorldPositionToGeodetic(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition)
	{
		return Instance.WorldPositionToGeodetic(WorldPosition);
	}

	static FVector GetGeocentricGravityAtGeocentric(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition)
	{
		return Instance.GetGeocentricGravityAtGeocentric(WorldPosition);
	}

	static FVector GetGeocentricGravityAtGeodetic(const FCoordinateConversionInstance& Instance, const FVector& GeodeticPosition)
	{
		return Instance.GetGeocentricGravityAtGeodetic(GeodeticPosition);
	}

	static const TSharedPtr<GeographicLib::Geocentric, ESPMode::ThreadSafe>& GetGeocentric(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GeocentricInstance;
	}

	static const TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& GetGravityModel(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GravityModelInstance;
	}

	static const TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& GetGeoid(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GeoidModelInstance;
	}

	static const TSharedPtr<GeographicLib::NormalGravity, ESPMode::ThreadSafe>& GetNormalGravity(const FCoordinateConversionInstance& Instance)
	{
		return Instance.NormalGravityInstance;
	}
};

/** The door through which the conversion kernels reach the projections of a reference frame. */
struct FCoordinateReferenceFrameKernelAccess
{
	static bool TryGeodeticPositionToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition)
	{
		return Frame.TryGeodeticPositionToLocalEnu(GeodeticPosition, OutLocalEnuPosition);
	}

	static bool TryLocalEnuPositionToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition)
	{
		return Frame.TryLocalEnuPositionToGeodetic(LocalEnuPosition, OutGeodeticPosition);
	}

	static bool TryGetGridConvergenceDegAtGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, double& OutConvergenceDeg)
	{
		return Frame.TryGetGridConvergenceDegAtGeodetic(GeodeticPosition, OutConvergenceDeg);
	}

	static const FQuat& GetLocalEnuToGeocentricRotation(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalEnuToGeocentricRotation;
	}

	static const TSharedPtr<GeographicLib::LocalCartesian, ESPMode::ThreadSafe>& GetLocalCartesian(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalCartesian;
	}

	static int32 GetUtmZone(const FCoordinateReferenceFrame& Frame) { return Frame.UtmZone; }
	static bool IsUtmNorthernHemisphere(const FCoordinateReferenceFrame& Frame) { return Frame.bUtmNorthernHemisphere; }
	static double GetUtmOriginEasting(const FCoordinateReferenceFrame& Frame) { return Frame.UtmOriginEasting; }
	static double GetUtmOriginNorthing(const FCoordinateReferenceFrame& Frame) { return Frame.UtmOriginNorthing; }
	static double GetUtmOriginScale(const FCoordinateReferenceFrame& Frame) { return Frame.UtmOriginScale; }
};
