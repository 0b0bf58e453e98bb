// Checks durizerudore-geoid-from-gtx end to end: it runs the real executable, then reads its output
// back with GeographicLib::Geoid (the consumer the file exists for) and, when Debian's proj-data is
// installed, compares it with PROJ's own evaluation of egm96_15.gtx.

#include "ToolsTestSupport.h"

#include <GeographicLib/Geoid.hpp>
#include <gtest/gtest.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using namespace DuRizerudore::ToolsTest;
using namespace DuRizerudoreTest;

const std::string Converter = DURIZERUDORE_GEOID_FROM_GTX;

// Half of the 3 mm quantisation step, plus room for double rounding.
constexpr double NodeTolerance = 0.0015 + 1e-9;

constexpr double Deg = std::numbers::pi / 180;

// Smooth, pole-consistent (independent of longitude at +-90) and asymmetric in both axes, so a
// flipped or shifted grid shows up as a large error. Stays well inside -108 .. 88.6 m.
double AnalyticHeight(double Lat, double Lon)
{
	return 20 * std::sin(Lat * Deg) + 30 * std::cos(Lat * Deg) * std::cos((Lon - 40) * Deg) +
		   5 * std::cos(Lat * Deg) * std::cos(Lat * Deg) * std::sin(2 * Lon * Deg);
}

GtxGrid MakeGrid(double Step, double LowerLeftLongitude, bool RepeatFirstColumn)
{
	GtxGrid Grid;
	Grid.LowerLeftLatitude = -90;
	Grid.LowerLeftLongitude = LowerLeftLongitude;
	Grid.LatitudeStep = Step;
	Grid.LongitudeStep = Step;
	Grid.Rows = int(std::lround(180 / Step)) + 1;
	Grid.Columns = int(std::lround(360 / Step)) + (RepeatFirstColumn ? 1 : 0);
	for (int R = 0; R < Grid.Rows; ++R)
	{
		for (int C = 0; C < Grid.Columns; ++C)
		{
			Grid.Values.push_back(float(AnalyticHeight(-90 + R * Step, LowerLeftLongitude + C * Step)));
		}
	}
	return Grid;
}

// ---------------------------------------------------------------------------------------------
// Synthetic global grids in the layouts gtx files come in.

struct Layout
{
	const char* Name;
	double Step;
	double LowerLeftLongitude;
	bool RepeatFirstColumn;
};

void PrintTo(const Layout& L, std::ostream* Out) { *Out << L.Name; }

class ToolsGeoidFromGtxSynthetic : public testing::TestWithParam<Layout>
{
};

TEST_P(ToolsGeoidFromGtxSynthetic, OutputLoadsInGeographicLibWithNodeValues)
{
	const Layout L = GetParam();
	FTemporaryDirectory Dir;
	const GtxGrid Grid = MakeGrid(L.Step, L.LowerLeftLongitude, L.RepeatFirstColumn);
	WriteBytes(Dir / "synthetic.gtx", EncodeGtx(Grid));

	const auto Run = RunProcess({Converter, (Dir / "synthetic.gtx").string(), (Dir / "synthetic.pgm").string()});
	ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;
	EXPECT_EQ(Run.Stderr, "");
	EXPECT_EQ(ListDirectory(Dir.GetPath()), (std::vector<std::string>{"synthetic.gtx", "synthetic.pgm"}))
		<< "no temporary file may be left behind";

	const int Width = int(std::lround(360 / L.Step));
	const int Height = int(std::lround(180 / L.Step)) + 1;

	// GeographicLib's reader, bilinear so that nodes are reproduced exactly. It checks the header and the
	// file length and takes the first row for 90N and the first column for 0E, so every node matching
	// its analytic height proves the layout.
	GeographicLib::Geoid Geoid("synthetic", Dir.GetPath().string(), false);
	EXPECT_DOUBLE_EQ(Geoid.Offset(), -108);
	EXPECT_DOUBLE_EQ(Geoid.Scale(), 0.003);
	EXPECT_NE(Geoid.Description().find("synthetic.gtx"), std::string::npos) << Geoid.Description();
	for (int Row = 0; Row < Height; ++Row)
	{
		for (int Column = 0; Column <= Width; ++Column)
		{
			const double Lat = -90 + Row * L.Step;
			const double Lon = -180 + Column * L.Step;
			EXPECT_NEAR(Geoid(Lat, Lon), double(float(AnalyticHeight(Lat, Lon))), NodeTolerance)
				<< "lat " << Lat << " lon " << Lon;
		}
	}
	// Between nodes the bilinear surface stays between its corners: a cheap check that no
	// neighbouring pair got swapped.
	EXPECT_NEAR(Geoid(0.5 * L.Step, 0.5 * L.Step),
		0.25 * (float(AnalyticHeight(0, 0)) + float(AnalyticHeight(0, L.Step)) + float(AnalyticHeight(L.Step, 0)) +
			   float(AnalyticHeight(L.Step, L.Step))),
		NodeTolerance);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ToolsGeoidFromGtxSynthetic,
	testing::Values(Layout{"From180W", 30, -180, false}, Layout{"From180WWithRepeatedColumn", 30, -180, true},
		Layout{"From0E", 30, 0, false}, Layout{"From0EWithRepeatedColumn", 30, 0, true},
		Layout{"From90E", 45, 90, false}, Layout{"FineFrom180W", 2.5, -180, true}),
	[](const testing::TestParamInfo<Layout>& Info) { return std::string(Info.param.Name); });

