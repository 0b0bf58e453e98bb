// Known answers of the position and height commands, run as a user would: closed forms of the WGS84
// ellipsoid, PROJ's cct for topocentric and UTM coordinates, and GeographicLib's GeoidEval.
#include "CommandLineRunner.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	struct FGeodetic
	{
		double LatitudeDeg;
		double LongitudeDeg;
		double HeightM;
	};

	const std::vector<FGeodetic> SamplePlaces = {
		{0.0, 0.0, 0.0},
		{90.0, 0.0, 0.0},
		{45.0, 10.0, 100.0},
		{-33.8568, 151.2153, 25.0},
		{27.9881, 86.925, 8848.86},
		{-89.5, -179.5, -50.0},
		{12.345, -123.456, 1234.5},
	};

	/** One input line per place, with AddToHeight (when given) added to each place's height. */
	std::string GeodeticLines(const std::vector<FGeodetic>& Places, const std::vector<double>& AddToHeight = {})
	{
		std::string Input;
		for (std::size_t Index = 0; Index < Places.size(); ++Index)
		{
			const double Height = Places[Index].HeightM + (Index < AddToHeight.size() ? AddToHeight[Index] : 0.0);
			Input += fmt::format("{} {} {}\n", Places[Index].LatitudeDeg, Places[Index].LongitudeDeg, Height);
		}
		return Input;
	}

	/** The numbers of every output line, each line required to hold Count of them. */
	std::vector<std::vector<double>> ParseOutput(const FProcessResult& Result, const std::size_t Lines, const std::size_t Count)
	{
		EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
		const std::vector<std::string> Text = SplitLines(Result.Stdout);
		EXPECT_EQ(Text.size(), Lines) << Result.Stdout;
		std::vector<std::vector<double>> Numbers;
		for (const std::string& Line : Text)
		{
			Numbers.push_back(ParseNumbers(Line));
			EXPECT_EQ(Numbers.back().size(), Count) << Line;
			Numbers.back().resize(Count, std::nan(""));
		}
		Numbers.resize(Lines, std::vector<double>(Count, std::nan("")));
		return Numbers;
	}

	/** The first column of every output line. */
	std::vector<double> ParseColumn(const FProcessResult& Result, const std::size_t Lines)
	{
		std::vector<double> Column;
		for (const std::vector<double>& Numbers : ParseOutput(Result, Lines, 1))
		{
			Column.push_back(Numbers[0]);
		}
		return Column;
	}

	/** PROJ's cct on Places (it reads longitude first; a fourth column, time, keeps it from printing "inf"). */
	std::vector<std::vector<double>> RunCct(const std::vector<std::string>& Pipeline, const std::vector<FGeodetic>& Places)
	{
		std::vector<std::string> Argv{"cct", "-d", "9"};
		Argv.insert(Argv.end(), Pipeline.begin(), Pipeline.end());
		std::string Input;
		for (const FGeodetic& Place : Places)
		{
			Input += fmt::format("{} {} {} 0\n", Place.LongitudeDeg, Place.LatitudeDeg, Place.HeightM);
		}
		const FProcessResult Result = RunProcess(Argv, Input);
		EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
		std::vector<std::vector<double>> Numbers;
		for (const std::string& Line : SplitLines(Result.Stdout))
		{
			Numbers.push_back(ParseNumbers(Line));
			Numbers.back().resize(3, std::nan(""));
		}
		EXPECT_EQ(Numbers.size(), Places.size()) << Result.Stdout;
		Numbers.resize(Places.size(), std::vector<double>(3, std::nan("")));
		return Numbers;
	}

	const std::vector<FGeodetic> GeoidPlaces = {{45.0, 10.0, 0.0}, {0.0, 0.0, 0.0}, {-33.8568, 151.2153, 0.0}, {27.9881, 86.925, 0.0},
		{89.9, 45.0, 0.0}, {-60.25, -70.125, 0.0}, {12.345, -123.456, 0.0}};

	/** GeoidEval's heights (4 decimals) for GeoidPlaces; it interpolates cubically unless told -l. */
	std::vector<double> RunGeoidEval(const std::string& GridName, const bool bCubic)
	{
		std::vector<std::string> Argv{"GeoidEval", "-n", GridName, "-d", (GetInstalledDataDirectory() / "geoids").string()};
		if (!bCubic)
		{
			Argv.push_back("-l");
		}
		std::string Input;
		for (const FGeodetic& Place : GeoidPlaces)
		{
			Input += fmt::format("{} {}\n", Place.LatitudeDeg, Place.LongitudeDeg);
		}
		const FProcessResult Result = RunProcess(Argv, Input);
		EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
		std::vector<double> Heights;
		for (const std::string& Line : SplitLines(Result.Stdout))
		{
			const std::vector<double> Numbers = ParseNumbers(Line);
			Heights.push_back(Numbers.empty() ? std::nan("") : Numbers[0]);
		}
		EXPECT_EQ(Heights.size(), GeoidPlaces.size()) << Result.Stdout;
		Heights.resize(GeoidPlaces.size(), std::nan(""));
		return Heights;
	}
}

