// The Earth model beside the raw GeographicLib calls it wraps.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <benchmark/benchmark.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreModelFiles.h"
#include "Misc/Paths.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Geoid.hpp>
#include <GeographicLib/GravityModel.hpp>
#include <GeographicLib/NormalGravity.hpp>
#include <GeographicLib/Rhumb.hpp>


#include <memory>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		using FAccess = FCoordinateConversionKernelAccess;

		const FCoordinateConversionInstance& GetDefaultInstance()
		{
			static const FCoordinateConversionInstance Instance{FCoordinateConversionSetup()};
			return Instance;
		}

		const FCoordinateConversionInstance& GetInstance(const ECoordinateGeoidInterpolation Interpolation)
		{
			static const FCoordinateConversionInstance Cubic = [] {
				FCoordinateConversionSetup Setup;
				Setup.GeoidInterpolation = ECoordinateGeoidInterpolation::Cubic;
				return FCoordinateConversionInstance(Setup);
			}();
			return Interpolation == ECoordinateGeoidInterpolation::Cubic ? Cubic : GetDefaultInstance();
		}

		const FCoordinateConversionInstance& GetModelFreeInstance()
		{
			static const FCoordinateConversionInstance Instance = [] {
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				return FCoordinateConversionInstance(Setup);
			}();
			return Instance;
		}

		std::string DataDirectory(const char* Kind)
		{
			return std::string(TCHAR_TO_UTF8(*FPaths::Combine(DuRizerudore::ResolveGeographicLibDataRoot(), TEXT("data"), FString(Kind))));
		}

		bool SkipWithoutModels(benchmark::State& State)
		{
			if (!HasInstalledModels())
			{
				State.SkipWithError("EGM84 is not installed; run scripts/install-data");
				return true;
			}
			return false;
		}
	}

	const std::vector<FVector>& GetGeocentricPositions()
	{
		static const std::vector<FVector> Positions = [] {
			std::vector<FVector> Result;
			for (const FVector& Geodetic : GetGeodeticPositions())
			{
				Result.push_back(FAccess::GeodeticToWorldPosition(GetModelFreeInstance(), Geodetic));
			}
			return Result;
		}();
		return Positions;
	}

	bool HasInstalledModels()
	{
		return GetDefaultInstance().IsInitialized();
	}

	namespace
	{
		void BuildDefaultInstance_Wrapper(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			for (auto _ : State)
			{
				const TSharedPtr<FCoordinateConversionInstance> Instance = MakeShared<FCoordinateConversionInstance>(FCoordinateConversionSetup());
				benchmark::DoNotOptimize(Instance.Get());
			}
		}

		void BuildDefaultInstance_Raw(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			const std::string Gravity = DataDirectory("gravity");
			const std::string Geoids = DataDirectory("geoids");
			for (auto _ : State)
			{
				const double A = DuRizerudore::Wgs84EquatorialRadiusM;
				const double F = DuRizerudore::Wgs84Flattening;
				auto Geodesic = std::make_shared<GeographicLib::Geodesic>(A, F);
				auto Rhumb = std::make_shared<GeographicLib::Rhumb>(A, F, false);
				auto Geocentric = std::make_shared<GeographicLib::Geocentric>(A, F);
				auto Normal = std::make_shared<GeographicLib::NormalGravity>(GeographicLib::NormalGravity::WGS84());
				auto Model = std::make_shared<GeographicLib::GravityModel>("egm84", Gravity, 16, 16);
				auto Geoid = std::make_shared<GeographicLib::Geoid>("egm84-30", Geoids, false, true);
				benchmark::DoNotOptimize(Geoid.get());
				benchmark::DoNotOptimize(Model.get());
			}
		}

		void GeodeticToGeocentric_Wrapper(benchmark::State& State)
		{
			const FCoordinateConversionInstance& Instance = GetModelFreeInstance();
			const std::vector<FVector>& Inputs = GetGeodeticPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FAccess::GeodeticToWorldPosition(Instance, Inputs[Index++ & 4095]));
			}
		}

		void GeodeticToGeocentric_Raw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GeographicLib::Geocentric::WGS84();
			const std::vector<FVector>& Inputs = GetGeodeticPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Out;
				Earth.Forward(In.X, In.Y, In.Z, Out.X, Out.Y, Out.Z);
				benchmark::DoNotOptimize(Out);
			}
		}

		void GeocentricToGeodetic_Wrapper(benchmark::State& State)
		{
			const FCoordinateConversionInstance& Instance = GetModelFreeInstance();
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FAccess::WorldPositionToGeodetic(Instance, Inputs[Index++ & 4095]));
			}
		}

		void GeocentricToGeodetic_Raw(benchmark::State& State)
		{
			const GeographicLib::Geocentric& Earth = GeographicLib::Geocentric::WGS84();
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Out;
				Earth.Reverse(In.X, In.Y, In.Z, Out.X, Out.Y, Out.Z);
				benchmark::DoNotOptimize(Out);
			}
		}

		template <ECoordinateGeoidInterpolation Interpolation>
		void GeoidHeight_Wrapper(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			const FCoordinateConversionInstance& Instance = GetInstance(Interpolation);
			const std::vector<FVector>& Inputs = GetGeodeticPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(Instance.GetGeoidHeight(Inputs[Index++ & 4095]));
			}
		}

		template <ECoordinateGeoidInterpolation Interpolation>
		void GeoidHeight_Raw(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			const GeographicLib::Geoid Geoid("egm84-30", DataDirectory("geoids"), Interpolation == ECoordinateGeoidInterpolation::Cubic, true);
			const std::vector<FVector>& Inputs = GetGeodeticPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				benchmark::DoNotOptimize(Geoid(In.X, In.Y));
			}
		}

		void GravityEgm84Degree16_Wrapper(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			const FCoordinateConversionInstance& Instance = GetDefaultInstance();
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FAccess::GetGeocentricGravityAtGeocentric(Instance, Inputs[Index++ & 4095]));
			}
		}

		void GravityEgm84Degree16_Raw(benchmark::State& State)
		{
			if (SkipWithoutModels(State))
			{
				return;
			}
			const GeographicLib::GravityModel Model("egm84", DataDirectory("gravity"), 16, 16);
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Out;
				benchmark::DoNotOptimize(Model.W(In.X, In.Y, In.Z, Out.X, Out.Y, Out.Z));
				benchmark::DoNotOptimize(Out);
			}
		}

		void NormalGravity_Wrapper(benchmark::State& State)
		{
			const FCoordinateConversionInstance& Instance = GetModelFreeInstance();
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				benchmark::DoNotOptimize(FAccess::GetGeocentricGravityAtGeocentric(Instance, Inputs[Index++ & 4095]));
			}
		}

		void NormalGravity_Raw(benchmark::State& State)
		{
			const GeographicLib::NormalGravity& Normal = GeographicLib::NormalGravity::WGS84();
			const std::vector<FVector>& Inputs = GetGeocentricPositions();
			std::size_t Index = 0;
			for (auto _ : State)
			{
				const FVector& In = Inputs[Index++ & 4095];
				FVector Out;
				benchmark::DoNotOptimize(Normal.U(In.X, In.Y, In.Z, Out.X, Out.Y, Out.Z));
				benchmark::DoNotOptimize(Out);
			}
		}
	}

	DURIZERUDORE_BENCHMARK_PAIR_IN(BuildDefaultInstance, BuildDefaultInstance_Wrapper, BuildDefaultInstance_Raw, benchmark::kMillisecond);
	DURIZERUDORE_BENCHMARK_PAIR(GeodeticToGeocentric, GeodeticToGeocentric_Wrapper, GeodeticToGeocentric_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(GeocentricToGeodetic, GeocentricToGeodetic_Wrapper, GeocentricToGeodetic_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(GeoidHeightBilinear, GeoidHeight_Wrapper<ECoordinateGeoidInterpolation::Bilinear>, GeoidHeight_Raw<ECoordinateGeoidInterpolation::Bilinear>);
	DURIZERUDORE_BENCHMARK_PAIR(GeoidHeightCubic, GeoidHeight_Wrapper<ECoordinateGeoidInterpolation::Cubic>, GeoidHeight_Raw<ECoordinateGeoidInterpolation::Cubic>);
	DURIZERUDORE_BENCHMARK_PAIR(GravityEgm84Degree16, GravityEgm84Degree16_Wrapper, GravityEgm84Degree16_Raw);
	DURIZERUDORE_BENCHMARK_PAIR(NormalGravity, NormalGravity_Wrapper, NormalGravity_Raw);
}
