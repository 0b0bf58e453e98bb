// Running a program as a child process the way a user's shell would with redirections: standard input
// from a string or a file, standard output and error captured or, for long runs, discarded.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace DuRizerudoreTest
{
	struct FProcessResult
	{
		bool bStarted = false;
		int ExitCode = -1; // -1 when the child did not exit normally
		std::string Stdout;
		std::string Stderr;
	};

	/** Runs Argv (Argv[0] looked up on PATH unless it holds a slash) with Input on its standard input. */
	FProcessResult RunProcess(const std::vector<std::string>& Argv, std::string_view Input = {});

	/** Runs Argv with the file Input on its standard input and its standard output discarded; the exit status, or -1. */
	int RunProcessOnFile(const std::vector<std::string>& Argv, const std::filesystem::path& Input);

	/** True when a program of that name is on PATH. */
	bool IsProgramOnPath(const std::string& Name);
}
