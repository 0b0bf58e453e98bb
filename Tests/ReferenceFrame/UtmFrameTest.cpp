#include "DuRizerudoreConversionInternal.h"
#include "ReferenceFrameTestSupport.h"

#include "Logging/HostLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace DuRizerudoreTest;
using FFrameAccess = FCoordinateReferenceFrameKernelAccess;

namespace
{
	/** PROJ's own UTM or UPS grid for the zone and hemisphere the frame chose. */
	std::string ProjGridDefinition(const FCoordinateReferenceFrame& Frame)
	{
		const int32 Zone = FFrameAccess::GetUtmZone(Frame);
		const bool bNorth = FFrameAccess::IsUtmNorthernHemisphere(Frame);
		char Definition[256];
		if (Zone == 0)
		{
			std::snprintf(Definition, sizeof(Definition), "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 +step +proj=ups %s +ellps=WGS84", bNorth ? "" : "+south");
		}
		else
		{
			std::snprintf(Definition, sizeof(Definition), "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 +step +proj=utm +zone=%d %s +ellps=WGS84", Zone, bNorth ? "" : "+south");
		}
		return Definition;
	}

	struct FUtmOrigin
	{
		const char* Name;
		double LatitudeDeg;
		double LongitudeDeg;
		int ExpectedZone;
		bool bExpectedNorth;
	};

	constexpr FUtmOrigin UtmOrigins[] = {
		{"Seattle", 47.6062, -122.3321, 10, true},
		{"Bergen (Norway's zone exception)", 60.39, 5.32, 32, true},
		{"Buenos Aires", -34.6037, -58.3816, 21, false},
		{"Nairobi", -1.2921, 36.8219, 37, false},
		{"Quito", -0.1807, -78.4678, 17, false},
		{"Singapore", 1.3521, 103.8198, 48, true},
		{"Svalbard, UPS north", 85.0, 20.0, 0, true},
		{"Antarctica, UPS south", -85.5, 140.0, 0, false},
	};
}

TEST(UtmFrame, AgreesWithProjInTheOriginsZone)
{
	std::mt19937_64 Random(32632);
	std::uniform_real_distribution<double> Offset(-0.6, 0.6);
	std::uniform_real_distribution<double> Height(-100.0, 4000.0);
	for (const FUtmOrigin& Origin : UtmOrigins)
	{
		SCOPED_TRACE(Origin.Name);
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, Origin.LatitudeDeg, Origin.LongitudeDeg, 120.0);
		ASSERT_TRUE(Frame.HasLocalFrame());
		EXPECT_TRUE(Frame.UsesPositionDependentLocalFrame());
		EXPECT_EQ(FFrameAccess::GetUtmZone(Frame), Origin.ExpectedZone);
		EXPECT_EQ(FFrameAccess::IsUtmNorthernHemisphere(Frame), Origin.bExpectedNorth);
		const FProjPipeline Grid(ProjGridDefinition(Frame));
		ASSERT_TRUE(Grid.IsValid()) << ProjGridDefinition(Frame);

		const FVector OriginGrid = Grid.Forward(FVector(Origin.LatitudeDeg, Origin.LongitudeDeg, 0.0));
		EXPECT_NEAR(FFrameAccess::GetUtmOriginEasting(Frame), OriginGrid.X, 1e-6);
		EXPECT_NEAR(FFrameAccess::GetUtmOriginNorthing(Frame), OriginGrid.Y, 1e-6);
		if (!Origin.bExpectedNorth && Origin.ExpectedZone != 0)
		{
			EXPECT_GT(FFrameAccess::GetUtmOriginNorthing(Frame), 5000000.0);
		}
		// The origin maps to zero exactly.
		EXPECT_EQ(Frame.GeodeticPositionToLocalEnu(FVector(Origin.LatitudeDeg, Origin.LongitudeDeg, 120.0)), FVector(0.0, 0.0, 0.0));

		for (int Sample = 0; Sample < 200; ++Sample)
		{
			// PROJ's grid of the origin's hemisphere runs on across the equator, as the frame's does.
			const double Lat = std::clamp(Origin.LatitudeDeg + Offset(Random), -89.9, 89.9);
			const FVector Geodetic(Lat, Origin.LongitudeDeg + Offset(Random), Height(Random));
			const FVector Projected = Grid.Forward(FVector(Geodetic.X, Geodetic.Y, 0.0));
			const FVector Expected(Projected.X - OriginGrid.X, Projected.Y - OriginGrid.Y, Geodetic.Z - 120.0);
			FVector Enu;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Geodetic, Enu));
			ExpectVectorNear(Enu, Expected, 1e-6);

			FVector Back;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Enu, Back));
			EXPECT_NEAR(Back.X, Geodetic.X, 1e-9);
			EXPECT_NEAR(std::remainder(Back.Y - Geodetic.Y, 360.0), 0.0, 1e-9);
			EXPECT_NEAR(Back.Z, Geodetic.Z, 1e-9);
		}
	}
}

