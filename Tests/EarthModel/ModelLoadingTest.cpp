#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreModelFiles.h"
#include "DuRizerudoreModelLoading.h"

#include "Logging/HostLogCapture.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include <GeographicLib/Geoid.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using DuRizerudoreTest::FTemporaryPlugin;

namespace
{

	double CoarseHeight(const double LatitudeDeg, const double LongitudeDeg)
	{
		return 20.0 * std::cos(LatitudeDeg * M_PI / 180.0) * std::sin(LongitudeDeg * M_PI / 90.0) - 0.05 * LatitudeDeg;
	}

	/** Bilinear interpolation of the quantised node heights of the 10° grid, computed independently. */
	double ExpectedBilinear(const double LatitudeDeg, const double LongitudeDeg)
	{
		const double Spacing = 10.0;
		const double Longitude = std::fmod(std::fmod(LongitudeDeg, 360.0) + 360.0, 360.0);
		const double Column = std::floor(Longitude / Spacing);
		const double Row = std::min(std::floor((90.0 - LatitudeDeg) / Spacing), 17.0);
		const double Fx = Longitude / Spacing - Column;
		const double Fy = (90.0 - LatitudeDeg) / Spacing - Row;
		const auto Node = [Spacing](double R, double C) {
			return DuRizerudoreTest::QuantiseGeoidHeight(CoarseHeight(90.0 - R * Spacing, std::fmod(C, 36.0) * Spacing));
		};
		const double North = Node(Row, Column) * (1 - Fx) + Node(Row, Column + 1) * Fx;
		const double South = Node(Row + 1, Column) * (1 - Fx) + Node(Row + 1, Column + 1) * Fx;
		return North * (1 - Fy) + South * Fy;
	}

	FCoordinateConversionSetup GeoidOnlySetup(const ECoordinateGeoidInterpolation Interpolation)
	{
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidInterpolation = Interpolation;
		return Setup;
	}

}

TEST(ModelLoading, SelfWrittenGeoidGridIsReadAndInterpolated)
{
	FTemporaryPlugin Plugin;
	Plugin.CreateModelDirectories(false, true);
	DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 10.0, CoarseHeight);

	const FCoordinateConversionInstance Bilinear(GeoidOnlySetup(ECoordinateGeoidInterpolation::Bilinear));
	const FCoordinateConversionInstance Cubic(GeoidOnlySetup(ECoordinateGeoidInterpolation::Cubic));
	ASSERT_TRUE(Bilinear.IsInitialized());
	ASSERT_TRUE(Cubic.IsInitialized());

	std::mt19937_64 Random(7);
	std::uniform_real_distribution<double> Latitude(-89.0, 89.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	bool bCubicDiffers = false;
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const double Lat = Latitude(Random);
		const double Lon = Longitude(Random);
		SCOPED_TRACE(testing::Message() << Lat << ", " << Lon);
		const double N = Bilinear.GetGeoidHeight(FVector(Lat, Lon, 1234.0));
		EXPECT_NEAR(N, ExpectedBilinear(Lat, Lon), 1e-9);
		// GeographicLib's cubic is a least-squares fit over the neighbouring nodes, close to but not through them.
		const double NodeLat = std::round(Lat / 10.0) * 10.0;
		const double NodeLon = std::round(Lon / 10.0) * 10.0;
		EXPECT_NEAR(Cubic.GetGeoidHeight(FVector(NodeLat, NodeLon, 0.0)), Bilinear.GetGeoidHeight(FVector(NodeLat, NodeLon, 0.0)), 0.2);
		bCubicDiffers = bCubicDiffers || std::abs(Cubic.GetGeoidHeight(FVector(Lat, Lon, 0.0)) - N) > 1e-6;

		EXPECT_DOUBLE_EQ(Bilinear.GetHeightAboveEllipsoid(FVector(Lat, Lon, 0.0)), N);
		EXPECT_DOUBLE_EQ(Bilinear.GetHeightAboveEllipsoid(FVector(Lat, Lon, 250.0)), N + 250.0);
		EXPECT_NEAR(Bilinear.GetHeightAboveMeanSeaLevel(FVector(Lat, Lon, N)), 0.0, 1e-12);
		EXPECT_DOUBLE_EQ(Bilinear.ResolveHeightAboveEllipsoid(100.0, Lat, Lon, ECoordinateAltitudeReference::MeanSeaLevel), N + 100.0);
		EXPECT_EQ(Bilinear.ResolveHeightAboveEllipsoid(100.0, Lat, Lon, ECoordinateAltitudeReference::Ellipsoid), 100.0);
	}
	EXPECT_TRUE(bCubicDiffers);
}

