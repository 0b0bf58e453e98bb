// durizerudore-geoid-from-gtx INPUT.gtx OUTPUT.pgm
//
// Converts a global PROJ vertical-offset grid (.gtx, e.g. egm96_15.gtx from Debian's proj-data) into
// the 16-bit big-endian PGM geoid file that GeographicLib::Geoid loads. PROJ's grid is a free,
// locally packaged copy of EGM96, so the plugin does not depend on a download to get a geoid.
//
// gtx layout: a 40-byte big-endian header (lower-left latitude, lower-left longitude, latitude step,
// longitude step as doubles, in degrees; rows and columns as int32), then rows*columns big-endian
// float32 heights in metres, rows from south to north, each row eastward from the lower-left
// longitude.
//
// PGM layout expected by GeographicLib: "P5", '#' comment lines carrying Offset and Scale (height =
// Offset + Scale * pixel), "WIDTH HEIGHT", "65535", then 16-bit big-endian pixels, first row at 90N
// going south, first column at 0E going east, width even and height odd (the grid must contain the
// equator and be extendable across the poles).
//
// The output is written to a temporary file next to OUTPUT and renamed into place only after every
// value has been validated and flushed, so a failed run never leaves a partial geoid behind.

#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// GeographicLib's published geoids all use this quantisation: 3 mm steps covering -108 m .. 88.6 m,
// which brackets every global geoid height (EGM96 spans about -107 m .. 85 m).
constexpr double PgmOffset = -108.0;
constexpr double PgmScale = 0.003;
constexpr std::uint32_t PgmMaxValue = 65535;

constexpr std::uint64_t GtxHeaderBytes = 40;
// PROJ and the NOAA tools that produce gtx files mark cells without data with this value.
constexpr double GtxNoData = -88.8888;

// A 1-arc-second global grid is far beyond anything we ship; this only rejects header garbage
// before we trust its sizes.
constexpr std::int64_t MaxGridCells = std::int64_t(1) << 31;

struct ConversionError : std::runtime_error
{
	using std::runtime_error::runtime_error;
};

struct GtxHeader
{
	double LowerLeftLatitude = 0;
	double LowerLeftLongitude = 0;
	double LatitudeStep = 0;
	double LongitudeStep = 0;
	std::int32_t Rows = 0;
	std::int32_t Columns = 0;
};

// How gtx columns map onto the output's 0E-based columns.
struct GridLayout
{
	std::int64_t Width = 0;	 // output columns covering 360 degrees exactly once
	std::int64_t Height = 0; // output rows, 90N to 90S inclusive
	std::int64_t ZeroEastColumn = 0; // gtx column holding longitude 0
};

std::uint64_t LoadBigEndian64(const unsigned char* Bytes)
{
	std::uint64_t Value = 0;
	for (int I = 0; I < 8; ++I)
	{
		Value = (Value << 8) | Bytes[I];
	}
	return Value;
}

std::uint32_t LoadBigEndian32(const unsigned char* Bytes)
{
	return (std::uint32_t(Bytes[0]) << 24) | (std::uint32_t(Bytes[1]) << 16) | (std::uint32_t(Bytes[2]) << 8) |
		   std::uint32_t(Bytes[3]);
}

double LoadDouble(const unsigned char* Bytes) { return std::bit_cast<double>(LoadBigEndian64(Bytes)); }

float LoadFloat(const unsigned char* Bytes) { return std::bit_cast<float>(LoadBigEndian32(Bytes)); }

std::int32_t LoadInt32(const unsigned char* Bytes) { return std::bit_cast<std::int32_t>(LoadBigEndian32(Bytes)); }

// Tolerance for "this header value is the expected multiple of the step": gtx headers are written
// from decimal degrees, so exact equality is too strict, but a millionth of a cell is still
// unambiguous.
bool NearlyEqual(double A, double B, double Step) { return std::fabs(A - B) <= 1e-6 * Step; }

