// Navigation calls of the blueprint library beside the GeographicLib calls they make (Geodesic, Rhumb and
// PolygonArea on WGS84), and PROJ's geod_inverse and geod_direct (its C port of the same geodesic algorithms).
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "DuRizerudoreConversionInternal.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <GeographicLib/Rhumb.hpp>
#include <geodesic.h>

#include <cmath>
#include <random>
#include <vector>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		using FLibrary = UDuRizerudoreBlueprintLibrary;

		constexpr double Wgs84A = 6378137.0;
		constexpr double Wgs84F = 1.0 / 298.257223563;

		const FCoordinateReferenceFrame& GetNavigationFrame()
		{
			static const FCoordinateReferenceFrame Frame = [] {
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				return FCoordinateReferenceFrame(MakeShared<FCoordinateConversionInstance>(Setup),
					FCoordinateReferenceSetup(FGeodeticCoordinate(51.4779, -0.0015, 46.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian));
			}();
			return Frame;
		}

		/** A start, an azimuth in degrees and a distance in metres, for the direct problems. */
		struct FDirectCase
		{
			FVector From;
			double AzimuthDeg;
			double DistanceM;
		};

		/** Rhumb lines stay below 80 degrees of latitude and run at most 2000 km, so that none passes a pole. */
		const std::vector<FDirectCase>& GetDirectCases(const bool bRhumb)
		{
			static const auto Make = [](const bool bForRhumb) {
				std::mt19937_64 Random(bForRhumb ? 92 : 91);
				std::uniform_real_distribution<double> Azimuth(-180.0, 180.0);
				std::uniform_real_distribution<double> Distance(1.0e3, bForRhumb ? 2.0e6 : 1.9e7);
				std::vector<FDirectCase> Result;
				for (const FVector& Position : GetGeodeticPositions())
				{
					Result.push_back({FVector(bForRhumb ? Position.X * (80.0 / 90.0) : Position.X, Position.Y, Position.Z), Azimuth(Random), Distance(Random)});
				}
				return Result;
			};
			static const std::vector<FDirectCase> Geodesic = Make(false);
			static const std::vector<FDirectCase> Rhumb = Make(true);
			return bRhumb ? Rhumb : Geodesic;
		}

		const FVector& PointAt(const std::size_t Index)
		{
			return GetGeodeticPositions()[Index & 4095];
		}

		void GeodesicInverse_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetNavigationFrame();
			std::size_t Index = 0;
			double S12 = 0.0, Azi1 = 0.0, Azi2 = 0.0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FLibrary::GetGeodesicInverse(Frame, ECoordinateSystem::Geodetic, PointAt(Index), PointAt(Index + 1), S12, Azi1, Azi2));
				++Index;
			}
			benchmark::DoNotOptimize(S12 + Azi1 + Azi2);
		}

		void GeodesicInverse_Raw(benchmark::State& State)
		{
			const GeographicLib::Geodesic Geodesic(Wgs84A, Wgs84F);
			std::size_t Index = 0;
			double S12 = 0.0, Azi1 = 0.0, Azi2 = 0.0;
			for (auto _ : State)
			{
				const FVector& A = PointAt(Index);
				const FVector& B = PointAt(Index + 1);
				benchmark::DoNotOptimize(Geodesic.Inverse(A.X, A.Y, B.X, B.Y, S12, Azi1, Azi2));
				++Index;
			}
			benchmark::DoNotOptimize(S12 + Azi1 + Azi2);
		}

		void GeodesicInverse_Proj(benchmark::State& State)
		{
			geod_geodesic Geodesic;
			geod_init(&Geodesic, Wgs84A, Wgs84F);
			std::size_t Index = 0;
			double S12 = 0.0, Azi1 = 0.0, Azi2 = 0.0;
			for (auto _ : State)
			{
				const FVector& A = PointAt(Index);
				const FVector& B = PointAt(Index + 1);
				geod_inverse(&Geodesic, A.X, A.Y, B.X, B.Y, &S12, &Azi1, &Azi2);
				benchmark::DoNotOptimize(S12);
				++Index;
			}
			benchmark::DoNotOptimize(S12 + Azi1 + Azi2);
		}

		void GeodesicDirect_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetNavigationFrame();
			const std::vector<FDirectCase>& Cases = GetDirectCases(false);
			std::size_t Index = 0;
			FVector To;
			double Azi2 = 0.0;
			for (auto _ : State)
			{
				const FDirectCase& Case = Cases[Index++ & 4095];
				benchmark::DoNotOptimize(FLibrary::GetGeodesicDirect(Frame, Case.From, Case.AzimuthDeg, Case.DistanceM, To, Azi2));
			}
			benchmark::DoNotOptimize(To.X + Azi2);
		}

		void GeodesicDirect_Raw(benchmark::State& State)
		{
			const GeographicLib::Geodesic Geodesic(Wgs84A, Wgs84F);
			const std::vector<FDirectCase>& Cases = GetDirectCases(false);
			std::size_t Index = 0;
			double Lat2 = 0.0, Lon2 = 0.0, Azi2 = 0.0;
			for (auto _ : State)
			{
				const FDirectCase& Case = Cases[Index++ & 4095];
				benchmark::DoNotOptimize(Geodesic.Direct(Case.From.X, Case.From.Y, Case.AzimuthDeg, Case.DistanceM, Lat2, Lon2, Azi2));
			}
			benchmark::DoNotOptimize(Lat2 + Lon2 + Azi2);
		}

		void GeodesicDirect_Proj(benchmark::State& State)
		{
			geod_geodesic Geodesic;
			geod_init(&Geodesic, Wgs84A, Wgs84F);
			const std::vector<FDirectCase>& Cases = GetDirectCases(false);
			std::size_t Index = 0;
			double Lat2 = 0.0, Lon2 = 0.0, Azi2 = 0.0;
			for (auto _ : State)
			{
				const FDirectCase& Case = Cases[Index++ & 4095];
				geod_direct(&Geodesic, Case.From.X, Case.From.Y, Case.AzimuthDeg, Case.DistanceM, &Lat2, &Lon2, &Azi2);
				benchmark::DoNotOptimize(Lat2);
			}
			benchmark::DoNotOptimize(Lat2 + Lon2 + Azi2);
		}

		void RhumbInverse_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetNavigationFrame();
			std::size_t Index = 0;
			double S12 = 0.0, Azi12 = 0.0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FLibrary::GetRhumbInverse(Frame, ECoordinateSystem::Geodetic, PointAt(Index), PointAt(Index + 1), S12, Azi12));
				++Index;
			}
			benchmark::DoNotOptimize(S12 + Azi12);
		}

		/** The rhumb-line solver as every conversion instance builds it (series, not the exact elliptic integrals). */
		const GeographicLib::Rhumb& GetRawRhumb()
		{
			static const GeographicLib::Rhumb Rhumb(Wgs84A, Wgs84F, false);
			return Rhumb;
		}

		void RhumbInverse_Raw(benchmark::State& State)
		{
			const GeographicLib::Rhumb& Rhumb = GetRawRhumb();
			std::size_t Index = 0;
			double S12 = 0.0, Azi12 = 0.0;
			for (auto _ : State)
			{
				const FVector& A = PointAt(Index);
				const FVector& B = PointAt(Index + 1);
				Rhumb.Inverse(A.X, A.Y, B.X, B.Y, S12, Azi12);
				benchmark::DoNotOptimize(S12);
				++Index;
			}
			benchmark::DoNotOptimize(S12 + Azi12);
		}

		void RhumbDirect_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetNavigationFrame();
			const std::vector<FDirectCase>& Cases = GetDirectCases(true);
			std::size_t Index = 0;
			FVector To;
			for (auto _ : State)
			{
				const FDirectCase& Case = Cases[Index++ & 4095];
				benchmark::DoNotOptimize(FLibrary::GetRhumbDirect(Frame, Case.From, Case.AzimuthDeg, Case.DistanceM, To));
			}
			benchmark::DoNotOptimize(To.X);
		}

		void RhumbDirect_Raw(benchmark::State& State)
		{
			const GeographicLib::Rhumb& Rhumb = GetRawRhumb();
			const std::vector<FDirectCase>& Cases = GetDirectCases(true);
			std::size_t Index = 0;
			double Lat2 = 0.0, Lon2 = 0.0;
			for (auto _ : State)
			{
				const FDirectCase& Case = Cases[Index++ & 4095];
				Rhumb.Direct(Case.From.X, Case.From.Y, Case.AzimuthDeg, Case.DistanceM, Lat2, Lon2);
				benchmark::DoNotOptimize(Lat2);
			}
			benchmark::DoNotOptimize(Lat2 + Lon2);
		}

		/** Polygons of 8 vertices round random centres, counter-clockwise. */
		const std::vector<TArray<FVector>>& GetPolygons()
		{
			static const std::vector<TArray<FVector>> Polygons = [] {
				std::vector<TArray<FVector>> Result;
				for (std::size_t Index = 0; Index < 512; ++Index)
				{
					const FVector& Centre = PointAt(Index);
					TArray<FVector> Vertices;
					for (int32 Corner = 0; Corner < 8; ++Corner)
					{
						const double Angle = Corner * (2.0 * 3.141592653589793 / 8.0);
						Vertices.Add(FVector(Centre.X * 0.9 + 5.0 * std::sin(Angle), Centre.Y + 5.0 * std::cos(Angle), 0.0));
					}
					Result.push_back(Vertices);
				}
				return Result;
			}();
			return Polygons;
		}

		void PolygonArea_Wrapper(benchmark::State& State)
		{
			const FCoordinateReferenceFrame& Frame = GetNavigationFrame();
			const std::vector<TArray<FVector>>& Polygons = GetPolygons();
			std::size_t Index = 0;
			double Area = 0.0, Perimeter = 0.0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FLibrary::GetPolygonArea(Frame, Polygons[Index++ & 511], Area, Perimeter));
			}
			benchmark::DoNotOptimize(Area + Perimeter);
		}

		void PolygonArea_Raw(benchmark::State& State)
		{
			const GeographicLib::Geodesic Geodesic(Wgs84A, Wgs84F);
			const std::vector<TArray<FVector>>& Polygons = GetPolygons();
			std::size_t Index = 0;
			double Area = 0.0, Perimeter = 0.0;
			for (auto _ : State)
			{
				GeographicLib::PolygonArea Polygon(Geodesic, false);
				for (const FVector& Vertex : Polygons[Index++ & 511])
				{
					Polygon.AddPoint(Vertex.X, Vertex.Y);
				}
				benchmark::DoNotOptimize(Polygon.Compute(false, true, Perimeter, Area));
			}
			benchmark::DoNotOptimize(Area + Perimeter);
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR(GeodesicInverse, GeodesicInverse_Wrapper, GeodesicInverse_Raw);
	BENCHMARK(GeodesicInverse_Proj)->Name("GeodesicInverse/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(GeodesicDirect, GeodesicDirect_Wrapper, GeodesicDirect_Raw);
	BENCHMARK(GeodesicDirect_Proj)->Name("GeodesicDirect/PROJ");
	DURIZERUDORE_BENCHMARK_PAIR(RhumbInverse, RhumbInverse_Wrapper, RhumbInverse_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(RhumbDirect, RhumbDirect_Wrapper, RhumbDirect_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(PolygonArea, PolygonArea_Wrapper, PolygonArea_Raw);
}