TEST(ModelLoading, GeoidQueriesNeverCrashOnBadPositions)
{
	FTemporaryPlugin Plugin;
	Plugin.CreateModelDirectories(false, true);
	DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 10.0, CoarseHeight);
	const FCoordinateConversionInstance Instance(GeoidOnlySetup(ECoordinateGeoidInterpolation::Cubic));
	ASSERT_TRUE(Instance.SupportsGeoidQueries());
	EXPECT_TRUE(std::isnan(Instance.GetGeoidHeight(FVector(NAN, 0.0, 0.0))));
	EXPECT_TRUE(std::isnan(Instance.GetGeoidHeight(FVector(0.0, INFINITY, 0.0))));
	EXPECT_TRUE(std::isnan(Instance.GetGeoidHeight(FVector(90.5, 0.0, 0.0))));
	EXPECT_TRUE(std::isnan(Instance.GetHeightAboveMeanSeaLevel(FVector(-1e300, 0.0, 0.0))));
	// The poles and wrapped longitudes are ordinary positions.
	EXPECT_NEAR(Instance.GetGeoidHeight(FVector(90.0, 0.0, 0.0)), DuRizerudoreTest::QuantiseGeoidHeight(CoarseHeight(90.0, 0.0)), 1e-9);
	EXPECT_NEAR(Instance.GetGeoidHeight(FVector(20.0, 370.0, 0.0)), Instance.GetGeoidHeight(FVector(20.0, 10.0, 0.0)), 1e-9);

	// Without a geoid at all the queries answer NaN instead of touching a null model.
	const FCoordinateConversionInstance Empty;
	EXPECT_TRUE(std::isnan(Empty.GetGeoidHeight(FVector(10.0, 10.0, 0.0))));
}

TEST(ModelLoading, MeanSeaLevelWithoutAGeoidIsReportedOnceAndKeepsTheHeight)
{
	DuRizerudoreTest::UseNoPlugin();
	FCoordinateConversionSetup Setup;
	Setup.GravityModel = EEarthGravityModel::None;
	Setup.GeoidModel = EEarthGravityModel::None;
	const FCoordinateConversionInstance Instance(Setup);
	FHostLogCapture Capture;
	EXPECT_EQ(Instance.ResolveHeightAboveEllipsoid(42.0, 10.0, 20.0, ECoordinateAltitudeReference::Ellipsoid), 42.0);
	EXPECT_EQ(Capture.CountEnsures(), 0);
	for (int Repeat = 0; Repeat < 3; ++Repeat)
	{
		EXPECT_EQ(Instance.ResolveHeightAboveEllipsoid(42.0, 10.0, 20.0, ECoordinateAltitudeReference::MeanSeaLevel), 42.0);
	}
	// Any value other than Ellipsoid is a mean-sea-level height.
	EXPECT_EQ(Instance.ResolveHeightAboveEllipsoid(7.0, 0.0, 0.0, static_cast<ECoordinateAltitudeReference>(9)), 7.0);
	EXPECT_EQ(Capture.CountEnsures(), 1);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Ensure condition failed: GeoidModelInstance.IsValid()")), 1);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Geoid model is not available.")), 1);
}

