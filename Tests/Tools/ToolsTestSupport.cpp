#include "ToolsTestSupport.h"

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace DuRizerudore::ToolsTest
{
namespace fs = std::filesystem;

namespace
{
void PutBigEndian(std::vector<unsigned char>& Out, std::uint64_t Value, int Bytes)
{
	for (int Shift = 8 * (Bytes - 1); Shift >= 0; Shift -= 8)
	{
		Out.push_back(static_cast<unsigned char>((Value >> Shift) & 0xff));
	}
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
