#include "DuRizerudoreBlueprintLibrary.h"

#include "ChildProcess.h"
#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using FLibrary = UDuRizerudoreBlueprintLibrary;

namespace
{
	FCoordinateReferenceFrame MakeFrame()
	{
		DuRizerudoreTest::UseNoPlugin();
		FCoordinateConversionSetup Setup;
		Setup.GravityModel = EEarthGravityModel::None;
		Setup.GeoidModel = EEarthGravityModel::None;
		const FCoordinateReferenceSetup ReferenceSetup(FGeodeticCoordinate(51.4779, -0.0015, 46.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian);
		FCoordinateReferenceFrame Frame;
		EXPECT_TRUE(FLibrary::MakeReferenceFrame(Setup, ReferenceSetup, Frame));
		return Frame;
	}

	/** Runs one of GeographicLib's tools over the lines and returns the numbers of each output line. */
	std::vector<std::vector<double>> RunOracle(const std::vector<std::string>& Argv, const std::string& Input)
	{
		const DuRizerudoreTest::FProcessResult Result = DuRizerudoreTest::RunProcess(Argv, Input);
		EXPECT_TRUE(Result.bStarted && Result.ExitCode == 0) << Argv[0] << ": " << Result.Stderr;
		std::vector<std::vector<double>> Lines;
		std::istringstream Stream(Result.Stdout);
		for (std::string Line; std::getline(Stream, Line);)
		{
			std::istringstream Numbers(Line);
			std::vector<double>& Row = Lines.emplace_back();
			for (std::string Word; Numbers >> Word;)
			{
				Row.push_back(std::strtod(Word.c_str(), nullptr));
			}
		}
		return Lines;
	}

	/** The difference of two angles in degrees, folded into [0, 180]. */
	double AngleDifferenceDeg(const double A, const double B)
	{
		return std::abs(std::remainder(A - B, 360.0));
	}

	struct FPair
	{
		double Lat1, Lon1, Lat2, Lon2;
	};

	/** Random pairs and the hard ones: near-antipodal, equatorial, meridional, the poles, across the antimeridian. */
	std::vector<FPair> MakePairs()
	{
		std::vector<FPair> Pairs = {{0.0, 0.0, 0.0, 179.5}, {0.0, -10.0, 0.0, 170.0}, {0.0, 10.0, 0.0, 100.0}, {-30.0, 20.0, 60.0, 20.0}, {10.0, 45.0, -10.0, -135.0},
			{90.0, 0.0, -90.0, 0.0}, {90.0, 30.0, 10.0, -60.0}, {-89.9, 1.0, 45.0, 2.0}, {10.0, 179.9, -12.0, -179.8}, {0.5, 0.0, -0.5, 179.7}, {30.0, 0.0, -30.0, 179.9}};
		std::mt19937 Random(23);
		std::uniform_real_distribution<double> Uniform(-1.0, 1.0);
		const auto Latitude = [&] { return std::asin(Uniform(Random)) * 57.29577951308232; };
		for (int Index = 0; Index < 40; ++Index)
		{
			const double Lat1 = Latitude();
			const double Lon1 = 180.0 * Uniform(Random);
			// Every fourth pair within a few tenths of a degree of the antipode.
			if (Index % 4 == 0)
			{
				Pairs.push_back({Lat1, Lon1, -Lat1 + 0.3 * Uniform(Random), Lon1 + 180.0 + 0.3 * Uniform(Random)});
			}
			else
			{
				Pairs.push_back({Lat1, Lon1, Latitude(), 180.0 * Uniform(Random)});
			}
		}
		return Pairs;
	}

	std::string FormatLines(const std::vector<std::vector<double>>& Rows)
	{
		std::ostringstream Text;
		Text.precision(17);
		for (const std::vector<double>& Row : Rows)
		{
			for (const double Value : Row)
			{
				Text << Value << ' ';
			}
			Text << '\n';
		}
		return Text.str();
	}
}

TEST(Navigation, InverseAndDirectProblemsAgreeWithGeographicLibsTools)
{
	if (!DuRizerudoreTest::IsProgramOnPath("GeodSolve") || !DuRizerudoreTest::IsProgramOnPath("RhumbSolve"))
	{
		GTEST_SKIP() << "geographiclib-tools is not installed";
	}
	const FCoordinateReferenceFrame Frame = MakeFrame();
	const std::vector<FPair> Pairs = MakePairs();
	std::vector<std::vector<double>> InverseLines;
	std::vector<std::vector<double>> DirectLines;
	for (const FPair& Pair : Pairs)
	{
		InverseLines.push_back({Pair.Lat1, Pair.Lon1, Pair.Lat2, Pair.Lon2});
		// Directs from the same start: the pair's bearing and 1.5 times its distance, past the far point.
		DirectLines.push_back({Pair.Lat1, Pair.Lon1, Pair.Lat2 * 3.0 + Pair.Lon2, 1e3 * (Pair.Lon1 - Pair.Lon2) * 120.0});
	}
	const auto Geodesic = RunOracle({"GeodSolve", "-i", "-p", "9"}, FormatLines(InverseLines));
	const auto Rhumb = RunOracle({"RhumbSolve", "-i", "-p", "9"}, FormatLines(InverseLines));
	const auto GeodesicDirect = RunOracle({"GeodSolve", "-p", "9"}, FormatLines(DirectLines));
	const auto RhumbDirect = RunOracle({"RhumbSolve", "-p", "9"}, FormatLines(DirectLines));
	ASSERT_EQ(Geodesic.size(), Pairs.size());
	ASSERT_EQ(Rhumb.size(), Pairs.size());
	ASSERT_EQ(GeodesicDirect.size(), Pairs.size());
	ASSERT_EQ(RhumbDirect.size(), Pairs.size());
	for (std::size_t Index = 0; Index < Pairs.size(); ++Index)
	{
		const FPair& P = Pairs[Index];
		SCOPED_TRACE(testing::Message() << "case " << Index << ": " << P.Lat1 << ' ' << P.Lon1 << ' ' << P.Lat2 << ' ' << P.Lon2);
		const FVector From(P.Lat1, P.Lon1, 120.0);
		const FVector To(P.Lat2, P.Lon2, -40.0);
		double S12 = 0.0, Azi1 = 0.0, Azi2 = 0.0;
		ASSERT_TRUE(FLibrary::GetGeodesicInverse(Frame, ECoordinateSystem::Geodetic, From, To, S12, Azi1, Azi2));
		EXPECT_NEAR(S12, Geodesic[Index][2], 1e-6);
		EXPECT_LT(AngleDifferenceDeg(Azi1, Geodesic[Index][0]), 1e-9);
		EXPECT_LT(AngleDifferenceDeg(Azi2, Geodesic[Index][1]), 1e-9);
		EXPECT_TRUE(Azi1 > -180.0 && Azi1 <= 180.0 && Azi2 > -180.0 && Azi2 <= 180.0);

		double RhumbS12 = 0.0, Azi12 = 0.0;
		if (std::isfinite(Rhumb[Index][1]))
		{
			ASSERT_TRUE(FLibrary::GetRhumbInverse(Frame, ECoordinateSystem::Geodetic, From, To, RhumbS12, Azi12));
			EXPECT_NEAR(RhumbS12, Rhumb[Index][1], 1e-5);
			EXPECT_LT(AngleDifferenceDeg(Azi12, Rhumb[Index][0]), 1e-9);
			EXPECT_GE(RhumbS12, S12 - 1e-6) << "a rhumb line is never shorter than the geodesic";
		}

		const double AzimuthDeg = DirectLines[Index][2];
		const double DistanceM = DirectLines[Index][3];
		FVector End = FVector::ZeroVector;
		double FinalAzimuthDeg = 0.0;
		ASSERT_TRUE(FLibrary::GetGeodesicDirect(Frame, From, AzimuthDeg, DistanceM, End, FinalAzimuthDeg));
		EXPECT_NEAR(End.X, GeodesicDirect[Index][0], 1e-12);
		EXPECT_LT(AngleDifferenceDeg(End.Y, GeodesicDirect[Index][1]), 1e-12);
		EXPECT_LT(AngleDifferenceDeg(FinalAzimuthDeg, GeodesicDirect[Index][2]), 1e-9);
		EXPECT_EQ(End.Z, From.Z) << "the height is carried over";

		FVector RhumbEnd(1.0, 2.0, 3.0);
		const bool bRhumbAnswered = std::isfinite(RhumbDirect[Index][0]) && std::isfinite(RhumbDirect[Index][1]);
		ASSERT_EQ(FLibrary::GetRhumbDirect(Frame, From, AzimuthDeg, DistanceM, RhumbEnd), bRhumbAnswered);
		if (bRhumbAnswered)
		{
			EXPECT_NEAR(RhumbEnd.X, RhumbDirect[Index][0], 1e-10);
			EXPECT_LT(AngleDifferenceDeg(RhumbEnd.Y, RhumbDirect[Index][1]), 1e-10);
		}
		else
		{
			EXPECT_EQ(RhumbEnd, FVector::ZeroVector);
		}

		// The direct problem inverts the inverse one.
		FVector Back = FVector::ZeroVector;
		ASSERT_TRUE(FLibrary::GetGeodesicDirect(Frame, From, Azi1, S12, Back, FinalAzimuthDeg));
		FVector BackEcef, ToEcef;
		ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, Back, BackEcef));
		ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geocentric, FVector(P.Lat2, P.Lon2, From.Z), ToEcef));
		EXPECT_LT((BackEcef - ToEcef).Size(), 1e-6);
	}
}

