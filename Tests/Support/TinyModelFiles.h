// Model files in GeographicLib's formats, small enough for a test to write itself in microseconds.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace DuRizerudoreTest
{
	/**
	 * Writes "<Name>.egm" and "<Name>.egm.cof": a spherical-harmonic model of the given degree and order
	 * with WGS84's mass and rotation, a normalised J2 term and small made-up higher terms.
	 */
	void WriteTinyGravityModel(const std::filesystem::path& Directory, const std::string& Name, int Degree);

	/**
	 * Writes "<Name>.pgm": a global geoid grid with the given spacing, first row at 90N, first column at 0E,
	 * whose node heights are Height(latitude, longitude) quantised to GeographicLib's 3 mm steps.
	 */
	void WriteCoarseGeoid(const std::filesystem::path& Directory, const std::string& Name, double SpacingDeg,
		const std::function<double(double, double)>& Height);

	/** The stored value of a node height, as a geoid grid with offset -108 m and scale 3 mm keeps it. */
	double QuantiseGeoidHeight(double HeightM);

	/** Cuts a file down to a fraction of its size. */
	void TruncateFile(const std::filesystem::path& File, double KeptFraction);

	/** Overwrites the first bytes of a file. */
	void OverwriteStart(const std::filesystem::path& File, const std::string& Bytes);
}
