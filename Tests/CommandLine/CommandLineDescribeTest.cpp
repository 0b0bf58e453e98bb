// describe: the reflected surface as the tool prints it, checked against what the editor and visual
// scripts must be offered (names, values, display names, categories, access, pins). Refusals of describe
// are rows of the usage table.
#include "CommandLineRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{
	using namespace DuRizerudoreCommandLineTest;

	/** The lines describe prints for Arguments; the run must succeed silently on standard error. */
	std::vector<std::string> Describe(std::vector<std::string> Arguments)
	{
		Arguments.insert(Arguments.begin(), "describe");
		// Nothing of the plugin directory matters to describe, which refuses --plugin-dir like any other option.
		const FProcessResult Result = RunTool(Arguments, "", std::filesystem::path());
		EXPECT_EQ(Result.ExitCode, 0) << Result.Stderr;
		EXPECT_EQ(Result.Stderr, "");
		return SplitLines(Result.Stdout);
	}

	/** The Count lines after the first line equal to Heading; fewer when the output ends, none without the heading. */
	std::vector<std::string> LinesAfter(const std::vector<std::string>& Lines, const std::string& Heading, const std::size_t Count)
	{
		const auto Found = std::find(Lines.begin(), Lines.end(), Heading);
		if (Found == Lines.end())
		{
			return {};
		}
		const std::size_t Available = static_cast<std::size_t>(Lines.end() - Found - 1);
		return std::vector<std::string>(Found + 1, Found + 1 + static_cast<std::ptrdiff_t>(std::min(Count, Available)));
	}
}

TEST(CommandLineDescribe, ListsEveryReflectedTypeInOrderWithItsKind)
{
	const std::vector<std::pair<std::string, std::string>> Expected = {
		{"ECoordinateSystem", "enumeration"},
		{"ECoordinateAltitudeReference", "enumeration"},
		{"ECoordinateLocalFrameType", "enumeration"},
		{"ECoordinateGeoidInterpolation", "enumeration"},
		{"ECoordinateGravityAccuracy", "enumeration"},
		{"EEarthDatumModel", "enumeration"},
		{"EEarthGravityModel", "enumeration"},
		{"FGeodeticCoordinate", "structure"},
		{"FCoordinateConversionSetup", "structure"},
		{"FCoordinateReferenceSetup", "structure"},
		{"FCoordinateConversionInstance", "structure"},
		{"FCoordinateReferenceFrame", "structure"},
		{"ADuRizerudoreSystem", "class"},
		{"UDuRizerudoreAnchorComponent", "class"},
		{"UDuRizerudoreOriginShiftComponent", "class"},
		{"UDuRizerudoreBlueprintLibrary", "class"},
	};
	const std::vector<std::string> Lines = Describe({});
	ASSERT_EQ(Lines.size(), Expected.size());
	for (std::size_t Index = 0; Index < Expected.size(); ++Index)
	{
		std::istringstream Line(Lines[Index]);
		std::string Name;
		std::string Kind;
		Line >> Name >> Kind;
		EXPECT_EQ(Name, Expected[Index].first);
		EXPECT_EQ(Kind, Expected[Index].second) << Name;
	}
	// A tooltip of two lines is listed on one.
	EXPECT_NE(Lines[11].find("Opaque runtime reference-frame handle used for repeated conversions. Create it at runtime"), std::string::npos) << Lines[11];
}

TEST(CommandLineDescribe, EnumerationEntriesHaveTheirValuesAndDisplayNamesAndNoMaxEntry)
{
	// Without the prefix letter and in another letter case.
	const std::vector<std::string> Lines = Describe({"coordinatesystem"});
	ASSERT_FALSE(Lines.empty());
	EXPECT_EQ(Lines[0], "ECoordinateSystem: enumeration, scoped (enum class), blueprint type");
	const std::vector<std::string> Entries = {
		"  Local_ENU  = 0  \"Local ENU\"",
		"  Local_NED  = 1  \"Local NED\"",
		"  Local_UE   = 2  \"Local UE NEU (cm)\"",
		"      Tooltip: Unreal-local NEU in centimeters: +X north, +Y east, +Z up.",
		"  Geocentric = 3  \"Geocentric ECEF\"",
		"  Geodetic   = 4  \"Geodetic (Lat, Lon, Height)\"",
	};
	// The entries end the output: nothing after Geodetic, the registry's "_MAX" entry included.
	EXPECT_EQ(LinesAfter(Lines, "Entries (name = value, display name):", Entries.size() + 1), Entries);
}

