// Value types, enumerations, model setups and the shared conversion instance of DuRizerudore.
//
// Conventions (every function of the plugin follows them; the README's "Conventions" table gives a measured
// example of each)
//
// Coordinate systems (ECoordinateSystem) of a position:
//   Local_ENU   metres from the local origin: X east, Y north, Z up. Right-handed.
//   Local_NED   metres from the local origin: X north, Y east, Z down. Right-handed.
//   Local_UE    centimetres from the local origin: X north, Y east, Z up, the engine's axes. Left-handed (mirrored).
//   Geocentric  metres, WGS84 Earth-centred Earth-fixed: X through latitude 0 longitude 0, Y through latitude 0
//               longitude 90 east, Z through the north pole. Right-handed, turning with the Earth.
//   Geodetic    X latitude and Y longitude in degrees (positive north and east), Z height above the WGS84
//               ellipsoid in metres.
// The three local systems are one local frame, fixed by FCoordinateReferenceSetup; they differ only in axis
// order, the sign of the vertical and (for positions only) the unit. The local frame is
//   Cartesian   the tangent plane at the origin: X, Y, Z are the true east, north and up at the origin, and Z is
//               the distance above that plane, not a height (the plane rises above the ellipsoid away from the
//               origin). An origin at a pole keeps the longitude it was given for its east and north axes.
//   UTM         the grid of the origin's UTM zone, or of the polar UPS grid beyond 84 degrees north or 80 degrees
//               south: X and Y are easting and northing minus the origin's, so distances are grid distances (ground
//               distance times the point scale: 0.9996 on a central meridian, 0.994 at a pole), and Y is grid north,
//               off true north by the meridian convergence (in a UPS grid the longitude, negated in the south).
//               Z is the ellipsoidal height minus the origin's.
//   none        a frame built from a conversion instance alone: the local systems then hold geocentric
//               coordinates (Local_ENU = Geocentric axes, origin at the Earth's centre).
// An origin given above mean sea level is turned into an ellipsoidal height once, at the origin only; local Z
// elsewhere is never a height above the sea.
//
// What "local" means for each family of functions:
//   positions (ConvertPosition)           the local frame above; Local_UE alone is in centimetres.
//   free vectors (ConvertVector) and      the frame's local axes at its origin: one fixed rotation for the whole
//   orientations (ConvertQuaternion,      frame, wherever the vector or body is. A frame without a local frame
//   ConvertRotator)                       takes them as the geocentric axes.
//   vectors at a position                 the local axes at that point: its true east, north and up in a Cartesian
//   (ConvertVectorAtPosition, GetGravity, frame (and in a frame without a local frame), grid east and north at the
//   heading/pitch of a Geocentric vector) point in a UTM frame. Geodetic vectors are component differences
//                                         (latitude and longitude in degrees, height in metres) between the point
//                                         and the vector's tip; the longitude difference is not wrapped.
// Vectors of every kind keep their unit in every system: Local_UE scales positions, never vectors (gravity in
// Local_UE is in metres per second squared, not centimetres).
//
// Gravity is the acceleration of a body at rest on the rotating Earth: gravitation plus the centrifugal term,
// from the spherical-harmonic model or, without one, WGS84 normal gravity. It weakens with height and, above the
// equator beyond the geostationary height (about 35,786 km), points away from the Earth.
//
// Headings and pitches are degrees: heading from north towards east in [-180, 180], pitch above the horizontal.
//
// Rotators are the engine's (degrees; Yaw turns X towards Y about Z, Pitch turns X towards Z about Y, Roll turns
// Z towards Y about X; roll first, then pitch, then yaw) applied to the axes of the system they are given in, not
// aerospace angles: in Local_NED positive pitch turns the nose down and positive yaw turns north towards east.
// A rotator read from a quaternion whose pitch lies within 0.081 degrees of +-90 comes out with a pitch of
// exactly +-90; yaw and roll are then not unique (only their difference, or sum, is).
//
// Poses (ADuRizerudoreSystem, UDuRizerudoreAnchorComponent) are axis rows: row 0 is the body's X (forward) axis,
// row 1 its Y (right) axis, row 2 its Z (up) axis, row 3 its position. The engine's axes are mirrored, so an ECEF
// pose rotation (a quaternion) is that of the rows with the X row negated: the identity pose at latitude 0,
// longitude 0 gives (0, 0.7071, 0, 0.7071), which turns +X to geocentric -Z (south). The body's forward direction
// in ECEF is row 0 of the ECEF pose matrix (the anchor's EcefXAxis), never the quaternion applied to +X. An
// attitude from other software enters as its forward, right and up axes: rows of a matrix for
// ConvertEcefMatrixToAuthorityLocalTransform or the anchor's ECEF axes, or, as a quaternion, the rotation whose
// rows are (-forward, right, up).
#pragma once

