// Known answers of every command: closed forms of the WGS84 ellipsoid, PROJ's cct for geocentric,
// topocentric and UTM coordinates, and GeographicLib's GeoidEval for geoid heights.
#include "CommandLineRunner.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	constexpr double EquatorialRadiusM = 6378137.0;
	constexpr double Flattening = 1.0 / 298.257223563;
	constexpr double EccentricitySquared = Flattening * (2.0 - Flattening);

	struct FGeodetic
	{
		double LatitudeDeg;
		double LongitudeDeg;
		double HeightM;
	};

	const std::vector<FGeodetic> SamplePlaces = {
		{0.0, 0.0, 0.0},
		{45.0, 10.0, 100.0},
		{-33.8568, 151.2153, 25.0},
		{27.9881, 86.925, 8848.86},
		{-89.5, -179.5, -50.0},
		{60.1, -3.2, 1234.5},
	};

	/** Geocentric coordinates on the WGS84 ellipsoid from the prime-vertical radius of curvature. */
	std::vector<double> GeocentricClosedForm(const FGeodetic& Place)
	{
		const double Latitude = Place.LatitudeDeg * std::numbers::pi / 180.0;
		const double Longitude = Place.LongitudeDeg * std::numbers::pi / 180.0;
		const double PrimeVertical = EquatorialRadiusM / std::sqrt(1.0 - EccentricitySquared * std::sin(Latitude) * std::sin(Latitude));
		return {(PrimeVertical + Place.HeightM) * std::cos(Latitude) * std::cos(Longitude),
			(PrimeVertical + Place.HeightM) * std::cos(Latitude) * std::sin(Longitude),
			(PrimeVertical * (1.0 - EccentricitySquared) + Place.HeightM) * std::sin(Latitude)};
	}

	std::string GeodeticLines(const std::vector<FGeodetic>& Places)
	{
		std::string Input;
		for (const FGeodetic& Place : Places)
		{
			Input += fmt::format("{} {} {}\n", Place.LatitudeDeg, Place.LongitudeDeg, Place.HeightM);
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
		return Numbers;
	}

	/** PROJ's cct on Input; its output columns are the first three numbers of each line. */
	std::vector<std::vector<double>> RunCct(const std::vector<std::string>& Pipeline, const std::string& Input, const std::size_t Lines)
	{
		std::vector<std::string> Argv{"cct", "-d", "9"};
		Argv.insert(Argv.end(), Pipeline.begin(), Pipeline.end());
		const FProcessResult Result = RunProcess(Argv, Input);
		EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
		std::vector<std::vector<double>> Numbers;
		for (const std::string& Line : SplitLines(Result.Stdout))
		{
			std::vector<double> Values = ParseNumbers(Line);
			Values.resize(3, std::nan(""));
			Numbers.push_back(Values);
		}
		EXPECT_EQ(Numbers.size(), Lines) << Result.Stdout;
		Numbers.resize(Lines, std::vector<double>(3, std::nan("")));
		return Numbers;
	}

	/** cct reads longitude first; a fourth column (time) keeps it from printing "inf". */
	std::string CctLines(const std::vector<FGeodetic>& Places)
	{
		std::string Input;
		for (const FGeodetic& Place : Places)
		{
			Input += fmt::format("{} {} {} 0\n", Place.LongitudeDeg, Place.LatitudeDeg, Place.HeightM);
		}
		return Input;
	}

	void SkipWithoutCct()
	{
		if (!IsProgramOnPath("cct"))
		{
			GTEST_SKIP() << "PROJ's cct is not installed";
		}
	}
}

TEST(CommandLinePosition, GeodeticToGeocentricMatchesTheClosedForm)
{
	const FProcessResult Result = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, GeodeticLines(SamplePlaces));
	const auto Numbers = ParseOutput(Result, SamplePlaces.size(), 3);
	for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
	{
		const std::vector<double> Expected = GeocentricClosedForm(SamplePlaces[Index]);
		for (std::size_t Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Numbers[Index][Axis], Expected[Axis], 1e-6) << "place " << Index << " axis " << Axis;
		}
	}
}

TEST(CommandLinePosition, EquatorAndPoleLandOnTheAxes)
{
	const FProcessResult Result = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, "0 0 0\n90 0 0\n");
	const auto Numbers = ParseOutput(Result, 2, 3);
	EXPECT_EQ(Numbers[0], (std::vector<double>{6378137.0, 0.0, 0.0}));
	EXPECT_NEAR(Numbers[1][0], 0.0, 1e-9);
	EXPECT_NEAR(Numbers[1][1], 0.0, 1e-9);
	// The polar radius a (1 - f).
	EXPECT_NEAR(Numbers[1][2], 6356752.314245179, 1e-8);
}

