// Command-line mistakes and frames that cannot be built: exit status 2, a message on standard error,
// nothing on standard output and no input read. Also --help, and the advice given when model data
// is missing.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;
	namespace fs = std::filesystem;

	constexpr const char* SomeInput = "45 10 0\n1 2 3\n";

	struct FUsageCase
	{
		const char* Name;
		std::vector<std::string> Arguments;
		const char* StderrMentions;
	};

	/** A plugin directory with the descriptor and no model data, as a fresh checkout before setup. */
	class FPluginWithoutData
	{
	public:
		FPluginWithoutData()
		{
			fs::copy_file(GetRepositoryRoot() / "DuRizerudore.uplugin", Directory.GetPath() / "DuRizerudore.uplugin");
		}

		const fs::path& GetPath() const { return Directory.GetPath(); }

	private:
		FTemporaryDirectory Directory;
	};
}

TEST(CommandLineUsage, EveryUsageErrorExitsTwoWithNothingOnStdout)
{
	const std::vector<std::string> Position = {"position", "--from", "Geodetic", "--to", "Geocentric"};
	auto With = [&Position](std::vector<std::string> Extra) {
		std::vector<std::string> Arguments = Position;
		Arguments.insert(Arguments.end(), Extra.begin(), Extra.end());
		return Arguments;
	};
	const std::vector<FUsageCase> Cases = {
		{"no command", {}, "no command"},
		{"unknown command", {"teleport"}, "unknown command 'teleport'"},
		{"missing --from", {"position", "--to", "Geocentric"}, "--from"},
		{"missing --to", {"position", "--from", "Geodetic"}, "--to"},
		{"unknown system name", {"position", "--from", "Geodetic", "--to", "Local_XYZ"}, "Local_XYZ"},
		{"unknown position system", {"geoid-height", "--position-system", "ecef"}, "ecef"},
		{"origin with two numbers", With({"--origin", "45,10"}), "--origin"},
		{"origin latitude beyond the pole", With({"--origin", "91,0,0"}), "--origin"},
		{"origin height beyond 1e7 m", With({"--origin", "45,10,1e300"}), "cannot build the reference frame at --origin 45,10,1e+300"},
		{"origin not finite", With({"--origin", "45,nan,0"}), "not a finite number: 'nan'"},
		{"unknown option", With({"--colour"}), "--colour"},
		{"stray argument", With({"extra"}), "extra"},
		{"bad local frame", With({"--local-frame", "mercator"}), "mercator"},
		{"bad gravity model", With({"--gravity-model", "egm2020"}), "egm2020"},
		{"degree not a number", With({"--gravity-accuracy", "full", "--gravity-max-degree", "ten"}), "--gravity-max-degree"},
		{"degree without full accuracy", With({"--gravity-max-degree", "10"}), "--gravity-accuracy full"},
		{"order above degree", With({"--gravity-accuracy", "full", "--gravity-max-degree", "4", "--gravity-max-order", "6"}), "--gravity-max-order"},
		{"origin with no local frame", With({"--no-local-frame", "--origin", "1,2,3"}), "--no-local-frame"},
		{"msl origin without geoid", With({"--altitude-reference", "msl", "--geoid-model", "none"}), "geoid"},
		{"plugin dir without descriptor", With({"--plugin-dir", fs::temp_directory_path().string()}), "DuRizerudore.uplugin"},
		{"describe an unknown type", {"describe", "FGeodeticCoordinates"}, "unknown type 'FGeodeticCoordinates'"},
		{"describe an empty type name", {"describe", ""}, "unknown type ''"},
		{"describe a type with escape sequences", {"describe", "\x1b]0;owned\x07\x1b[2J\xc2\x9b" "31m"}, "unknown type '\\x1b]0;owned\\x07\\x1b[2J\\xc2\\x9b31m'"},
		{"command with escape sequences", {"\x1b[31mteleport"}, "unknown command '\\x1b[31mteleport'"},
		{"system name with escape sequences", {"position", "--from", "\x1b[31mLocal_XYZ", "--to", "Geodetic"}, "\\x1b[31mLocal_XYZ"},
		{"describe with a frame option", {"describe", "ECoordinateSystem", "--origin", "1,2,3"}, "describe takes no options (--origin given"},
	};
	for (const FUsageCase& Case : Cases)
	{
		// No --plugin-dir of our own: the tool finds the repository above its executable.
		const FProcessResult Result = RunTool(Case.Arguments, SomeInput, fs::path());
		EXPECT_EQ(Result.ExitCode, 2) << Case.Name << ": " << Result.Stderr;
		EXPECT_EQ(Result.Stdout, "") << Case.Name;
		EXPECT_NE(Result.Stderr.find(Case.StderrMentions), std::string::npos) << Case.Name << ": " << Result.Stderr;
		// What the user typed never reaches the terminal as a control character.
		EXPECT_EQ(std::count_if(Result.Stderr.begin(), Result.Stderr.end(),
					  [](const char Character) { return Character != '\n' && (static_cast<unsigned char>(Character) < 0x20 || Character == 0x7f); }),
			0)
			<< Case.Name;
		EXPECT_EQ(Result.Stderr.find("\xc2\x9b"), std::string::npos) << Case.Name;
	}
}