TEST(CommandLineDescribe, PropertiesAreListedUnderTheirCategoryWithAccessAndEditCondition)
{
	struct FPropertyCase
	{
		const char* Type;
		const char* Category;
		const char* Line;
	};
	const std::vector<FPropertyCase> Cases = {
		{"UDuRizerudoreAnchorComponent", "  Category \"DuRizerudore|Geodetic\":",
			"    GeodeticRotation: FRotator; editable, script via getter GetGeodeticRotation, setter SetGeodeticRotation"},
		{"ADuRizerudoreSystem", "  Category \"DuRizerudore\":",
			"    ReferenceSetup: FCoordinateReferenceSetup; editable, script read-only; edit condition \"LocalReferenceFrame\", hidden while false"},
		{"ADuRizerudoreSystem", "  Category \"DuRizerudore|Frame\":",
			"    OnReferenceFrameChanged: FDuRizerudoreReferenceFrameChanged; not editable, script event, handlers take (bool bFrameInitialized)"},
		{"UDuRizerudoreOriginShiftComponent", "  Category \"DuRizerudore\":",
			"    OnOriginShifted: FDuRizerudoreOriginShifted; not editable, script event, handlers take (FGeodeticCoordinate PreviousOrigin, FGeodeticCoordinate NewOrigin)"},
		{"UDuRizerudoreOriginShiftComponent", "  Category \"DuRizerudore\":", "    ShiftDistance: double; editable, script read/write"},
		{"FCoordinateConversionSetup", "  Category \"DuRizerudore|Setup\":",
			"    GravityMaxOrder: int32; editable, script read/write; edit condition \"GravityAccuracy == ECoordinateGravityAccuracy::Full\", hidden while false"},
	};
	for (const FPropertyCase& Case : Cases)
	{
		const std::vector<std::string> Lines = Describe({Case.Type});
		const auto Found = std::find(Lines.begin(), Lines.end(), Case.Line);
		ASSERT_NE(Found, Lines.end()) << Case.Type << " lacks " << Case.Line;
		const auto Heading = std::find_if(std::make_reverse_iterator(Found), Lines.rend(), [](const std::string& Line) { return Line.starts_with("  Category "); });
		ASSERT_NE(Heading, Lines.rend()) << Case.Type;
		EXPECT_EQ(*Heading, Case.Category) << Case.Line;
	}
}

TEST(CommandLineDescribe, FunctionParametersAreInputsOutputsOrTheImplicitWorldContext)
{
	struct FFunctionCase
	{
		const char* Type;
		const char* Heading;
		std::vector<std::string> Following;
	};
	const std::vector<FFunctionCase> Cases = {
		{"ADuRizerudoreSystem", "  GetCoordinateSystem: static, pure; category \"DuRizerudore|Frame\"",
			{"    parameter WorldContextObject: UObject*; implicit (world context: the calling script's object)", "    result: ADuRizerudoreSystem*"}},
		{"UDuRizerudoreBlueprintLibrary", "  ConvertPosition: static, callable; category \"DuRizerudore|Conversion\"",
			{"    parameter ReferenceFrame: FCoordinateReferenceFrame; in", "    parameter FromSystem: ECoordinateSystem; in",
				"    parameter ToSystem: ECoordinateSystem; in", "    parameter Position: FVector; in", "    parameter ConvertedPosition: FVector; out",
				"    result: bool"}},
		{"UDuRizerudoreAnchorComponent", "  SetGeodeticRotation: callable, setter; category \"DuRizerudore\"",
			{"    parameter NewGeodeticRotation: FRotator; in", "    result: none"}},
		{"UDuRizerudoreOriginShiftComponent", "  ShiftOriginToOwner: callable; category \"DuRizerudore\"", {"    parameters: none", "    result: bool"}},
	};
	for (const FFunctionCase& Case : Cases)
	{
		EXPECT_EQ(LinesAfter(Describe({Case.Type}), Case.Heading, Case.Following.size()), Case.Following) << Case.Heading;
	}
}
