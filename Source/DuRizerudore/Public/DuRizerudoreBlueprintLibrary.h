// The static functions through which visual scripts build reference frames and convert positions.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "DuRizerudoreBlueprintLibrary.generated.h"

class ADuRizerudoreSystem;

/**
 * Every function returns true on success and delivers its results through out-parameters; each refuses a
 * frame that fails IsReferenceFrameValid. After false: MakeReferenceFrame leaves a default frame, the
 * conversions and the heading/pitch functions leave their outputs untouched, the height queries set their
 * output to 0 and GetGravity to the zero vector. Every function refuses an input that is not finite (NaN or
 * an infinity), a geodetic latitude outside [-90, 90], and a result that would not be finite. Positions in a
 * UTM frame that the UTM/UPS projection cannot take (a point too far from the origin's zone, or in a UPS frame
 * a point in the other polar hemisphere) give false as well.
 *
 * Units and frames of positions, by system: Local_ENU and Local_NED metres in the frame's local axes,
 * Local_UE centimetres (X north, Y east, Z up), Geocentric ECEF metres, Geodetic (X latitude and Y longitude
 * in degrees, Z height above the WGS84 ellipsoid in metres). Vectors carry their own unit in every system. The
 * conventions of axes, units and local frames in full: the top of DuRizerudoreConversion.h.
 */