TEST(CommandLinePosition, GeodeticToGeocentricMatchesCct)
{
	SkipWithoutCct();
	const FProcessResult Result = RunTool({"position", "--from", "geodetic", "--to", "geocentric"}, GeodeticLines(SamplePlaces));
	const auto Numbers = ParseOutput(Result, SamplePlaces.size(), 3);
	const auto Truth = RunCct({"+proj=cart", "+ellps=WGS84"}, CctLines(SamplePlaces), SamplePlaces.size());
	for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
	{
		for (std::size_t Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Numbers[Index][Axis], Truth[Index][Axis], 1e-6) << "place " << Index << " axis " << Axis;
		}
	}
}

TEST(CommandLinePosition, LocalEnuMatchesCctTopocentric)
{
	SkipWithoutCct();
	const FGeodetic Origin{45.0, 10.0, 100.0};
	const std::vector<FGeodetic> Places = {{45.0, 10.0, 100.0}, {45.1, 10.1, 0.0}, {44.9, 9.8, 2500.0}, {46.0, 11.0, -30.0}};
	const std::string OriginText = fmt::format("{},{},{}", Origin.LatitudeDeg, Origin.LongitudeDeg, Origin.HeightM);
	const FProcessResult Result = RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--origin", OriginText}, GeodeticLines(Places));
	const auto Numbers = ParseOutput(Result, Places.size(), 3);
	const auto Truth = RunCct({"+proj=pipeline", "+step", "+proj=cart", "+ellps=WGS84", "+step", "+proj=topocentric", "+ellps=WGS84",
								  fmt::format("+lat_0={}", Origin.LatitudeDeg), fmt::format("+lon_0={}", Origin.LongitudeDeg),
								  fmt::format("+h_0={}", Origin.HeightM)},
		CctLines(Places), Places.size());
	for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
	{
		for (std::size_t Axis = 0; Axis < 3; ++Axis)
		{
			EXPECT_NEAR(Numbers[Index][Axis], Truth[Index][Axis], 1e-6) << "place " << Index << " axis " << Axis;
		}
	}
}

TEST(CommandLinePosition, UtmFrameIsTheGridOffsetFromTheOriginAsCctProjectsIt)
{
	SkipWithoutCct();
	const std::vector<FGeodetic> Places = {{45.0, 10.0, 0.0}, {45.1, 10.1, 0.0}, {44.5, 8.0, 300.0}};
	const FProcessResult Result = RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--local-frame", "UTM", "--origin", "45,10,0"},
		GeodeticLines(Places));
	const auto Numbers = ParseOutput(Result, Places.size(), 3);
	// 10E lies in zone 32.
	const auto Grid = RunCct({"+proj=utm", "+zone=32", "+ellps=WGS84"}, CctLines(Places), Places.size());
	for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
	{
		EXPECT_NEAR(Numbers[Index][0], Grid[Index][0] - Grid[0][0], 1e-6) << "place " << Index;
		EXPECT_NEAR(Numbers[Index][1], Grid[Index][1] - Grid[0][1], 1e-6) << "place " << Index;
		EXPECT_NEAR(Numbers[Index][2], Places[Index].HeightM, 1e-9) << "place " << Index;
	}
}

TEST(CommandLinePosition, LocalAxesAreExactPermutations)
{
	const FProcessResult ToNed = RunTool({"position", "--from", "Local_ENU", "--to", "Local_NED", "--origin", "45,10,0"}, "1 2 3\n");
	EXPECT_EQ(ToNed.ExitCode, 0) << ToNed.Stderr;
	EXPECT_EQ(ToNed.Stdout, "2 1 -3\n");
	// Unreal's local axes: north, east, up in centimetres.
	const FProcessResult ToUe = RunTool({"position", "--from", "local_enu", "--to", "local_ue", "--origin", "45,10,0"}, "1 2 3\n");
	EXPECT_EQ(ToUe.ExitCode, 0) << ToUe.Stderr;
	EXPECT_EQ(ToUe.Stdout, "200 100 300\n");
}

