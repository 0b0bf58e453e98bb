// Helpers shared by the data-tool tests: an independent writer of PROJ's gtx grid format (written
// here from the format description, not from the converter's code, so the tests do not inherit its
// mistakes). Scratch directories and child processes come from the shared test support.
#pragma once

#include "ChildProcess.h"
#include "TemporaryDirectory.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace DuRizerudore::ToolsTest
{
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

void WriteBytes(const std::filesystem::path& Path, const std::vector<unsigned char>& Bytes);
std::vector<unsigned char> ReadBytes(const std::filesystem::path& Path);
std::string ReadText(const std::filesystem::path& Path);

std::vector<std::string> ListDirectory(const std::filesystem::path& Dir);
} // namespace DuRizerudore::ToolsTest
