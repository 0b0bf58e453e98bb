#include "ChildProcess.h"

#include "TemporaryDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace DuRizerudoreTest
{
	namespace fs = std::filesystem;

	namespace
	{
		/** Runs Argv with standard input, output and error on the given files; the exit status, or -1 when it did not start or exit normally. */
		int Spawn(const std::vector<std::string>& Argv, const fs::path& Input, const fs::path& Output, const fs::path& Error, bool& bStarted)
		{
			posix_spawn_file_actions_t Actions;
			posix_spawn_file_actions_init(&Actions);
			posix_spawn_file_actions_addopen(&Actions, STDIN_FILENO, Input.c_str(), O_RDONLY, 0);
			posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, Output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
			posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, Error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
			std::vector<std::string> Arguments = Argv;
			std::vector<char*> ArgumentPointers;
			for (std::string& Argument : Arguments)
			{
				ArgumentPointers.push_back(Argument.data());
			}
			ArgumentPointers.push_back(nullptr);
			pid_t Child = 0;
			bStarted = !Arguments.empty() && ::posix_spawnp(&Child, ArgumentPointers[0], &Actions, nullptr, ArgumentPointers.data(), environ) == 0;
			posix_spawn_file_actions_destroy(&Actions);
			int Status = 0;
			while (bStarted && ::waitpid(Child, &Status, 0) < 0)
			{
				if (errno != EINTR)
				{
					return -1;
				}
			}
			return bStarted && WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		}

		std::string ReadFile(const fs::path& Path)
		{
			std::ifstream Stream(Path, std::ios::binary);
			return std::string(std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>());
		}
	}

	FProcessResult RunProcess(const std::vector<std::string>& Argv, const std::string_view Input)
	{
		// Through files, as a shell's redirections would: the child reads and writes at its own pace.
		const FTemporaryDirectory Scratch;
		std::ofstream(Scratch / "stdin", std::ios::binary).write(Input.data(), static_cast<std::streamsize>(Input.size()));
		FProcessResult Result;
		Result.ExitCode = Spawn(Argv, Scratch / "stdin", Scratch / "stdout", Scratch / "stderr", Result.bStarted);
		Result.Stdout = ReadFile(Scratch / "stdout");
		Result.Stderr = Result.bStarted ? ReadFile(Scratch / "stderr") : "posix_spawnp failed";
		return Result;
	}

	int RunProcessOnFile(const std::vector<std::string>& Argv, const fs::path& Input)
	{
		bool bStarted = false;
		return Spawn(Argv, Input, "/dev/null", "/dev/null", bStarted);
	}

	bool IsProgramOnPath(const std::string& Name)
	{
		const char* const Path = std::getenv("PATH");
		if (Path == nullptr)
		{
			return false;
		}
		std::string_view Rest(Path);
		while (!Rest.empty())
		{
			const std::size_t Colon = Rest.find(':');
			const fs::path Candidate = fs::path(std::string(Rest.substr(0, Colon))) / Name;
			if (::access(Candidate.c_str(), X_OK) == 0)
			{
				return true;
			}
			Rest = Colon == std::string_view::npos ? std::string_view() : Rest.substr(Colon + 1);
		}
		return false;
	}
}