TEST(ToolsGeoidFromGtxRange, ExtremesOfTheStorableRangeRoundTrip)
{
	FTemporaryDirectory Dir;
	GtxGrid Grid = MakeGrid(30, -180, false);
	Grid.Values.front() = -107.99f;
	Grid.Values.back() = 88.6f;
	WriteBytes(Dir / "extreme.gtx", EncodeGtx(Grid));
	const auto Run = RunProcess({Converter, (Dir / "extreme.gtx").string(), (Dir / "extreme.pgm").string()});
	ASSERT_EQ(Run.ExitCode, 0) << Run.Stderr;
	GeographicLib::Geoid Geoid("extreme", Dir.GetPath().string(), false);
	EXPECT_NEAR(Geoid(-90, -180), -107.99, NodeTolerance + 1e-5);
	EXPECT_NEAR(Geoid(90, 150), 88.6, NodeTolerance + 1e-5);
}

TEST(ToolsGeoidFromGtxRange, OutputIsDeterministic)
{
	// install-data relies on a re-run producing the same bytes.
	FTemporaryDirectory Dir;
	WriteBytes(Dir / "g.gtx", EncodeGtx(MakeGrid(30, -180, false)));
	ASSERT_EQ(RunProcess({Converter, (Dir / "g.gtx").string(), (Dir / "a.pgm").string()}).ExitCode, 0);
	ASSERT_EQ(RunProcess({Converter, (Dir / "g.gtx").string(), (Dir / "b.pgm").string()}).ExitCode, 0);
	EXPECT_EQ(ReadBytes(Dir / "a.pgm"), ReadBytes(Dir / "b.pgm"));
}

// ---------------------------------------------------------------------------------------------
// Bad input: non-zero exit, a message, and no output file.

struct BadInput
{
	const char* Name;
	std::function<std::vector<unsigned char>()> Make;
	const char* MessagePart; // expected (case-sensitive) in stderr
};

std::vector<unsigned char> GoodBytes() { return EncodeGtx(MakeGrid(30, -180, false)); }

std::vector<unsigned char> WithGrid(const std::function<void(GtxGrid&)>& Change)
{
	GtxGrid Grid = MakeGrid(30, -180, false);
	Change(Grid);
	return EncodeGtx(Grid);
}

void PrintTo(const BadInput& B, std::ostream* Out) { *Out << B.Name; }

class ToolsGeoidFromGtxRejects : public testing::TestWithParam<BadInput>
{
};

TEST_P(ToolsGeoidFromGtxRejects, WithMessageAndNoOutput)
{
	FTemporaryDirectory Dir;
	WriteBytes(Dir / "bad.gtx", GetParam().Make());
	const auto Run = RunProcess({Converter, (Dir / "bad.gtx").string(), (Dir / "bad.pgm").string()});
	EXPECT_NE(Run.ExitCode, 0);
	EXPECT_NE(Run.Stderr.find(GetParam().MessagePart), std::string::npos) << Run.Stderr;
	EXPECT_EQ(ListDirectory(Dir.GetPath()), std::vector<std::string>{"bad.gtx"});
}

