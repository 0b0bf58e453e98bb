// Running the durizerudore tool (and the independent programs its answers are checked against) as a
// child process: standard input from a string over a pipe, standard output and error captured.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace DuRizerudoreCommandLineTest
{
	struct FProcessResult
	{
		bool bStarted = false;
		int ExitCode = -1; // -1 when the child did not exit normally
		std::string Stdout;
		std::string Stderr;
	};

	/** Runs Argv (Argv[0] looked up on PATH unless it holds a slash) with Input on its standard input. */
	FProcessResult RunProcess(const std::vector<std::string>& Argv, std::string_view Input);

	/** Runs the tool with Arguments; --plugin-dir is added when PluginDirectory is not empty. */
	FProcessResult RunTool(const std::vector<std::string>& Arguments, std::string_view Input, const std::filesystem::path& PluginDirectory);

	/** Runs the tool against the repository's plugin and its installed model data. */
	FProcessResult RunTool(const std::vector<std::string>& Arguments, std::string_view Input);

	/** True when a program of that name is on PATH. */
	bool IsProgramOnPath(const std::string& Name);

	std::filesystem::path GetRepositoryRoot();
	std::filesystem::path GetInstalledDataDirectory();

	/** The lines of Text without their newlines (a trailing newline ends the last line). */
	std::vector<std::string> SplitLines(std::string_view Text);

	/** The numbers of a line split at spaces and tabs; fails the current test on anything else. */
	std::vector<double> ParseNumbers(std::string_view Line);

	/** A directory removed with everything in it when the object goes. */
	class FTemporaryDirectory
	{
	public:
		FTemporaryDirectory();
		~FTemporaryDirectory();
		FTemporaryDirectory(const FTemporaryDirectory&) = delete;
		FTemporaryDirectory& operator=(const FTemporaryDirectory&) = delete;

		const std::filesystem::path& GetPath() const { return Path; }

	private:
		std::filesystem::path Path;
	};
}
