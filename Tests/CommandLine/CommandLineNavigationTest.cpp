// The navigation commands against GeographicLib's own tools, which they stand in for line by line:
// GeodSolve, RhumbSolve and Planimeter are run on the same input, and the tool must print the same
// numbers (its own columns first; the rhumb tools' extra area column is theirs alone). Bad lines must
// come out as ERROR lines in their place, with the lines after them still answered.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	// Near-antipodal, pole to pole, across the antimeridian, along the equator and along a meridian.
	const std::string InverseInput = "40.6398 -73.7789 1.3592 103.9915\n0 0 0.5 179.7\n90 0 -90 0\n10 179 -10 -179\n0 10 0 50\n-30 20 60 20\n";

	struct FAgainstReference
	{
		std::vector<std::string> Arguments;
		std::vector<std::string> Reference;
		std::string Input;
		/** The tool's columns, which the reference prints first. */
		std::size_t Columns;
	};
}

TEST(CommandLine, NavigationCommandsPrintWhatGeographicLibsToolsPrint)
{
	for (const char* const Program : {"GeodSolve", "RhumbSolve", "Planimeter"})
	{
		if (!DuRizerudoreTest::IsProgramOnPath(Program))
		{
			GTEST_SKIP() << Program << " is not installed (Debian's geographiclib-tools)";
		}
	}
	const FAgainstReference Cases[] = {
		{{"geodesic", "--inverse"}, {"GeodSolve", "-i", "-p", "9"}, InverseInput, 3},
		{{"geodesic", "--direct"}, {"GeodSolve", "-p", "9"}, "40.6398 -73.7789 30 8000000\n0 0 90 100000\n89.9 0 45 50000\n10 179.9 90 30000\n-45 -170 -135 2e7\n", 3},
		{{"geodesic", "--inverse", "--rhumb"}, {"RhumbSolve", "-i", "-p", "9"}, InverseInput, 2},
		{{"geodesic", "--direct", "--rhumb"}, {"RhumbSolve", "-p", "9"}, "0 0 90 100000\n40 -73 60 1000000\n10 179.9 90 30000\n-45 -170 -135 200000\n", 2},
		// A square, a cap round the north pole and a square across the antimeridian, clockwise.
		{{"polygon-area"}, {"Planimeter", "-p", "9"}, "0 0\n0 1\n1 1\n1 0\n\n89 0\n89 120\n89 -120\n\n10 179\n10 -179\n-10 -179\n-10 179\n", 3},
	};
	for (const FAgainstReference& Case : Cases)
	{
		SCOPED_TRACE(Case.Reference[0] + " " + Case.Arguments.back());
		const FProcessResult Tool = RunTool(Case.Arguments, Case.Input);
		const FProcessResult Reference = RunProcess(Case.Reference, Case.Input);
		ASSERT_EQ(Tool.ExitCode, 0) << Tool.Stderr;
		ASSERT_EQ(Reference.ExitCode, 0) << Reference.Stderr;
		const std::vector<std::string> ToolLines = SplitLines(Tool.Stdout);
		const std::vector<std::string> ReferenceLines = SplitLines(Reference.Stdout);
		ASSERT_EQ(ToolLines.size(), ReferenceLines.size());
		for (std::size_t Line = 0; Line < ToolLines.size(); ++Line)
		{
			SCOPED_TRACE(ToolLines[Line]);
			const std::vector<double> Numbers = ParseNumbers(ToolLines[Line]);
			const std::vector<double> Expected = ParseNumbers(ReferenceLines[Line]);
			ASSERT_EQ(Numbers.size(), Case.Columns);
			ASSERT_GE(Expected.size(), Case.Columns);
			for (std::size_t Column = 0; Column < Case.Columns; ++Column)
			{
				// The reference prints 9 decimals of a metre and more of a degree; areas to 1e-4 square metres.
				EXPECT_NEAR(Numbers[Column], Expected[Column], 1e-11 * std::max(1.0, std::fabs(Expected[Column])) + 1e-9) << "column " << Column;
			}
		}
	}
}

TEST(CommandLine, NavigationCommandsPrintAnErrorInPlaceOfABadLine)
{
	struct FRefusal
	{
		std::vector<std::string> Arguments;
		/** Lines (polygons for polygon-area) each refused, followed by one the tool answers. */
		std::string Input;
		std::size_t Refused;
	};
	const FRefusal Cases[] = {
		{{"geodesic", "--inverse"}, "nan 0 1 1\n91 0 1 1\n0 0 1 inf\n1 2 3\n1 2 3 4 5\n0 0 1 1\n", 5},
		{{"geodesic", "--direct"}, "0 0 90 inf\n-90.5 0 0 1\n1 2\n0 0 90 x\n0 0 0 1\n", 4},
		{{"geodesic", "--inverse", "--rhumb"}, "1 2 3 x\n0 -inf 1 1\n0 0 1 1\n", 2},
		// A rhumb line that would pass beyond a pole.
		{{"geodesic", "--direct", "--rhumb"}, "0 0 90 nan\n40.64 -73.78 30 8000000\n0 0 0 1\n", 2},
		{{"polygon-area"}, "1 2\n2 3\n\n1 x\n0 0\n0 1\n\n95 0\n0 1\n1 1\n\n0 0\n0 1\n1 1\n", 3},
	};
	for (const FRefusal& Case : Cases)
	{
		SCOPED_TRACE(Case.Arguments.back() + ": " + Case.Input);
		const FProcessResult Tool = RunTool(Case.Arguments, Case.Input);
		EXPECT_NE(Tool.ExitCode, 0) << "a refused line fails the run";
		const std::vector<std::string> Lines = SplitLines(Tool.Stdout);
		ASSERT_EQ(Lines.size(), Case.Refused + 1);
		for (std::size_t Line = 0; Line < Case.Refused; ++Line)
		{
			EXPECT_EQ(Lines[Line].rfind("ERROR: ", 0), 0u) << Lines[Line];
		}
		EXPECT_EQ(Lines.back().find("ERROR"), std::string::npos) << Lines.back();
	}
}
