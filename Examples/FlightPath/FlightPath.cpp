// A flight from the Royal Observatory, Greenwich, to the Eiffel Tower along the geodesic, the
// shortest path on the ellipsoid: its length, the heading to set off on, and waypoints for a spline or a
// fly-to camera in the engine's frame of a world whose origin is at Greenwich. Model-free (normal gravity,
// no geoid), so it needs no data files.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <fmt/format.h>

#include "DuRizerudoreBlueprintLibrary.h"

#include "HostPluginRegistration.h"

#include <cstdio>

namespace
{
	using ES = ECoordinateSystem;
	using FLibrary = UDuRizerudoreBlueprintLibrary;
}

int main(int ArgumentCount, char** Arguments)
{
	if (const TOptional<int32> ExitStatus = UE::Host::RegisterPluginFromCommandLine(ArgumentCount, Arguments,
			"Usage: durizerudore-flight-path [--plugin-dir DIR]\n"
				"Prints the geodesic from Greenwich to the Eiffel Tower and waypoints along it in the engine's frame."))
	{
		return *ExitStatus;
	}

	// Latitude and longitude in degrees, ellipsoidal height in metres.
	const FVector Greenwich(51.4779, -0.0015, 46.0);
	const FVector EiffelTower(48.8584, 2.2945, 330.0);
	FCoordinateConversionSetup ModelFree;
	ModelFree.GravityModel = EEarthGravityModel::None;
	ModelFree.GeoidModel = EEarthGravityModel::None;
	FCoordinateReferenceFrame Frame;
	double DistanceM = 0.0;
	double InitialAzimuthDeg = 0.0;
	double FinalAzimuthDeg = 0.0;
	TArray<FVector> Waypoints;
	constexpr int32 WaypointCount = 6;
	if (!FLibrary::MakeReferenceFrame(ModelFree, FCoordinateReferenceSetup(FGeodeticCoordinate(Greenwich.X, Greenwich.Y, Greenwich.Z), ECoordinateAltitudeReference::Ellipsoid,
											 ECoordinateLocalFrameType::Cartesian), Frame)
		|| !FLibrary::GetGeodesicInverse(Frame, ES::Geodetic, Greenwich, EiffelTower, DistanceM, InitialAzimuthDeg, FinalAzimuthDeg)
		|| !FLibrary::GetGeodesicWaypoints(Frame, ES::Geodetic, Greenwich, EiffelTower, WaypointCount, ES::Local_UE, Waypoints))
	{
		std::fputs("The flight path could not be computed.\n", stderr);
		return 1;
	}

	fmt::print("Greenwich to the Eiffel Tower along the geodesic: {:.3f} km.\n", DistanceM / 1000.0);
	fmt::print("Set off on a heading of {:.4f} deg (clockwise from true north); arrive heading {:.4f} deg.\n", InitialAzimuthDeg, FinalAzimuthDeg);
	fmt::print("{} waypoints in the engine's frame at Greenwich (X north, Y east, Z up; centimetres). Z falls below the\n"
			   "tangent plane as the Earth curves away under the path:\n", WaypointCount);
	for (int32 Index = 0; Index < Waypoints.Num(); ++Index)
	{
		const FVector& Point = Waypoints[Index];
		fmt::print("  {}: X {:14.1f}  Y {:12.1f}  Z {:12.1f}\n", Index, Point.X, Point.Y, Point.Z);
	}
	return 0;
}