TEST(CommandLinePosition, TheOriginIsZeroInEveryLocalSystem)
{
	for (const char* System : {"Local_ENU", "Local_NED", "Local_UE"})
	{
		for (const char* Frame : {"cartesian", "utm"})
		{
			const FProcessResult Result =
				RunTool({"position", "--from", "Geodetic", "--to", System, "--origin", "-33.8568,151.2153,25", "--local-frame", Frame}, "-33.8568 151.2153 25\n");
			const auto Numbers = ParseOutput(Result, 1, 3);
			for (const double Value : Numbers[0])
			{
				EXPECT_NEAR(Value, 0.0, 1e-6) << System << " " << Frame << ": " << Result.Stdout;
			}
		}
	}
}

TEST(CommandLinePosition, GeocentricBackToGeodeticRecoversThePlaces)
{
	const FProcessResult Forward = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, GeodeticLines(SamplePlaces));
	ASSERT_EQ(Forward.ExitCode, 0) << Forward.Stderr;
	const FProcessResult Back = RunTool({"position", "--from", "Geocentric", "--to", "Geodetic"}, Forward.Stdout);
	const auto Numbers = ParseOutput(Back, SamplePlaces.size(), 3);
	for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
	{
		EXPECT_NEAR(Numbers[Index][0], SamplePlaces[Index].LatitudeDeg, 1e-9) << "place " << Index;
		EXPECT_NEAR(Numbers[Index][1], SamplePlaces[Index].LongitudeDeg, 1e-9) << "place " << Index;
		EXPECT_NEAR(Numbers[Index][2], SamplePlaces[Index].HeightM, 1e-6) << "place " << Index;
	}
}

