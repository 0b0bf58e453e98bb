// The direction, orientation and gravity commands, run as a user would, against closed forms.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	/** Runs a command on a model-free frame and returns its output lines, requiring exit 0. */
	std::vector<std::string> RunCommand(std::vector<std::string> Arguments, const std::string& Input, const int ExpectedExit = 0)
	{
		Arguments.insert(Arguments.end(), {"--gravity-model", "none", "--geoid-model", "none"});
		const FProcessResult Result = RunTool(Arguments, Input);
		EXPECT_TRUE(Result.bStarted);
		EXPECT_EQ(Result.ExitCode, ExpectedExit) << Result.Stderr;
		return SplitLines(Result.Stdout);
	}

	void ExpectNumbers(const std::string& Line, const std::vector<double>& Expected, const double Tolerance)
	{
		const std::vector<double> Actual = ParseNumbers(Line);
		ASSERT_EQ(Actual.size(), Expected.size()) << Line;
		for (std::size_t Index = 0; Index < Expected.size(); ++Index)
		{
			EXPECT_NEAR(Actual[Index], Expected[Index], Tolerance) << Line;
		}
	}
}

TEST(CommandLineDirections, VectorsAndVectorsAtAPosition)
{
	// Free vectors are reordered, never scaled; at the origin (0, 0) local up is geocentric X.
	const std::vector<std::string> Free = RunCommand({"vector", "--from", "Local_ENU", "--to", "Local_UE"}, "1 2 3\n0,3,0\n");
	ASSERT_EQ(Free.size(), 2u);
	EXPECT_EQ(Free[0], "2 1 3");
	EXPECT_EQ(Free[1], "3 0 0");
	const std::vector<std::string> Refused = RunCommand({"vector", "--from", "Geocentric", "--to", "Geodetic"}, "1 0 0\n", 1);
	ASSERT_EQ(Refused.size(), 1u);
	EXPECT_EQ(Refused[0].rfind("ERROR: ", 0), 0u);

	// Local up at 45N 10E is the ellipsoid normal there, whatever the frame's origin.
	const double Phi = 45.0 * M_PI / 180.0;
	const double Lambda = 10.0 * M_PI / 180.0;
	const std::vector<std::string> Attached = RunCommand({"vector-at", "--from", "local_enu", "--to", "geocentric", "--position-system", "geodetic"}, "0 0 1 45 10 0\n");
	ASSERT_EQ(Attached.size(), 1u);
	ExpectNumbers(Attached[0], {std::cos(Phi) * std::cos(Lambda), std::cos(Phi) * std::sin(Lambda), std::sin(Phi)}, 1e-12);
}

TEST(CommandLineDirections, OrientationsAndRotators)
{
	const std::vector<std::string> Quaternion = RunCommand({"quaternion", "--from", "Local_NED", "--to", "Local_ENU"}, "0 0 0 1\n0 0 0 0\n");
	ASSERT_EQ(Quaternion.size(), 2u);
	ExpectNumbers(Quaternion[0], {std::sqrt(0.5), std::sqrt(0.5), 0.0, 0.0}, 1e-12);
	// A zero quaternion is normalised to the identity after the conversion.
	ExpectNumbers(Quaternion[1], {0.0, 0.0, 0.0, 1.0}, 0.0);
	const std::vector<std::string> Rotator = RunCommand({"rotator", "--from", "local_enu", "--to", "local_enu"}, "0 370 0\n");
	ASSERT_EQ(Rotator.size(), 1u);
	ExpectNumbers(Rotator[0], {0.0, 10.0, 0.0}, 1e-9);
	// The left-handed engine frame converts only to itself.
	const std::vector<std::string> Refused = RunCommand({"rotator", "--from", "Local_UE", "--to", "Local_ENU"}, "1 2 3\n", 1);
	ASSERT_EQ(Refused.size(), 1u);
	EXPECT_EQ(Refused[0].rfind("ERROR: ", 0), 0u);
}

TEST(CommandLineDirections, HeadingPitchBothWays)
{
	const std::vector<std::string> Pairs = RunCommand({"heading-pitch", "--vector-system", "Local_ENU"}, "1 0 0 0 0 0\n0 -1 0 0 0 0\n0 0 1 0 0 0\n");
	ASSERT_EQ(Pairs.size(), 3u);
	EXPECT_EQ(Pairs[0], "90 0");
	EXPECT_EQ(Pairs[1], "180 0");
	EXPECT_EQ(Pairs[2], "0 90");
	const std::vector<std::string> Vectors = RunCommand({"vector-from-heading-pitch", "--vector-system", "Local_NED"}, "90 0 0 0 0\n0 -90 0 0 0\n");
	ASSERT_EQ(Vectors.size(), 2u);
	ExpectNumbers(Vectors[0], {0.0, 1.0, 0.0}, 1e-15);
	ExpectNumbers(Vectors[1], {0.0, 0.0, 1.0}, 1e-15);
	// Geocentric Z at (0, 0) is true north.
	const std::vector<std::string> Geocentric = RunCommand({"heading-pitch", "--vector-system", "geocentric", "--position-system", "geodetic"}, "0 0 1 0 0 0\n");
	ASSERT_EQ(Geocentric.size(), 1u);
	ExpectNumbers(Geocentric[0], {0.0, 0.0}, 1e-12);
	const std::vector<std::string> Refused = RunCommand({"heading-pitch", "--vector-system", "geodetic"}, "1 0 0 0 0 0\n", 1);
	ASSERT_EQ(Refused.size(), 1u);
	EXPECT_EQ(Refused[0].rfind("ERROR: ", 0), 0u);
}

TEST(CommandLineDirections, GravityInEverySystem)
{
	// Somigliana's normal gravity on the equator, pointing down: geocentric -X there.
	const std::vector<std::string> Geocentric = RunCommand({"gravity", "--position-system", "Geodetic"}, "0 0 0\n");
	ASSERT_EQ(Geocentric.size(), 1u);
	ExpectNumbers(Geocentric[0], {-9.7803253359, 0.0, 0.0}, 1e-9);
	const std::vector<std::string> Ned = RunCommand({"gravity", "--position-system", "Geodetic", "--vector-system", "Local_NED"}, "60 100 0\n");
	ASSERT_EQ(Ned.size(), 1u);
	const std::vector<double> Down = ParseNumbers(Ned[0]);
	ASSERT_EQ(Down.size(), 3u);
	EXPECT_NEAR(Down[0], 0.0, 1e-9);
	EXPECT_NEAR(Down[1], 0.0, 1e-12);
	EXPECT_GT(Down[2], 9.81);
	const std::vector<std::string> Ue = RunCommand({"gravity", "--position-system", "Geodetic", "--vector-system", "Local_UE"}, "60 100 0\n");
	ASSERT_EQ(Ue.size(), 1u);
	EXPECT_NEAR(ParseNumbers(Ue[0])[2], -Down[2], 1e-12);
	const std::vector<std::string> Refused = RunCommand({"gravity", "--vector-system", "Geodetic"}, "0 0 0\n", 1);
	ASSERT_EQ(Refused.size(), 1u);
	EXPECT_EQ(Refused[0], "ERROR: gravity has no geodetic form");
}
