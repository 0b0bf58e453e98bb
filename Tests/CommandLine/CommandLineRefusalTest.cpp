// What the tool refuses instead of printing numbers that mean nothing: lines it cannot answer, and
// model files that are not files or claim more than any model has. Each refusal is checked end to end,
// and model loading under a time limit, so that a hang fails the test instead of stalling the run.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace
{
	using namespace DuRizerudoreCommandLineTest;
	namespace fs = std::filesystem;

	const std::vector<std::string> Echo = {"position", "--from", "Local_ENU", "--to", "Local_ENU"};

	/** A plugin directory holding the descriptor and empty model directories, to be filled by each case. */
	class FPluginWithModelDirectories
	{
	public:
		FPluginWithModelDirectories()
		{
			fs::copy_file(GetRepositoryRoot() / "DuRizerudore.uplugin", Directory / "DuRizerudore.uplugin");
			fs::create_directories(GetGravity());
			fs::create_directories(GetGeoids());
		}

		const fs::path& GetPath() const { return Directory.GetPath(); }
		fs::path GetGravity() const { return Directory.GetPath() / "Binaries" / "GeographicLib" / "data" / "gravity"; }
		fs::path GetGeoids() const { return Directory.GetPath() / "Binaries" / "GeographicLib" / "data" / "geoids"; }

	private:
		FTemporaryDirectory Directory;
	};

	fs::path InstalledData()
	{
		return GetRepositoryRoot() / "Binaries" / "GeographicLib" / "data";
	}

	/**
	 * A coefficient file with the model id of Intact (so that GeographicLib would go on to read it), whose header
	 * claims degree and order 100000 and which holds nothing else.
	 */
	void WriteOversizedCoefficients(const fs::path& Intact, const fs::path& File)
	{
		char Id[8] = {};
		std::ifstream(Intact, std::ios::binary).read(Id, sizeof(Id));
		std::ofstream Out(File, std::ios::binary);
		const std::int32_t Header[2] = {100000, 100000};
		Out.write(Id, sizeof(Id));
		Out.write(reinterpret_cast<const char*>(Header), sizeof(Header));
	}
}