#include "CoreMinimal.h"
#include "Math/Matrix.h"
#include "Templates/SharedPointer.h"

#include "DuRizerudoreConversion.generated.h"

namespace GeographicLib
{
	class Geodesic;
	class Rhumb;
	class Geocentric;
	class NormalGravity;
	class GravityModel;
	class Geoid;
	class LocalCartesian;
}

/** The five coordinate systems a position, vector or orientation can be expressed in. */
UENUM(BlueprintType)
enum class ECoordinateSystem : uint8
{
	Local_ENU UMETA(DisplayName = "Local ENU"),
	Local_NED UMETA(DisplayName = "Local NED"),
	Local_UE UMETA(DisplayName = "Local UE NEU (cm)", ToolTip = "Unreal-local NEU in centimeters: +X north, +Y east, +Z up."),
	Geocentric UMETA(DisplayName = "Geocentric ECEF"),
	Geodetic UMETA(DisplayName = "Geodetic (Lat, Lon, Height)")
};

/** What a height is measured from. */
UENUM(BlueprintType)
enum class ECoordinateAltitudeReference : uint8
{
	Ellipsoid,
	MeanSeaLevel
};

/** The kind of local frame at the reference origin. */
UENUM(BlueprintType)
enum class ECoordinateLocalFrameType : uint8
{
	Cartesian,
	UTM UMETA(DisplayName = "UTM")
};

/** How the geoid grid is interpolated. */
UENUM(BlueprintType)
enum class ECoordinateGeoidInterpolation : uint8
{
	Bilinear,
	Cubic
};

/** Degree and order at which the spherical-harmonic gravity model is truncated. */
UENUM(BlueprintType)
enum class ECoordinateGravityAccuracy : uint8
{
	Full,
	Truncated8,
	Truncated16,
	Truncated32
};

/** Reference ellipsoid. */
UENUM(BlueprintType)
enum EEarthDatumModel : uint8
{
	WGS84
};

/** Earth gravity model; selects both the spherical-harmonic gravity model and the geoid grid. */
UENUM(BlueprintType)
enum EEarthGravityModel : uint8
{
	None,
	EGM84,
	EGM96,
	EGM2008
};

/**
 * A geodetic position. Travels in engine vectors as X = latitude, Y = longitude, Z = height;
 * the type stores any double unchanged and normalises nothing.
 */
USTRUCT(BlueprintType, meta = (ToolTip = "Latitude/longitude/height tuple in degrees/meters."))
struct DURIZERUDORE_API FGeodeticCoordinate
{
	GENERATED_BODY()