INSTANTIATE_TEST_SUITE_P(Inputs, ToolsGeoidFromGtxRejects,
	testing::Values(
		BadInput{"Empty", [] { return std::vector<unsigned char>{}; }, "truncated header"},
		BadInput{"TruncatedHeader", [] { auto B = GoodBytes(); B.resize(25); return B; }, "truncated header"},
		BadInput{"TruncatedData", [] { auto B = GoodBytes(); B.resize(B.size() - 3); return B; }, "truncated"},
		BadInput{"TrailingBytes", [] { auto B = GoodBytes(); B.push_back(0); return B; }, "bytes but"},
		BadInput{"GarbledHeader", [] { auto B = GoodBytes(); std::fill(B.begin(), B.begin() + 40, 0x5a); return B; },
			"error"},
		BadInput{"NaNStep", [] { return WithGrid([](GtxGrid& G) { G.LatitudeStep = std::nan(""); }); }, "non-finite"},
		BadInput{"NegativeStep", [] { return WithGrid([](GtxGrid& G) { G.LongitudeStep = -30; }); }, "steps"},
		BadInput{"ZeroRows", [] { return WithGrid([](GtxGrid& G) { G.Rows = 0; }); }, "not plausible"},
		BadInput{"HugeColumns", [] { return WithGrid([](GtxGrid& G) { G.Columns = 0x7fffffff; }); }, "not plausible"},
		BadInput{"RowsColumnsSwapped", [] { return WithGrid([](GtxGrid& G) { std::swap(G.Rows, G.Columns); }); },
			"latitudes"},
		BadInput{"NotGlobalInLatitude",
			[] { return WithGrid([](GtxGrid& G) { G.LowerLeftLatitude = -60; }); }, "latitudes"},
		BadInput{"NotGlobalInLongitude",
			[] {
				return WithGrid([](GtxGrid& G) {
					G.Columns = 10;
					G.Values.resize(std::size_t(G.Rows) * 10);
				});
			},
			"360"},
		BadInput{"OffLatticeOrigin", [] { return WithGrid([](GtxGrid& G) { G.LowerLeftLongitude = -175; }); },
			"lattice"},
		BadInput{"NaNValue", [] { return WithGrid([](GtxGrid& G) { G.Values[20] = std::nanf(""); }); }, "non-finite"},
		BadInput{"InfiniteValue", [] { return WithGrid([](GtxGrid& G) { G.Values[5] = -HUGE_VALF; }); }, "non-finite"},
		BadInput{"NoDataValue", [] { return WithGrid([](GtxGrid& G) { G.Values[40] = -88.8888f; }); }, "no-data"},
		BadInput{"AboveStorableRange", [] { return WithGrid([](GtxGrid& G) { G.Values.back() = 88.7f; }); },
			"storable range"},
		BadInput{"BelowStorableRange", [] { return WithGrid([](GtxGrid& G) { G.Values[0] = -108.01f; }); },
			"storable range"}),
	[](const testing::TestParamInfo<BadInput>& Info) { return std::string(Info.param.Name); });

TEST(ToolsGeoidFromGtxFailures, MissingFilesAndArguments)
{
	FTemporaryDirectory Dir;
	WriteBytes(Dir / "g.gtx", GoodBytes());
	struct FCase
	{
		std::vector<std::string> Arguments;
		const char* MessagePart;
	};
	const FCase Cases[] = {
		{{(Dir / "absent.gtx").string(), (Dir / "out.pgm").string()}, "no such file"},
		{{Dir.GetPath().string(), (Dir / "out.pgm").string()}, "not a regular file"},
		{{(Dir / "g.gtx").string(), (Dir / "nowhere" / "out.pgm").string()}, "temporary file"},
		{{}, "INPUT"},
	};
	for (const FCase& Case : Cases)
	{
		std::vector<std::string> Argv{Converter};
		Argv.insert(Argv.end(), Case.Arguments.begin(), Case.Arguments.end());
		const auto Run = RunProcess(Argv);
		EXPECT_NE(Run.ExitCode, 0) << Case.MessagePart;
		EXPECT_NE(Run.Stderr.find(Case.MessagePart), std::string::npos) << Run.Stderr;
		EXPECT_EQ(ListDirectory(Dir.GetPath()), std::vector<std::string>{"g.gtx"}) << Case.MessagePart;
	}
}

