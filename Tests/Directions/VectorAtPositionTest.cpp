#include "ClosedForms.h"
#include "DuRizerudoreVectorConversion.h"
#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace DuRizerudoreTest;

namespace
{
	constexpr ECoordinateSystem Systems[] = {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric,
		ECoordinateSystem::Geodetic};

	FVector ConvertAt(const FCoordinateReferenceFrame& Frame, ECoordinateSystem PositionSystem, const FVector& Position, ECoordinateSystem From, ECoordinateSystem To,
		const FVector& V)
	{
		FVector Out(NAN, NAN, NAN);
		EXPECT_TRUE(DuRizerudore::DispatchVectorAtPositionConversion(PositionSystem, From, To, Frame, Position, V, Out));
		return Out;
	}

	FVector PositionIn(const FCoordinateReferenceFrame& Frame, ECoordinateSystem System, const FVector& Geodetic)
	{
		FVector Out;
		EXPECT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, System, Frame, Geodetic, Out));
		return Out;
	}
}

TEST(VectorAtPosition, LocalAxesAreThoseOfThePoint)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	std::mt19937_64 Random(33);
	std::uniform_real_distribution<double> Latitude(-80.0, 80.0);
	std::uniform_real_distribution<double> Longitude(-60.0, 60.0);
	for (int Sample = 0; Sample < 200; ++Sample)
	{
		const FVector Geodetic(Latitude(Random), Longitude(Random), 100.0);
		const FVector Up = DuRizerudoreTest::ClosedFormUp(Geodetic.X, Geodetic.Y);
		const FVector East = DuRizerudoreTest::ClosedFormEast(Geodetic.Y);
		// Whichever system names the point, the local up there is the ellipsoid normal there.
		for (const ECoordinateSystem PositionSystem : Systems)
		{
			const FVector Position = PositionIn(Frame, PositionSystem, Geodetic);
			ExpectVectorNear(ConvertAt(Frame, PositionSystem, Position, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FVector(0, 0, 1)), Up, 1e-9);
			ExpectVectorNear(ConvertAt(Frame, PositionSystem, Position, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric, FVector(0, 1, 0)), East, 1e-9);
		}
		// Moving along the normal changes only the height.
		ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, Geodetic, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, FVector(0, 0, 1)), FVector(0, 0, 1), 1e-8);
	}
	const FVector AtOrigin(0, 0, 0);
	ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, AtOrigin, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15);
	ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, AtOrigin, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_NED, FVector(1, 0, 0)), FVector(0, 0, -1), 1e-15);
}

TEST(VectorAtPosition, GeodeticIncrementsAreFiniteDifferences)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 45.0, 0.0, 0.0);
	const double A = 6378137.0;
	const double E2 = (1.0 / 298.257223563) * (2.0 - 1.0 / 298.257223563);
	const auto LongitudeStepOfOneMetreEast = [&](double LatDeg) {
		const double Phi = LatDeg * M_PI / 180.0;
		const double N = A / std::sqrt(1.0 - E2 * std::sin(Phi) * std::sin(Phi));
		return 180.0 / M_PI / (N * std::cos(Phi));
	};
	const FVector AtSixty = ConvertAt(Frame, ECoordinateSystem::Geodetic, FVector(60.0, 10.0, 0.0), ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, FVector(1, 0, 0));
	const FVector AtEquator = ConvertAt(Frame, ECoordinateSystem::Geodetic, FVector(0.0, 10.0, 0.0), ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, FVector(1, 0, 0));
	EXPECT_NEAR(AtSixty.Y, LongitudeStepOfOneMetreEast(60.0), 1e-12);
	EXPECT_NEAR(AtSixty.Y / AtEquator.Y, 2.0, 0.01);
	EXPECT_NEAR(AtSixty.X, 0.0, 1e-11);

	// Against PROJ: a geodetic increment to geocentric is the difference of PROJ's two geocentric positions.
	const FProjPipeline Cart("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 +step +proj=cart +ellps=WGS84");
	std::mt19937_64 Random(34);
	std::uniform_real_distribution<double> Latitude(-85.0, 85.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	std::uniform_real_distribution<double> Step(-0.01, 0.01);
	for (int Sample = 0; Sample < 200; ++Sample)
	{
		const FVector G(Latitude(Random), Longitude(Random), 50.0);
		const FVector Increment(Step(Random), Step(Random), 100.0 * Step(Random));
		const FVector Expected = Cart.Forward(G + Increment) - Cart.Forward(G);
		ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, G, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Increment), Expected, 1e-6);
	}
	// Across the antimeridian the longitude increment is not wrapped.
	const FVector Across = ConvertAt(Frame, ECoordinateSystem::Geodetic, FVector(0.0, 179.99999, 0.0), ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, FVector(10, 0, 0));
	EXPECT_LT(Across.Y, -359.0);
}