TEST(UtmFrame, OneContinuousGridAcrossTheEquatorInBothDirections)
{
	// Origins either side of the equator in zones 31 to 37; points up to 500 km across it, both ways.
	std::mt19937_64 Random(3137);
	std::uniform_real_distribution<double> North(-500000.0, 500000.0);
	std::uniform_real_distribution<double> East(-150000.0, 150000.0);
	std::uniform_real_distribution<double> Latitude(-4.5, 4.5);
	for (int Zone = 31; Zone <= 37; ++Zone)
	{
		const double CentralMeridianDeg = 6.0 * Zone - 183.0;
		for (const double OriginLatitudeDeg : {1.0, -1.95, 0.0})
		{
			SCOPED_TRACE(testing::Message() << "zone " << Zone << ", origin latitude " << OriginLatitudeDeg);
			const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, OriginLatitudeDeg, CentralMeridianDeg + 1.0, 0.0);
			ASSERT_EQ(FFrameAccess::GetUtmZone(Frame), Zone);
			const FProjPipeline Grid(ProjGridDefinition(Frame));
			const FVector OriginGrid = Grid.Forward(FVector(OriginLatitudeDeg, CentralMeridianDeg + 1.0, 0.0));
			for (int Sample = 0; Sample < 60; ++Sample)
			{
				// Local to geodetic and back, against PROJ's grid of the origin's hemisphere.
				const FVector Enu(East(Random), North(Random), 10.0);
				FVector Geodetic;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Enu, Geodetic)) << Enu.Y;
				const FVector Projected = Grid.Forward(FVector(Geodetic.X, Geodetic.Y, 0.0));
				ExpectVectorNear(FVector(Projected.X - OriginGrid.X, Projected.Y - OriginGrid.Y, 10.0), Enu, 1e-6);
				FVector Back;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Geodetic, Back));
				ExpectVectorNear(Back, Enu, 1e-6);

				// Geodetic to local and back, compared where they are on the Earth.
				const FVector Point(Latitude(Random), CentralMeridianDeg + East(Random) / 111000.0, 25.0);
				FVector Local;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Point, Local));
				FVector PointBack;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Local, PointBack));
				const FCoordinateConversionInstance& Instance = *Frame.GetConversion();
				EXPECT_LT((FCoordinateConversionKernelAccess::GeodeticToWorldPosition(Instance, PointBack)
							  - FCoordinateConversionKernelAccess::GeodeticToWorldPosition(Instance, Point))
							  .Size(),
					1e-6);
			}
			// The grid reaches as far as UTM does on the far side: 80 degrees south and 84 north, from either hemisphere.
			for (const double FarLatitudeDeg : {-80.0, 84.0})
			{
				const FVector Far(FarLatitudeDeg, CentralMeridianDeg + 1.0, 0.0);
				FVector Local;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Far, Local));
				EXPECT_EQ(Local.Y > 0.0, FarLatitudeDeg > 0.0);
				FVector Back;
				ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Local, Back));
				EXPECT_NEAR(Back.X, Far.X, 1e-9);
				EXPECT_NEAR(Back.Y, Far.Y, 1e-9);
			}
		}
	}

	// A point 166 km south of an origin at 1 degree north is 166 km south in the grid, not 9,834 km north.
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, 1.0, 3.0, 0.0);
	const FVector South = Frame.GeodeticPositionToLocalEnu(FVector(-0.5, 3.0, 0.0));
	EXPECT_NEAR(South.Y, -55265.037 - 110530.159, 1e-3);
	EXPECT_NEAR(South.X, 0.0, 1e-6);
}