TEST(CommandLinePosition, FrameWithoutLocalFrameUsesGeocentricAxes)
{
	const FProcessResult Result = RunTool({"position", "--from", "Geodetic", "--to", "Local_ENU", "--no-local-frame"}, "0 0 0\n");
	EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
	EXPECT_EQ(Result.Stdout, "6378137 0 0\n");
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

namespace
{
	struct FGeoidCase
	{
		const char* ModelOption;
		const char* GridName;
		bool bCubic;
	};

	const std::vector<FGeodetic> GeoidPlaces = {{45.0, 10.0, 0.0}, {0.0, 0.0, 0.0}, {-33.8568, 151.2153, 0.0}, {27.9881, 86.925, 0.0},
		{89.9, 45.0, 0.0}, {-60.25, -70.125, 0.0}, {12.345, -123.456, 0.0}};

	/** GeoidEval's heights (4 decimals) for GeoidPlaces. */
	std::vector<double> RunGeoidEval(const FGeoidCase& Case)
	{
		std::vector<std::string> Argv{"GeoidEval", "-n", Case.GridName, "-d", (GetInstalledDataDirectory() / "geoids").string()};
		// GeoidEval interpolates cubically unless told -l (bilinear).
		if (!Case.bCubic)
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

TEST(CommandLineGeoid, GeoidHeightAt45N10EIsAbout42MetresInEgm84)
{
	// The default setup: EGM84 30' grid, bilinear.
	const FProcessResult Result = RunTool({"geoid-height"}, "45 10 0\n");
	const auto Numbers = ParseOutput(Result, 1, 1);
	EXPECT_NEAR(Numbers[0][0], 42.471, 0.001);
}

TEST(CommandLineGeoid, GeoidHeightMatchesGeoidEval)
{
	if (!IsProgramOnPath("GeoidEval"))
	{
		GTEST_SKIP() << "GeographicLib's GeoidEval is not installed";
	}
	const std::vector<FGeoidCase> Cases = {
		{"egm84", "egm84-30", false}, {"egm84", "egm84-30", true}, {"EGM96", "egm96-15", false}, {"egm96", "egm96-15", true}};
	for (const FGeoidCase& Case : Cases)
	{
		if (!std::filesystem::exists(GetInstalledDataDirectory() / "geoids" / (std::string(Case.GridName) + ".pgm")))
		{
			ADD_FAILURE() << Case.GridName << " is not installed; run scripts/install-data";
			continue;
		}
		const FProcessResult Result = RunTool({"geoid-height", "--geoid-model", Case.ModelOption, "--gravity-model", "none", "--geoid-interpolation",
												  Case.bCubic ? "cubic" : "bilinear"},
			GeodeticLines(GeoidPlaces));
		const auto Numbers = ParseOutput(Result, GeoidPlaces.size(), 1);
		const std::vector<double> Truth = RunGeoidEval(Case);
		for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
		{
			// GeoidEval rounds to 0.1 mm.
			EXPECT_NEAR(Numbers[Index][0], Truth[Index], 0.6e-4) << Case.GridName << (Case.bCubic ? " cubic" : " bilinear") << " place " << Index;
		}
	}
}

TEST(CommandLineGeoid, GeoidHeightOfAGeocentricPositionIsTheSame)
{
	const FProcessResult Geocentric = RunTool({"position", "--from", "Geodetic", "--to", "Geocentric"}, GeodeticLines(GeoidPlaces));
	ASSERT_EQ(Geocentric.ExitCode, 0) << Geocentric.Stderr;
	const FProcessResult FromGeocentric = RunTool({"geoid-height", "--position-system", "geocentric"}, Geocentric.Stdout);
	const FProcessResult FromGeodetic = RunTool({"geoid-height"}, GeodeticLines(GeoidPlaces));
	const auto Expected = ParseOutput(FromGeodetic, GeoidPlaces.size(), 1);
	const auto Numbers = ParseOutput(FromGeocentric, GeoidPlaces.size(), 1);
	for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
	{
		EXPECT_NEAR(Numbers[Index][0], Expected[Index][0], 1e-6) << "place " << Index;
	}
}

TEST(CommandLineGeoid, HeightAboveEllipsoidAtSeaLevelIsTheGeoidHeight)
{
	const FProcessResult Geoid = RunTool({"geoid-height"}, GeodeticLines(GeoidPlaces));
	const FProcessResult AtSeaLevel = RunTool({"height-above-ellipsoid"}, GeodeticLines(GeoidPlaces));
	ASSERT_EQ(Geoid.ExitCode, 0) << Geoid.Stderr;
	EXPECT_EQ(AtSeaLevel.ExitCode, 0) << AtSeaLevel.Stderr;
	EXPECT_EQ(AtSeaLevel.Stdout, Geoid.Stdout);

	const auto GeoidHeights = ParseOutput(Geoid, GeoidPlaces.size(), 1);
	std::string Input;
	for (const FGeodetic& Place : GeoidPlaces)
	{
		Input += fmt::format("{} {} 250\n", Place.LatitudeDeg, Place.LongitudeDeg);
	}
	const auto Raised = ParseOutput(RunTool({"height-above-ellipsoid"}, Input), GeoidPlaces.size(), 1);
	for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
	{
		EXPECT_NEAR(Raised[Index][0], GeoidHeights[Index][0] + 250.0, 1e-9) << "place " << Index;
	}
}

TEST(CommandLineGeoid, HeightAboveMslOfTheGeoidIsZero)
{
	const FProcessResult Geoid = RunTool({"geoid-height"}, GeodeticLines(GeoidPlaces));
	const auto GeoidHeights = ParseOutput(Geoid, GeoidPlaces.size(), 1);
	std::string OnTheGeoid;
	std::string Above;
	for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
	{
		OnTheGeoid += fmt::format("{} {} {}\n", GeoidPlaces[Index].LatitudeDeg, GeoidPlaces[Index].LongitudeDeg, GeoidHeights[Index][0]);
		Above += fmt::format("{} {} {}\n", GeoidPlaces[Index].LatitudeDeg, GeoidPlaces[Index].LongitudeDeg, GeoidHeights[Index][0] + 75.5);
	}
	const auto Zero = ParseOutput(RunTool({"height-above-msl"}, OnTheGeoid), GeoidPlaces.size(), 1);
	const auto SeventyFive = ParseOutput(RunTool({"height-above-msl", "--position-system", "GEODETIC"}, Above), GeoidPlaces.size(), 1);
	for (std::size_t Index = 0; Index < GeoidPlaces.size(); ++Index)
	{
		EXPECT_EQ(Zero[Index][0], 0.0) << "place " << Index;
		EXPECT_NEAR(SeventyFive[Index][0], 75.5, 1e-9) << "place " << Index;
	}
}

TEST(CommandLineGeoid, HeightAboveMslOfALocalPosition)
{
	// The origin itself, given at 100 m above sea level: its local position is 0 0 0.
	const FProcessResult Result = RunTool({"height-above-msl", "--position-system", "Local_ENU", "--origin", "45,10,100", "--altitude-reference", "msl"}, "0 0 0\n");
	const auto Numbers = ParseOutput(Result, 1, 1);
	EXPECT_NEAR(Numbers[0][0], 100.0, 1e-6);
}
