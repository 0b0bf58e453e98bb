// Closed forms on the WGS84 ellipsoid, written out independently of GeographicLib: geocentric
// positions and the true north, east and up directions at a point.
#pragma once

#include "Math/Vector.h"

#include <cmath>

namespace DuRizerudoreTest
{
	inline constexpr double Wgs84A = 6378137.0;
	inline constexpr double Wgs84F = 1.0 / 298.257223563;

	inline double Radians(const double Degrees)
	{
		return Degrees * M_PI / 180.0;
	}

	/** Geocentric position of (latitude, longitude, ellipsoidal height): (N + h) cos(phi) cos(lambda), ... */
	inline FVector ClosedFormEcef(const double LatitudeDeg, const double LongitudeDeg, const double HeightM)
	{
		const double E2 = Wgs84F * (2.0 - Wgs84F);
		const double Phi = Radians(LatitudeDeg);
		const double Lambda = Radians(LongitudeDeg);
		const double N = Wgs84A / std::sqrt(1.0 - E2 * std::sin(Phi) * std::sin(Phi));
		return FVector((N + HeightM) * std::cos(Phi) * std::cos(Lambda), (N + HeightM) * std::cos(Phi) * std::sin(Lambda), (N * (1.0 - E2) + HeightM) * std::sin(Phi));
	}

	inline FVector ClosedFormEast(const double LongitudeDeg)
	{
		const double Lambda = Radians(LongitudeDeg);
		return FVector(-std::sin(Lambda), std::cos(Lambda), 0.0);
	}

	inline FVector ClosedFormNorth(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Phi = Radians(LatitudeDeg);
		const double Lambda = Radians(LongitudeDeg);
		return FVector(-std::sin(Phi) * std::cos(Lambda), -std::sin(Phi) * std::sin(Lambda), std::cos(Phi));
	}

	inline FVector ClosedFormUp(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Phi = Radians(LatitudeDeg);
		const double Lambda = Radians(LongitudeDeg);
		return FVector(std::cos(Phi) * std::cos(Lambda), std::cos(Phi) * std::sin(Lambda), std::sin(Phi));
	}

	/** An engine-axis vector (north, east, up) at a point, in geocentric axes. */
	inline FVector ClosedFormEngineAxisToEcef(const FVector& Axis, const double LatitudeDeg, const double LongitudeDeg)
	{
		return ClosedFormNorth(LatitudeDeg, LongitudeDeg) * Axis.X + ClosedFormEast(LongitudeDeg) * Axis.Y + ClosedFormUp(LatitudeDeg, LongitudeDeg) * Axis.Z;
	}
}
