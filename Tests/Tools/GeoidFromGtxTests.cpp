// Checks durizerudore-geoid-from-gtx end to end: it runs the real executable, then reads its output
// back with GeographicLib::Geoid, the consumer the file exists for.

#include "ToolsTestSupport.h"

#include <GeographicLib/Geoid.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using namespace DuRizerudore::ToolsTest;
using namespace DuRizerudoreTest;

const std::string Converter = DURIZERUDORE_GEOID_FROM_GTX;

// Half of the 3 mm quantisation step, plus room for double rounding.
constexpr double NodeTolerance = 0.0015 + 1e-9;

constexpr double Deg = std::numbers::pi / 180;

// Smooth, pole-consistent (independent of longitude at +-90) and asymmetric in both axes, so a
// flipped or shifted grid shows up as a large error. Stays well inside -108 .. 88.6 m.
double AnalyticHeight(double Lat, double Lon)
{
	return 20 * std::sin(Lat * Deg) + 30 * std::cos(Lat * Deg) * std::cos((Lon - 40) * Deg) +
		   5 * std::cos(Lat * Deg) * std::cos(Lat * Deg) * std::sin(2 * Lon * Deg);
}

GtxGrid MakeGrid(double Step, double LowerLeftLongitude, bool RepeatFirstColumn)
{
	GtxGrid Grid;
	Grid.LowerLeftLatitude = -90;
	Grid.LowerLeftLongitude = LowerLeftLongitude;
	Grid.LatitudeStep = Step;
	Grid.LongitudeStep = Step;
	Grid.Rows = int(std::lround(180 / Step)) + 1;
	Grid.Columns = int(std::lround(360 / Step)) + (RepeatFirstColumn ? 1 : 0);
	for (int R = 0; R < Grid.Rows; ++R)
	{
		for (int C = 0; C < Grid.Columns; ++C)
		{
			Grid.Values.push_back(float(AnalyticHeight(-90 + R * Step, LowerLeftLongitude + C * Step)));
		}
	}
	return Grid;
}

} // namespace

TEST(ToolsGeoidFromGtx, OutputLoadsInGeographicLibWithNodeValues)
{
	// Starting at 0E with the first column repeated at 360E: both differ from GeographicLib's 180W-less layout.
	constexpr double Step = 30;
	FTemporaryDirectory Dir;
	WriteBytes(Dir / "synthetic.gtx", EncodeGtx(MakeGrid(Step, 0, true)));

	const auto Run = RunProcess({Converter, (Dir / "synthetic.gtx").string(), (Dir / "synthetic.pgm").string()});
	ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;
	EXPECT_EQ(ListDirectory(Dir.GetPath()), (std::vector<std::string>{"synthetic.gtx", "synthetic.pgm"})) << "no temporary file may be left behind";

	// GeographicLib's reader, bilinear so that nodes are reproduced exactly. It checks the header and the
	// file length and takes the first row for 90N and the first column for 0E, so every node matching
	// its analytic height proves the layout.
	GeographicLib::Geoid Geoid("synthetic", Dir.GetPath().string(), false);
	for (double Lat = -90; Lat <= 90; Lat += Step)
	{
		for (double Lon = -180; Lon <= 180; Lon += Step)
		{
			EXPECT_NEAR(Geoid(Lat, Lon), double(float(AnalyticHeight(Lat, Lon))), NodeTolerance) << "lat " << Lat << " lon " << Lon;
		}
	}
}

TEST(ToolsGeoidFromGtx, ABadValueFailsWithAMessageAndKeepsThePreviousOutput)
{
	FTemporaryDirectory Dir;
	GtxGrid Grid = MakeGrid(30, -180, false);
	Grid.Values[3] = std::nanf("");
	WriteBytes(Dir / "bad.gtx", EncodeGtx(Grid));
	WriteBytes(Dir / "out.pgm", {'o', 'l', 'd'});
	const auto Run = RunProcess({Converter, (Dir / "bad.gtx").string(), (Dir / "out.pgm").string()});
	EXPECT_NE(Run.ExitCode, 0);
	EXPECT_NE(Run.Stderr.find("non-finite"), std::string::npos) << Run.Stderr;
	EXPECT_EQ(ReadText(Dir / "out.pgm"), "old");
	EXPECT_EQ(ListDirectory(Dir.GetPath()), (std::vector<std::string>{"bad.gtx", "out.pgm"}));
}
