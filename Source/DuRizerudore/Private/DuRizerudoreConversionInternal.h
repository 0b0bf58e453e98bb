// Internal operations of the conversion code, shared by the instance, the reference frame and the
// conversion kernels. Not exported.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/** Degrees to radians, the one factor every angle in the system goes through. */
	inline constexpr double DegreesToRadians = 0.017453292519943295;

	/** Radians to degrees, for the angles the system reports (heading and pitch). */
	inline constexpr double RadiansToDegrees = 57.29577951308232;

	/** WGS84 equatorial radius in metres and flattening. */
	inline constexpr double Wgs84EquatorialRadiusM = 6378137.0;
	inline constexpr double Wgs84Flattening = 1.0 / 298.257223563;

	/**
	 * The unit quaternion that turns a vector in the east-north-up axes at (LatitudeDeg, LongitudeDeg), both in
	 * degrees, into geocentric axes. Latitude is geodetic, so up is the ellipsoid normal; no height enters.
	 */
	FQuat BuildEnuToGeocentricRotation(double LatitudeDeg, double LongitudeDeg);

	/** Which way TurnBetweenGridAndTrueAxes turns. */
	enum class EGridTurn : uint8
	{
		/** From a UTM frame's grid east-north-up axes to the true east-north-up axes at the point. */
		GridToTrue,
		/** From the true east-north-up axes at the point to the grid axes. */
		TrueToGrid
	};

	/**
	 * Turns a vector about the up axis between grid and true east-north-up axes at a point whose meridian
	 * convergence (degrees, grid north clockwise from true north) is ConvergenceDeg. The up component and the
	 * length are kept; a NaN convergence gives NaN horizontal components.
	 */
	FVector TurnBetweenGridAndTrueAxes(const FVector& Vector, double ConvergenceDeg, EGridTurn Turn);

	/**
	 * Whether the function library can answer a position in System at all: every value finite (the engine's
	 * ContainsNaN also finds infinities) and a geodetic latitude within the poles. An unknown system is left to
	 * the dispatchers.
	 */
	inline bool IsAnswerablePosition(const ECoordinateSystem System, const FVector& Position)
	{
		return !Position.ContainsNaN() && (System != ECoordinateSystem::Geodetic || FMath::Abs(Position.X) <= 90.0);
	}
}

/**
 * The door through which the system's own conversion code (reference frames, dispatchers, the function
 * library), and its tests, reach the protected geodesy of an instance. Each kernel needs an initialized instance.
 */
struct FCoordinateConversionKernelAccess
{
	/** Geodetic (degrees, degrees, ellipsoidal metres) to geocentric ECEF metres. */
	static FVector GeodeticToWorldPosition(const FCoordinateConversionInstance& Instance, const FVector& GeodeticPosition)
	{
		return Instance.GeodeticToWorldPosition(GeodeticPosition);
	}

	/** Geocentric ECEF metres to geodetic (degrees, degrees, ellipsoidal metres). */
	static FVector WorldPositionToGeodetic(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition)
	{
		return Instance.WorldPositionToGeodetic(WorldPosition);
	}

	/** Gravity in geocentric axes (m/s^2) at a geocentric ECEF position in metres. */
	static FVector GetGeocentricGravityAtGeocentric(const FCoordinateConversionInstance& Instance, const FVector& WorldPosition)
	{
		return Instance.GetGeocentricGravityAtGeocentric(WorldPosition);
	}

	/** Gravity in geocentric axes (m/s^2) at a geodetic position (degrees, degrees, ellipsoidal metres). */
	static FVector GetGeocentricGravityAtGeodetic(const FCoordinateConversionInstance& Instance, const FVector& GeodeticPosition)
	{
		return Instance.GetGeocentricGravityAtGeodetic(GeodeticPosition);
	}

	/** The instance's geocentric projector, which a tangent-plane local frame is built on. */
	static const TSharedPtr<GeographicLib::Geocentric, ESPMode::ThreadSafe>& GetGeocentric(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GeocentricInstance;
	}

	/** The instance's geodesic and rhumb-line solvers on its ellipsoid; built with every initialized instance. */
	static const TSharedPtr<GeographicLib::Geodesic, ESPMode::ThreadSafe>& GetGeodesic(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GeodesicInstance;
	}