TEST(ToolsGeoidFromGtxFailures, FailedConversionKeepsThePreviousOutput)
{
	FTemporaryDirectory Dir;
	WriteBytes(Dir / "bad.gtx", WithGrid([](GtxGrid& G) { G.Values[3] = std::nanf(""); }));
	WriteBytes(Dir / "out.pgm", {'o', 'l', 'd'});
	const auto Run = RunProcess({Converter, (Dir / "bad.gtx").string(), (Dir / "out.pgm").string()});
	EXPECT_NE(Run.ExitCode, 0);
	EXPECT_EQ(ReadText(Dir / "out.pgm"), "old");
	EXPECT_EQ(ListDirectory(Dir.GetPath()), (std::vector<std::string>{"bad.gtx", "out.pgm"}));
}

// ---------------------------------------------------------------------------------------------
// The real EGM96 grid from Debian's proj-data, compared node by node with the gtx bytes and with
// PROJ's vgridshift evaluation of the same file.

const fs::path Egm96Gtx = "/usr/share/proj/egm96_15.gtx";

class ToolsGeoidFromGtxEgm96 : public testing::Test
{
protected:
	static void SetUpTestSuite()
	{
		if (!fs::exists(Egm96Gtx))
		{
			return;
		}
		Dir = new FTemporaryDirectory;
		Conversion = RunProcess({Converter, Egm96Gtx.string(), (*Dir / "egm96-15.pgm").string()});
	}
	static void TearDownTestSuite()
	{
		delete Dir;
		Dir = nullptr;
	}
	void SetUp() override
	{
		if (Dir == nullptr)
		{
			GTEST_SKIP() << Egm96Gtx << " not installed (Debian package proj-data)";
		}
		ASSERT_EQ(Conversion.ExitCode, 0) << Conversion.Stderr;
	}

	// PROJ's geoid height at each point, from z = 0 with +multiplier=1. Points are (lat, lon) in
	// degrees; without proj_normalize_for_visualization the pipeline takes radians, x = longitude.
	static std::vector<double> ProjHeights(const std::vector<std::pair<double, double>>& Points)
	{
		PJ_CONTEXT* Context = proj_context_create();
		proj_context_set_enable_network(Context, 0);
		PJ* Shift = proj_create(Context, "+proj=vgridshift +grids=egm96_15.gtx +multiplier=1");
		std::vector<double> Heights;
		if (Shift != nullptr)
		{
			std::vector<PJ_COORD> Coords;
			Coords.reserve(Points.size());
			for (const auto& [Lat, Lon] : Points)
			{
				Coords.push_back(proj_coord(Lon * Deg, Lat * Deg, 0, 0));
			}
			proj_trans_array(Shift, PJ_FWD, Coords.size(), Coords.data());
			for (const auto& C : Coords)
			{
				Heights.push_back(C.xyz.z);
			}
			proj_destroy(Shift);
		}
		proj_context_destroy(Context);
		return Heights;
	}

	static inline FTemporaryDirectory* Dir = nullptr;
	static inline FProcessResult Conversion;
};

