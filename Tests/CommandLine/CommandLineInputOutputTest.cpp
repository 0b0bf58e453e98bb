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
		{"too small for a double: 0 or the nearest subnormal, as strtod reads it", "1e-400 -1e-400 2e-324\n+3e-324 1e-99999999999999999999 4.9e-324\n",
			"0 -0 0\n5e-324 0 5e-324\n", 0},
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
		{"1 -1e999 3", "number out of range: '-1e999'"},
		{"1 2 1e-400x", "not a number: '1e-400x'"},
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

TEST(CommandLineNumbers, TheLineLimitIsTheLinesOwnWhereverItFalls)
{
	constexpr std::size_t LimitBytes = 64 * 1024;
	/** Three numbers padded with spaces to Length bytes before the newline. */
	const auto LineOf = [](const std::size_t Length) {
		std::string Line = "1 2 3";
		Line.resize(Length, ' ');
		return Line;
	};
	const std::vector<std::pair<std::string, std::string>> Lines = {
		{LineOf(LimitBytes), "1 2 3\n"},
		{LineOf(LimitBytes + 1), "ERROR: line too long\n"},
		{std::string(70000, '1'), "ERROR: line too long\n"},
	};
	// Short lines before the long one put it at other places in the reader's buffer, across a refill among them.
	for (const int ShortLinesBefore : {0, 1, 4500, 11000})
	{
		std::string Before;
		for (int Index = 0; Index < ShortLinesBefore; ++Index)
		{
			Before += "7 8 9\n";
		}
		for (const auto& [Line, Answer] : Lines)
		{
			const FProcessResult Result = Echo(Before + Line + "\n4 5 6\n");
			// The short lines come back as they went in; only what follows them is shown on failure.
			ASSERT_TRUE(Result.Stdout.starts_with(Before)) << Line.size() << " bytes after " << ShortLinesBefore << " lines";
			EXPECT_EQ(Result.Stdout.substr(Before.size()), Answer + "4 5 6\n") << Line.size() << " bytes after " << ShortLinesBefore << " lines";
		}
	}
}

TEST(CommandLineStreaming, AMillionMixedLinesComeOutTheSameOnOneThreadAndOnTwo)
{
	// Good positions, blank lines, refused latitudes, unreadable lines and one over the line limit, in blocks
	// that straddle the tool's own.
	std::string Input;
	for (int Line = 0; Line < 1000000; ++Line)
	{
		switch (Line % 97)
		{
		case 5:
			Input += "\n";
			break;
		case 17:
			Input += fmt::format("{} 10 0\n", 90 + Line % 13);
			break;
		case 41:
			Input += "1,,2\n";
			break;
		case 66:
			Input += "nan 1 2\n";
			break;
		default:
			Input += fmt::format("{} {} {}\n", 48.0 + (Line % 1000) * 0.001, 11.0 - (Line % 777) * 0.002, Line % 3000);
			break;
		}
		if (Line == 123457)
		{
			Input += std::string(70000, '1') + "\n";
		}
	}
	const auto Run = [&Input](const char* Threads) {
		return RunTool({"position", "--from", "Geodetic", "--to", "Local_UE", "--origin", "48,11,500", "--threads", Threads}, Input);
	};
	const FProcessResult One = Run("1");
	const FProcessResult Two = Run("2");
	EXPECT_EQ(One.ExitCode, 1);
	EXPECT_EQ(Two.ExitCode, 1);
	EXPECT_TRUE(One.Stdout == Two.Stdout);
	const std::vector<std::string> Lines = SplitLines(One.Stdout);
	// Every line but the blank ones answers, the one too long included.
	EXPECT_EQ(Lines.size(), 1000000u - (1000000 / 97 + 1) + 1);
	// Input line 17 (latitude 94) is output line 16: line 5 was blank.
	EXPECT_EQ(Lines[16], "ERROR: geodetic latitude is outside [-90, 90]");
	EXPECT_EQ(Lines[40], "ERROR: empty field 2");
}