	/** Geodetic latitude in degrees, positive north. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Geodetic")
	double LatitudeDeg = 0.0;

	/** Longitude in degrees, positive east. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Geodetic")
	double LongitudeDeg = 0.0;

	/** Height in metres, above the WGS84 ellipsoid unless an altitude reference says otherwise. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Geodetic")
	double HeightM = 0.0;

	FGeodeticCoordinate() = default;

	FGeodeticCoordinate(const double InLatitudeDeg, const double InLongitudeDeg, const double InHeightM)
		: LatitudeDeg(InLatitudeDeg)
		, LongitudeDeg(InLongitudeDeg)
		, HeightM(InHeightM)
	{
	}

	explicit FGeodeticCoordinate(const FVector& Vector)
		: LatitudeDeg(Vector.X)
		, LongitudeDeg(Vector.Y)
		, HeightM(Vector.Z)
	{
	}

	FGeodeticCoordinate& operator=(const FVector& Vector)
	{
		LatitudeDeg = Vector.X;
		LongitudeDeg = Vector.Y;
		HeightM = Vector.Z;
		return *this;
	}

	/** The vector form (latitude, longitude, height). */
	FVector ToVector() const
	{
		return FVector(LatitudeDeg, LongitudeDeg, HeightM);
	}
};

/** Which Earth models a conversion instance is built with. */
USTRUCT(BlueprintType, meta = (ToolTip = "Shared datum, gravity, and geoid model selection used to build conversion instances."))
struct DURIZERUDORE_API FCoordinateConversionSetup
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup")
	TEnumAsByte<EEarthDatumModel> DatumModel = EEarthDatumModel::WGS84;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup")
	TEnumAsByte<EEarthGravityModel> GravityModel = EEarthGravityModel::EGM84;

	/** The geoid grid is selected with the same enumeration as the gravity model. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup")
	TEnumAsByte<EEarthGravityModel> GeoidModel = EEarthGravityModel::EGM84;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup")
	ECoordinateGravityAccuracy GravityAccuracy = ECoordinateGravityAccuracy::Truncated16;

	/** Maximum degree with Full accuracy; negative means not set (the whole model). */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup", meta = (EditCondition = "GravityAccuracy == ECoordinateGravityAccuracy::Full", EditConditionHides))
	int32 GravityMaxDegree = -1;

	/** Maximum order with Full accuracy; negative means not set (the degree). */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup", meta = (EditCondition = "GravityAccuracy == ECoordinateGravityAccuracy::Full", EditConditionHides))
	int32 GravityMaxOrder = -1;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Setup")
	ECoordinateGeoidInterpolation GeoidInterpolation = ECoordinateGeoidInterpolation::Bilinear;
};

/**
 * The heavy GeographicLib state built once from a setup and shared, immutable, by any number of
 * reference frames. Copies share the model objects; a model that was requested but did not load
 * leaves the instance uninitialized, so every conversion through it fails.
 */
USTRUCT(BlueprintType, meta = (ToolTip = "Heavy shared GeographicLib-backed state reused across many reference frames."))
struct DURIZERUDORE_API FCoordinateConversionInstance
{
	GENERATED_BODY()

	/** Not initialized: holds no model objects. */
	FCoordinateConversionInstance() = default;

	/**
	 * Builds the geodesy objects and loads the selected models from the plugin's "Binaries/GeographicLib/data";
	 * never throws.
	 *
	 * @param Setup the datum, models, truncation and interpolation. A datum other than WGS84, a selected model
	 *   whose directory is missing or whose files do not load (logged), or an impossible truncation (logged)
	 *   leaves the instance uninitialized.
	 */
	explicit FCoordinateConversionInstance(const FCoordinateConversionSetup& Setup);

	FCoordinateConversionInstance(const FCoordinateConversionInstance& Other) = default;
	FCoordinateConversionInstance(FCoordinateConversionInstance&& Other) = default;
	FCoordinateConversionInstance& operator=(const FCoordinateConversionInstance& Other) = default;
	FCoordinateConversionInstance& operator=(FCoordinateConversionInstance&& Other) = default;
	~FCoordinateConversionInstance();