TEST(CommandLinePosition, GeodeticToGeocentricAndBack)
{
	const FProcessResult Forward = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, GeodeticLines(SamplePlaces));
	const auto Geocentric = ParseOutput(Forward, SamplePlaces.size(), 3);
	for (std::size_t Index = 0; Index < SamplePlaces.size(); ++Index)
	{
		const FGeodetic& Place = SamplePlaces[Index];
		const std::array<double, 3> Expected = GeocentricClosedForm(Place.LatitudeDeg, Place.LongitudeDeg, Place.HeightM);
		for (std::size_t Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Geocentric[Index][Axis], Expected[Axis], 1e-6) << "place " << Index << " axis " << Axis;
		}
	}
	// The equator at 0E is exactly the semi-major axis; the pole is the polar radius a (1 - f).
	EXPECT_EQ(SplitLines(Forward.Stdout)[0], "6378137 0 0");
	EXPECT_NEAR(Geocentric[1][2], 6356752.314245179, 1e-8);

	const auto Back = ParseOutput(RunTool({"position", "--from", "geocentric", "--to", "GEODETIC"}, Forward.Stdout), SamplePlaces.size(), 3);
	for (std::size_t Index = 2; Index < SamplePlaces.size(); ++Index)
	{
		EXPECT_NEAR(Back[Index][0], SamplePlaces[Index].LatitudeDeg, 1e-9) << "place " << Index;
		EXPECT_NEAR(Back[Index][1], SamplePlaces[Index].LongitudeDeg, 1e-9) << "place " << Index;
		EXPECT_NEAR(Back[Index][2], SamplePlaces[Index].HeightM, 1e-6) << "place " << Index;
	}
}