GtxHeader ReadHeader(std::ifstream& In, const std::string& Name)
{
	std::array<unsigned char, GtxHeaderBytes> Bytes{};
	In.read(reinterpret_cast<char*>(Bytes.data()), std::streamsize(Bytes.size()));
	if (In.gcount() != std::streamsize(Bytes.size()))
	{
		throw ConversionError(fmt::format("{}: truncated header ({} of {} bytes)", Name, In.gcount(), GtxHeaderBytes));
	}
	GtxHeader Header;
	Header.LowerLeftLatitude = LoadDouble(&Bytes[0]);
	Header.LowerLeftLongitude = LoadDouble(&Bytes[8]);
	Header.LatitudeStep = LoadDouble(&Bytes[16]);
	Header.LongitudeStep = LoadDouble(&Bytes[24]);
	Header.Rows = LoadInt32(&Bytes[32]);
	Header.Columns = LoadInt32(&Bytes[36]);
	return Header;
}

GridLayout ValidateHeader(const GtxHeader& H, std::uint64_t FileSize, const std::string& Name)
{
	if (!std::isfinite(H.LowerLeftLatitude) || !std::isfinite(H.LowerLeftLongitude) ||
		!std::isfinite(H.LatitudeStep) || !std::isfinite(H.LongitudeStep))
	{
		throw ConversionError(fmt::format("{}: header holds non-finite origin or step (not a gtx grid?)", Name));
	}
	if (!(H.LatitudeStep > 0) || !(H.LongitudeStep > 0) || H.LatitudeStep > 90 || H.LongitudeStep > 180)
	{
		throw ConversionError(fmt::format("{}: header steps {} x {} degrees are not in (0, 90] x (0, 180]", Name,
			H.LatitudeStep, H.LongitudeStep));
	}
	if (H.Rows < 2 || H.Columns < 2 || std::int64_t(H.Rows) * H.Columns > MaxGridCells)
	{
		throw ConversionError(
			fmt::format("{}: header grid size {} rows x {} columns is not plausible", Name, H.Rows, H.Columns));
	}
	const std::uint64_t Expected = GtxHeaderBytes + 4 * std::uint64_t(H.Rows) * std::uint64_t(H.Columns);
	if (FileSize != Expected)
	{
		throw ConversionError(fmt::format("{}: file is {} bytes but a {} x {} grid needs {} (truncated or corrupt)",
			Name, FileSize, H.Rows, H.Columns, Expected));
	}

	// GeographicLib's geoid files are global: rows from pole to pole, columns once around.
	const double NorthEdge = H.LowerLeftLatitude + (H.Rows - 1) * H.LatitudeStep;
	if (!NearlyEqual(H.LowerLeftLatitude, -90, H.LatitudeStep) || !NearlyEqual(NorthEdge, 90, H.LatitudeStep))
	{
		throw ConversionError(fmt::format(
			"{}: grid covers latitudes {} .. {}, a global geoid needs -90 .. 90", Name, H.LowerLeftLatitude, NorthEdge));
	}
	GridLayout Layout;
	Layout.Height = H.Rows;
	Layout.Width = std::llround(360 / H.LongitudeStep);
	if (!NearlyEqual(Layout.Width * H.LongitudeStep, 360, H.LongitudeStep))
	{
		throw ConversionError(
			fmt::format("{}: longitude step {} degrees does not divide 360", Name, H.LongitudeStep));
	}
	// Some gtx grids repeat the first column at +360 degrees; that copy is redundant once we wrap.
	if (H.Columns != Layout.Width && H.Columns != Layout.Width + 1)
	{
		throw ConversionError(fmt::format("{}: {} columns of {} degrees do not cover 360 degrees of longitude", Name,
			H.Columns, H.LongitudeStep));
	}
	const double ZeroColumn = -H.LowerLeftLongitude / H.LongitudeStep;
	if (std::fabs(ZeroColumn - std::round(ZeroColumn)) > 1e-6)
	{
		throw ConversionError(fmt::format("{}: lower-left longitude {} is not on the {} degree lattice through 0E", Name,
			H.LowerLeftLongitude, H.LongitudeStep));
	}
	Layout.ZeroEastColumn = ((std::llround(ZeroColumn) % Layout.Width) + Layout.Width) % Layout.Width;
	if (Layout.Width % 2 != 0 || Layout.Height % 2 == 0)
	{
		throw ConversionError(fmt::format(
			"{}: GeographicLib needs an even number of longitudes and an odd number of latitudes, grid is {} x {}", Name,
			Layout.Width, Layout.Height));
	}
	return Layout;
}

