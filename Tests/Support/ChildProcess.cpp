#include "ChildProcess.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace DuRizerudoreTest
{
	namespace fs = std::filesystem;

	namespace
	{
		void ClosePipe(std::array<int, 2>& Pipe)
		{
			for (int& End : Pipe)
			{
				if (End >= 0)
				{
					::close(End);
					End = -1;
				}
			}
		}

		void CloseOne(int& FileDescriptor)
		{
			if (FileDescriptor >= 0)
			{
				::close(FileDescriptor);
				FileDescriptor = -1;
			}
		}

		/** Reads what is there; false once the other end closed. */
		bool Drain(const int FileDescriptor, std::string& Out)
		{
			std::array<char, 65536> Chunk;
			while (true)
			{
				const ssize_t Count = ::read(FileDescriptor, Chunk.data(), Chunk.size());
				if (Count > 0)
				{
					Out.append(Chunk.data(), static_cast<std::size_t>(Count));
					continue;
				}
				if (Count < 0 && errno == EINTR)
				{
					continue;
				}
				return Count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
			}
		}

		/** Spawns Argv with Actions and Attributes; the child's id, or -1 with the error in SpawnError. */
		pid_t Spawn(const std::vector<std::string>& Argv, const posix_spawn_file_actions_t& Actions, const posix_spawnattr_t* Attributes, int& SpawnError)
		{
			std::vector<std::string> Arguments = Argv;
			std::vector<char*> ArgumentPointers;
			for (std::string& Argument : Arguments)
			{
				ArgumentPointers.push_back(Argument.data());
			}
			ArgumentPointers.push_back(nullptr);
			pid_t Child = 0;
			SpawnError = Arguments.empty() ? EINVAL : ::posix_spawnp(&Child, ArgumentPointers[0], &Actions, Attributes, ArgumentPointers.data(), environ);
			return SpawnError == 0 ? Child : -1;
		}

		/** The exit status of Child, or -1 when it did not exit normally. */
		int WaitForExit(const pid_t Child)
		{
			int Status = 0;
			while (::waitpid(Child, &Status, 0) < 0)
			{
				if (errno != EINTR)
				{
					return -1;
				}
			}
			return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		}
	}

	FProcessResult RunProcess(const std::vector<std::string>& Argv, const std::string_view Input)
	{
		// A child that exits without reading all of its input must not take the test down with SIGPIPE.
		::signal(SIGPIPE, SIG_IGN);

		FProcessResult Result;
		std::array<int, 2> InPipe{-1, -1};
		std::array<int, 2> OutPipe{-1, -1};
		std::array<int, 2> ErrPipe{-1, -1};
		if (::pipe2(InPipe.data(), O_CLOEXEC) != 0 || ::pipe2(OutPipe.data(), O_CLOEXEC) != 0 || ::pipe2(ErrPipe.data(), O_CLOEXEC) != 0)
		{
			ClosePipe(InPipe);
			ClosePipe(OutPipe);
			ClosePipe(ErrPipe);
			return Result;
		}

		posix_spawn_file_actions_t Actions;
		posix_spawn_file_actions_init(&Actions);
		posix_spawn_file_actions_adddup2(&Actions, InPipe[0], STDIN_FILENO);
		posix_spawn_file_actions_adddup2(&Actions, OutPipe[1], STDOUT_FILENO);
		posix_spawn_file_actions_adddup2(&Actions, ErrPipe[1], STDERR_FILENO);
		// The child gets the default SIGPIPE back, as it would from a shell.
		posix_spawnattr_t Attributes;
		posix_spawnattr_init(&Attributes);
		sigset_t Defaults;
		sigemptyset(&Defaults);
		sigaddset(&Defaults, SIGPIPE);
		posix_spawnattr_setsigdefault(&Attributes, &Defaults);
		posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSIGDEF);

		int SpawnError = 0;
		const pid_t Child = Spawn(Argv, Actions, &Attributes, SpawnError);
		posix_spawn_file_actions_destroy(&Actions);
		posix_spawnattr_destroy(&Attributes);
		CloseOne(InPipe[0]);
		CloseOne(OutPipe[1]);
		CloseOne(ErrPipe[1]);
		if (SpawnError != 0)
		{
			ClosePipe(InPipe);
			ClosePipe(OutPipe);
			ClosePipe(ErrPipe);
			Result.Stderr = std::string("posix_spawnp failed: ") + std::strerror(SpawnError);
			return Result;
		}
		Result.bStarted = true;

		for (const int FileDescriptor : {InPipe[1], OutPipe[0], ErrPipe[0]})
		{
			::fcntl(FileDescriptor, F_SETFL, ::fcntl(FileDescriptor, F_GETFL) | O_NONBLOCK);
		}
		std::size_t Written = 0;
		if (Input.empty())
		{
			CloseOne(InPipe[1]);
		}
		while (OutPipe[0] >= 0 || ErrPipe[0] >= 0)
		{
			std::array<pollfd, 3> Watched{{{InPipe[1], POLLOUT, 0}, {OutPipe[0], POLLIN, 0}, {ErrPipe[0], POLLIN, 0}}};
			if (::poll(Watched.data(), Watched.size(), -1) < 0)
			{
				if (errno == EINTR)
				{
					continue;
				}
				break;
			}
			if (InPipe[1] >= 0 && (Watched[0].revents & (POLLOUT | POLLERR | POLLHUP)) != 0)
			{
				const ssize_t Count = ::write(InPipe[1], Input.data() + Written, Input.size() - Written);
				if (Count > 0)
				{
					Written += static_cast<std::size_t>(Count);
				}
				if ((Count < 0 && errno != EAGAIN && errno != EINTR) || Written == Input.size())
				{
					CloseOne(InPipe[1]);
				}
			}
			if (OutPipe[0] >= 0 && Watched[1].revents != 0 && !Drain(OutPipe[0], Result.Stdout))
			{
				CloseOne(OutPipe[0]);
			}
			if (ErrPipe[0] >= 0 && Watched[2].revents != 0 && !Drain(ErrPipe[0], Result.Stderr))
			{
				CloseOne(ErrPipe[0]);
			}
		}
		ClosePipe(InPipe);
		ClosePipe(OutPipe);
		ClosePipe(ErrPipe);

		Result.ExitCode = WaitForExit(Child);
		return Result;
	}

	int RunProcessOnFile(const std::vector<std::string>& Argv, const fs::path& Input)
	{
		posix_spawn_file_actions_t Actions;
		posix_spawn_file_actions_init(&Actions);
		posix_spawn_file_actions_addopen(&Actions, STDIN_FILENO, Input.c_str(), O_RDONLY, 0);
		posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
		int SpawnError = 0;
		const pid_t Child = Spawn(Argv, Actions, nullptr, SpawnError);
		posix_spawn_file_actions_destroy(&Actions);
		return Child < 0 ? -1 : WaitForExit(Child);
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
