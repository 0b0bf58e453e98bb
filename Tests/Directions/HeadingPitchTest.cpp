#include "DuRizerudoreHeadingPitch.h"
#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace DuRizerudoreTest;

namespace
{
	FVector2D HeadingPitch(const FCoordinateReferenceFrame& Frame, ECoordinateSystem VectorSystem, const FVector& V, ECoordinateSystem PositionSystem = ECoordinateSystem::Geodetic,
		const FVector& Position = FVector(0, 0, 0))
	{
		FVector2D Out(NAN, NAN);
		EXPECT_TRUE(DuRizerudore::DispatchHeadingPitchFromVector(VectorSystem, PositionSystem, Frame, V, Position, Out));
		return Out;
	}

	void ExpectPairNear(const FVector2D& Actual, const FVector2D& Expected, double Tolerance)
	{
		EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
		EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
	}
}

TEST(HeadingPitch, CompassPointsInEachLocalSystem)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 10.0, 20.0, 0.0);
	// Geocentric Z at (0, 0) is true north, geocentric Y east.
	const std::tuple<ECoordinateSystem, FVector, FVector2D> Cases[] = {
		{ECoordinateSystem::Local_ENU, FVector(0, 1, 0), FVector2D(0, 0)}, {ECoordinateSystem::Local_ENU, FVector(1, 0, 0), FVector2D(90, 0)},
		{ECoordinateSystem::Local_ENU, FVector(0, -1, 0), FVector2D(180, 0)}, {ECoordinateSystem::Local_ENU, FVector(-1, 0, 0), FVector2D(-90, 0)},
		{ECoordinateSystem::Local_ENU, FVector(0, 0, 1), FVector2D(0, 90)}, {ECoordinateSystem::Local_NED, FVector(0, 0, 1), FVector2D(0, -90)},
		{ECoordinateSystem::Local_NED, FVector(0, 1, 0), FVector2D(90, 0)}, {ECoordinateSystem::Local_UE, FVector(0, -100, 0), FVector2D(-90, 0)},
		{ECoordinateSystem::Local_ENU, FVector(0, 0, 0), FVector2D(0, 0)}, {ECoordinateSystem::Geocentric, FVector(0, 0, 1), FVector2D(0, 0)},
		{ECoordinateSystem::Geocentric, FVector(0, 1, 0), FVector2D(90, 0)}};
	for (const auto& [System, Vector, Expected] : Cases)
	{
		ExpectPairNear(HeadingPitch(Frame, System, Vector), Expected, 1e-12);
	}
	FVector V;
	ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, FVector2D(90, 0), FVector(0, 0, 0), V));
	ExpectVectorNear(V, FVector(1, 0, 0), 1e-15);
	ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Local_UE, ECoordinateSystem::Geodetic, Frame, FVector2D(90, 0), FVector(0, 0, 0), V));
	ExpectVectorNear(V, FVector(0, 1, 0), 1e-15);
	ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Local_NED, ECoordinateSystem::Geodetic, Frame, FVector2D(90, 0), FVector(0, 0, 0), V));
	ExpectVectorNear(V, FVector(0, 1, 0), 1e-15);

	// Refusals leave the output untouched.
	FVector2D Pair(7, 8);
	EXPECT_FALSE(DuRizerudore::DispatchHeadingPitchFromVector(ECoordinateSystem::Geodetic, ECoordinateSystem::Geodetic, Frame, FVector(1, 0, 0), FVector(0, 0, 0), Pair));
	EXPECT_FALSE(DuRizerudore::DispatchHeadingPitchFromVector(ECoordinateSystem::Local_ENU, static_cast<ECoordinateSystem>(5), Frame, FVector(1, 0, 0), FVector(0, 0, 0), Pair));
	EXPECT_EQ(Pair, FVector2D(7, 8));
	V = FVector(1, 2, 3);
	EXPECT_FALSE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Geodetic, ECoordinateSystem::Geodetic, Frame, FVector2D(0, 0), FVector(0, 0, 0), V));
	EXPECT_EQ(V, FVector(1, 2, 3));
}

TEST(HeadingPitch, AnyFiniteLengthGivesTheDirectionsPair)
{
	// Squared components overflow beyond about 1e154 (pitch 0 for a steep vector) and underflow below 1e-154 (pitch 90).
	const double Diagonal = std::atan(std::sqrt(0.5)) * 180.0 / M_PI;
	const std::tuple<ECoordinateSystem, FVector, FVector2D> Cases[] = {{ECoordinateSystem::Local_ENU, FVector(1e200, 1e200, 1e200), FVector2D(45, Diagonal)},
		{ECoordinateSystem::Local_ENU, FVector(1e-200, 1e-200, 1e-200), FVector2D(45, Diagonal)},
		{ECoordinateSystem::Local_NED, FVector(-1e308, 1e308, -1e308), FVector2D(135, Diagonal)},
		{ECoordinateSystem::Local_ENU, FVector(1e-320, 0, 1e-320), FVector2D(90, 45)}, {ECoordinateSystem::Local_UE, FVector(1e-320, 0, -1e-320), FVector2D(0, -45)}};
	const FVector Position(50.3, 5.4, 0.0);
	for (const FCoordinateReferenceFrame& Frame : {MakeFrame(ECoordinateLocalFrameType::Cartesian, 50.0, 5.0, 0.0), MakeFrame(ECoordinateLocalFrameType::UTM, 50.0, 5.0, 0.0)})
	{
		for (const auto& [System, Vector, Expected] : Cases)
		{
			ExpectPairNear(HeadingPitch(Frame, System, Vector), Expected, 1e-12);
		}
		FVector Unit;
		ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Geocentric, ECoordinateSystem::Geodetic, Frame, FVector2D(30, 20), Position, Unit));
		for (const double Scale : {1e-300, 1e300})
		{
			ExpectPairNear(HeadingPitch(Frame, ECoordinateSystem::Geocentric, Unit * Scale, ECoordinateSystem::Geodetic, Position), FVector2D(30, 20), 1e-9);
		}
	}
}