std::uint16_t Quantise(double Height, double Latitude, double Longitude, const std::string& Name)
{
	if (!std::isfinite(Height))
	{
		throw ConversionError(fmt::format("{}: non-finite value at latitude {}, longitude {}", Name, Latitude, Longitude));
	}
	if (std::fabs(Height - GtxNoData) < 1e-3)
	{
		throw ConversionError(fmt::format(
			"{}: no-data marker {} at latitude {}, longitude {}; a geoid needs every node", Name, GtxNoData, Latitude,
			Longitude));
	}
	const double Pixel = std::round((Height - PgmOffset) / PgmScale);
	if (Pixel < 0 || Pixel > PgmMaxValue)
	{
		throw ConversionError(
			fmt::format("{}: height {} m at latitude {}, longitude {} is outside the storable range {} .. {} m", Name,
				Height, Latitude, Longitude, PgmOffset, PgmOffset + PgmMaxValue * PgmScale));
	}
	return std::uint16_t(Pixel);
}

// A temporary file beside the destination that is removed unless Commit() renamed it into place.
class PendingFile
{
public:
	explicit PendingFile(const fs::path& Destination) : Destination(Destination)
	{
		std::string Template = Destination.string() + ".tmp-XXXXXX";
		const int Fd = mkstemp(Template.data());
		if (Fd < 0)
		{
			throw ConversionError(
				fmt::format("{}: cannot create a temporary file: {}", Destination.string(), std::strerror(errno)));
		}
		TempPath = Template;
		// mkstemp creates mode 0600; the installed geoid should be readable like any other data file.
		const mode_t Mask = umask(0);
		umask(Mask);
		fchmod(Fd, 0666 & ~Mask);
		Stream = fdopen(Fd, "wb");
		if (Stream == nullptr)
		{
			close(Fd);
			unlink(TempPath.c_str());
			throw ConversionError(fmt::format("{}: cannot open temporary file: {}", TempPath, std::strerror(errno)));
		}
	}

	PendingFile(const PendingFile&) = delete;
	PendingFile& operator=(const PendingFile&) = delete;

	~PendingFile()
	{
		if (Stream != nullptr)
		{
			std::fclose(Stream);
		}
		if (!Committed)
		{
			unlink(TempPath.c_str());
		}
	}

	void Write(const void* Data, std::size_t Size)
	{
		if (std::fwrite(Data, 1, Size, Stream) != Size)
		{
			throw ConversionError(fmt::format("{}: write failed: {}", TempPath, std::strerror(errno)));
		}
	}

	void Commit()
	{
		const bool Flushed = std::fflush(Stream) == 0 && fsync(fileno(Stream)) == 0;
		const bool Closed = std::fclose(Stream) == 0;
		Stream = nullptr;
		if (!Flushed || !Closed)
		{
			throw ConversionError(fmt::format("{}: write failed: {}", TempPath, std::strerror(errno)));
		}
		if (std::rename(TempPath.c_str(), Destination.c_str()) != 0)
		{
			throw ConversionError(fmt::format("cannot rename {} to {}: {}", TempPath, Destination.string(),
				std::strerror(errno)));
		}
		Committed = true;
	}

private:
	fs::path Destination;
	std::string TempPath;
	std::FILE* Stream = nullptr;
	bool Committed = false;
};

struct Options
{
	std::string Input;
	std::string Output;
	std::string Description;
	std::string VerticalDatum = "WGS84";
};