	/** True when the geodesy objects exist and every selected model loaded. */
	bool IsInitialized() const
	{
		// Inline: every conversion asks first, and a call would cost as much as a tangent plane's arithmetic.
		return GeodesicInstance.IsValid() && RhumbInstance.IsValid() && GeocentricInstance.IsValid() && NormalGravityInstance.IsValid() && bGravityModelReady
			&& bGeoidModelReady;
	}

	/** True when a geoid grid is loaded (also possible on an uninitialized instance). */
	bool SupportsGeoidQueries() const;

	/**
	 * @param GeodeticPosition X latitude and Y longitude in degrees; Z is ignored.
	 * @return the geoid height N above the WGS84 ellipsoid in metres; NaN without a geoid, for a non-finite
	 *   position or a latitude outside [-90, 90].
	 */
	double GetGeoidHeight(const FVector& GeodeticPosition) const;

	/**
	 * @param GeodeticPositionAtMeanSeaLevel latitude and longitude in degrees, Z the height above mean sea level in metres.
	 * @return N + Z, the height above the ellipsoid in metres; NaN where GetGeoidHeight is NaN.
	 */
	double GetHeightAboveEllipsoid(const FVector& GeodeticPositionAtMeanSeaLevel) const;

	/**
	 * @param GeodeticPosition latitude and longitude in degrees, Z the height above the ellipsoid in metres.
	 * @return Z - N, the height above mean sea level in metres; NaN where GetGeoidHeight is NaN.
	 */
	double GetHeightAboveMeanSeaLevel(const FVector& GeodeticPosition) const;

	/**
	 * The height above the ellipsoid of a height given against the reference.
	 *
	 * @param HeightM the height in metres, above the ellipsoid or above mean sea level as AltitudeReference says.
	 * @param LatitudeDeg, LongitudeDeg where, in degrees.
	 * @param AltitudeReference what HeightM is measured from; any value other than Ellipsoid means mean sea level.
	 * @return the ellipsoidal height in metres. A mean-sea-level height without a geoid is an error of the caller:
	 *   it is reported once (an ensure) and HeightM comes back unchanged.
	 */
	double ResolveHeightAboveEllipsoid(double HeightM, double LatitudeDeg, double LongitudeDeg, ECoordinateAltitudeReference AltitudeReference) const;

protected:
	friend struct FCoordinateConversionKernelAccess;

	/** Geodetic (degrees, degrees, ellipsoidal metres) to geocentric ECEF metres. Needs the geocentric object. */
	FVector GeodeticToWorldPosition(const FVector& GeodeticPosition) const;

	/** Geocentric ECEF metres to geodetic (degrees, degrees, ellipsoidal metres). Needs the geocentric object. */
	FVector WorldPositionToGeodetic(const FVector& WorldPosition) const;

	/** Gravity acceleration in geocentric axes (m/s^2) at a geocentric position, centrifugal term included. */
	FVector GetGeocentricGravityAtGeocentric(const FVector& WorldPosition) const;

	/** Gravity acceleration in geocentric axes (m/s^2) at a geodetic position. */
	FVector GetGeocentricGravityAtGeodetic(const FVector& GeodeticPosition) const;

	TSharedPtr<GeographicLib::Geodesic, ESPMode::ThreadSafe> GeodesicInstance;
	TSharedPtr<GeographicLib::Rhumb, ESPMode::ThreadSafe> RhumbInstance;
	TSharedPtr<GeographicLib::Geocentric, ESPMode::ThreadSafe> GeocentricInstance;
	TSharedPtr<GeographicLib::NormalGravity, ESPMode::ThreadSafe> NormalGravityInstance;
	TSharedPtr<GeographicLib::GravityModel, ESPMode::ThreadSafe> GravityModelInstance;
	TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe> GeoidModelInstance;
	bool bGravityModelReady = false;
	bool bGeoidModelReady = false;
};

