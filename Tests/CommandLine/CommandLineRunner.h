// Running the durizerudore tool against the repository's plugin, and reading back what it prints.
#pragma once

#include "ChildProcess.h"
#include "TemporaryDirectory.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace DuRizerudoreCommandLineTest
{
	using DuRizerudoreTest::FProcessResult;
	using DuRizerudoreTest::FTemporaryDirectory;
	using DuRizerudoreTest::RunProcess;

	/** Runs the tool with Arguments; --plugin-dir is added when PluginDirectory is not empty. */
	FProcessResult RunTool(const std::vector<std::string>& Arguments, std::string_view Input, const std::filesystem::path& PluginDirectory);

	/** Runs the tool against the repository's plugin and its installed model data. */
	FProcessResult RunTool(const std::vector<std::string>& Arguments, std::string_view Input);

	std::filesystem::path GetRepositoryRoot();

	/** The lines of Text without their newlines (a trailing newline ends the last line). */
	std::vector<std::string> SplitLines(std::string_view Text);

	/** The numbers of a line separated by white space; fails the current test on anything else. */
	std::vector<double> ParseNumbers(std::string_view Line);
}
