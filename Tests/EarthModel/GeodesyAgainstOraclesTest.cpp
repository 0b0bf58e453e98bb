#include "DuRizerudoreConversionInternal.h"

#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace
{
	using FAccess = FCoordinateConversionKernelAccess;

	FCoordinateConversionInstance MakeModelFreeInstance()
	{
		DuRizerudoreTest::UseNoPlugin();
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		return FCoordinateConversionInstance(Setup);
	}

	/** The installed EGM84 models, or a skip when the setup script has not run. */
	#define REQUIRE_INSTALLED_EGM84() \
		if (!DuRizerudoreTest::IsInstalledEgm84Available()) \
		{ \
			GTEST_SKIP() << "EGM84 is not installed below the plugin; run scripts/install-data"; \
		} \
		DuRizerudoreTest::UseRepositoryPlugin()

	/** Runs GeoidEval over the positions and returns its heights. */
	std::vector<double> RunGeoidEval(const std::vector<std::pair<double, double>>& Positions, const std::string& Directory, const bool bCubic)
	{
		char InputName[] = "/tmp/durizerudore-geoideval-XXXXXX";
		const int Descriptor = mkstemp(InputName);
		if (Descriptor < 0)
		{
			return {};
		}
		{
			FILE* Input = fdopen(Descriptor, "w");
			for (const auto& [Lat, Lon] : Positions)
			{
				std::fprintf(Input, "%.17g %.17g\n", Lat, Lon);
			}
			std::fclose(Input);
		}
		const std::string Command = std::string(DURIZERUDORE_GEOIDEVAL) + " -n egm84-30 -d '" + Directory + "'" + (bCubic ? "" : " -l") + " --input-file " + InputName;
		std::vector<double> Heights;
		if (FILE* Output = popen(Command.c_str(), "r"))
		{
			double Height = 0.0;
			while (std::fscanf(Output, "%lf", &Height) == 1)
			{
				Heights.push_back(Height);
			}
			pclose(Output);
		}
		std::remove(InputName);
		return Heights;
	}
}

TEST(GeodeticGeocentric, EquatorAndPole)
{
	const FCoordinateConversionInstance Instance = MakeModelFreeInstance();
	const FVector Equator = FAccess::GeodeticToWorldPosition(Instance, FVector(0.0, 0.0, 0.0));
	EXPECT_DOUBLE_EQ(Equator.X, 6378137.0);
	EXPECT_NEAR(Equator.Y, 0.0, 1e-9);
	EXPECT_NEAR(Equator.Z, 0.0, 1e-9);
	const FVector Pole = FAccess::GeodeticToWorldPosition(Instance, FVector(90.0, 0.0, 0.0));
	EXPECT_NEAR(Pole.X, 0.0, 1e-9);
	EXPECT_NEAR(Pole.Z, 6356752.314245, 1e-6);
	const FVector EquatorBack = FAccess::WorldPositionToGeodetic(Instance, Equator);
	EXPECT_NEAR(EquatorBack.X, 0.0, 1e-12);
	EXPECT_NEAR(EquatorBack.Y, 0.0, 1e-12);
	EXPECT_NEAR(EquatorBack.Z, 0.0, 1e-9);
	EXPECT_NEAR(FAccess::WorldPositionToGeodetic(Instance, Pole).X, 90.0, 1e-12);
}

TEST(NormalGravity, MatchesSomiglianaAndLiesInTheMeridianPlane)
{
	const FCoordinateConversionInstance Instance = MakeModelFreeInstance();
	// Somigliana's closed form for gravity on the WGS84 ellipsoid.
	const double EquatorialGravity = 9.7803253359;
	const double K = 0.00193185265241;
	const double E2 = 0.00669437999013;

	std::mt19937_64 Random(1980);
	std::uniform_real_distribution<double> Latitude(-90.0, 90.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const double Lat = Latitude(Random);
		const double Lon = Longitude(Random);
		const double SinPhi = std::sin(Lat * M_PI / 180.0);
		const double Somigliana = EquatorialGravity * (1 + K * SinPhi * SinPhi) / std::sqrt(1 - E2 * SinPhi * SinPhi);

		const FVector Geocentric = FAccess::GetGeocentricGravityAtGeodetic(Instance, FVector(Lat, Lon, 0.0));
		EXPECT_NEAR(Geocentric.Size(), Somigliana, 1e-9);
		// On the ellipsoid, normal gravity is along the downward normal.
		const FQuat EnuToGeocentric = DuRizerudore::BuildEnuToGeocentricRotation(Lat, Lon);
		const FVector Local = EnuToGeocentric.UnrotateVector(Geocentric);
		EXPECT_NEAR(Local.X, 0.0, 1e-12);
		EXPECT_NEAR(Local.Y, 0.0, 1e-9);
		EXPECT_NEAR(Local.Z, -Somigliana, 1e-9);

		// Above the ellipsoid it is still free of an east component, and it agrees with the geocentric query.
		const FVector Aloft(Lat, Lon, 8000.0);
		const FVector AtHeight = FAccess::GetGeocentricGravityAtGeodetic(Instance, Aloft);
		EXPECT_NEAR(EnuToGeocentric.UnrotateVector(AtHeight).X, 0.0, 1e-12);
		const FVector ViaGeocentric = FAccess::GetGeocentricGravityAtGeocentric(Instance, FAccess::GeodeticToWorldPosition(Instance, Aloft));
		EXPECT_NEAR((ViaGeocentric - AtHeight).Size(), 0.0, 1e-9);
	}

	// At the poles gravity is along the axis, pointing to the centre.
	EXPECT_LT(FAccess::GetGeocentricGravityAtGeodetic(Instance, FVector(90.0, 0.0, 0.0)).Z, -9.83);
	EXPECT_GT(FAccess::GetGeocentricGravityAtGeodetic(Instance, FVector(-90.0, 0.0, 0.0)).Z, 9.83);
}

