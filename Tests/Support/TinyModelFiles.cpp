#include "TinyModelFiles.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace DuRizerudoreTest
{
	namespace
	{
		constexpr double GeoidOffsetM = -108.0;
		constexpr double GeoidScaleM = 0.003;

		template <typename ValueType>
		void WriteLittleEndian(std::ofstream& Out, const ValueType Value)
		{
			// The test machines are little-endian, as GeographicLib's coefficient files are.
			Out.write(reinterpret_cast<const char*>(&Value), sizeof(Value));
		}
	}

	void WriteTinyGravityModel(const std::filesystem::path& Directory, const std::string& Name, const int Degree)
	{
		const std::string Id = "TINYTEST";
		{
			std::ofstream Egm(Directory / (Name + ".egm"));
			Egm << "EGMF-1\n"
				<< "# A tiny gravity model written by a test.\n"
				<< "Name            " << Name << "\n"
				<< "Description     Test model of degree " << Degree << "\n"
				<< "ModelRadius     6378137\n"
				<< "ModelMass       3986004.418e8\n"
				<< "AngularVelocity 7292115e-11\n"
				<< "ReferenceRadius 6378137\n"
				<< "ReferenceMass   3986004.418e8\n"
				<< "Flattening      1/298.257223563\n"
				<< "ID              " << Id << "\n";
		}

		std::ofstream Cof(Directory / (Name + ".egm.cof"), std::ios::binary);
		Cof.write(Id.data(), 8);
		WriteLittleEndian<std::int32_t>(Cof, Degree);
		WriteLittleEndian<std::int32_t>(Cof, Degree);
		// Cosine coefficients column by column (order m, degree n = m..N), then the sine coefficients from m = 1.
		for (int Order = 0; Order <= Degree; ++Order)
		{
			for (int N = Order; N <= Degree; ++N)
			{
				double Value = 1e-7 / (1 + N + Order);
				// The central term and the degree-one terms are implicit in GeographicLib's models: zero here.
				if (N <= 1)
				{
					Value = 0.0;
				}
				else if (N == 2 && Order == 0)
				{
					Value = -4.84165371736e-4;
				}
				WriteLittleEndian<double>(Cof, Value);
			}
		}
		for (int Order = 1; Order <= Degree; ++Order)
		{
			for (int N = Order; N <= Degree; ++N)
			{
				WriteLittleEndian<double>(Cof, N == 1 ? 0.0 : 5e-8 / (N + Order));
			}
		}
		// No correction series.
		WriteLittleEndian<std::int32_t>(Cof, -1);
		WriteLittleEndian<std::int32_t>(Cof, -1);
	}

	double QuantiseGeoidHeight(const double HeightM)
	{
		return GeoidOffsetM + GeoidScaleM * std::round((HeightM - GeoidOffsetM) / GeoidScaleM);
	}

	void WriteCoarseGeoid(const std::filesystem::path& Directory, const std::string& Name, const double SpacingDeg,
		const std::function<double(double, double)>& Height)
	{
		const int Width = static_cast<int>(std::lround(360.0 / SpacingDeg));
		const int Rows = static_cast<int>(std::lround(180.0 / SpacingDeg)) + 1;
		std::ofstream Pgm(Directory / (Name + ".pgm"), std::ios::binary);
		Pgm << "P5\n"
			<< "# Geoid file in PGM format for the GeographicLib::Geoid class\n"
			<< "# Description Test grid\n"
			<< "# Offset " << GeoidOffsetM << "\n"
			<< "# Scale " << GeoidScaleM << "\n"
			<< "# Origin 90N 0E\n"
			<< Width << " " << Rows << "\n65535\n";
		for (int Row = 0; Row < Rows; ++Row)
		{
			const double LatitudeDeg = 90.0 - Row * SpacingDeg;
			for (int Column = 0; Column < Width; ++Column)
			{
				const double LongitudeDeg = Column * SpacingDeg;
				const double Stored = std::round((Height(LatitudeDeg, LongitudeDeg) - GeoidOffsetM) / GeoidScaleM);
				if (Stored < 0 || Stored > 65535)
				{
					throw std::out_of_range("geoid height does not fit the 16-bit grid");
				}
				const auto Value = static_cast<std::uint16_t>(Stored);
				const char Bytes[2] = {static_cast<char>(Value >> 8), static_cast<char>(Value & 0xFF)};
				Pgm.write(Bytes, 2);
			}
		}
	}

	void TruncateFile(const std::filesystem::path& File, const double KeptFraction)
	{
		const auto Size = std::filesystem::file_size(File);
		std::filesystem::resize_file(File, static_cast<std::uintmax_t>(static_cast<double>(Size) * KeptFraction));
	}

	void OverwriteStart(const std::filesystem::path& File, const std::string& Bytes)
	{
		std::fstream Stream(File, std::ios::binary | std::ios::in | std::ios::out);
		Stream.seekp(0);
		Stream.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
	}
}
