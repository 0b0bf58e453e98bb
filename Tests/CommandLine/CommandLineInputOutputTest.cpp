// How the tool reads and writes lines: number formatting, separators, bad lines among good ones,
// blank lines, and a long stream.
#include "CommandLineRunner.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	/** Local_ENU to Local_ENU hands the numbers through unchanged, so only reading and printing remain. */
	FProcessResult Echo(const std::string& Input)
	{
		return RunTool({"position", "--from", "Local_ENU", "--to", "Local_ENU"}, Input);
	}
}

TEST(CommandLineNumbers, ReadingPrintingAndBadLines)
{
	struct FCase
	{
		const char* What;
		std::string Input;
		std::string Output;
		int ExitCode;
	};
	const std::vector<FCase> Cases = {
		{"shortest form that reads back", "0.1 1e-300 -0\n0.30000000000000004 1.5e3 123456789012345680000\n",
			"0.1 1e-300 -0\n0.30000000000000004 1500 1.2345678901234568e+20\n", 0},
		{"spaces, tabs and commas in any mix", "1 2 3\n1,2,3\n1\t2\t3\n  1   2 , 3  \n1,\t 2 ,3\r\n+1 2 3\n", "1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n", 0},
		{"blank lines and a last line without newline", "\n1 2 3\n   \n\t\n\n4 5 6", "1 2 3\n4 5 6\n", 0},
		{"empty input", "", "", 0},
		{"an overlong line", "1 2 3\n" + std::string(200000, '1') + "\n4 5 6\n", "1 2 3\nERROR: line too long\n4 5 6\n", 1},
		{"control bytes in a bad token", std::string("1 2 a\0b\x1b", 8) + "\n", "ERROR: not a number: 'a\\x00b\\x1b'\n", 1},
	};
	for (const FCase& Case : Cases)
	{
		const FProcessResult Result = Echo(Case.Input);
		EXPECT_EQ(Result.ExitCode, Case.ExitCode) << Case.What << ": " << Result.Stderr;
		EXPECT_EQ(Result.Stdout, Case.Output) << Case.What;
	}

	// Each bad line prints its reason in place and the lines around it are unaffected.
	const std::vector<std::pair<std::string, std::string>> BadLines = {
		{"1 2", "expected 3 numbers, found 2"},
		{"1 2 3 4", "expected 3 numbers, found 4"},
		{"a b c", "not a number: 'a'"},
		{"1 2 3x", "not a number: '3x'"},
		{"1 2 0x10", "not a number: '0x10'"},
		{"1 2 --3", "not a number: '--3'"},
		{"1e999 2 3", "number out of range: '1e999'"},
		{",,,", "empty field 1"},
	};
	std::string Input = "1 2 3\n";
	std::string Expected = "1 2 3\n";
	for (const auto& [Line, Reason] : BadLines)
	{
		Input += Line + "\n7 8 9\n";
		Expected += "ERROR: " + Reason + "\n7 8 9\n";
	}
	const FProcessResult Result = Echo(Input);
	EXPECT_EQ(Result.ExitCode, 1);
	EXPECT_EQ(Result.Stdout, Expected);
}

TEST(CommandLineStreaming, TwoHundredThousandLinesComeOutInOrder)
{
	std::string Input;
	for (int Line = 0; Line < 200000; ++Line)
	{
		Input += fmt::format("{} {} {}\n", Line, -Line, Line % 7);
	}
	const FProcessResult Result = Echo(Input);
	ASSERT_EQ(Result.ExitCode, 0) << Result.Stderr;
	EXPECT_TRUE(Result.Stdout == Input);
}
