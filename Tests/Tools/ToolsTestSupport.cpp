#include "ToolsTestSupport.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace DuRizerudore::ToolsTest
{
namespace fs = std::filesystem;

TempDir::TempDir()
{
	std::string Template = (fs::temp_directory_path() / "durizerudore-tools-XXXXXX").string();
	if (mkdtemp(Template.data()) == nullptr)
	{
		throw std::runtime_error("mkdtemp failed: " + std::string(std::strerror(errno)));
	}
	Root = Template;
}

TempDir::~TempDir()
{
	std::error_code Ignored;
	fs::remove_all(Root, Ignored);
}

ProcessResult RunProcess(const std::vector<std::string>& Argv, const std::map<std::string, std::string>& Environment)
{
	TempDir Capture;
	const std::string OutPath = (Capture / "stdout").string();
	const std::string ErrPath = (Capture / "stderr").string();

	std::map<std::string, std::string> Env;
	for (char** Entry = environ; *Entry != nullptr; ++Entry)
	{
		const std::string Text(*Entry);
		const auto Eq = Text.find('=');
		if (Eq != std::string::npos)
		{
			Env[Text.substr(0, Eq)] = Text.substr(Eq + 1);
		}
	}
	for (const auto& [Key, Value] : Environment)
	{
		if (Value.empty())
		{
			Env.erase(Key);
		}
		else
		{
			Env[Key] = Value;
		}
	}
	std::vector<std::string> EnvStrings;
	for (const auto& [Key, Value] : Env)
	{
		EnvStrings.push_back(Key + "=" + Value);
	}
	std::vector<char*> EnvPointers;
	for (auto& S : EnvStrings)
	{
		EnvPointers.push_back(S.data());
	}
	EnvPointers.push_back(nullptr);

	std::vector<std::string> ArgStrings = Argv;
	std::vector<char*> ArgPointers;
	for (auto& S : ArgStrings)
	{
		ArgPointers.push_back(S.data());
	}
	ArgPointers.push_back(nullptr);

	posix_spawn_file_actions_t Actions;
	posix_spawn_file_actions_init(&Actions);
	posix_spawn_file_actions_addopen(&Actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, OutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
	posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, ErrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

	ProcessResult Result;
	pid_t Child = 0;
	const int SpawnError = posix_spawn(&Child, ArgPointers[0], &Actions, nullptr, ArgPointers.data(), EnvPointers.data());
	posix_spawn_file_actions_destroy(&Actions);
	if (SpawnError != 0)
	{
		Result.Stderr = "posix_spawn failed: " + std::string(std::strerror(SpawnError));
		return Result;
	}
	int Status = 0;
	while (waitpid(Child, &Status, 0) < 0)
	{
		if (errno != EINTR)
		{
			Result.Stderr = "waitpid failed";
			return Result;
		}
	}
	Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
	Result.Stdout = ReadText(OutPath);
	Result.Stderr = ReadText(ErrPath);
	return Result;
}

namespace
{
void PutBigEndian(std::vector<unsigned char>& Out, std::uint64_t Value, int Bytes)
{
	for (int Shift = 8 * (Bytes - 1); Shift >= 0; Shift -= 8)
	{
		Out.push_back(static_cast<unsigned char>((Value >> Shift) & 0xff));
	}
}

std::uint64_t GetBigEndian(const std::vector<unsigned char>& In, std::size_t At, int Bytes)
{
	std::uint64_t Value = 0;
	for (int I = 0; I < Bytes; ++I)
	{
		Value = (Value << 8) | In.at(At + std::size_t(I));
	}
	return Value;
}
} // namespace

std::vector<unsigned char> EncodeGtx(const GtxGrid& Grid)
{
	std::vector<unsigned char> Out;
	for (double D : {Grid.LowerLeftLatitude, Grid.LowerLeftLongitude, Grid.LatitudeStep, Grid.LongitudeStep})
	{
		PutBigEndian(Out, std::bit_cast<std::uint64_t>(D), 8);
	}
	PutBigEndian(Out, std::bit_cast<std::uint32_t>(Grid.Rows), 4);
	PutBigEndian(Out, std::bit_cast<std::uint32_t>(Grid.Columns), 4);
	for (float F : Grid.Values)
	{
		PutBigEndian(Out, std::bit_cast<std::uint32_t>(F), 4);
	}
	return Out;
}

GtxGrid ReadGtx(const fs::path& Path)
{
	const auto Bytes = ReadBytes(Path);
	GtxGrid Grid;
	Grid.LowerLeftLatitude = std::bit_cast<double>(GetBigEndian(Bytes, 0, 8));
	Grid.LowerLeftLongitude = std::bit_cast<double>(GetBigEndian(Bytes, 8, 8));
	Grid.LatitudeStep = std::bit_cast<double>(GetBigEndian(Bytes, 16, 8));
	Grid.LongitudeStep = std::bit_cast<double>(GetBigEndian(Bytes, 24, 8));
	Grid.Rows = std::bit_cast<std::int32_t>(std::uint32_t(GetBigEndian(Bytes, 32, 4)));
	Grid.Columns = std::bit_cast<std::int32_t>(std::uint32_t(GetBigEndian(Bytes, 36, 4)));
	const std::size_t Count = std::size_t(Grid.Rows) * std::size_t(Grid.Columns);
	if (Bytes.size() != 40 + 4 * Count)
	{
		throw std::runtime_error("unexpected gtx size: " + Path.string());
	}
	Grid.Values.resize(Count);
	for (std::size_t I = 0; I < Count; ++I)
	{
		Grid.Values[I] = std::bit_cast<float>(std::uint32_t(GetBigEndian(Bytes, 40 + 4 * I, 4)));
	}
	return Grid;
}

void WriteBytes(const fs::path& Path, const std::vector<unsigned char>& Bytes)
{
	std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
	Out.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
	if (!Out)
	{
		throw std::runtime_error("cannot write " + Path.string());
	}
}

std::vector<unsigned char> ReadBytes(const fs::path& Path)
{
	std::ifstream In(Path, std::ios::binary);
	if (!In)
	{
		throw std::runtime_error("cannot read " + Path.string());
	}
	return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

std::string ReadText(const fs::path& Path)
{
	std::ifstream In(Path, std::ios::binary);
	return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ListDirectory(const fs::path& Dir)
{
	std::vector<std::string> Names;
	for (const auto& Entry : fs::directory_iterator(Dir))
	{
		Names.push_back(Entry.path().filename().string());
	}
	std::sort(Names.begin(), Names.end());
	return Names;
}
} // namespace DuRizerudore::ToolsTest