TEST(UtmFrame, UpsFrameRefusesTheOtherPolarHemisphere)
{
	for (const double OriginLatitudeDeg : {85.0, -85.0})
	{
		SCOPED_TRACE(OriginLatitudeDeg);
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, OriginLatitudeDeg, 20.0, 0.0);
		ASSERT_EQ(FFrameAccess::GetUtmZone(Frame), 0);
		const FVector Untouched(1.0, 2.0, 3.0);
		FVector Out = Untouched;
		// The mirrored point, and one on the far side of the equator, have no place in this polar grid.
		for (const FVector Geodetic : {FVector(-OriginLatitudeDeg, 20.0, 0.0), FVector(-OriginLatitudeDeg, 200.0, 0.0)})
		{
			EXPECT_FALSE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Geodetic, Out));
			EXPECT_EQ(Out, Untouched);
			EXPECT_TRUE(std::isnan(Frame.GetGridConvergenceDegAtGeodetic(Geodetic)));
		}
		// Points of its own pole still go there and back.
		const FVector Near(std::copysign(88.0, OriginLatitudeDeg), -60.0, 5.0);
		FVector Local;
		ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Near, Local));
		FVector Back;
		ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Local, Back));
		EXPECT_NEAR(Back.X, Near.X, 1e-9);
		EXPECT_NEAR(Back.Y, Near.Y, 1e-9);
	}
}

TEST(UtmFrame, ConvergenceAgreesWithProjInValueAndSign)
{
	std::mt19937_64 Random(7);
	std::uniform_real_distribution<double> Offset(-2.5, 2.5);
	for (const FUtmOrigin& Origin : UtmOrigins)
	{
		SCOPED_TRACE(Origin.Name);
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, Origin.LatitudeDeg, Origin.LongitudeDeg, 0.0);
		const FProjPipeline Grid(ProjGridDefinition(Frame));
		// proj_factors wants the bare projection, with geodetic input in radians.
		const std::string Definition = ProjGridDefinition(Frame);
		const std::string Bare = Definition.substr(Definition.rfind("+proj="));
		PJ_CONTEXT* Context = proj_context_create();
		PJ* Projection = proj_create(Context, Bare.c_str());
		ASSERT_NE(Projection, nullptr) << Bare;
		for (int Sample = 0; Sample < 100; ++Sample)
		{
			const double Lat = std::clamp(Origin.LatitudeDeg + Offset(Random) / 3.0, -89.5, 89.5);
			// Near the equator a UTM zone reaches little more than 4 degrees either side of its central meridian.
			const double CentralMeridianDeg = 6.0 * Origin.ExpectedZone - 183.0;
			const double Lon = Origin.ExpectedZone == 0 ? Origin.LongitudeDeg + Offset(Random)
														: std::clamp(Origin.LongitudeDeg + Offset(Random), CentralMeridianDeg - 3.5, CentralMeridianDeg + 3.5);
			const FVector Geodetic(Lat, Lon, 0.0);
			const PJ_FACTORS Factors = proj_factors(Projection, proj_coord(Geodetic.Y * M_PI / 180.0, Geodetic.X * M_PI / 180.0, 0, 0));
			EXPECT_NEAR(Frame.GetGridConvergenceDegAtGeodetic(Geodetic), Factors.meridian_convergence * 180.0 / M_PI, 1e-9);
		}
		proj_destroy(Projection);
		proj_context_destroy(Context);
	}

	// Independent of PROJ's sign convention: zero on the central meridian, positive east of it in the north.
	const FCoordinateReferenceFrame Seattle = MakeFrame(ECoordinateLocalFrameType::UTM, 47.6, -122.3, 0.0);
	EXPECT_NEAR(Seattle.GetGridConvergenceDegAtGeodetic(FVector(47.0, -123.0, 0.0)), 0.0, 1e-12);
	EXPECT_GT(Seattle.GetGridConvergenceDegAtGeodetic(FVector(47.0, -121.0, 0.0)), 0.0);
	EXPECT_LT(Seattle.GetGridConvergenceDegAtGeodetic(FVector(47.0, -125.0, 0.0)), 0.0);
	// East of the central meridian, the frame's grid north points east of true north.
	const FVector GridNorth = Seattle.LocalEnuToPointEnuAtGeodetic(FVector(0.0, 1.0, 0.0), FVector(47.0, -121.0, 0.0));
	EXPECT_GT(GridNorth.X, 0.0);
	EXPECT_TRUE(Seattle.BuildLocalEnuToPointEnuRotationAtGeodetic(FVector(30.0, -123.0, 0.0)).Equals(FQuat::Identity, 1e-15));
}

