#pragma once

// Helpers shared by the data-tool tests: scratch directories, running a tool as a child process
// with its output captured, and an independent writer/reader for PROJ's gtx grid format (written
// here from the format description, not from the converter's code, so the tests do not inherit its
// mistakes).

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace DuRizerudore::ToolsTest
{
class TempDir
{
public:
	TempDir();
	~TempDir();
	TempDir(const TempDir&) = delete;
	TempDir& operator=(const TempDir&) = delete;

	const std::filesystem::path& Path() const { return Root; }
	std::filesystem::path operator/(const std::string& Name) const { return Root / Name; }

private:
	std::filesystem::path Root;
};

struct ProcessResult
{
	int ExitCode = -1; // -1 when the child did not exit normally
	std::string Stdout;
	std::string Stderr;
};

// Runs Argv[0] (a path, no PATH search) with Argv; Environment entries override or, with an empty
// value, remove variables of the test's own environment.
ProcessResult RunProcess(const std::vector<std::string>& Argv, const std::map<std::string, std::string>& Environment = {});

struct GtxGrid
{
	double LowerLeftLatitude = -90;
	double LowerLeftLongitude = -180;
	double LatitudeStep = 30;
	double LongitudeStep = 30;
	std::int32_t Rows = 7;
	std::int32_t Columns = 12;
	std::vector<float> Values; // Rows * Columns, south to north, west to east

	float At(int Row, int Column) const { return Values[std::size_t(Row) * std::size_t(Columns) + std::size_t(Column)]; }
};

std::vector<unsigned char> EncodeGtx(const GtxGrid& Grid);
GtxGrid ReadGtx(const std::filesystem::path& Path);

void WriteBytes(const std::filesystem::path& Path, const std::vector<unsigned char>& Bytes);
std::vector<unsigned char> ReadBytes(const std::filesystem::path& Path);
std::string ReadText(const std::filesystem::path& Path);

std::vector<std::string> ListDirectory(const std::filesystem::path& Dir);
} // namespace DuRizerudore::ToolsTest
