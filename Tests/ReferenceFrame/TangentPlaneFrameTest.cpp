#include "ReferenceFrameTestSupport.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

using namespace DuRizerudoreTest;

namespace
{
	struct FOrigin
	{
		const char* Name;
		double LatitudeDeg;
		double LongitudeDeg;
		double HeightM;
	};

	constexpr FOrigin Origins[] = {
		{"Zurich", 47.3769, 8.5417, 408.0},
		{"Denver", 39.7392, -104.9903, 1609.0},
		{"Cape Town", -33.9249, 18.4241, 10.0},
		{"Sydney", -33.8688, 151.2093, 58.0},
		{"Tokyo", 35.6762, 139.6503, 40.0},
		{"Quito", -0.1807, -78.4678, 2850.0},
		{"Near the north pole", 89.95, 45.0, 0.0},
		{"Near the south pole", -89.9, -120.0, 2800.0},
		{"Fiji, by the antimeridian", -17.7134, 179.95, 0.0},
		{"Chukotka, across the antimeridian", 65.0, -179.99, 100.0},
		{"North pole", 90.0, 0.0, 0.0},
		{"South pole, on the antimeridian", -90.0, 180.0, 2800.0},
	};

	/** PROJ's string for the origin needs all its digits. */
	std::string OriginParameters(const FOrigin& Origin)
	{
		char Text[256];
		std::snprintf(Text, sizeof(Text), "+lat_0=%.17g +lon_0=%.17g +h_0=%.17g", Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
		return Text;
	}

	/** A point within about 100 km of the origin. */
	FVector NearbyPoint(const FOrigin& Origin, std::mt19937_64& Random)
	{
		std::uniform_real_distribution<double> Offset(-0.9, 0.9);
		std::uniform_real_distribution<double> Height(-400.0, 9000.0);
		double Lat = Origin.LatitudeDeg + Offset(Random);
		double Lon = Origin.LongitudeDeg + Offset(Random) / std::max(0.01, std::cos(Lat * M_PI / 180.0));
		// Past a pole, the point lies on the opposite meridian.
		if (std::abs(Lat) > 90.0)
		{
			Lat = std::copysign(180.0, Lat) - Lat;
			Lon += 180.0;
		}
		Lon = std::remainder(Lon, 360.0);
		return FVector(Lat, Lon, Height(Random));
	}
}

TEST(TangentPlaneFrame, AgreesWithProjTopocentricOnSeveralContinents)
{
	std::mt19937_64 Random(2024);
	for (const FOrigin& Origin : Origins)
	{
		SCOPED_TRACE(Origin.Name);
		const std::string Definition = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 "
									   "+step +proj=cart +ellps=WGS84 +step +proj=topocentric +ellps=WGS84 "
			+ OriginParameters(Origin);
		const FProjPipeline Topocentric(Definition);
		ASSERT_TRUE(Topocentric.IsValid()) << Definition;
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
		ASSERT_TRUE(Frame.HasLocalFrame());

		for (int Sample = 0; Sample < 200; ++Sample)
		{
			const FVector Geodetic = NearbyPoint(Origin, Random);
			const FVector Expected = Topocentric.Forward(Geodetic);
			FVector Enu;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU, Frame, Geodetic, Enu));
			ExpectVectorNear(Enu, Expected, 1e-6);

			FVector Back;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geodetic, Frame, Enu, Back));
			EXPECT_NEAR(Back.X, Geodetic.X, 1e-10);
			// A longitude error matters only as much as the parallel is long.
			EXPECT_NEAR(std::remainder(Back.Y - Geodetic.Y, 360.0) * std::cos(Geodetic.X * M_PI / 180.0), 0.0, 1e-10);
			EXPECT_NEAR(Back.Z, Geodetic.Z, 1e-6);
		}
	}
}

TEST(TangentPlaneFrame, GeocentricPathsAgreeWithTheGeodeticDetourAndProj)
{
	const GeographicLib::Geodesic& Geodesic = GeographicLib::Geodesic::WGS84();
	const GeographicLib::Geocentric& Earth = GeographicLib::Geocentric::WGS84();
	std::mt19937_64 Random(17);
	std::uniform_real_distribution<double> Distance(0.0, 1.0e6);
	std::uniform_real_distribution<double> Azimuth(-180.0, 180.0);
	std::uniform_real_distribution<double> Height(-1.0e5, 1.0e5);
	for (const FOrigin& Origin : Origins)
	{
		SCOPED_TRACE(Origin.Name);
		const FProjPipeline Topocentric("+proj=topocentric +ellps=WGS84 " + OriginParameters(Origin));
		ASSERT_TRUE(Topocentric.IsValid());
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
		const FCoordinateConversionInstance& Instance = *Frame.GetConversion();

		for (int Sample = 0; Sample < 200; ++Sample)
		{
			// Up to 1000 km away along the ellipsoid and 100 km above or below it.
			FVector Geodetic;
			Geodesic.Direct(Origin.LatitudeDeg, Origin.LongitudeDeg, Azimuth(Random), Distance(Random), Geodetic.X, Geodetic.Y);
			Geodetic.Z = Height(Random);
			FVector World;
			Earth.Forward(Geodetic.X, Geodetic.Y, Geodetic.Z, World.X, World.Y, World.Z);

			FVector Enu;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, Frame, World, Enu));
			ExpectVectorNear(Enu, Frame.GeodeticPositionToLocalEnu(FCoordinateConversionKernelAccess::WorldPositionToGeodetic(Instance, World)), 1e-8);
			ExpectVectorNear(Enu, Topocentric.Forward(World), 1e-7);

			FVector Back;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frame, Enu, Back));
			ExpectVectorNear(Back, FCoordinateConversionKernelAccess::GeodeticToWorldPosition(Instance, Frame.LocalEnuPositionToGeodetic(Enu)), 1e-8);
			ExpectVectorNear(Back, Topocentric.Inverse(Enu), 1e-7);
		}
	}
}
