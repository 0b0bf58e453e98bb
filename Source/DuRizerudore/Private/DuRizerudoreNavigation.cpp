// Navigation on the ellipsoid for the function library: geodesics, rhumb lines, waypoints and polygon areas,
// on the GeographicLib solvers that every conversion instance builds.
#include "DuRizerudoreBlueprintLibrary.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudorePositionConversion.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/GeodesicLine.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <GeographicLib/Rhumb.hpp>
THIRD_PARTY_INCLUDES_END

// Named, so that a unity build cannot meet these helpers' names in another file's anonymous namespace.
namespace DuRizerudoreNavigation
{
namespace
{
	/** An azimuth or longitude in degrees as the library reports it: in (-180, 180] (GeographicLib may give -180). */
	double ToHalfOpenDegrees(const double AzimuthDeg)
	{
		return AzimuthDeg == -180.0 ? 180.0 : AzimuthDeg;
	}

	/** Both ends of a path brought to geodetic through an initialized frame; false when either cannot be. */
	bool ToGeodeticEnds(const FCoordinateReferenceFrame& Frame, const ECoordinateSystem PositionSystem, const FVector& From, const FVector& To,
		FVector& OutFromGeodetic, FVector& OutToGeodetic)
	{
		return Frame.IsInitialized() && DuRizerudore::IsAnswerablePosition(PositionSystem, From) && DuRizerudore::IsAnswerablePosition(PositionSystem, To)
			&& DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, Frame, From, OutFromGeodetic)
			&& DuRizerudore::DispatchPositionConversion(PositionSystem, ECoordinateSystem::Geodetic, Frame, To, OutToGeodetic)
			&& !OutFromGeodetic.ContainsNaN() && !OutToGeodetic.ContainsNaN();
	}

	/** A direct problem's inputs: an initialized frame, a finite start within the poles, a finite azimuth and distance. */
	bool IsAnswerableDirect(const FCoordinateReferenceFrame& Frame, const FVector& FromGeodetic, const double AzimuthDeg, const double DistanceM)
	{
		return Frame.IsInitialized() && DuRizerudore::IsAnswerablePosition(ECoordinateSystem::Geodetic, FromGeodetic) && FMath::IsFinite(AzimuthDeg)
			&& FMath::IsFinite(DistanceM);
	}

	/**
	 * Count points at equal distances along a line from FromGeodetic to ToGeodetic, the ends themselves at both ends,
	 * heights linear in distance, converted to OutputSystem. PointAt gives latitude and longitude at a distance in metres.
	 */
	template <typename FPointAt>
	bool SampleLine(const FCoordinateReferenceFrame& Frame, const FVector& FromGeodetic, const FVector& ToGeodetic, const double LengthM, const int32 Count,
		const ECoordinateSystem OutputSystem, FPointAt&& PointAt, TArray<FVector>& OutWaypoints)
	{
		TArray<FVector> Points;
		Points.Reserve(Count);
		for (int32 Index = 0; Index < Count; ++Index)
		{
			const double Fraction = static_cast<double>(Index) / static_cast<double>(Count - 1);
			FVector Geodetic = Index == 0 ? FromGeodetic : ToGeodetic;
			if (Index != 0 && Index != Count - 1)
			{
				double LatitudeDeg = 0.0;
				double LongitudeDeg = 0.0;
				PointAt(Fraction * LengthM, LatitudeDeg, LongitudeDeg);
				Geodetic = FVector(LatitudeDeg, LongitudeDeg, FromGeodetic.Z + Fraction * (ToGeodetic.Z - FromGeodetic.Z));
			}
			FVector Converted = FVector::ZeroVector;
			if (Geodetic.ContainsNaN() || !DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, OutputSystem, Frame, Geodetic, Converted)
				|| Converted.ContainsNaN())
			{
				return false;
			}
			Points.Add(Converted);
		}
		OutWaypoints = MoveTemp(Points);
		return true;
	}

	bool IsAnswerableWaypointCount(const int32 Count)
	{
		return Count >= 2 && Count <= UDuRizerudoreBlueprintLibrary::MaxWaypointCount;
	}
}
}