/** The local frame a reference frame is built around: its kind, its origin and what the origin height is measured from. */
USTRUCT(BlueprintType, meta = (ToolTip = "Local frame projection, origin, and altitude-reference convention for ENU/NED/UE conversions."))
struct DURIZERUDORE_API FCoordinateReferenceSetup
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Frame", meta = (ToolTip = "Cartesian uses a tangent LocalCartesian plane; UTM uses an origin-relative projected UTM/UPS grid."))
	ECoordinateLocalFrameType LocalFrameType = ECoordinateLocalFrameType::Cartesian;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Frame")
	FGeodeticCoordinate LocalFrameOrigin;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "DuRizerudore|Frame")
	ECoordinateAltitudeReference LocalFrameAltitudeReference = ECoordinateAltitudeReference::Ellipsoid;

	FCoordinateReferenceSetup() = default;

	/** Note the order: origin, altitude reference, then the kind of frame. */
	FCoordinateReferenceSetup(const FGeodeticCoordinate& InLocalFrameOrigin, const ECoordinateAltitudeReference InAltitudeReference, const ECoordinateLocalFrameType InLocalFrameType)
		: LocalFrameType(InLocalFrameType)
		, LocalFrameOrigin(InLocalFrameOrigin)
		, LocalFrameAltitudeReference(InAltitudeReference)
	{
	}
};

/**
 * A shared conversion instance paired with one local frame: a tangent plane or an origin-relative UTM/UPS grid.
 * Copies share the instance and the tangent-plane projector, so copying costs two reference increments.
 *
 * A UTM frame is one continuous grid across the equator, in both directions: a point in the other hemisphere
 * from the origin has its northing moved by the southern false northing (10,000 km), so local north runs on
 * without a jump, and a local northing beyond the range of the origin's hemisphere is read in the other one.
 * A UPS frame is centred on the origin's pole; a point in the other polar hemisphere has no place in it.
 *
 * Out-of-range input in a UTM frame: the UTM/UPS projection refuses latitudes outside [-90, 90] (and NaN),
 * points too far from the origin's zone (or, in a UPS frame, from its pole), and in reverse eastings or
 * northings outside the zone. Such a refusal never escapes: every conversion whose result needs the
 * projection returns false with its output untouched, and the members below that return a vector or an
 * angle return NaN.
 *
 * An origin that is not a place on or near the Earth (not finite, a latitude outside [-90, 90], a height
 * beyond 1e7 m from the ellipsoid), or that the UTM/UPS projection refuses, leaves the frame without a local
 * frame, and is logged.
 */
USTRUCT(BlueprintType, meta = (ToolTip = "Opaque runtime reference-frame handle used for repeated conversions.\nCreate it at runtime from a conversion setup or coordinate-system actor and reuse it across calls."))
struct DURIZERUDORE_API FCoordinateReferenceFrame
{
	GENERATED_BODY()

	/** No conversion instance and no local frame: not initialized. */
	FCoordinateReferenceFrame();

	/** A frame without a local frame: local east-north-up is then the geocentric frame itself. */
	explicit FCoordinateReferenceFrame(const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion);
	explicit FCoordinateReferenceFrame(const TSharedRef<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion);

	/** A frame with the local frame of the setup (see SetLocalFrameOrigin). */
	FCoordinateReferenceFrame(const TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion, const FCoordinateReferenceSetup& Setup);
	FCoordinateReferenceFrame(const TSharedRef<FCoordinateConversionInstance, ESPMode::ThreadSafe>& InConversion, const FCoordinateReferenceSetup& Setup);

	FCoordinateReferenceFrame(const FCoordinateReferenceFrame& Other);
	FCoordinateReferenceFrame(FCoordinateReferenceFrame&& Other);
	FCoordinateReferenceFrame& operator=(const FCoordinateReferenceFrame& Other);
	FCoordinateReferenceFrame& operator=(FCoordinateReferenceFrame&& Other);
	~FCoordinateReferenceFrame();

	/** True when the frame holds an initialized conversion instance. */
	bool IsInitialized() const
	{
		return Conversion.IsValid() && Conversion->IsInitialized();
	}

