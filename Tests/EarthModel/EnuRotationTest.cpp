#include "DuRizerudoreConversionInternal.h"
#include "VectorExpectations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using DuRizerudoreTest::ExpectVectorNear;

namespace
{
	/** East, north and up at a place, from the closed forms of the geodetic normal. */
	struct FClosedFormAxes
	{
		FVector East;
		FVector North;
		FVector Up;
	};

	FClosedFormAxes ClosedFormAxes(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Phi = LatitudeDeg * M_PI / 180.0;
		const double Lambda = LongitudeDeg * M_PI / 180.0;
		return FClosedFormAxes{
			FVector(-std::sin(Lambda), std::cos(Lambda), 0.0),
			FVector(-std::sin(Phi) * std::cos(Lambda), -std::sin(Phi) * std::sin(Lambda), std::cos(Phi)),
			FVector(std::cos(Phi) * std::cos(Lambda), std::cos(Phi) * std::sin(Lambda), std::sin(Phi))};
	}
}

TEST(EnuToGeocentricRotation, CarriesTheLocalAxesOntoTheClosedFormDirections)
{
	std::mt19937_64 Random(20261206);
	// Latitudes beyond the poles are taken as given, not clamped.
	std::uniform_real_distribution<double> Latitude(-100.0, 100.0);
	std::uniform_real_distribution<double> Longitude(-540.0, 540.0);
	for (int Sample = 0; Sample < 2000; ++Sample)
	{
		const double LatitudeDeg = Sample == 0 ? 90.0 : (Sample == 1 ? -90.0 : Latitude(Random));
		const double LongitudeDeg = Longitude(Random);
		const FQuat Rotation = DuRizerudore::BuildEnuToGeocentricRotation(LatitudeDeg, LongitudeDeg);
		const FClosedFormAxes Axes = ClosedFormAxes(LatitudeDeg, LongitudeDeg);
		SCOPED_TRACE(testing::Message() << LatitudeDeg << ", " << LongitudeDeg);

		EXPECT_NEAR(Rotation.SizeSquared(), 1.0, 1e-15);
		ExpectVectorNear(Rotation.RotateVector(FVector(1.0, 0.0, 0.0)), Axes.East, 1e-14);
		ExpectVectorNear(Rotation.RotateVector(FVector(0.0, 1.0, 0.0)), Axes.North, 1e-14);
		ExpectVectorNear(Rotation.RotateVector(FVector(0.0, 0.0, 1.0)), Axes.Up, 1e-14);
		// A proper rotation: east x north = up.
		ExpectVectorNear(FVector::CrossProduct(Axes.East, Axes.North), Axes.Up, 1e-14);
		// Unrotating brings the geocentric up back to the local up.
		ExpectVectorNear(Rotation.UnrotateVector(Axes.Up), FVector(0.0, 0.0, 1.0), 1e-14);
	}
}
