// The model loaders on mutated model files: the input's first byte chooses which of a tiny gravity model's
// metadata, its coefficients or a coarse geoid grid the rest of the input replaces (and the truncation and
// interpolation), the other two files stay intact. Loading must fail cleanly or give a frame whose height and
// gravity queries write their outputs after true and leave documented values after false.
#include "FuzzCheck.h"

#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreLog.h"
#include "TestPluginDirectory.h"
#include "TinyModelFiles.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace
{
	namespace fs = std::filesystem;

	constexpr std::uint64_t UnwrittenBits = 0x7FF4'0000'DEAD'BEEFull;

	bool IsUnwritten(const double Value)
	{
		return std::bit_cast<std::uint64_t>(Value) == UnwrittenBits;
	}

	std::string ReadWholeFile(const fs::path& Path)
	{
		std::ifstream In(Path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
	}

	void WriteWholeFile(const fs::path& Path, const std::string_view Content)
	{
		std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
		Out.write(Content.data(), static_cast<std::streamsize>(Content.size()));
		DURIZERUDORE_FUZZ_CHECK(Out.good(), "write a model file");
	}

	struct FFixture
	{
		DuRizerudoreTest::FTemporaryPlugin Plugin;
		std::array<fs::path, 3> Files;
		std::array<std::string, 3> Intact;

		FFixture()
		{
			// Every rejected file is logged; the run would drown in the messages.
			LogDuRizerudoreConversion.SetVerbosity(ELogVerbosity::Fatal);
			Plugin.CreateModelDirectories();
			DuRizerudoreTest::WriteTinyGravityModel(Plugin.GetGravityDirectory(), "egm84", 4);
			DuRizerudoreTest::WriteCoarseGeoid(Plugin.GetGeoidDirectory(), "egm84-30", 30.0,
				[](const double LatitudeDeg, const double LongitudeDeg) { return 0.2 * LatitudeDeg - 0.05 * LongitudeDeg; });
			Files = {Plugin.GetGravityDirectory() / "egm84.egm", Plugin.GetGravityDirectory() / "egm84.egm.cof", Plugin.GetGeoidDirectory() / "egm84-30.pgm"};
			for (std::size_t Index = 0; Index < Files.size(); ++Index)
			{
				Intact[Index] = ReadWholeFile(Files[Index]);
			}
		}
	};

	FFixture& GetFixture()
	{
		static FFixture* const Fixture = new FFixture();
		return *Fixture;
	}

	void CheckQueries(const FCoordinateReferenceFrame& Frame)
	{
		using Library = UDuRizerudoreBlueprintLibrary;
		for (const FVector& Position : {FVector(45.0, 10.0, 100.0), FVector(-90.0, 0.0, 0.0), FVector(0.0, 179.9, -5000.0)})
		{
			const double Unwritten = std::bit_cast<double>(UnwrittenBits);
			FVector Gravity(Unwritten, Unwritten, Unwritten);
			const bool bGravity = Library::GetGravity(Frame, ECoordinateSystem::Geodetic, Position, ECoordinateSystem::Local_ENU, Gravity);
			DURIZERUDORE_FUZZ_CHECK(bGravity ? !IsUnwritten(Gravity.X) && !IsUnwritten(Gravity.Y) && !IsUnwritten(Gravity.Z) : Gravity.IsZero(),
				"GetGravity writes after true and zeroes after false");
			double Height = Unwritten;
			const bool bHeight = Library::GetHeightAboveMeanSeaLevel(Frame, ECoordinateSystem::Geodetic, Position, Height);
			DURIZERUDORE_FUZZ_CHECK(bHeight ? !IsUnwritten(Height) : Height == 0.0, "GetHeightAboveMeanSeaLevel writes after true and zeroes after false");
		}
	}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Bytes, const std::size_t Size)
{
	if (Size == 0)
	{
		return 0;
	}
	FFixture& Fixture = GetFixture();
	const std::uint8_t Choice = Bytes[0];
	const std::size_t Damaged = Choice % 3;
	for (std::size_t Index = 0; Index < Fixture.Files.size(); ++Index)
	{
		WriteWholeFile(Fixture.Files[Index], Index == Damaged ? std::string_view(reinterpret_cast<const char*>(Bytes) + 1, Size - 1) : Fixture.Intact[Index]);
	}

	FCoordinateConversionSetup Setup;
	Setup.GeoidInterpolation = (Choice & 4) != 0 ? ECoordinateGeoidInterpolation::Cubic : ECoordinateGeoidInterpolation::Bilinear;
	Setup.GravityAccuracy = static_cast<ECoordinateGravityAccuracy>((Choice >> 3) % 4);
	if (Setup.GravityAccuracy == ECoordinateGravityAccuracy::Full)
	{
		// Truncations from none to above the model's own degree.
		Setup.GravityMaxDegree = (Choice >> 5) - 1;
	}
	FCoordinateReferenceSetup Reference;
	Reference.LocalFrameOrigin = FGeodeticCoordinate(45.0, 10.0, 100.0);
	FCoordinateReferenceFrame Frame;
	if (!UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(Setup, Reference, Frame))
	{
		DURIZERUDORE_FUZZ_CHECK(!UDuRizerudoreBlueprintLibrary::IsReferenceFrameValid(Frame), "a failed load leaves a default frame");
		return 0;
	}
	CheckQueries(Frame);
	return 0;
}