	/** True once a local frame origin has been set successfully. */
	bool HasLocalFrame() const;

	/** True for a UTM local frame, whose axes turn against true east-north-up from point to point. */
	bool UsesPositionDependentLocalFrame() const;

	ECoordinateLocalFrameType GetLocalFrameType() const;

	/** The origin in degrees and metres, its height always above the ellipsoid (the altitude reference was applied when it was set). */
	FGeodeticCoordinate GetLocalFrameOrigin() const;

	/** The shared instance; null for a default frame. */
	const FCoordinateConversionInstance* GetConversion() const;
	TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> GetConversionPtr() const;

	/**
	 * Replaces the local frame. The origin height is resolved to an ellipsoidal height once, here; a UTM origin
	 * takes the standard zone of its position (UPS near the poles).
	 *
	 * @param Origin latitude and longitude in degrees, height in metres against AltitudeReference.
	 * @param AltitudeReference what the origin height is measured from.
	 * @param Type a tangent plane or a UTM/UPS grid.
	 * Without an initialized instance an ensure reports it once and nothing changes. An origin that is not
	 * finite, has a latitude outside [-90, 90] or a height beyond 1e7 m from the ellipsoid, or that the UTM/UPS
	 * projection refuses, is logged and leaves the frame without a local frame.
	 */
	void SetLocalFrameOrigin(const FGeodeticCoordinate& Origin, ECoordinateAltitudeReference AltitudeReference, ECoordinateLocalFrameType Type);

	/**
	 * @param GeodeticPosition latitude and longitude in degrees, height above the ellipsoid in metres.
	 * @return the position in local east-north-up metres; NaN without a local frame or where the UTM/UPS projection refuses it.
	 */
	FVector GeodeticPositionToLocalEnu(const FVector& GeodeticPosition) const;

	/**
	 * @param LocalEnuPosition the position in local east-north-up metres.
	 * @return latitude and longitude in degrees, height above the ellipsoid in metres; NaN without a local frame
	 *   or where the UTM/UPS projection refuses it.
	 */
	FVector LocalEnuPositionToGeodetic(const FVector& LocalEnuPosition) const;

	/**
	 * @param GeodeticPosition latitude and longitude in degrees; the height is ignored.
	 * @return the meridian convergence in degrees (grid north clockwise from true north) in a UTM frame, 0 in a
	 *   tangent-plane frame; NaN where the UTM/UPS projection refuses the point.
	 */
	double GetGridConvergenceDegAtGeodetic(const FVector& GeodeticPosition) const;

	/**
	 * @param GeodeticPosition the point: latitude and longitude in degrees.
	 * @return the rotation from the frame's local east-north-up axes to the true east-north-up axes there (about
	 *   up by the convergence); the identity where the convergence is NaN.
	 */
	FQuat BuildLocalEnuToPointEnuRotationAtGeodetic(const FVector& GeodeticPosition) const;

	/**
	 * @param GeodeticPosition the point: latitude and longitude in degrees.
	 * @return the rotation from the frame's local east-north-up axes at that point to geocentric axes.
	 */
	FQuat BuildLocalEnuToGeocentricRotationAtGeodetic(const FVector& GeodeticPosition) const;

	/**
	 * @param LocalEnuVector a vector in the frame's local east-north-up axes (any unit).
	 * @param GeodeticPosition the point: latitude and longitude in degrees.
	 * @return the vector in the true east-north-up axes there; NaN horizontal components where the UTM/UPS
	 *   projection refuses the point.
	 */
	FVector LocalEnuToPointEnuAtGeodetic(const FVector& LocalEnuVector, const FVector& GeodeticPosition) const;

	/** The inverse of LocalEnuToPointEnuAtGeodetic, with the same units and refusals. */
	FVector PointEnuToLocalEnuAtGeodetic(const FVector& PointEnuVector, const FVector& GeodeticPosition) const;

protected:
	friend struct FCoordinateReferenceFrameKernelAccess;