UCLASS(meta = (ToolTip = "Blueprint helpers for building runtime reference frames and dispatching conversions from runtime enums."))
class DURIZERUDORE_API UDuRizerudoreBlueprintLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/**
	 * @param ReferenceFrame the frame to test.
	 * @return true when the frame holds an initialized conversion instance; false for a default frame.
	 */
	UFUNCTION(BlueprintPure, Category = "DuRizerudore|Frame")
	static bool IsReferenceFrameValid(const FCoordinateReferenceFrame& ReferenceFrame);

	/**
	 * Builds fresh models from ConversionSetup (never shared with another frame) and the local frame of ReferenceSetup.
	 *
	 * @param ConversionSetup the datum, gravity and geoid models to load.
	 * @param ReferenceSetup the local frame: kind, origin (degrees, degrees, metres) and what the origin height is measured from.
	 * @param OutReferenceFrame the frame; a default frame after false.
	 * @return false when the models do not build (data missing or unreadable, an impossible truncation) or the
	 *   local frame does not (an origin that is not finite, a latitude outside [-90, 90], a height beyond 1e7 m
	 *   from the ellipsoid, or an origin the UTM/UPS projection refuses; each is logged).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame", meta = (ToolTip = "Builds a reusable runtime reference frame from the supplied conversion and local-frame setup."))
	static bool MakeReferenceFrame(const FCoordinateConversionSetup& ConversionSetup, const FCoordinateReferenceSetup& ReferenceSetup, FCoordinateReferenceFrame& OutReferenceFrame);

	/**
	 * A frame on the models of a coordinate-system actor (shared, not copied) with the local frame of ReferenceSetup;
	 * the actor's own frame and reference setup are not consulted.
	 *
	 * @param CoordinateSystem the actor whose conversion instance the frame shares.
	 * @param ReferenceSetup the local frame: kind, origin (degrees, degrees, metres) and what the origin height is measured from.
	 * @param OutReferenceFrame the frame; a default frame after false.
	 * @return false for a null or destroyed actor, one whose models are not built, or a local frame that does
	 *   not build (as for MakeReferenceFrame).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame", meta = (ToolTip = "Builds a reusable runtime reference frame from an initialized coordinate-system actor and an alternate local-frame setup."))
	static bool MakeReferenceFrameFromCoordinateSystem(ADuRizerudoreSystem* CoordinateSystem, const FCoordinateReferenceSetup& ReferenceSetup, FCoordinateReferenceFrame& OutReferenceFrame);

	/**
	 * @param CoordinateSystem the actor whose current frame is copied (the copy shares the actor's models).
	 * @param OutReferenceFrame the frame; a default frame after false.
	 * @return false for a null or destroyed actor, or one without an initialized frame.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Frame", meta = (ToolTip = "Returns the actor's default runtime reference frame."))
	static bool GetReferenceFrameFromCoordinateSystem(ADuRizerudoreSystem* CoordinateSystem, FCoordinateReferenceFrame& OutReferenceFrame);

	/**
	 * A position: metres in Local_ENU, Local_NED and Geocentric, centimetres in Local_UE, degrees and metres above the
	 * ellipsoid in Geodetic; the local systems measure from the frame's origin along its axes there.
	 *
	 * @param ReferenceFrame the frame whose local frame the local systems refer to.
	 * @param FromSystem the system of Position.
	 * @param ToSystem the system of ConvertedPosition.
	 * @param Position the position, in FromSystem's units.
	 * @param ConvertedPosition the position in ToSystem's units; untouched after false.
	 * @return false for an invalid frame, a value outside the enumeration, or a position the UTM/UPS projection refuses.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertPosition(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Position, FVector& ConvertedPosition);

	/**
	 * Many positions at once, each exactly as ConvertPosition converts it alone (DuRizerudore::ConvertPositions, which
	 * native code can call on array views; large arrays are split across the machine's cores).
	 *
	 * @param Positions the positions, in FromSystem's units.
	 * @param ConvertedPositions as many positions, in ToSystem's units; a position that cannot be converted (one that
	 *   ConvertPosition refuses) has NaN components in its place. Untouched when none can be, as for an invalid frame
	 *   or a value outside the enumeration.
	 * @return true when every position converted (also for no positions); false for an invalid frame, a value outside
	 *   the enumeration, or any position that could not be converted.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion", meta = (ToolTip = "Converts an array of positions between coordinate systems, each as ConvertPosition does (metres; Local_UE centimetres; Geodetic degrees and metres); one that cannot be converted comes out as NaN and makes the result false."))
	static bool ConvertPositions(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const TArray<FVector>& Positions,
		TArray<FVector>& ConvertedPositions);

	/**
	 * A free vector in the frame's axes at its origin (not the axes where it applies); its numbers keep their unit in
	 * every system, Local_UE included (no factor 100).
	 *
	 * @param Vector the vector in FromSystem's axes (any unit).
	 * @param ConvertedVector the vector in ToSystem's axes, same unit; untouched after false.
	 * @return false for an invalid frame, a value outside the enumeration, or Geodetic on one side only (a free
	 *   vector has no geodetic form; Geodetic to Geodetic copies).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertVector(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Vector, FVector& ConvertedVector);

	/**
	 * A vector attached to a point: local systems mean the axes at that point (its true east, north and up; grid axes
	 * in a UTM frame; also in a frame without a local frame), Geodetic means differences of latitude and longitude
	 * (degrees, the longitude not wrapped) and height (metres). The vector keeps its unit in every system.
	 *
	 * @param Vector the vector in FromSystem at the point.
	 * @param PositionSystem the system of Position.
	 * @param Position the point, in PositionSystem's units.
	 * @param ConvertedVector the vector in ToSystem at the point; untouched after false.
	 * @return false for an invalid frame, a value outside the enumeration, or a point the UTM/UPS projection refuses.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion", meta = (ToolTip = "Converts a vector using an explicit position whose coordinate system can differ from the vector system."))
	static bool ConvertVectorAtPosition(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FVector& Vector,
		ECoordinateSystem PositionSystem, const FVector& Position, FVector& ConvertedVector);

	/**
	 * An orientation (body axes into the system's axes) in the frame's axes at its origin, not at the body.
	 *
	 * @param Rotation the orientation in FromSystem; need not be normalised.
	 * @param ConvertedRotation the normalised orientation in ToSystem; untouched after false.
	 * @return false for an invalid frame and for pairs other than among Local_ENU, Local_NED and Geocentric, or
	 *   Local_UE to itself (it is left-handed); Geodetic has no orientation.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertQuaternion(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FQuat& Rotation, FQuat& ConvertedRotation);

	/**
	 * A rotator in degrees, the engine's convention on each system's own axes (not aerospace angles: in Local_NED
	 * positive pitch is nose down), in the frame's axes at its origin. It goes through a quaternion even between equal
	 * systems, so the result is the engine's canonical rotator: a pitch within 0.081 degrees of +-90 reads +-90.
	 *
	 * @return false, ConvertedRotation untouched, where ConvertQuaternion returns false.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Conversion")
	static bool ConvertRotator(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FRotator& Rotation, FRotator& ConvertedRotation);

	/**
	 * Heading in degrees from north towards east and pitch in degrees above the horizontal; a local vector in its own
	 * axes, a Geocentric one in the local axes at Position (grid north in a UTM frame).
	 *
	 * @param VectorSystem the system of Vector: a local system (its own axes) or Geocentric (taken in the local
	 *   axes at Position, grid axes in a UTM frame).
	 * @param Vector the direction; its length does not matter.
	 * @param PositionSystem the system of Position; used only for a geocentric vector.
	 * @param Position the point, in PositionSystem's units.
	 * @param HeadingPitchDeg X the heading in degrees from north towards east in [-180, 180], Y the pitch in degrees
	 *   above the horizontal; untouched after false.
	 * @return false for an invalid frame, a Geodetic or unknown vector system, an unknown position system, or a point
	 *   the UTM/UPS projection refuses.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Heading")
	static bool HeadingPitchDegFromVector(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem VectorSystem, const FVector& Vector, ECoordinateSystem PositionSystem,
		const FVector& Position, FVector2D& HeadingPitchDeg);

	/**
	 * The unit vector of a heading and pitch (degrees), in a local system's own axes or, for Geocentric, from the local
	 * axes at Position; the inverse of HeadingPitchDegFromVector with the same systems and refusals.
	 *
	 * @param Vector the unit vector in VectorSystem (no centimetre factor for Local_UE); untouched after false.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Heading")
	static bool VectorFromHeadingPitchDeg(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem VectorSystem, const FVector2D& HeadingPitchDeg,
		ECoordinateSystem PositionSystem, const FVector& Position, FVector& Vector);

	/**
	 * Gravity from the gravity model, or normal gravity without one: the acceleration of a body at rest on the rotating
	 * Earth, centrifugal term included.
	 *
	 * @param Position the point, in PositionSystem's units.
	 * @param VectorSystem Geocentric axes, or a local system's axes at the queried point (not at the origin).
	 * @param Gravity in metres per second squared in every system, Local_UE included (the engine's physics wants
	 *   centimetres: multiply by 100); the zero vector after false.
	 * @return false for an invalid frame, a Geodetic or unknown vector system, or a point the frame cannot convert.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves gravity at the query point. Local outputs are expressed in the tangent frame at the queried point, not at the reference origin."))
	static bool GetGravity(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, ECoordinateSystem VectorSystem, FVector& Gravity);

	/**
	 * @param Position the point, in PositionSystem's units; only its latitude and longitude matter.
	 * @param GeoidHeightM the geoid's height above the ellipsoid in metres; 0 after false.
	 * @return false for an invalid frame, a frame without a geoid, a position the frame cannot convert, or a
	 *   place where the geoid grid has no answer.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves geoid separation at the queried position."))
	static bool GetGeoidHeight(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& GeoidHeightM);

	/**
	 * @param GeodeticCoordinateAtMeanSeaLevel latitude and longitude in degrees, Z the height above mean sea level in metres.
	 * @param HeightAboveEllipsoidM the height above the WGS84 ellipsoid in metres; 0 after false.
	 * @return false for an invalid frame or a frame without a geoid.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves ellipsoid height from a geodetic coordinate whose Z component is height above mean sea level."))
	static bool GetHeightAboveEllipsoid(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& GeodeticCoordinateAtMeanSeaLevel, double& HeightAboveEllipsoidM);

	/**
	 * @param Position the point, in PositionSystem's units (a geodetic height is above the ellipsoid).
	 * @param HeightAboveMeanSeaLevelM the height above the geoid in metres; 0 after false.
	 * @return false for an invalid frame, a frame without a geoid, or a position the frame cannot convert.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Earth", meta = (ToolTip = "Resolves mean sea level height for a physical point described in any supported position frame."))
	static bool GetHeightAboveMeanSeaLevel(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& Position, double& HeightAboveMeanSeaLevelM);

	// Navigation on the frame's ellipsoid (WGS84): geodesics (shortest paths), rhumb lines (constant azimuth),
	// waypoints along either and the area of a geodesic polygon, solved by GeographicLib. Every azimuth is in
	// degrees clockwise from true north in (-180, 180]; distances are metres along the ellipsoid (heights
	// do not enter them); geodetic vectors are X latitude, Y longitude (degrees), Z height (metres). Each
	// function refuses an invalid frame, an input that is not finite, a latitude beyond the poles and a
	// result that would not be finite; its outputs are then zero (or empty).

	/**
	 * The shortest path on the ellipsoid between two positions. Near-antipodal ends are answered with the
	 * geodesic GeographicLib picks; between the poles or other ends with many shortest paths, one of them.
	 *
	 * @param PositionSystem the system of From and To; they are brought to geodetic through the frame.
	 * @param From, To the ends, in PositionSystem's units; their heights are ignored.
	 * @param DistanceM the length of the geodesic in metres on the ellipsoid; 0 after false.
	 * @param InitialAzimuthDeg the azimuth at From, degrees clockwise from true north in (-180, 180]; 0 after false.
	 * @param FinalAzimuthDeg the azimuth at To, continuing the path beyond it, same convention; 0 after false.
	 * @return false for an invalid frame, a value outside the enumeration, an end that is not finite, a latitude
	 *   beyond the poles, or an end the frame cannot convert.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "Distance in metres along the ellipsoid and azimuths in degrees clockwise from true north of the shortest path between two positions; heights are ignored."))
	static bool GetGeodesicInverse(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& From, const FVector& To,
		double& DistanceM, double& InitialAzimuthDeg, double& FinalAzimuthDeg);

	/**
	 * Where the geodesic that leaves a point at an azimuth ends after a distance.
	 *
	 * @param FromGeodetic the start: latitude and longitude in degrees, height in metres (carried over to the end).
	 * @param AzimuthDeg the azimuth at the start, degrees clockwise from true north (any value).
	 * @param DistanceM the distance along the ellipsoid in metres; negative goes backwards.
	 * @param ToGeodetic the end: latitude and longitude (degrees, longitude in (-180, 180]) and FromGeodetic's height;
	 *   the zero vector after false.
	 * @param FinalAzimuthDeg the azimuth at the end, degrees clockwise from true north in (-180, 180]; 0 after false.
	 * @return false for an invalid frame, an input that is not finite or a latitude beyond the poles.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "End point (degrees, degrees, metres) and final azimuth (degrees from true north) of the geodesic leaving a geodetic point at an azimuth for a distance in metres; the height is carried over."))
	static bool GetGeodesicDirect(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& FromGeodetic, double AzimuthDeg, double DistanceM,
		FVector& ToGeodetic, double& FinalAzimuthDeg);

	/**
	 * The rhumb line (loxodrome: the path of constant azimuth) between two positions. It is longer than the geodesic
	 * except along a meridian or the equator; a pole is reached as a limit.
	 *
	 * @param PositionSystem the system of From and To; they are brought to geodetic through the frame.
	 * @param From, To the ends, in PositionSystem's units; their heights are ignored.
	 * @param DistanceM the length of the rhumb line in metres on the ellipsoid; 0 after false.
	 * @param AzimuthDeg its constant azimuth, degrees clockwise from true north in (-180, 180]; 0 after false.
	 * @return false as for GetGeodesicInverse.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "Distance in metres along the ellipsoid and constant azimuth in degrees clockwise from true north of the rhumb line between two positions; heights are ignored."))
	static bool GetRhumbInverse(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& From, const FVector& To,
		double& DistanceM, double& AzimuthDeg);

	/**
	 * Where the rhumb line that leaves a point at a constant azimuth ends after a distance.
	 *
	 * @param FromGeodetic the start: latitude and longitude in degrees, height in metres (carried over to the end).
	 * @param AzimuthDeg the constant azimuth, degrees clockwise from true north (any value).
	 * @param DistanceM the distance along the ellipsoid in metres; negative goes backwards.
	 * @param ToGeodetic the end (degrees, degrees, FromGeodetic's height); the zero vector after false.
	 * @return false for an invalid frame, an input that is not finite, a latitude beyond the poles, or a line that
	 *   would pass beyond a pole.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "End point (degrees, degrees, metres) of the rhumb line leaving a geodetic point at a constant azimuth (degrees from true north) for a distance in metres; the height is carried over."))
	static bool GetRhumbDirect(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& FromGeodetic, double AzimuthDeg, double DistanceM, FVector& ToGeodetic);

	/** The most waypoints GetGeodesicWaypoints and GetRhumbWaypoints give. */
	static constexpr int32 MaxWaypointCount = 100000;

	/**
	 * Count points evenly spaced in distance along the geodesic from From to To, both ends included (the ends are
	 * From and To themselves, converted). Heights go linearly in distance from From's height to To's. For a spline
	 * or a fly-to camera, ask for Local_UE.
	 *
	 * @param PositionSystem the system of From and To.
	 * @param Count the number of points, 2 to MaxWaypointCount.
	 * @param OutputSystem the system of the points, each in its own units (Local_UE centimetres).
	 * @param Waypoints the points from From to To; empty after false.
	 * @return false as for GetGeodesicInverse, for Count outside [2, MaxWaypointCount], or when the frame cannot
	 *   convert a point to OutputSystem (a point outside a UTM frame's reach).
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "Count points (2 to 100000) evenly spaced in distance along the geodesic between two positions, ends included, in the output system's units (Local_UE centimetres, for a spline); heights go linearly in distance."))
	static bool GetGeodesicWaypoints(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& From, const FVector& To,
		int32 Count, ECoordinateSystem OutputSystem, TArray<FVector>& Waypoints);

	/** GetGeodesicWaypoints on the rhumb line from From to To; a line through a pole is refused. */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "Count points (2 to 100000) evenly spaced in distance along the rhumb line between two positions, ends included, in the output system's units (Local_UE centimetres, for a spline); heights go linearly in distance."))
	static bool GetRhumbWaypoints(const FCoordinateReferenceFrame& ReferenceFrame, ECoordinateSystem PositionSystem, const FVector& From, const FVector& To,
		int32 Count, ECoordinateSystem OutputSystem, TArray<FVector>& Waypoints);

	/**
	 * The area and perimeter of the polygon whose edges are the geodesics between consecutive vertices, closed back to
	 * the first; heights are ignored. Edges may cross the antimeridian and a polygon may enclose a pole.
	 *
	 * @param GeodeticVertices the vertices: latitude and longitude in degrees (Z ignored), at least 3.
	 * @param AreaM2 the area in square metres, positive when the vertices run counter-clockwise (seen from above),
	 *   negative when clockwise; 0 after false.
	 * @param PerimeterM the perimeter in metres; 0 after false.
	 * @return false for an invalid frame, fewer than 3 vertices, a vertex that is not finite or a latitude beyond the poles.
	 */
	UFUNCTION(BlueprintCallable, Category = "DuRizerudore|Navigation", meta = (ToolTip = "Area in square metres (positive for counter-clockwise vertices) and perimeter in metres of the polygon of geodesic edges through geodetic vertices (degrees; heights ignored), at least 3."))
	static bool GetPolygonArea(const FCoordinateReferenceFrame& ReferenceFrame, const TArray<FVector>& GeodeticVertices, double& AreaM2, double& PerimeterM);
};