TEST(ModelLoading, BrokenFilesAreLoggedAndLeaveTheInstanceUnusable)
{
	namespace fs = std::filesystem;
	struct FDamage
	{
		const char* What;
		bool bGravity;
		std::function<void(const fs::path& Gravity, const fs::path& Geoid)> Apply;
	};
	const FDamage Damages[] = {
		{"truncated coefficients", true, [](const fs::path& Gravity, const fs::path&) { DuRizerudoreTest::TruncateFile(Gravity / "egm84.egm.cof", 0.5); }},
		{"absurd degree", true, [](const fs::path& Gravity, const fs::path&) { DuRizerudoreTest::OverwriteStart(Gravity / "egm84.egm.cof", std::string("TINYTEST\xff\xff\xff\x7f", 12)); }},
		{"garbled metadata", true, [](const fs::path& Gravity, const fs::path&) { DuRizerudoreTest::OverwriteStart(Gravity / "egm84.egm", "XXXX-9"); }},
		{"missing coefficients", true, [](const fs::path& Gravity, const fs::path&) { fs::remove(Gravity / "egm84.egm.cof"); }},
		{"truncated grid", false, [](const fs::path&, const fs::path& Geoid) { DuRizerudoreTest::TruncateFile(Geoid / "egm84-30.pgm", 0.6); }},
		{"not a PGM", false, [](const fs::path&, const fs::path& Geoid) { DuRizerudoreTest::OverwriteStart(Geoid / "egm84-30.pgm", "P2\n"); }},
	};
	for (const FDamage& Damage : Damages)
	{
		SCOPED_TRACE(Damage.What);
		FTemporaryPlugin Plugin;
		Plugin.CreateModelDirectories();
		DuRizerudoreTest::WriteTinyGravityModel(Plugin.GetGravityDirectory(), "egm84", 20);
		DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 10.0, CoarseHeight);
		Damage.Apply(Plugin.GetGravityDirectory(), Plugin.GetGeoidDirectory());
		FHostLogCapture Capture;
		const FCoordinateConversionInstance Instance{FCoordinateConversionSetup()};
		EXPECT_FALSE(Instance.IsInitialized());
		EXPECT_EQ(FCoordinateConversionKernelAccess::GetGravityModel(Instance).IsValid(), !Damage.bGravity);
		EXPECT_EQ(Instance.SupportsGeoidQueries(), Damage.bGravity);
		// GeographicLib's own reason follows the model and the directory.
		const FString Directory = FTemporaryPlugin::ToEngine(Damage.bGravity ? Plugin.GetGravityDirectory() : Plugin.GetGeoidDirectory());
		const std::wstring Prefix = std::wstring(Damage.bGravity ? L"Failed to load gravity model 'egm84'" : L"Failed to load geoid model 'egm84-30'") + L" from '"
			+ Directory.ToStdWString() + L"': ";
		const std::vector<std::wstring> Messages = Capture.GetMessages(TEXT("LogDuRizerudoreConversion"));
		ASSERT_EQ(Messages.size(), 1u);
		EXPECT_EQ(Messages[0].rfind(Prefix, 0), 0u) << std::string(TCHAR_TO_UTF8(Messages[0].c_str()));
		EXPECT_GT(Messages[0].size(), Prefix.size());
	}
}

TEST(ModelLoading, LoadersReportUnknownModelsAndNonAsciiDirectories)
{
	FHostLogCapture Capture;
	TSharedPtr<GeographicLib::Geoid, ESPMode::ThreadSafe> Geoid;
	const FString Directory(TEXT("/nonexistent/d\u00e9j\u00e0"));
	EXPECT_FALSE(DuRizerudore::LoadGeoidModel(EEarthGravityModel::EGM2008, Directory, ECoordinateGeoidInterpolation::Cubic, Geoid));
	EXPECT_FALSE(Geoid.IsValid());
	const std::vector<std::wstring> Messages = Capture.GetMessages(TEXT("LogDuRizerudoreConversion"));
	ASSERT_EQ(Messages.size(), 1u);
	EXPECT_EQ(Messages[0].rfind(L"Failed to load geoid model 'egm2008-5' from '/nonexistent/d\u00e9j\u00e0': ", 0), 0u);
	// GeographicLib names the file it tried, in UTF-8, and the message carries it back intact.
	EXPECT_NE(Messages[0].find(L"d\u00e9j\u00e0/egm2008-5.pgm"), std::wstring::npos);

	EXPECT_STREQ(DuRizerudore::GetGravityModelFileName(EEarthGravityModel::EGM96), TEXT("egm96"));
	EXPECT_STREQ(DuRizerudore::GetGeoidModelFileName(EEarthGravityModel::EGM84), TEXT("egm84-30"));
	EXPECT_EQ(DuRizerudore::GetGravityModelFileName(EEarthGravityModel::None), nullptr);
	EXPECT_EQ(DuRizerudore::GetGeoidModelFileName(static_cast<EEarthGravityModel>(17)), nullptr);
}
