// Runs scripts/install-data against scratch plugin trees: a checksummed EGM84 copy standing in for
// the shared data directory and a synthetic egm96_15.gtx standing in for PROJ's, always offline so
// the result does not depend on the network.

#include "ToolsTestSupport.h"

#include <GeographicLib/Geoid.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using namespace DuRizerudore::ToolsTest;
using namespace DuRizerudoreTest;

const std::string Script = DURIZERUDORE_INSTALL_DATA;
const std::string Converter = DURIZERUDORE_GEOID_FROM_GTX;

const std::vector<std::string> Egm84Files = {"gravity/egm84.egm", "gravity/egm84.egm.cof", "geoids/egm84-30.pgm"};

fs::path RealSharedData()
{
	const char* PluginDir = std::getenv("DURIZERUDORE_PLUGIN_DIR");
	return fs::path(PluginDir != nullptr ? PluginDir : ".") / ".." / "shared" / "data" / "GeographicLib";
}

// A small global grid whose heights encode position, so the installed file can be checked.
GtxGrid FakeEgm96()
{
	GtxGrid Grid;
	for (int R = 0; R < Grid.Rows; ++R)
	{
		for (int C = 0; C < Grid.Columns; ++C)
		{
			Grid.Values.push_back(float(R == 0 ? -30 : R == Grid.Rows - 1 ? 14 : R * 3 + C * 0.5));
		}
	}
	return Grid;
}

class ToolsInstallData : public testing::Test
{
protected:
	void SetUp() override
	{
		if (!fs::exists(RealSharedData() / "SHA256SUMS"))
		{
			GTEST_SKIP() << "no EGM84 copy at " << RealSharedData();
		}
		fs::create_directories(Plugin);
		fs::create_directories(Shared);
		fs::copy(RealSharedData(), Shared, fs::copy_options::recursive);
		for (const auto& Entry : fs::recursive_directory_iterator(Shared))
		{
			fs::permissions(Entry.path(), fs::perms::owner_write, fs::perm_options::add);
		}
		fs::create_directories(ProjDir);
		WriteBytes(ProjDir / "egm96_15.gtx", EncodeGtx(FakeEgm96()));
	}

	FProcessResult Install()
	{
		return RunProcess({Script, "--plugin-dir", Plugin.string(), "--converter", Converter, "--proj-dir",
			ProjDir.string(), "--offline"});
	}

	fs::path Installed(const std::string& Rel) const { return Plugin / "Binaries" / "GeographicLib" / "data" / Rel; }

	FTemporaryDirectory Root;
	// The script looks for the shared copy beside the plugin root, as in a real checkout.
	fs::path Plugin = Root / "plugin";
	fs::path Shared = Root / "shared" / "data" / "GeographicLib";
	fs::path ProjDir = Root / "proj";
};

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }
} // namespace

TEST_F(ToolsInstallData, FreshInstallThenSecondRunLeavesFilesAlone)
{
	const auto First = Install();
	ASSERT_EQ(First.ExitCode, 0) << First.Stdout << First.Stderr;
	EXPECT_TRUE(Contains(First.Stdout, "egm84 (gravity): installed")) << First.Stdout;
	EXPECT_TRUE(Contains(First.Stdout, "egm84-30 (geoid): installed")) << First.Stdout;
	EXPECT_TRUE(Contains(First.Stdout, "egm96-15 (geoid): installed")) << First.Stdout;
	for (const auto& Rel : Egm84Files)
	{
		ASSERT_TRUE(fs::exists(Installed(Rel))) << Rel;
		EXPECT_EQ(ReadBytes(Installed(Rel)), ReadBytes(Shared / Rel)) << Rel;
	}
	GeographicLib::Geoid Egm96("egm96-15", Installed("geoids").string(), false);
	EXPECT_NEAR(Egm96(0, 0), 3 * 3 + 6 * 0.5, 0.0015 + 1e-9) << "0E is column 6 of a grid starting at 180W";
	EXPECT_NEAR(Egm96(90, 77), 14, 0.0015 + 1e-9);
	EXPECT_NEAR(Egm96(-90, 12), -30, 0.0015 + 1e-9);

	const auto Second = Install();
	ASSERT_EQ(Second.ExitCode, 0) << Second.Stdout << Second.Stderr;
	EXPECT_TRUE(Contains(Second.Stdout, "egm84 (gravity): already present")) << Second.Stdout;
	EXPECT_TRUE(Contains(Second.Stdout, "egm84-30 (geoid): already present")) << Second.Stdout;
	EXPECT_TRUE(Contains(Second.Stdout, "egm96-15 (geoid): already present")) << Second.Stdout;
	EXPECT_EQ(ListDirectory(Installed("geoids")), (std::vector<std::string>{"egm84-30.pgm", "egm96-15.pgm"}));
	EXPECT_EQ(ListDirectory(Installed("gravity")), (std::vector<std::string>{"egm84.egm", "egm84.egm.cof"}));
}

TEST_F(ToolsInstallData, CorruptSharedFileIsNotCopied)
{
	auto Bytes = ReadBytes(Shared / "geoids/egm84-30.pgm");
	Bytes[Bytes.size() / 2] ^= 0x01;
	WriteBytes(Shared / "geoids/egm84-30.pgm", Bytes);

	const auto Run = Install();
	EXPECT_NE(Run.ExitCode, 0);
	EXPECT_TRUE(Contains(Run.Stderr, "corrupt")) << Run.Stderr;
	EXPECT_TRUE(Contains(Run.Stdout, "egm84-30 (geoid): FAILED")) << Run.Stdout;
	EXPECT_FALSE(fs::exists(Installed("geoids/egm84-30.pgm")));
	// The other models are independent of the bad file.
	EXPECT_TRUE(Contains(Run.Stdout, "egm84 (gravity): installed")) << Run.Stdout;
	EXPECT_TRUE(fs::exists(Installed("gravity/egm84.egm.cof")));
	EXPECT_EQ(ListDirectory(Installed("geoids")), std::vector<std::string>{"egm96-15.pgm"}) << "no temporary copies";
}