TEST(Navigation, PolygonAreasAgreeWithPlanimeter)
{
	if (!DuRizerudoreTest::IsProgramOnPath("Planimeter"))
	{
		GTEST_SKIP() << "geographiclib-tools is not installed";
	}
	const FCoordinateReferenceFrame Frame = MakeFrame();
	// Counter-clockwise and clockwise, across the antimeridian, round a pole, a thin sliver, a continent-sized one.
	const std::vector<std::vector<FVector>> Polygons = {{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
		{{10, 179.5, 0}, {10, -179.5, 0}, {11, -179.5, 0}, {11, 179.5, 0}}, {{80, 0, 0}, {80, 120, 0}, {80, -120, 0}},
		{{-89, 0, 0}, {-89, -90, 0}, {-89, 180, 0}, {-89, 90, 0}}, {{0, 0, 0}, {0.001, 50, 0}, {0, 100, 0}},
		{{48.86, 2.35, 0}, {51.51, -0.13, 0}, {40.42, -3.70, 0}, {41.90, 12.50, 500}, {52.52, 13.40, 0}}};
	std::string Input;
	for (const std::vector<FVector>& Polygon : Polygons)
	{
		for (const FVector& Vertex : Polygon)
		{
			Input += std::to_string(Vertex.X) + ' ' + std::to_string(Vertex.Y) + '\n';
		}
		Input += '\n';
	}
	const auto Planimeter = RunOracle({"Planimeter", "-p", "12"}, Input);
	ASSERT_EQ(Planimeter.size(), Polygons.size());
	for (std::size_t Index = 0; Index < Polygons.size(); ++Index)
	{
		SCOPED_TRACE(testing::Message() << "polygon " << Index);
		double AreaM2 = 0.0, PerimeterM = 0.0;
		ASSERT_TRUE(FLibrary::GetPolygonArea(Frame, TArray<FVector>(Polygons[Index].data(), static_cast<int32>(Polygons[Index].size())), AreaM2, PerimeterM));
		EXPECT_EQ(Planimeter[Index][0], static_cast<double>(Polygons[Index].size()));
		EXPECT_NEAR(PerimeterM, Planimeter[Index][1], 1e-6);
		EXPECT_NEAR(AreaM2, Planimeter[Index][2], 1e-3 + 1e-12 * std::abs(AreaM2));
	}
}

TEST(Navigation, JfkToChangiIsThePublishedGeodesic)
{
	// 40:38:23N 073:46:44W to 01:21:33N 103:59:22E: GeographicLib's documentation gives 15347628 m, 003:18:29.9 and
	// 177:29:09.2; GeodSolve -i -p 9 gives 15347627.659635615 m.
	const FCoordinateReferenceFrame Frame = MakeFrame();
	double S12 = 0.0, Azi1 = 0.0, Azi2 = 0.0;
	ASSERT_TRUE(FLibrary::GetGeodesicInverse(Frame, ECoordinateSystem::Geodetic, FVector(40.0 + 38.0 / 60 + 23.0 / 3600, -(73.0 + 46.0 / 60 + 44.0 / 3600), 0.0),
		FVector(1.0 + 21.0 / 60 + 33.0 / 3600, 103.0 + 59.0 / 60 + 22.0 / 3600, 0.0), S12, Azi1, Azi2));
	EXPECT_NEAR(S12, 15347627.659635615, 1e-3);
	EXPECT_NEAR(Azi1, 3.0 + 18.0 / 60 + 29.9 / 3600, 0.05 / 3600);
	EXPECT_NEAR(Azi2, 177.0 + 29.0 / 60 + 9.2 / 3600, 0.05 / 3600);
}

TEST(Navigation, WaypointsLieEvenlyOnTheLineWithHeightsLinearInDistance)
{
	const FCoordinateReferenceFrame Frame = MakeFrame();
	struct FCase
	{
		const char* Name;
		FVector From, To;
		int32 Count;
		bool bRhumb;
	};
	const std::vector<FCase> Cases = {{"Greenwich to the Eiffel Tower", {51.4779, -0.0015, 46.0}, {48.8584, 2.2945, 330.0}, 5, false},
		{"near-antipodal", {30.0, 0.0, 0.0}, {-29.9, 179.8, 1000.0}, 7, false}, {"across the antimeridian", {-10.0, 175.0, 0.0}, {20.0, -170.0, 0.0}, 2, false},
		{"rhumb", {40.6, -73.8, 10.0}, {51.5, 0.0, 20.0}, 6, true}, {"rhumb along the equator", {0.0, -20.0, 0.0}, {0.0, 30.0, 100.0}, 4, true}};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		TArray<FVector> Waypoints;
		const auto Waypointer = Case.bRhumb ? &FLibrary::GetRhumbWaypoints : &FLibrary::GetGeodesicWaypoints;
		ASSERT_TRUE(Waypointer(Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, Case.Count, ECoordinateSystem::Geodetic, Waypoints));
		ASSERT_EQ(Waypoints.Num(), Case.Count);
		EXPECT_EQ(Waypoints[0], Case.From);
		EXPECT_EQ(Waypoints.Last(), Case.To);
		double LengthM = 0.0, AzimuthDeg = 0.0, FinalDeg = 0.0;
		ASSERT_TRUE(Case.bRhumb ? FLibrary::GetRhumbInverse(Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, LengthM, AzimuthDeg)
								: FLibrary::GetGeodesicInverse(Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, LengthM, AzimuthDeg, FinalDeg));
		for (int32 Index = 1; Index < Case.Count; ++Index)
		{
			const double Fraction = static_cast<double>(Index) / (Case.Count - 1);
			double DistanceM = 0.0, Azi = 0.0;
			ASSERT_TRUE(Case.bRhumb ? FLibrary::GetRhumbInverse(Frame, ECoordinateSystem::Geodetic, Case.From, Waypoints[Index], DistanceM, Azi)
									: FLibrary::GetGeodesicInverse(Frame, ECoordinateSystem::Geodetic, Case.From, Waypoints[Index], DistanceM, Azi, FinalDeg));
			EXPECT_NEAR(DistanceM, Fraction * LengthM, 1e-6) << "waypoint " << Index;
			EXPECT_LT(AngleDifferenceDeg(Azi, AzimuthDeg), 1e-9) << "waypoint " << Index;
			EXPECT_NEAR(Waypoints[Index].Z, Case.From.Z + Fraction * (Case.To.Z - Case.From.Z), 1e-9) << "waypoint " << Index;
		}
		// The same path in the engine's frame is the geodetic path converted point by point.
		TArray<FVector> Local;
		ASSERT_TRUE(Waypointer(Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, Case.Count, ECoordinateSystem::Local_UE, Local));
		FVector Expected;
		ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Waypoints[Case.Count / 2], Expected));
		EXPECT_LT((Local[Case.Count / 2] - Expected).Size(), 1e-6);
	}
}

