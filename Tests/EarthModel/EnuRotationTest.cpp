#include "ClosedForms.h"
#include "DuRizerudoreConversionInternal.h"
#include "VectorExpectations.h"

#include <gtest/gtest.h>

#include <random>

using DuRizerudoreTest::ClosedFormEast;
using DuRizerudoreTest::ClosedFormNorth;
using DuRizerudoreTest::ClosedFormUp;
using DuRizerudoreTest::ExpectVectorNear;

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
		const FVector East = ClosedFormEast(LongitudeDeg);
		const FVector North = ClosedFormNorth(LatitudeDeg, LongitudeDeg);
		const FVector Up = ClosedFormUp(LatitudeDeg, LongitudeDeg);
		SCOPED_TRACE(testing::Message() << LatitudeDeg << ", " << LongitudeDeg);

		EXPECT_NEAR(Rotation.SizeSquared(), 1.0, 1e-15);
		ExpectVectorNear(Rotation.RotateVector(FVector(1.0, 0.0, 0.0)), East, 1e-14);
		ExpectVectorNear(Rotation.RotateVector(FVector(0.0, 1.0, 0.0)), North, 1e-14);
		ExpectVectorNear(Rotation.RotateVector(FVector(0.0, 0.0, 1.0)), Up, 1e-14);
		// A proper rotation: east x north = up.
		ExpectVectorNear(FVector::CrossProduct(East, North), Up, 1e-14);
		// Unrotating brings the geocentric up back to the local up.
		ExpectVectorNear(Rotation.UnrotateVector(Up), FVector(0.0, 0.0, 1.0), 1e-14);
	}
}