TEST(UtmFrame, RotationsAgreeWithTheConvergence)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, -34.6, -58.4, 25.0);
	std::mt19937_64 Random(11);
	std::uniform_real_distribution<double> Offset(-2.0, 2.0);
	std::uniform_real_distribution<double> Component(-10.0, 10.0);
	for (int Sample = 0; Sample < 200; ++Sample)
	{
		const FVector Geodetic(-34.6 + Offset(Random), -58.4 + Offset(Random), 0.0);
		const double Gamma = Frame.GetGridConvergenceDegAtGeodetic(Geodetic) * M_PI / 180.0;
		const FQuat Rotation = Frame.BuildLocalEnuToPointEnuRotationAtGeodetic(Geodetic);
		EXPECT_NEAR(Rotation.X, 0.0, 1e-15);
		EXPECT_NEAR(Rotation.Y, 0.0, 1e-15);
		EXPECT_NEAR(Rotation.Z, -std::sin(Gamma / 2.0), 1e-15);
		EXPECT_NEAR(Rotation.W, std::cos(Gamma / 2.0), 1e-15);

		const FVector Vector(Component(Random), Component(Random), Component(Random));
		const FVector PointEnu = Frame.LocalEnuToPointEnuAtGeodetic(Vector, Geodetic);
		ExpectVectorNear(PointEnu, Rotation.RotateVector(Vector), 1e-12);
		EXPECT_EQ(PointEnu.Z, Vector.Z);
		ExpectVectorNear(Frame.PointEnuToLocalEnuAtGeodetic(PointEnu, Geodetic), Vector, 1e-12);

		// Grid axes to geocentric: grid to point ENU first, then point ENU to geocentric.
		const FQuat ToGeocentric = Frame.BuildLocalEnuToGeocentricRotationAtGeodetic(Geodetic);
		ExpectVectorNear(ToGeocentric.RotateVector(Vector), DuRizerudore::BuildEnuToGeocentricRotation(Geodetic.X, Geodetic.Y).RotateVector(PointEnu), 1e-12);
	}
	// A tangent-plane frame has no convergence to turn by.
	const FCoordinateReferenceFrame Tangent = MakeFrame(ECoordinateLocalFrameType::Cartesian, -34.6, -58.4, 25.0);
	EXPECT_EQ(Tangent.GetGridConvergenceDegAtGeodetic(FVector(-30.0, -50.0, 0.0)), 0.0);
	EXPECT_EQ(Tangent.LocalEnuToPointEnuAtGeodetic(FVector(1.0, 2.0, 3.0), FVector(-30.0, -50.0, 0.0)), FVector(1.0, 2.0, 3.0));
	// The stored origin rotation includes the convergence at the origin.
	const FVector Origin = Frame.GetLocalFrameOrigin().ToVector();
	const FQuat& Stored = FFrameAccess::GetLocalEnuToGeocentricRotation(Frame);
	EXPECT_TRUE(Stored.Equals(Frame.BuildLocalEnuToGeocentricRotationAtGeodetic(Origin), 1e-15));
	const double Gamma = Frame.GetGridConvergenceDegAtGeodetic(Origin);
	EXPECT_GT(std::abs(Gamma), 0.1);
	const FQuat Difference = DuRizerudore::BuildEnuToGeocentricRotation(Origin.X, Origin.Y).Inverse() * Stored;
	EXPECT_NEAR(2.0 * std::atan2(-Difference.Z, Difference.W) * 180.0 / M_PI, Gamma, 1e-12);
}