	/**
	 * The mappings behind the position members, in the same units. Return false, output untouched, without a
	 * local frame or where the UTM/UPS projection refuses the position (or the point, for the convergence).
	 */
	bool TryGeodeticPositionToLocalEnu(const FVector& GeodeticPosition, FVector& OutLocalEnuPosition) const;
	bool TryLocalEnuPositionToGeodetic(const FVector& LocalEnuPosition, FVector& OutGeodeticPosition) const;
	bool TryGetGridConvergenceDegAtGeodetic(const FVector& GeodeticPosition, double& OutConvergenceDeg) const;

	/**
	 * Geocentric ECEF metres to local east-north-up metres and back in a tangent-plane frame, without a detour
	 * through geodetic coordinates: the difference from the origin turned by the transposed rotation, and the
	 * origin plus the turned local vector. Return false, output untouched, in any other frame (none, UTM).
	 * Inline, because point clouds in ECEF go through them millions of times and a call costs as much as the work.
	 */
	bool TryGeocentricPositionToTangentPlane(const FVector& WorldPosition, FVector& OutLocalEnuPosition) const
	{
		if (!LocalCartesian.IsValid())
		{
			return false;
		}
		const FVector Offset = WorldPosition - LocalFrameOriginGeocentric;
		const double(&R)[4][4] = LocalEnuToGeocentricMatrix.M;
		OutLocalEnuPosition = FVector(R[0][0] * Offset.X + R[0][1] * Offset.Y + R[0][2] * Offset.Z, R[1][0] * Offset.X + R[1][1] * Offset.Y + R[1][2] * Offset.Z,
			R[2][0] * Offset.X + R[2][1] * Offset.Y + R[2][2] * Offset.Z);
		return true;
	}

	bool TryTangentPlanePositionToGeocentric(const FVector& LocalEnuPosition, FVector& OutWorldPosition) const
	{
		if (!LocalCartesian.IsValid())
		{
			return false;
		}
		const FVector& L = LocalEnuPosition;
		const double(&R)[4][4] = LocalEnuToGeocentricMatrix.M;
		OutWorldPosition = LocalFrameOriginGeocentric
			+ FVector(L.X * R[0][0] + L.Y * R[1][0] + L.Z * R[2][0], L.X * R[0][1] + L.Y * R[1][1] + L.Z * R[2][1], L.X * R[0][2] + L.Y * R[1][2] + L.Z * R[2][2]);
		return true;
	}

	TSharedPtr<FCoordinateConversionInstance, ESPMode::ThreadSafe> Conversion;
	TSharedPtr<GeographicLib::LocalCartesian, ESPMode::ThreadSafe> LocalCartesian;
	FGeodeticCoordinate LocalFrameOrigin;
	FQuat LocalEnuToGeocentricRotation = FQuat::Identity;
	bool bHasLocalFrame = false;
	ECoordinateLocalFrameType LocalFrameType = ECoordinateLocalFrameType::Cartesian;
	int32 UtmZone = 0;
	bool bUtmNorthernHemisphere = true;
	double UtmOriginEasting = 0.0;
	double UtmOriginNorthing = 0.0;
	double UtmOriginScale = 1.0;

	/** A tangent-plane frame's origin in geocentric ECEF metres, as its projector holds it. */
	FVector LocalFrameOriginGeocentric = FVector(0.0, 0.0, 0.0);

	/**
	 * A tangent-plane frame's rotation from local east-north-up to geocentric axes, as its projector holds it:
	 * rows 0 to 2 are the geocentric images of east, north and up.
	 */
	FMatrix LocalEnuToGeocentricMatrix = FMatrix(FVector(1.0, 0.0, 0.0), FVector(0.0, 1.0, 0.0), FVector(0.0, 0.0, 1.0), FVector(0.0, 0.0, 0.0));
};