TEST(CommandLineModelData, MissingOrCorruptModelsStopTheToolWithAdvice)
{
	const FPluginWithoutData Plugin;
	// Exit 2 before any input is read; the message on standard error is returned.
	auto Refused = [&Plugin](std::vector<std::string> Arguments) {
		const FProcessResult Result = RunTool(Arguments, SomeInput, Plugin.GetPath());
		EXPECT_EQ(Result.ExitCode, 2);
		EXPECT_EQ(Result.Stdout, "");
		return Result.Stderr;
	};

	// Each missing file is named with where it was looked for and what to do about it.
	const std::string Missing = Refused({"position", "--from", "Geodetic", "--to", "Geocentric"});
	const fs::path DataDirectory = Plugin.GetPath() / "Binaries" / "GeographicLib" / "data";
	for (const std::string& Expected : {std::string("egm84.egm"), std::string("egm84.egm.cof"), (DataDirectory / "gravity").string(),
			 std::string("egm84-30.pgm"), (DataDirectory / "geoids").string(), std::string("scripts/install-data"), std::string("--gravity-model none"),
			 std::string("--geoid-model none")})
	{
		EXPECT_NE(Missing.find(Expected), std::string::npos) << Expected << " in:\n" << Missing;
	}

	// Only the model that is asked for and missing is blamed.
	const std::string GeoidOnly = Refused({"geoid-height", "--gravity-model", "none", "--geoid-model", "egm96"});
	EXPECT_NE(GeoidOnly.find("egm96-15.pgm"), std::string::npos) << GeoidOnly;
	EXPECT_EQ(GeoidOnly.find("egm84.egm"), std::string::npos) << GeoidOnly;
	EXPECT_EQ(GeoidOnly.find("--gravity-model none"), std::string::npos) << GeoidOnly;

	// Files that are there but do not load point at the log, which has GeographicLib's reason.
	const fs::path Gravity = DataDirectory / "gravity";
	fs::create_directories(Gravity);
	for (const char* Name : {"egm84.egm", "egm84.egm.cof"})
	{
		std::FILE* File = std::fopen((Gravity / Name).c_str(), "w");
		ASSERT_NE(File, nullptr);
		std::fputs("not a gravity model\n", File);
		std::fclose(File);
	}
	const std::string Corrupt = Refused({"position", "--from", "Geodetic", "--to", "Geocentric", "--geoid-model", "none"});
	EXPECT_NE(Corrupt.find("could not be loaded"), std::string::npos) << Corrupt;
}