TEST(CommandLinePosition, LocalFramesMatchCctTopocentricAndUtm)
{
	if (!IsProgramOnPath("cct"))
	{
		GTEST_SKIP() << "PROJ's cct is not installed";
	}
	const std::vector<FGeodetic> Places = {{45.0, 10.0, 100.0}, {45.1, 10.1, 0.0}, {44.9, 9.8, 2500.0}, {46.0, 11.0, -30.0}, {44.5, 8.0, 300.0}};

	const auto Enu = ParseOutput(RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--origin", "45,10,100"}, GeodeticLines(Places)), Places.size(), 3);
	const auto Topocentric =
		RunCct({"+proj=pipeline", "+step", "+proj=cart", "+ellps=WGS84", "+step", "+proj=topocentric", "+ellps=WGS84", "+lat_0=45", "+lon_0=10", "+h_0=100"}, Places);

	// A UTM frame is the grid offset from the origin (10E lies in zone 32), heights unchanged.
	const auto Utm =
		ParseOutput(RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--local-frame", "UTM", "--origin", "45,10,0"}, GeodeticLines(Places)), Places.size(), 3);
	const auto Grid = RunCct({"+proj=utm", "+zone=32", "+ellps=WGS84"}, Places);
	for (std::size_t Index = 0; Index < Places.size(); ++Index)
	{
		for (std::size_t Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Enu[Index][Axis], Topocentric[Index][Axis], 1e-6) << "place " << Index << " axis " << Axis;
		}
		EXPECT_NEAR(Utm[Index][0], Grid[Index][0] - Grid[0][0], 1e-6) << "place " << Index;
		EXPECT_NEAR(Utm[Index][1], Grid[Index][1] - Grid[0][1], 1e-6) << "place " << Index;
		EXPECT_NEAR(Utm[Index][2], Places[Index].HeightM, 1e-9) << "place " << Index;
	}
}

TEST(CommandLinePosition, LocalSystemsAndFramesWithoutALocalFrame)
{
	// Exact permutations; the engine's axes are north, east, up in centimetres.
	const FProcessResult ToNed = RunTool({"position", "--from", "Local_ENU", "--to", "Local_NED", "--origin", "45,10,0"}, "1 2 3\n");
	EXPECT_EQ(ToNed.Stdout, "2 1 -3\n") << ToNed.Stderr;
	const FProcessResult ToUe = RunTool({"position", "--from", "local_enu", "--to", "local_ue", "--origin", "45,10,0"}, "1 2 3\n");
	EXPECT_EQ(ToUe.Stdout, "200 100 300\n") << ToUe.Stderr;

	// The origin is zero in every local system of either kind of frame.
	for (const char* System : {"Local_ENU", "Local_NED", "Local_UE"})
	{
		for (const char* Frame : {"cartesian", "utm"})
		{
			const FProcessResult Result =
				RunTool({"position", "--from", "Geodetic", "--to", System, "--origin", "-33.8568,151.2153,25", "--local-frame", Frame}, "-33.8568 151.2153 25\n");
			const std::vector<double> Position = ParseOutput(Result, 1, 3)[0];
			for (const double Value : Position)
			{
				EXPECT_NEAR(Value, 0.0, 1e-6) << System << " " << Frame << ": " << Result.Stdout;
			}
		}
	}

	// Without a local frame, local east-north-up is the geocentric frame.
	const FProcessResult Unframed = RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--no-local-frame"}, "0 0 0\n");
	EXPECT_EQ(Unframed.Stdout, "6378137 0 0\n") << Unframed.Stderr;
}

TEST(CommandLinePosition, UtmFrameRefusesLatitudeBeyondThePoleOnItsOwnLine)
{
	const FProcessResult Result =
		RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--local-frame", "utm", "--origin", "45,10,0"}, "45 10 0\n91 10 0\n45 10 0\n");
	EXPECT_EQ(Result.ExitCode, 1);
	const std::vector<std::string> Lines = SplitLines(Result.Stdout);
	ASSERT_EQ(Lines.size(), 3u) << Result.Stdout;
	EXPECT_EQ(Lines[0], "0 0 0");
	EXPECT_TRUE(Lines[1].starts_with("ERROR: ")) << Lines[1];
	EXPECT_EQ(Lines[2], "0 0 0");
}

TEST(CommandLineHeights, GeoidHeightsMatchGeoidEval)
{
	// The default setup: EGM84 30' grid, bilinear; 45N 10E is a published check value.
	EXPECT_NEAR(ParseColumn(RunTool({"geoid-height"}, "45 10 0\n"), 1)[0], 42.471, 0.001);

	if (!IsProgramOnPath("GeoidEval"))
	{
		GTEST_SKIP() << "GeographicLib's GeoidEval is not installed";
	}
	for (const auto& [Model, Grid] : {std::pair{"egm84", "egm84-30"}, std::pair{"EGM96", "egm96-15"}})
	{
		if (!std::filesystem::exists(GetInstalledDataDirectory() / "geoids" / (std::string(Grid) + ".pgm")))
		{
			ADD_FAILURE() << Grid << " is not installed; run scripts/install-data";
			continue;
		}
		for (const bool bCubic : {false, true})
		{
			const std::vector<double> Heights = ParseColumn(
				RunTool({"geoid-height", "--geoid-model", Model, "--gravity-model", "none", "--geoid-interpolation", bCubic ? "cubic" : "bilinear"},
					GeodeticLines(GeoidPlaces)),
				GeoidPlaces.size());
			const std::vector<double> Truth = RunGeoidEval(Grid, bCubic);
			for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
			{
				// GeoidEval rounds to 0.1 mm.
				EXPECT_NEAR(Heights[Index], Truth[Index], 0.6e-4) << Grid << (bCubic ? " cubic" : " bilinear") << " place " << Index;
			}
		}
	}
}

TEST(CommandLineHeights, HeightsAboveEllipsoidAndSeaLevelAreOffsetByTheGeoid)
{
	const std::size_t Count = GeoidPlaces.size();
	const std::vector<double> Geoid = ParseColumn(RunTool({"geoid-height"}, GeodeticLines(GeoidPlaces)), Count);

	// The same geoid heights for the same places given geocentrically.
	const FProcessResult Geocentric = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, GeodeticLines(GeoidPlaces));
	const std::vector<double> FromGeocentric = ParseColumn(RunTool({"geoid-height", "--position-system", "geocentric"}, Geocentric.Stdout), Count);

	const std::vector<double> AtSeaLevel = ParseColumn(RunTool({"height-above-ellipsoid"}, GeodeticLines(GeoidPlaces)), Count);
	const std::vector<double> Raised = ParseColumn(RunTool({"height-above-ellipsoid"}, GeodeticLines(GeoidPlaces, std::vector<double>(Count, 250.0))), Count);
	const std::vector<double> OnTheGeoid = ParseColumn(RunTool({"height-above-msl"}, GeodeticLines(GeoidPlaces, Geoid)), Count);
	std::vector<double> GeoidPlus75(Geoid);
	for (double& Height : GeoidPlus75)
	{
		Height += 75.5;
	}
	const std::vector<double> Above = ParseColumn(RunTool({"height-above-msl", "--position-system", "GEODETIC"}, GeodeticLines(GeoidPlaces, GeoidPlus75)), Count);
	for (std::size_t Index = 0; Index < Count; ++Index)
	{
		SCOPED_TRACE(testing::Message() << "place " << Index);
		EXPECT_NEAR(FromGeocentric[Index], Geoid[Index], 1e-6);
		EXPECT_EQ(AtSeaLevel[Index], Geoid[Index]);
		EXPECT_NEAR(Raised[Index], Geoid[Index] + 250.0, 1e-9);
		EXPECT_EQ(OnTheGeoid[Index], 0.0);
		EXPECT_NEAR(Above[Index], 75.5, 1e-9);
	}

	// A local position: the origin itself, given at 100 m above sea level.
	const FProcessResult Local = RunTool({"height-above-msl", "--position-system", "Local_ENU", "--origin", "45,10,100", "--altitude-reference", "msl"}, "0 0 0\n");
	EXPECT_NEAR(ParseColumn(Local, 1)[0], 100.0, 1e-6);
}