void Convert(const Options& Opt)
{
	const std::string& Name = Opt.Input;
	std::error_code Error;
	const auto Status = fs::status(Opt.Input, Error);
	if (Error || !fs::exists(Status))
	{
		throw ConversionError(fmt::format("{}: no such file", Name));
	}
	if (!fs::is_regular_file(Status))
	{
		throw ConversionError(fmt::format("{}: not a regular file", Name));
	}
	const std::uint64_t FileSize = fs::file_size(Opt.Input, Error);
	if (Error)
	{
		throw ConversionError(fmt::format("{}: cannot determine size: {}", Name, Error.message()));
	}
	std::ifstream In(Opt.Input, std::ios::binary);
	if (!In)
	{
		throw ConversionError(fmt::format("{}: cannot open: {}", Name, std::strerror(errno)));
	}

	const GtxHeader Header = ReadHeader(In, Name);
	const GridLayout Layout = ValidateHeader(Header, FileSize, Name);

	const std::string Description = Opt.Description.empty()
		? fmt::format("{} geoid, {}-minute grid, converted from PROJ grid {}", Opt.VerticalDatum.empty() ? "Unknown-datum" : Opt.VerticalDatum,
			  Header.LongitudeStep * 60, fs::path(Opt.Input).filename().string())
		: Opt.Description;
	if (Description.find('\n') != std::string::npos || Opt.VerticalDatum.find('\n') != std::string::npos)
	{
		throw ConversionError("description and vertical datum must be single lines");
	}

	std::string PgmHeader = "P5\n";
	PgmHeader += "# Geoid file in PGM format for the GeographicLib::Geoid class\n";
	PgmHeader += fmt::format("# Description {}\n", Description);
	PgmHeader += fmt::format("# Source {}\n", fs::path(Opt.Input).filename().string());
	PgmHeader += fmt::format("# Offset {}\n", PgmOffset);
	PgmHeader += fmt::format("# Scale {}\n", PgmScale);
	PgmHeader += "# Origin 90N 0E\n";
	PgmHeader += "# AREA_OR_POINT Point\n";
	if (!Opt.VerticalDatum.empty())
	{
		PgmHeader += fmt::format("# Vertical_Datum {}\n", Opt.VerticalDatum);
	}
	PgmHeader += fmt::format("{} {}\n{}\n", Layout.Width, Layout.Height, PgmMaxValue);

	PendingFile Out(Opt.Output);
	Out.Write(PgmHeader.data(), PgmHeader.size());

	// Output rows run north to south, gtx rows south to north: read the gtx rows in reverse, one at a
	// time, so memory stays at one row whatever the grid resolution.
	std::vector<unsigned char> RowBytes(std::size_t(Header.Columns) * 4);
	std::vector<unsigned char> PixelBytes(std::size_t(Layout.Width) * 2);
	for (std::int64_t OutRow = 0; OutRow < Layout.Height; ++OutRow)
	{
		const std::int64_t GtxRow = Layout.Height - 1 - OutRow;
		In.seekg(std::streamoff(GtxHeaderBytes + std::uint64_t(GtxRow) * RowBytes.size()));
		In.read(reinterpret_cast<char*>(RowBytes.data()), std::streamsize(RowBytes.size()));
		if (In.gcount() != std::streamsize(RowBytes.size()))
		{
			throw ConversionError(fmt::format("{}: read failed in row {} (file changed while reading?)", Name, GtxRow));
		}
		const double Latitude = Header.LowerLeftLatitude + GtxRow * Header.LatitudeStep;
		// Validate every stored value, the redundant wrap-around column included: a corrupt copy
		// there still means a corrupt file.
		for (std::int64_t GtxColumn = 0; GtxColumn < Header.Columns; ++GtxColumn)
		{
			const double Longitude = Header.LowerLeftLongitude + GtxColumn * Header.LongitudeStep;
			const std::uint16_t Pixel = Quantise(LoadFloat(&RowBytes[std::size_t(GtxColumn) * 4]), Latitude, Longitude, Name);
			if (GtxColumn >= Layout.Width)
			{
				continue;
			}
			const std::int64_t OutColumn = (GtxColumn - Layout.ZeroEastColumn + Layout.Width) % Layout.Width;
			PixelBytes[std::size_t(OutColumn) * 2] = static_cast<unsigned char>(Pixel >> 8);
			PixelBytes[std::size_t(OutColumn) * 2 + 1] = static_cast<unsigned char>(Pixel & 0xff);
		}
		Out.Write(PixelBytes.data(), PixelBytes.size());
	}
	Out.Commit();
}
} // namespace

int main(int argc, char** argv)
{
	CLI::App App{"Convert a global PROJ .gtx geoid grid into a GeographicLib PGM geoid file"};
	Options Opt;
	App.add_option("INPUT", Opt.Input, "PROJ vertical grid, e.g. /usr/share/proj/egm96_15.gtx")->required();
	App.add_option("OUTPUT", Opt.Output, "GeographicLib geoid file to write, e.g. egm96-15.pgm")->required();
	App.add_option("--description", Opt.Description, "text for the Description header line");
	App.add_option("--vertical-datum", Opt.VerticalDatum, "ellipsoid the heights refer to (empty: omit the line)")
		->capture_default_str();
	CLI11_PARSE(App, argc, argv);

	try
	{
		Convert(Opt);
	}
	catch (const std::exception& E)
	{
		fmt::print(stderr, "durizerudore-geoid-from-gtx: error: {}\n", E.what());
		return 1;
	}
	return 0;
}