TEST(HeadingPitch, LineOfSightMatchesProjsTopocentricAzimuthAndElevation)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	std::mt19937_64 Random(36);
	std::uniform_real_distribution<double> Latitude(-80.0, 80.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	std::uniform_real_distribution<double> Offset(-0.5, 0.5);
	std::uniform_real_distribution<double> Height(0.0, 5000.0);
	for (int Sample = 0; Sample < 200; ++Sample)
	{
		const FVector Observer(Latitude(Random), Longitude(Random), Height(Random));
		const FVector Target(Observer.X + Offset(Random), Observer.Y + Offset(Random), Height(Random));
		char Definition[512];
		std::snprintf(Definition, sizeof(Definition),
			"+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 +step +proj=cart +ellps=WGS84 "
			"+step +proj=topocentric +ellps=WGS84 +lat_0=%.17g +lon_0=%.17g +h_0=%.17g",
			Observer.X, Observer.Y, Observer.Z);
		const FProjPipeline Topocentric(Definition);
		const FVector Enu = Topocentric.Forward(Target);
		const double Azimuth = std::atan2(Enu.X, Enu.Y) * 180.0 / M_PI;
		const double Elevation = std::atan2(Enu.Z, std::hypot(Enu.X, Enu.Y)) * 180.0 / M_PI;

		const FVector Sight = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Target)
			- FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Observer);
		const FVector2D Pair = HeadingPitch(Frame, ECoordinateSystem::Geocentric, Sight, ECoordinateSystem::Geodetic, Observer);
		ExpectPairNear(Pair, FVector2D(Azimuth, Elevation), 1e-9);

		// And back: the unit vector of the pair is the unit line of sight.
		FVector Direction;
		ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(ECoordinateSystem::Geocentric, ECoordinateSystem::Geodetic, Frame, Pair, Observer, Direction));
		ExpectVectorNear(Direction, Sight.GetSafeNormal(), 1e-12);
	}
}

TEST(HeadingPitch, PairsRoundTripInEverySystemAndFrame)
{
	const FCoordinateReferenceFrame Frames[] = {MakeFrame(ECoordinateLocalFrameType::Cartesian, 50.0, 5.0, 0.0), MakeFrame(ECoordinateLocalFrameType::UTM, 50.0, 5.0, 0.0)};
	std::mt19937_64 Random(37);
	std::uniform_real_distribution<double> Heading(-179.9, 179.9);
	std::uniform_real_distribution<double> Pitch(-89.0, 89.0);
	for (const FCoordinateReferenceFrame& Frame : Frames)
	{
		for (const ECoordinateSystem System : {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric})
		{
			for (int Sample = 0; Sample < 100; ++Sample)
			{
				const FVector2D Pair(Heading(Random), Pitch(Random));
				FVector V;
				ASSERT_TRUE(DuRizerudore::DispatchVectorFromHeadingPitch(System, ECoordinateSystem::Geodetic, Frame, Pair, FVector(50.3, 5.4, 0.0), V));
				EXPECT_NEAR(V.Size(), 1.0, 1e-14);
				ExpectPairNear(HeadingPitch(Frame, System, V * 3.0, ECoordinateSystem::Geodetic, FVector(50.3, 5.4, 0.0)), Pair, 1e-9);
			}
		}
	}
	// In the UTM frame, true north at a point east of the central meridian has a small negative grid bearing.
	const FCoordinateReferenceFrame& Utm = Frames[1];
	const FVector Point(50.3, 5.4, 0.0);
	const FVector TrueNorth = DuRizerudore::BuildEnuToGeocentricRotation(Point.X, Point.Y).RotateVector(FVector(0, 1, 0));
	EXPECT_NEAR(HeadingPitch(Utm, ECoordinateSystem::Geocentric, TrueNorth, ECoordinateSystem::Geodetic, Point).X, -Utm.GetGridConvergenceDegAtGeodetic(Point), 1e-9);
	EXPECT_LT(HeadingPitch(Utm, ECoordinateSystem::Geocentric, TrueNorth, ECoordinateSystem::Geodetic, Point).X, 0.0);
}