TEST(Navigation, RefusalsLeaveTheirStatedOutputs)
{
	const FCoordinateReferenceFrame Frame = MakeFrame();
	const double NaN = std::nan("");
	const double Inf = INFINITY;
	struct FCase
	{
		const char* Name;
		const FCoordinateReferenceFrame& Frame;
		FVector From, To;
		double AzimuthDeg, DistanceM;
		int32 Count;
	};
	const FCoordinateReferenceFrame Invalid;
	const std::vector<FCase> Cases = {{"invalid frame", Invalid, {1, 2, 3}, {4, 5, 6}, 10, 100, 3}, {"NaN start", Frame, {NaN, 2, 3}, {4, 5, 6}, 10, 100, 3},
		{"infinite end and distance", Frame, {1, 2, 3}, {4, Inf, 6}, 10, Inf, 3}, {"latitude beyond a pole", Frame, {90.5, 2, 3}, {-91, 5, 6}, 10, 100, 3},
		{"azimuth and distance not finite", Frame, {91, 2, 3}, {4, 5, 6}, NaN, Inf, 3}, {"too few waypoints", Frame, {1, 2, 3}, {4, 5, 6}, 10, NaN, 1},
		{"too many waypoints", Frame, {1, 2, 3}, {4, 5, 6}, 10, NaN, FLibrary::MaxWaypointCount + 1}};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		double A = 9.0, B = 9.0, C = 9.0;
		FVector End(7.0, 8.0, 9.0);
		if (Case.Count >= 2 && Case.Count <= FLibrary::MaxWaypointCount)
		{
			EXPECT_FALSE(FLibrary::GetGeodesicInverse(Case.Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, A, B, C));
			EXPECT_TRUE(A == 0.0 && B == 0.0 && C == 0.0);
			A = B = 9.0;
			EXPECT_FALSE(FLibrary::GetRhumbInverse(Case.Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, A, B));
			EXPECT_TRUE(A == 0.0 && B == 0.0);
			EXPECT_FALSE(FLibrary::GetGeodesicDirect(Case.Frame, Case.From, Case.AzimuthDeg, Case.DistanceM, End, C));
			EXPECT_TRUE(End == FVector::ZeroVector && C == 0.0);
			End = FVector(7.0, 8.0, 9.0);
			EXPECT_FALSE(FLibrary::GetRhumbDirect(Case.Frame, Case.From, Case.AzimuthDeg, Case.DistanceM, End));
			EXPECT_EQ(End, FVector::ZeroVector);
			A = B = 9.0;
			EXPECT_FALSE(FLibrary::GetPolygonArea(Case.Frame, {Case.From, Case.To, FVector(0.0)}, A, B));
			EXPECT_TRUE(A == 0.0 && B == 0.0);
		}
		TArray<FVector> Waypoints = {FVector(1.0)};
		EXPECT_FALSE(FLibrary::GetGeodesicWaypoints(Case.Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, Case.Count, ECoordinateSystem::Local_UE, Waypoints));
		EXPECT_TRUE(Waypoints.IsEmpty());
		Waypoints = {FVector(1.0)};
		EXPECT_FALSE(FLibrary::GetRhumbWaypoints(Case.Frame, ECoordinateSystem::Geodetic, Case.From, Case.To, Case.Count, ECoordinateSystem::Local_UE, Waypoints));
		EXPECT_TRUE(Waypoints.IsEmpty());
	}
	double AreaM2 = 9.0, PerimeterM = 9.0;
	EXPECT_FALSE(FLibrary::GetPolygonArea(Frame, {FVector(0.0), FVector(1.0, 0.0, 0.0)}, AreaM2, PerimeterM)) << "two vertices are no polygon";
	FVector End;
	EXPECT_FALSE(FLibrary::GetRhumbDirect(Frame, FVector(89.0, 0.0, 0.0), 10.0, 1e6, End)) << "a rhumb line beyond the pole";
	TArray<FVector> Most;
	EXPECT_TRUE(FLibrary::GetGeodesicWaypoints(Frame, ECoordinateSystem::Geodetic, FVector(1, 2, 3), FVector(4, 5, 6), FLibrary::MaxWaypointCount, ECoordinateSystem::Geodetic, Most));
	EXPECT_EQ(Most.Num(), FLibrary::MaxWaypointCount);
}