TEST(UtmFrame, OutOfRangeInputIsRefusedWithoutTouchingTheOutput)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::UTM, 47.6, -122.3, 0.0);
	const FVector Untouched(1.0, 2.0, 3.0);
	const FVector BadGeodetic[] = {FVector(91.0, -122.0, 0.0), FVector(NAN, -122.0, 0.0), FVector(47.0, -60.0, 0.0), FVector(-INFINITY, 0.0, 0.0)};
	for (const FVector& Geodetic : BadGeodetic)
	{
		SCOPED_TRACE(testing::Message() << Geodetic.X << ", " << Geodetic.Y);
		for (const ECoordinateSystem Target : {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE})
		{
			FVector Out = Untouched;
			EXPECT_FALSE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, Target, Frame, Geodetic, Out));
			EXPECT_EQ(Out, Untouched);
		}
		EXPECT_TRUE(Frame.GeodeticPositionToLocalEnu(Geodetic).ContainsNaN());
		EXPECT_TRUE(std::isnan(Frame.GetGridConvergenceDegAtGeodetic(Geodetic)));
	}
	// In reverse, an easting far outside the zone.
	for (const ECoordinateSystem Target : {ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric})
	{
		FVector Out = Untouched;
		EXPECT_FALSE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, Target, Frame, FVector(5.0e7, 0.0, 0.0), Out));
		EXPECT_EQ(Out, Untouched);
		EXPECT_FALSE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_UE, Target, Frame, FVector(0.0, NAN, 0.0), Out));
		EXPECT_EQ(Out, Untouched);
	}
	EXPECT_TRUE(Frame.LocalEnuPositionToGeodetic(FVector(5.0e7, 0.0, 0.0)).ContainsNaN());
	// A geocentric position whose geodetic latitude is fine but far outside the zone.
	FVector Out = Untouched;
	EXPECT_FALSE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, Frame, FVector(6378137.0, 0.0, 0.0), Out));
	EXPECT_EQ(Out, Untouched);
}

TEST(UtmFrame, AnOriginThatCannotBeProjectedLeavesNoLocalFrame)
{
	FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 10.0, 20.0, 0.0);
	ASSERT_TRUE(Frame.HasLocalFrame());
	FHostLogCapture Capture;
	Frame.SetLocalFrameOrigin(FGeodeticCoordinate(95.0, 20.0, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM);
	EXPECT_FALSE(Frame.HasLocalFrame());
	EXPECT_EQ(Frame.GetLocalFrameType(), ECoordinateLocalFrameType::UTM);
	EXPECT_EQ(Frame.GetLocalFrameOrigin().LatitudeDeg, 95.0);
	EXPECT_FALSE(FFrameAccess::GetProjector(Frame).IsValid());
	const std::vector<std::wstring> Messages = Capture.GetMessages(TEXT("LogDuRizerudoreConversion"));
	ASSERT_EQ(Messages.size(), 1u);
	EXPECT_NE(Messages[0].find(L"(95, 20, 0)"), std::wstring::npos);
	EXPECT_EQ(Capture.GetLines()[0].Verbosity, ELogVerbosity::Error);

	// Direct calls never crash; they show the misuse as NaN. The frame still converts like a frame without a local frame.
	EXPECT_TRUE(Frame.GeodeticPositionToLocalEnu(FVector(10.0, 20.0, 0.0)).ContainsNaN());
	EXPECT_TRUE(Frame.LocalEnuPositionToGeodetic(FVector(0.0, 0.0, 0.0)).ContainsNaN());
	FVector Enu;
	EXPECT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, FVector(0.0, 0.0, 0.0), Enu));
	ExpectVectorNear(Enu, FVector(6378137.0, 0.0, 0.0), 1e-6);

	// A NaN origin is refused the same way.
	Frame.SetLocalFrameOrigin(FGeodeticCoordinate(NAN, 0.0, 0.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM);
	EXPECT_FALSE(Frame.HasLocalFrame());
}