TEST_F(ToolsGeoidFromGtxEgm96, EveryNodeMatchesTheGtxAndProj)
{
	const GtxGrid Grid = ReadGtx(Egm96Gtx);
	ASSERT_EQ(Grid.Rows, 721);
	ASSERT_EQ(Grid.Columns, 1440);

	GeographicLib::Geoid Geoid("egm96-15", Dir->GetPath().string(), false);
	Geoid.CacheAll();

	std::vector<std::pair<double, double>> Nodes;
	for (int R = 0; R < Grid.Rows; ++R)
	{
		for (int C = 0; C < Grid.Columns; ++C)
		{
			Nodes.emplace_back(Grid.LowerLeftLatitude + R * Grid.LatitudeStep, Grid.LowerLeftLongitude + C * Grid.LongitudeStep);
		}
	}
	const std::vector<double> Proj = ProjHeights(Nodes);
	ASSERT_EQ(Proj.size(), Nodes.size()) << "PROJ could not open egm96_15.gtx";

	double WorstGtx = 0, WorstProj = 0;
	std::size_t BadGtx = 0, BadProj = 0;
	std::pair<double, double> WorstGtxAt{}, WorstProjAt{};
	for (std::size_t I = 0; I < Nodes.size(); ++I)
	{
		const auto [Lat, Lon] = Nodes[I];
		const double Ours = Geoid(Lat, Lon);
		const double FromGtx = Grid.Values[I];
		const double DiffGtx = std::fabs(Ours - FromGtx);
		const double DiffProj = std::isfinite(Proj[I]) ? std::fabs(Ours - Proj[I]) : HUGE_VAL;
		BadGtx += DiffGtx > NodeTolerance;
		BadProj += DiffProj > NodeTolerance;
		if (DiffGtx >= WorstGtx)
		{
			WorstGtx = DiffGtx;
			WorstGtxAt = Nodes[I];
		}
		if (DiffProj >= WorstProj)
		{
			WorstProj = DiffProj;
			WorstProjAt = Nodes[I];
		}
	}
	EXPECT_EQ(BadGtx, 0u) << "worst " << WorstGtx << " m at " << WorstGtxAt.first << ", " << WorstGtxAt.second;
	EXPECT_EQ(BadProj, 0u) << "worst " << WorstProj << " m at " << WorstProjAt.first << ", " << WorstProjAt.second;
	// Quantisation error should actually reach (nearly) its bound over a million nodes; a much smaller
	// worst case would mean the comparison is not looking at what it thinks.
	EXPECT_GT(WorstGtx, 0.0014);
}

TEST_F(ToolsGeoidFromGtxEgm96, KnownLandmarksAndSignConvention)
{
	GeographicLib::Geoid Geoid("egm96-15", Dir->GetPath().string(), false);
	// Published EGM96 extremes and reference values (metres): the geoid low south of India, the
	// high over New Guinea, and the poles.
	EXPECT_NEAR(Geoid(4.75, 78.75), -106.9, 0.5);
	EXPECT_NEAR(Geoid(-8.25, 147.25), 85.4, 0.5);
	EXPECT_NEAR(Geoid(90, 0), 13.61, 0.01);
	EXPECT_NEAR(Geoid(-90, 0), -29.53, 0.01);
	EXPECT_NEAR(Geoid(0, 0), 17.16, 0.01);
}

TEST_F(ToolsGeoidFromGtxEgm96, CellInteriorsMatchProjBilinear)
{
	// Both GeographicLib (bilinear mode) and PROJ interpolate bilinearly, so between nodes they can
	// differ only by the interpolated quantisation error. The sample includes the cells on either
	// side of 0E and 180E, where our grid wraps and PROJ's does not.
	GeographicLib::Geoid Geoid("egm96-15", Dir->GetPath().string(), false);
	std::vector<std::pair<double, double>> Points;
	for (double Lat = -89.9; Lat < 90; Lat += 0.37)
	{
		for (double Lon = -179.93; Lon < 180; Lon += 1.13)
		{
			Points.emplace_back(Lat, Lon);
		}
		for (double Lon : {-179.9, -0.1, 0.1, 179.8, 179.9})
		{
			Points.emplace_back(Lat, Lon);
		}
	}
	const std::vector<double> Proj = ProjHeights(Points);
	ASSERT_EQ(Proj.size(), Points.size());
	std::size_t Bad = 0;
	double Worst = 0;
	for (std::size_t I = 0; I < Points.size(); ++I)
	{
		const double Diff = std::isfinite(Proj[I]) ? std::fabs(Geoid(Points[I].first, Points[I].second) - Proj[I]) : HUGE_VAL;
		Bad += Diff > NodeTolerance + 1e-6;
		Worst = std::max(Worst, Diff);
	}
	EXPECT_EQ(Bad, 0u) << "worst " << Worst << " m";
}
} // namespace