bool UDuRizerudoreBlueprintLibrary::GetGeodesicInverse(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& From,
	const FVector& To, double& DistanceM, double& InitialAzimuthDeg, double& FinalAzimuthDeg)
{
	DistanceM = 0.0;
	InitialAzimuthDeg = 0.0;
	FinalAzimuthDeg = 0.0;
	FVector FromGeodetic = FVector::ZeroVector;
	FVector ToGeodetic = FVector::ZeroVector;
	if (!DuRizerudoreNavigation::ToGeodeticEnds(ReferenceFrame, PositionSystem, From, To, FromGeodetic, ToGeodetic))
	{
		return false;
	}
	double S12 = 0.0;
	double Azi1 = 0.0;
	double Azi2 = 0.0;
	FCoordinateConversionKernelAccess::GetGeodesic(*ReferenceFrame.GetConversion())->Inverse(FromGeodetic.X, FromGeodetic.Y, ToGeodetic.X, ToGeodetic.Y, S12, Azi1, Azi2);
	if (!FMath::IsFinite(S12) || !FMath::IsFinite(Azi1) || !FMath::IsFinite(Azi2))
	{
		return false;
	}
	DistanceM = S12;
	InitialAzimuthDeg = DuRizerudoreNavigation::ToHalfOpenDegrees(Azi1);
	FinalAzimuthDeg = DuRizerudoreNavigation::ToHalfOpenDegrees(Azi2);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetGeodesicDirect(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& FromGeodetic, const double AzimuthDeg,
	const double DistanceM, FVector& ToGeodetic, double& FinalAzimuthDeg)
{
	ToGeodetic = FVector::ZeroVector;
	FinalAzimuthDeg = 0.0;
	if (!DuRizerudoreNavigation::IsAnswerableDirect(ReferenceFrame, FromGeodetic, AzimuthDeg, DistanceM))
	{
		return false;
	}
	double Lat2 = 0.0;
	double Lon2 = 0.0;
	double Azi2 = 0.0;
	FCoordinateConversionKernelAccess::GetGeodesic(*ReferenceFrame.GetConversion())->Direct(FromGeodetic.X, FromGeodetic.Y, AzimuthDeg, DistanceM, Lat2, Lon2, Azi2);
	if (!FMath::IsFinite(Lat2) || !FMath::IsFinite(Lon2) || !FMath::IsFinite(Azi2))
	{
		return false;
	}
	ToGeodetic = FVector(Lat2, DuRizerudoreNavigation::ToHalfOpenDegrees(Lon2), FromGeodetic.Z);
	FinalAzimuthDeg = DuRizerudoreNavigation::ToHalfOpenDegrees(Azi2);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetRhumbInverse(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& From,
	const FVector& To, double& DistanceM, double& AzimuthDeg)
{
	DistanceM = 0.0;
	AzimuthDeg = 0.0;
	FVector FromGeodetic = FVector::ZeroVector;
	FVector ToGeodetic = FVector::ZeroVector;
	if (!DuRizerudoreNavigation::ToGeodeticEnds(ReferenceFrame, PositionSystem, From, To, FromGeodetic, ToGeodetic))
	{
		return false;
	}
	double S12 = 0.0;
	double Azi12 = 0.0;
	FCoordinateConversionKernelAccess::GetRhumb(*ReferenceFrame.GetConversion())->Inverse(FromGeodetic.X, FromGeodetic.Y, ToGeodetic.X, ToGeodetic.Y, S12, Azi12);
	if (!FMath::IsFinite(S12) || !FMath::IsFinite(Azi12))
	{
		return false;
	}
	DistanceM = S12;
	AzimuthDeg = DuRizerudoreNavigation::ToHalfOpenDegrees(Azi12);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetRhumbDirect(const FCoordinateReferenceFrame& ReferenceFrame, const FVector& FromGeodetic, const double AzimuthDeg,
	const double DistanceM, FVector& ToGeodetic)
{
	ToGeodetic = FVector::ZeroVector;
	if (!DuRizerudoreNavigation::IsAnswerableDirect(ReferenceFrame, FromGeodetic, AzimuthDeg, DistanceM))
	{
		return false;
	}
	double Lat2 = 0.0;
	double Lon2 = 0.0;
	// A line that would pass beyond a pole gives a NaN latitude.
	FCoordinateConversionKernelAccess::GetRhumb(*ReferenceFrame.GetConversion())->Direct(FromGeodetic.X, FromGeodetic.Y, AzimuthDeg, DistanceM, Lat2, Lon2);
	if (!FMath::IsFinite(Lat2) || !FMath::IsFinite(Lon2))
	{
		return false;
	}
	ToGeodetic = FVector(Lat2, DuRizerudoreNavigation::ToHalfOpenDegrees(Lon2), FromGeodetic.Z);
	return true;
}

bool UDuRizerudoreBlueprintLibrary::GetGeodesicWaypoints(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& From,
	const FVector& To, const int32 Count, const ECoordinateSystem OutputSystem, TArray<FVector>& Waypoints)
{
	Waypoints.Empty();
	FVector FromGeodetic = FVector::ZeroVector;
	FVector ToGeodetic = FVector::ZeroVector;
	if (!DuRizerudoreNavigation::IsAnswerableWaypointCount(Count)
		|| !DuRizerudoreNavigation::ToGeodeticEnds(ReferenceFrame, PositionSystem, From, To, FromGeodetic, ToGeodetic))
	{
		return false;
	}
	// One line for every point: the same geodesic the inverse problem picks, sampled by distance.
	const GeographicLib::GeodesicLine Line =
		FCoordinateConversionKernelAccess::GetGeodesic(*ReferenceFrame.GetConversion())->InverseLine(FromGeodetic.X, FromGeodetic.Y, ToGeodetic.X, ToGeodetic.Y);
	const double LengthM = Line.Distance();
	if (!FMath::IsFinite(LengthM))
	{
		return false;
	}
	return DuRizerudoreNavigation::SampleLine(ReferenceFrame, FromGeodetic, ToGeodetic, LengthM, Count, OutputSystem,
		[&Line](const double DistanceM, double& OutLatitudeDeg, double& OutLongitudeDeg) { Line.Position(DistanceM, OutLatitudeDeg, OutLongitudeDeg); }, Waypoints);
}

bool UDuRizerudoreBlueprintLibrary::GetRhumbWaypoints(const FCoordinateReferenceFrame& ReferenceFrame, const ECoordinateSystem PositionSystem, const FVector& From,
	const FVector& To, const int32 Count, const ECoordinateSystem OutputSystem, TArray<FVector>& Waypoints)
{
	Waypoints.Empty();
	FVector FromGeodetic = FVector::ZeroVector;
	FVector ToGeodetic = FVector::ZeroVector;
	if (!DuRizerudoreNavigation::IsAnswerableWaypointCount(Count)
		|| !DuRizerudoreNavigation::ToGeodeticEnds(ReferenceFrame, PositionSystem, From, To, FromGeodetic, ToGeodetic))
	{
		return false;
	}
	const GeographicLib::Rhumb& Rhumb = *FCoordinateConversionKernelAccess::GetRhumb(*ReferenceFrame.GetConversion());
	double LengthM = 0.0;
	double AzimuthDeg = 0.0;
	Rhumb.Inverse(FromGeodetic.X, FromGeodetic.Y, ToGeodetic.X, ToGeodetic.Y, LengthM, AzimuthDeg);
	if (!FMath::IsFinite(LengthM) || !FMath::IsFinite(AzimuthDeg))
	{
		return false;
	}
	const GeographicLib::RhumbLine Line = Rhumb.Line(FromGeodetic.X, FromGeodetic.Y, AzimuthDeg);
	return DuRizerudoreNavigation::SampleLine(ReferenceFrame, FromGeodetic, ToGeodetic, LengthM, Count, OutputSystem,
		[&Line](const double DistanceM, double& OutLatitudeDeg, double& OutLongitudeDeg) { Line.Position(DistanceM, OutLatitudeDeg, OutLongitudeDeg); }, Waypoints);
}

bool UDuRizerudoreBlueprintLibrary::GetPolygonArea(const FCoordinateReferenceFrame& ReferenceFrame, const TArray<FVector>& GeodeticVertices, double& AreaM2,
	double& PerimeterM)
{
	AreaM2 = 0.0;
	PerimeterM = 0.0;
	if (!ReferenceFrame.IsInitialized() || GeodeticVertices.Num() < 3)
	{
		return false;
	}
	GeographicLib::PolygonArea Polygon(*FCoordinateConversionKernelAccess::GetGeodesic(*ReferenceFrame.GetConversion()), false);
	for (const FVector& Vertex : GeodeticVertices)
	{
		// The height is ignored, so only latitude and longitude must be answerable.
		if (!DuRizerudore::IsAnswerablePosition(ECoordinateSystem::Geodetic, FVector(Vertex.X, Vertex.Y, 0.0)))
		{
			return false;
		}
		Polygon.AddPoint(Vertex.X, Vertex.Y);
	}
	double Perimeter = 0.0;
	double Area = 0.0;
	Polygon.Compute(false, true, Perimeter, Area);
	if (!FMath::IsFinite(Perimeter) || !FMath::IsFinite(Area))
	{
		return false;
	}
	AreaM2 = Area;
	PerimeterM = Perimeter;
	return true;
}