TEST(VectorAtPosition, EveryTripleRoundTripsAndEqualSystemsCopy)
{
	const TSharedPtr<FCoordinateConversionInstance> Instance = MakeModelFreeInstance();
	const FCoordinateReferenceFrame Frames[] = {
		FCoordinateReferenceFrame(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(40.0, -3.7, 600.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian)),
		FCoordinateReferenceFrame(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(40.0, -3.7, 600.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM)),
		FCoordinateReferenceFrame(Instance)};
	const FVector Geodetic(40.3, -3.2, 700.0);
	const FVector Vector(0.3, -0.2, 0.1);
	for (const FCoordinateReferenceFrame& Frame : Frames)
	{
		for (const ECoordinateSystem PositionSystem : Systems)
		{
			const FVector Position = PositionIn(Frame, PositionSystem, Geodetic);
			for (const ECoordinateSystem From : Systems)
			{
				for (const ECoordinateSystem To : Systems)
				{
					SCOPED_TRACE(testing::Message() << int(PositionSystem) << " " << int(From) << " " << int(To) << (Frame.HasLocalFrame() ? "" : " no local frame"));
					const FVector Input = From == ECoordinateSystem::Geodetic ? Vector * 1e-5 : Vector;
					const FVector There = ConvertAt(Frame, PositionSystem, Position, From, To, Input);
					if (From == To)
					{
						EXPECT_EQ(There, Input);
					}
					ExpectVectorNear(ConvertAt(Frame, PositionSystem, Position, To, From, There), Input, 1e-8);
					// Between local systems only the axes are reordered, as for free vectors.
					if (From == ECoordinateSystem::Local_ENU && To == ECoordinateSystem::Local_NED)
					{
						ExpectVectorNear(There, FVector(Input.Y, Input.X, -Input.Z), 1e-14);
					}
				}
			}
		}
	}
	// Unknown systems fail; equal systems copy even where the position cannot be resolved.
	const FVector Untouched(1, 2, 3);
	FVector Out = Untouched;
	EXPECT_FALSE(DuRizerudore::DispatchVectorAtPositionConversion(static_cast<ECoordinateSystem>(5), ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frames[0], FVector(0, 0, 0), Vector, Out));
	EXPECT_FALSE(DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, static_cast<ECoordinateSystem>(9), Frames[0], FVector(0, 0, 0), Vector, Out));
	EXPECT_EQ(Out, Untouched);
	EXPECT_TRUE(DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_ENU, Frames[1], FVector(95, 0, 0), Vector, Out));
	EXPECT_EQ(Out, Vector);
	// A UTM frame cannot take a latitude of 95: false, output untouched.
	Out = Untouched;
	EXPECT_FALSE(DuRizerudore::DispatchVectorAtPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frames[1], FVector(95, 0, 0), Vector, Out));
	EXPECT_EQ(Out, Untouched);
}

TEST(VectorAtPosition, GridNorthTurnsByTheConvergence)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, 47.6, -122.3, 0.0);
	const FVector Point(47.0, -121.0, 0.0);
	const double Gamma = Frame.GetGridConvergenceDegAtGeodetic(Point) * M_PI / 180.0;
	ASSERT_GT(Gamma, 0.0);
	const FVector Geocentric = ConvertAt(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FVector(0, 1, 0));
	const FVector TrueEnu = DuRizerudore::BuildEnuToGeocentricRotation(Point.X, Point.Y).UnrotateVector(Geocentric);
	ExpectVectorNear(TrueEnu, FVector(std::sin(Gamma), std::cos(Gamma), 0.0), 1e-12);
	ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, FVector(1, 2, 3)), FVector(2, 1, -3), 1e-14);
}

TEST(VectorAtPosition, LocalUePositionsAreResolvedWithTheLiteralHundredth)
{
	// A geodetic increment is a finite difference at the resolved point, so a last-bit change of the point
	// shows in the result: centimetres times 0.01 and divided by 100 differ in the last bit for most inputs.
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, 48.85, 2.29, 35.0);
	std::mt19937_64 Random(100);
	std::uniform_real_distribution<double> Centimetres(-4.0e6, 4.0e6);
	for (int Sample = 0; Sample < 200; ++Sample)
	{
		const FVector Ue(Centimetres(Random), Centimetres(Random), Centimetres(Random) / 10.0);
		const FVector Enu(Ue.Y * 0.01, Ue.X * 0.01, Ue.Z * 0.01);
		const FVector Vector(3.0, -4.0, 5.0);
		EXPECT_EQ(ConvertAt(Frame, ECoordinateSystem::Local_UE, Ue, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Vector),
			ConvertAt(Frame, ECoordinateSystem::Local_ENU, Enu, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Vector));
	}
}

TEST(VectorAtPosition, WithoutALocalFrameLocalAxesAreTheTrueOnesWhateverKindTheSetupAsked)
{
	// A refused origin leaves no local frame, so a UTM setup has no zone for a grid turn either.
	const FCoordinateReferenceFrame Frame(MakeFrame(ECoordinateLocalFrameType::UTM, 45.0, 10.0, 0.0).GetConversionPtr(),
		FCoordinateReferenceSetup(FGeodeticCoordinate(91.0, 0.0, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM));
	ASSERT_FALSE(Frame.HasLocalFrame());
	for (const FVector& Point : {FVector(47.0, 10.0, 0.0), FVector(-60.0, -100.0, 0.0)})
	{
		ExpectVectorNear(ConvertAt(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric, FVector(0, 1, 0)),
			DuRizerudoreTest::ClosedFormEast(Point.Y), 1e-12);
	}
}