TEST(CommandLineRefusals, LinesWithoutAnAnswerPrintAnErrorInTheirPlace)
{
	struct FCase
	{
		const char* What;
		std::vector<std::string> Arguments;
		std::string Input;
		std::string Output;
		int ExitCode;
	};
	const std::vector<std::string> Origin = {"--origin", "45,10,100"};
	auto With = [](std::vector<std::string> Arguments, const std::vector<std::string>& Extra) {
		Arguments.insert(Arguments.end(), Extra.begin(), Extra.end());
		return Arguments;
	};
	const std::vector<FCase> Cases = {
		{"NaN latitude into a tangent plane", With({"position", "--from", "Geodetic", "--to", "Local_UE"}, Origin), "nan 10 0\n",
			"ERROR: not a finite number: 'nan'\n", 1},
		{"infinity into a UTM frame", {"position", "--from", "Local_ENU", "--to", "Geodetic", "--local-frame", "utm"}, "1 -inf 0\n",
			"ERROR: not a finite number: '-inf'\n", 1},
		{"NaN position of a geocentric vector", With({"heading-pitch", "--vector-system", "Geocentric", "--position-system", "Local_ENU"}, Origin),
			"1 2 3 nan 2000 30\n", "ERROR: not a finite number: 'nan'\n", 1},
		{"NaN quaternion component", {"quaternion", "--from", "Local_ENU", "--to", "Geocentric"}, "0.1 0.2 0.3 NaN\n",
			"ERROR: not a finite number: 'NaN'\n", 1},
		{"infinite rotator angle", {"rotator", "--from", "Local_ENU", "--to", "Local_NED"}, "10 infinity 30\n",
			"ERROR: not a finite number: 'infinity'\n", 1},
		{"latitude beyond the pole", {"geoid-height"}, "90.5 10 0\n", "ERROR: geodetic latitude is outside [-90, 90]\n", 1},
		{"latitude beyond the pole, MSL input", {"height-above-ellipsoid"}, "-91 0 0\n", "ERROR: geodetic latitude is outside [-90, 90]\n", 1},
		{"latitude beyond the pole, vector position", {"vector-at", "--from", "Local_ENU", "--to", "Geocentric"}, "1 0 0 100 0 0\n",
			"ERROR: geodetic latitude is outside [-90, 90]\n", 1},
		{"gravity at the Earth's centre", {"gravity", "--position-system", "Geocentric"}, "0 0 0\n", "ERROR: position cannot be converted in this frame, or gravity there is not finite\n", 1},
		{"free vector that overflows in the frame's axes", With({"vector", "--from", "Local_ENU", "--to", "Geocentric"}, Origin), "1.7e308 1.7e308 1.7e308\n",
			"ERROR: the converted vector is not finite\n", 1},
		{"free vector into geodetic", {"vector", "--from", "Local_ENU", "--to", "Geodetic"}, "1 2 3\n", "ERROR: a free vector has no geodetic form\n", 1},
		{"vector at a position that overflows", With({"vector-at", "--from", "Local_ENU", "--to", "Geocentric"}, Origin), "1.7e308 1.7e308 1.7e308 45 10 0\n",
			"ERROR: position cannot be resolved in this frame, or the converted vector is not finite\n", 1},
		{"empty field between commas", Echo, "45.1,,10.1,100\n", "ERROR: empty field 2\n", 1},
		{"comma before the first field", Echo, ", 1 2 3\n", "ERROR: empty field 1\n", 1},
		{"comma after the last field", Echo, "1,2,3 ,\n", "ERROR: empty field 4\n", 1},
		{"byte-order mark at the start", Echo, "\xEF\xBB\xBF" "1 2 3\n4 5 6\n", "1 2 3\n4 5 6\n", 0},
		{"byte-order mark elsewhere", Echo, "1 2 3\n\xEF\xBB\xBF" "4 5 6\n", "1 2 3\nERROR: not a number: '\xEF\xBB\xBF" "4'\n", 1},
		{"blank line longer than any line", Echo, std::string(100000, ' ') + "\t\r\n1 2 3\n" + std::string(70000, '\t'), "1 2 3\n", 0},
		{"bytes that are not UTF-8", Echo, "1 2 \xC3\xA9\xFF\xC0\xAF\xED\xA0\x80\n", "ERROR: not a number: '\xC3\xA9\\xff\\xc0\\xaf\\xed\\xa0\\x80'\n", 1},
		{"a sequence cut at the length limit", Echo, "1 2 " + std::string(31, 'x') + "\xC3\xA9\n", "ERROR: not a number: '" + std::string(31, 'x') + "\xC3\xA9'\n", 1},
	};
	for (const FCase& Case : Cases)
	{
		const FProcessResult Result = RunTool(Case.Arguments, Case.Input);
		EXPECT_EQ(Result.ExitCode, Case.ExitCode) << Case.What << ": " << Result.Stderr;
		EXPECT_EQ(Result.Stdout, Case.Output) << Case.What;
	}

	// A truncation above the model's own is said on standard error and changes nothing: the whole model is used.
	const std::vector<std::string> Gravity = {"gravity", "--gravity-accuracy", "full"};
	const FProcessResult Whole = RunTool(Gravity, "45 10 0\n");
	const FProcessResult Excessive = RunTool(With(Gravity, {"--gravity-max-degree", "100000"}), "45 10 0\n");
	ASSERT_EQ(Excessive.ExitCode, 0) << Excessive.Stderr;
	EXPECT_EQ(Excessive.Stdout, Whole.Stdout);
	EXPECT_NE(Excessive.Stderr.find("--gravity-max-degree 100000 is above the model's degree 180"), std::string::npos) << Excessive.Stderr;
	EXPECT_EQ(Whole.Stderr, "");
}

