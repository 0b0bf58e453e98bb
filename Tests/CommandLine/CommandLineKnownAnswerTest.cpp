// One known answer per command, run as a user would: closed forms of the WGS84 ellipsoid and of the
// local axes, Somigliana's normal gravity and a published EGM84 geoid height. That the numbers are the
// library's own is checked by the library's suites; here the tool must hand them through.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	struct FKnownAnswer
	{
		std::vector<std::string> Arguments;
		std::string Input;
		/** The numbers of the one output line; none for a line that must be an ERROR. */
		std::vector<double> Expected;
		double Tolerance;
	};

	const double Cos45 = std::cos(45.0 * M_PI / 180.0);
	const double Cos10 = std::cos(10.0 * M_PI / 180.0);
	const double Sin10 = std::sin(10.0 * M_PI / 180.0);
}

TEST(CommandLine, EveryCommandGivesItsKnownAnswer)
{
	const std::string NoModels[] = {"--gravity-model", "none", "--geoid-model", "none"};
	const FKnownAnswer Cases[] = {
		// Option values and system names in any letter case, shared options before the command.
		{{"--origin", "45,10,0", "position", "--from", "gEoDeTiC", "--to", "GEOCENTRIC", "--local-frame", "UTM", "--geoid-interpolation", "CUBIC"}, "0 0 0",
			{6378137.0, 0.0, 0.0}, 0.0},
		{{"position", "--from", "Local_ENU", "--to", "Local_NED", "--origin", "45,10,0"}, "1 2 3", {2.0, 1.0, -3.0}, 0.0},
		{{"position", "--from", "local_enu", "--to", "local_ue", "--origin", "45,10,0"}, "1 2 3", {200.0, 100.0, 300.0}, 0.0},
		{{"position", "--from", "Geodetic", "--to", "Local_UE", "--origin", "-33.8568,151.2153,25", "--local-frame", "utm"}, "-33.8568 151.2153 25",
			{0.0, 0.0, 0.0}, 1e-6},
		{{"position", "--from", "Geodetic", "--to", "Local_ENU", "--no-local-frame"}, "0 0 0", {6378137.0, 0.0, 0.0}, 0.0},
		{{"position", "--from", "Geodetic", "--to", "Local_ENU", "--local-frame", "utm", "--origin", "45,10,0"}, "91 10 0", {}, 0.0},
		// EGM84 30' grid, bilinear: the published 42.471 m at 45N 10E.
		{{"geoid-height"}, "45 10 0", {42.471}, 1e-3},
		{{"height-above-ellipsoid"}, "45 10 100", {142.471}, 1e-3},
		{{"height-above-msl", "--position-system", "Local_ENU", "--origin", "45,10,100", "--altitude-reference", "msl"}, "0 0 0", {100.0}, 1e-6},
		// Free vectors are reordered, never scaled; at 45N 10E local up is the ellipsoid normal there.
		{{"vector", "--from", "Local_ENU", "--to", "Local_UE"}, "0,3,0", {3.0, 0.0, 0.0}, 0.0},
		{{"vector", "--from", "Geocentric", "--to", "Geodetic"}, "1 0 0", {}, 0.0},
		{{"vector-at", "--from", "local_enu", "--to", "geocentric", "--position-system", "geodetic"}, "0 0 1 45 10 0", {Cos45 * Cos10, Cos45 * Sin10, Cos45}, 1e-12},
		{{"quaternion", "--from", "Local_NED", "--to", "Local_ENU"}, "0 0 0 1", {std::sqrt(0.5), std::sqrt(0.5), 0.0, 0.0}, 1e-12},
		{{"rotator", "--from", "local_enu", "--to", "local_enu"}, "0 370 0", {0.0, 10.0, 0.0}, 1e-9},
		{{"rotator", "--from", "Local_UE", "--to", "Local_ENU"}, "1 2 3", {}, 0.0},
		{{"heading-pitch", "--vector-system", "Local_ENU"}, "0 -1 0 0 0 0", {180.0, 0.0}, 0.0},
		// Geocentric Z at (0, 0) is true north.
		{{"heading-pitch", "--vector-system", "geocentric", "--position-system", "geodetic"}, "0 0 1 0 0 0", {0.0, 0.0}, 1e-12},
		{{"vector-from-heading-pitch", "--vector-system", "Local_NED"}, "90 0 0 0 0", {0.0, 1.0, 0.0}, 1e-15},
		// Somigliana's normal gravity on the equator points down: geocentric -X there.
		{{"gravity", "--position-system", "Geodetic", NoModels[0], NoModels[1], NoModels[2], NoModels[3]}, "0 0 0", {-9.7803253359, 0.0, 0.0}, 1e-9},
		{{"gravity", "--vector-system", "Geodetic"}, "0 0 0", {}, 0.0},
		// Engine axes at (0, 0) are north (ECEF Z), east (Y) and up (X): a mirrored basis, kept on X, so a
		// quarter turn about Y. Without a local frame centimetres become ECEF metres with X and Y swapped.
		{{"pose-to-ecef", "--origin", "0,0,0"}, "0 0 0 0 0 0 1", {6378137.0, 0.0, 0.0, 0.0, std::sqrt(0.5), 0.0, std::sqrt(0.5)}, 1e-9},
		{{"ecef-to-pose", "--origin", "0,0,0"}, "6378137 0 0 0 0.7071067811865476 0 0.7071067811865476", {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0}, 1e-9},
		{{"pose-to-ecef", "--no-local-frame"}, "100 200 300 0 0 0 2e200", {2.0, 1.0, 3.0, 0.0, 0.0, -std::sqrt(0.5), std::sqrt(0.5)}, 1e-12},
		{{"ecef-to-pose", "--no-local-frame"}, "1 2 3 0 0 0 0", {}, 0.0},
	};
	for (const FKnownAnswer& Case : Cases)
	{
		const std::string Command = testing::PrintToString(Case.Arguments);
		const FProcessResult Result = RunTool(Case.Arguments, Case.Input + "\n");
		const std::vector<std::string> Lines = SplitLines(Result.Stdout);
		ASSERT_EQ(Lines.size(), 1u) << Command << ": " << Result.Stderr;
		if (Case.Expected.empty())
		{
			EXPECT_EQ(Result.ExitCode, 1) << Command;
			EXPECT_TRUE(Lines[0].starts_with("ERROR: ")) << Command << ": " << Lines[0];
			continue;
		}
		EXPECT_EQ(Result.ExitCode, 0) << Command << ": " << Result.Stderr;
		const std::vector<double> Numbers = ParseNumbers(Lines[0]);
		ASSERT_EQ(Numbers.size(), Case.Expected.size()) << Command << ": " << Lines[0];
		for (std::size_t Index = 0; Index < Numbers.size(); ++Index)
		{
			EXPECT_NEAR(Numbers[Index], Case.Expected[Index], Case.Tolerance) << Command << ": " << Lines[0];
		}
	}
}