	static const TSharedPtr<GeographicLib::Rhumb, ESPMode::ThreadSafe>& GetRhumb(const FCoordinateConversionInstance& Instance)
	{
		return Instance.RhumbInstance;
	}

	/** The instance's model objects as loaded and shared by its copies; null where not selected or not built. */
	static const TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe>& GetGravityModel(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GravityModelInstance;
	}

	static const TSharedPtr<GeographicLib::NormalGravity, ESPMode::ThreadSafe>& GetNormalGravity(const FCoordinateConversionInstance& Instance)
	{
		return Instance.NormalGravityInstance;
	}

	static const TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe>& GetGeoid(const FCoordinateConversionInstance& Instance)
	{
		return Instance.GeoidModelInstance;
	}
};

/** The door through which the conversion kernels reach the local-frame mappings of a reference frame. */
struct FCoordinateReferenceFrameKernelAccess
{
	/**
	 * Geodetic (degrees, degrees, ellipsoidal metres) to local east-north-up metres of the frame's local frame.
	 * Returns false, output untouched, without a local frame or when the UTM/UPS projection refuses the position.
	 */
	static bool TryGeodeticPositionToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition)
	{
		return Frame.TryGeodeticPositionToLocalEnu(GeodeticPosition, OutLocalEnuPosition);
	}

	/** The reverse of TryGeodeticPositionToLocalEnu, with the same refusals. */
	static bool TryLocalEnuPositionToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition)
	{
		return Frame.TryLocalEnuPositionToGeodetic(LocalEnuPosition, OutGeodeticPosition);
	}

	/**
	 * The meridian convergence in degrees at a geodetic position: 0 in a tangent-plane frame. Returns false,
	 * output untouched, when the UTM/UPS projection refuses the position.
	 */
	static bool TryGetGridConvergenceDegAtGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, double& OutConvergenceDeg)
	{
		return Frame.TryGetGridConvergenceDegAtGeodetic(GeodeticPosition, OutConvergenceDeg);
	}

	/**
	 * Geocentric ECEF metres to local east-north-up metres in a tangent-plane frame, by subtraction and rotation.
	 * Returns false, output untouched, in any other frame.
	 */
	static bool TryGeocentricPositionToTangentPlane(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition, FVector& OutLocalEnuPosition)
	{
		return Frame.TryGeocentricPositionToTangentPlane(WorldPosition, OutLocalEnuPosition);
	}

	/** The reverse of TryGeocentricPositionToTangentPlane, with the same refusals. */
	static bool TryTangentPlanePositionToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutWorldPosition)
	{
		return Frame.TryTangentPlanePositionToGeocentric(LocalEnuPosition, OutWorldPosition);
	}

	/** The rotation from the local east-north-up axes to geocentric axes at the origin; meaningful only while the frame has a local frame. */
	static const FQuat& GetLocalEnuToGeocentricRotation(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalEnuToGeocentricRotation;
	}

	/** A tangent-plane frame's origin in geocentric ECEF metres; meaningful only while the frame has a projector. */
	static const FVector& GetTangentPlaneOrigin(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalFrameOriginGeocentric;
	}

	/** A tangent-plane frame's rotation matrix, rows the geocentric images of east, north and up; as above. */
	static const FMatrix& GetTangentPlaneRotation(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalEnuToGeocentricMatrix;
	}

	/** A tangent-plane frame's projector, shared by the frame's copies; null in any other frame. */
	static const TSharedPtr<GeographicLib::LocalCartesian, ESPMode::ThreadSafe>& GetProjector(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.LocalCartesian;
	}

	/** A UTM/UPS frame's grid: the zone (0 for UPS) and hemisphere of its origin, and the origin's easting and northing in metres. */
	static int32 GetUtmZone(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.UtmZone;
	}

	static bool IsUtmNorthernHemisphere(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.bUtmNorthernHemisphere;
	}

	static double GetUtmOriginEasting(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.UtmOriginEasting;
	}

	static double GetUtmOriginNorthing(const FCoordinateReferenceFrame& Frame)
	{
		return Frame.UtmOriginNorthing;
	}
};