TEST(InstalledEgm84, GeoidHeightsEqualGeoidEvalForBothInterpolations)
{
	REQUIRE_INSTALLED_EGM84();
	std::mt19937_64 Random(84);
	std::uniform_real_distribution<double> Latitude(-90.0, 90.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	std::vector<std::pair<double, double>> Positions = {{0.0, 0.0}, {90.0, 0.0}, {-90.0, 0.0}, {47.6, -122.3}, {-33.9, 151.2}, {27.98, 86.92}};
	for (int Sample = 0; Sample < 300; ++Sample)
	{
		Positions.emplace_back(Latitude(Random), Longitude(Random));
	}
	const std::string Directory = (DuRizerudoreTest::GetInstalledDataDirectory() / "geoids").string();

	// A value outside the enumeration interpolates bilinearly.
	for (const ECoordinateGeoidInterpolation Interpolation :
		{ECoordinateGeoidInterpolation::Bilinear, ECoordinateGeoidInterpolation::Cubic, static_cast<ECoordinateGeoidInterpolation>(7)})
	{
		FCoordinateConversionSetup Setup;
		Setup.GeoidInterpolation = Interpolation;
		const FCoordinateConversionInstance Instance(Setup);
		ASSERT_TRUE(Instance.IsInitialized());
		const std::vector<double> Expected = RunGeoidEval(Positions, Directory, Interpolation == ECoordinateGeoidInterpolation::Cubic);
		ASSERT_EQ(Expected.size(), Positions.size()) << "GeoidEval did not answer every position";
		for (std::size_t Index = 0; Index < Positions.size(); ++Index)
		{
			const auto [Lat, Lon] = Positions[Index];
			SCOPED_TRACE(testing::Message() << Lat << ", " << Lon);
			// GeoidEval prints four decimals.
			EXPECT_NEAR(Instance.GetGeoidHeight(FVector(Lat, Lon, 0.0)), Expected[Index], 0.5e-4 + 1e-9);
		}
	}
	// A famous value: the EGM84 geoid is about 42.5 m above the ellipsoid at 45N 10E.
	const FCoordinateConversionInstance Default{FCoordinateConversionSetup()};
	EXPECT_NEAR(Default.GetGeoidHeight(FVector(45.0, 10.0, 0.0)), 42.47, 0.01);
}

TEST(InstalledEgm84, BothGravityQueriesAgreeAndPointDown)
{
	REQUIRE_INSTALLED_EGM84();
	const FCoordinateConversionInstance Instance{FCoordinateConversionSetup()};
	ASSERT_TRUE(Instance.IsInitialized());
	ASSERT_TRUE(FAccess::GetGravityModel(Instance).IsValid());

	std::mt19937_64 Random(16);
	std::uniform_real_distribution<double> Latitude(-89.0, 89.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	std::uniform_real_distribution<double> Height(-500.0, 20000.0);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FVector Geodetic(Latitude(Random), Longitude(Random), Height(Random));
		const FVector AtGeodetic = FAccess::GetGeocentricGravityAtGeodetic(Instance, Geodetic);
		const FVector AtGeocentric = FAccess::GetGeocentricGravityAtGeocentric(Instance, FAccess::GeodeticToWorldPosition(Instance, Geodetic));
		EXPECT_NEAR((AtGeodetic - AtGeocentric).Size(), 0.0, 1e-9);
		// Within a few hundred micro-g of normal gravity and pointing within an arc-minute of the downward normal.
		const FVector Local = DuRizerudore::BuildEnuToGeocentricRotation(Geodetic.X, Geodetic.Y).UnrotateVector(AtGeodetic);
		EXPECT_GT(-Local.Z, 9.7);
		EXPECT_LT(-Local.Z, 9.84);
		EXPECT_LT(std::hypot(Local.X, Local.Y) / -Local.Z, 3e-4);
	}
}