TEST(CommandLineModelFiles, FilesThatAreNotFilesOrTooLargeAreRefusedPromptly)
{
	struct FCase
	{
		const char* What;
		std::function<void(const FPluginWithModelDirectories&)> Prepare;
		std::vector<std::string> Arguments;
		bool bGravity;
		const char* File;
		const char* Reason; // nullptr: the files load
	};
	const fs::path Installed = InstalledData();
	const auto Link = [](const fs::path& Target, const fs::path& Link) { fs::create_symlink(Target, Link); };
	const auto LinkInstalledMetadata = [&](const FPluginWithModelDirectories& Plugin) { Link(Installed / "gravity" / "egm84.egm", Plugin.GetGravity() / "egm84.egm"); };
	const std::vector<std::string> GravityOnly = {"gravity", "--geoid-model", "none"};
	const std::vector<FCase> Cases = {
		{"gravity metadata is a FIFO",
			[&](const FPluginWithModelDirectories& Plugin) {
				ASSERT_EQ(::mkfifo((Plugin.GetGravity() / "egm84.egm").c_str(), 0600), 0);
				Link(Installed / "gravity" / "egm84.egm.cof", Plugin.GetGravity() / "egm84.egm.cof");
			},
			GravityOnly, true, "egm84.egm", "is a FIFO, not a regular file"},
		{"coefficients are a FIFO",
			[&](const FPluginWithModelDirectories& Plugin) {
				LinkInstalledMetadata(Plugin);
				ASSERT_EQ(::mkfifo((Plugin.GetGravity() / "egm84.egm.cof").c_str(), 0600), 0);
			},
			GravityOnly, true, "egm84.egm.cof", "is a FIFO, not a regular file"},
		{"coefficients are a link to /dev/zero",
			[&](const FPluginWithModelDirectories& Plugin) {
				LinkInstalledMetadata(Plugin);
				Link("/dev/zero", Plugin.GetGravity() / "egm84.egm.cof");
			},
			GravityOnly, true, "egm84.egm.cof", "is a device, not a regular file"},
		{"coefficients claim degree 100000",
			[&](const FPluginWithModelDirectories& Plugin) {
				LinkInstalledMetadata(Plugin);
				WriteOversizedCoefficients(Installed / "gravity" / "egm84.egm.cof", Plugin.GetGravity() / "egm84.egm.cof");
			},
			GravityOnly, true, "egm84.egm.cof", "declares degree 100000 and order 100000, beyond the 2190 of any published model"},
		{"geoid grid is a FIFO", [](const FPluginWithModelDirectories& Plugin) { ASSERT_EQ(::mkfifo((Plugin.GetGeoids() / "egm84-30.pgm").c_str(), 0600), 0); },
			{"geoid-height", "--gravity-model", "none"}, false, "egm84-30.pgm", "is a FIFO, not a regular file"},
		{"geoid grid is a directory", [](const FPluginWithModelDirectories& Plugin) { fs::create_directory(Plugin.GetGeoids() / "egm84-30.pgm"); },
			{"geoid-height", "--gravity-model", "none"}, false, "egm84-30.pgm", "is a directory, not a regular file"},
		{"geoid grid is a link to itself", [](const FPluginWithModelDirectories& Plugin) { fs::create_symlink("egm84-30.pgm", Plugin.GetGeoids() / "egm84-30.pgm"); },
			{"geoid-height", "--gravity-model", "none"}, false, "egm84-30.pgm", "cannot be examined: Too many levels of symbolic links"},
		{"links to regular files",
			[&](const FPluginWithModelDirectories& Plugin) {
				LinkInstalledMetadata(Plugin);
				Link(Installed / "gravity" / "egm84.egm.cof", Plugin.GetGravity() / "egm84.egm.cof");
				Link(Installed / "geoids" / "egm84-30.pgm", Plugin.GetGeoids() / "egm84-30.pgm");
			},
			{"gravity"}, true, nullptr, nullptr},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.What);
		const FPluginWithModelDirectories Plugin;
		Case.Prepare(Plugin);
		// A loader that blocks or reads without end is killed; the exit status then tells.
		std::vector<std::string> Argv = {"timeout", "-s", "KILL", "60", DURIZERUDORE_TOOL, "--plugin-dir", Plugin.GetPath().string()};
		Argv.insert(Argv.end(), Case.Arguments.begin(), Case.Arguments.end());
		const FProcessResult Result = RunProcess(Argv, "45 10 0\n");
		if (Case.Reason == nullptr)
		{
			EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
			EXPECT_EQ(SplitLines(Result.Stdout).size(), 1u) << Result.Stdout;
			continue;
		}
		const std::string Directory = (Case.bGravity ? Plugin.GetGravity() : Plugin.GetGeoids()).string();
		const std::string Logged = std::string("Failed to load ") + (Case.bGravity ? "gravity model 'egm84'" : "geoid model 'egm84-30'") + " from '" + Directory
			+ "': " + Directory + "/" + Case.File + " " + Case.Reason;
		EXPECT_EQ(Result.ExitCode, 2) << Result.Stderr;
		EXPECT_EQ(Result.Stdout, "");
		EXPECT_NE(Result.Stderr.find(Logged), std::string::npos) << Logged << " in:\n" << Result.Stderr;
		EXPECT_NE(Result.Stderr.find("cannot build the reference frame: the model files could not be loaded"), std::string::npos) << Result.Stderr;
	}
}

TEST(CommandLineModelFiles, AGeoidGridWhoseHeightsOverflowIsNamedAsTheCause)
{
	const FPluginWithModelDirectories Plugin;
	std::ifstream In(InstalledData() / "geoids" / "egm84-30.pgm", std::ios::binary);
	std::string Grid((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
	// A scale of the same length keeps the header's size, so that the grid loads and every height overflows.
	const std::string Scale = "# Scale 0.003";
	ASSERT_NE(Grid.find(Scale), std::string::npos);
	Grid.replace(Grid.find(Scale), Scale.size(), "# Scale 1e308");
	std::ofstream(Plugin.GetGeoids() / "egm84-30.pgm", std::ios::binary) << Grid;
	const FProcessResult Result = RunProcess({DURIZERUDORE_TOOL, "--plugin-dir", Plugin.GetPath().string(), "geoid-height", "--gravity-model", "none"}, "45 10 0\n");
	EXPECT_EQ(Result.ExitCode, 1) << Result.Stderr;
	EXPECT_EQ(Result.Stdout, "ERROR: position cannot be converted to geodetic in this frame, or the geoid height there is not finite\n");
}
