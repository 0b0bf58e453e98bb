// Ten million positions at once: the batch conversion against the limits and peers that bound it. Geocentric
// to and from the engine's frame in a tangent plane against a memcpy of the same bytes in and out (the
// machine's memory limit); geodetic to the engine's frame in a tangent plane and in UTM against raw
// GeographicLib loops and PROJ's own batch call, proj_trans_generic. The Wrapper rows run the batch on one
// thread. BatchScaling reports, from wall-clock times, the speedup of the batch split across every core over
// one thread, and of the split batch over PROJ's batch. StreamGeocentricToLocalUeTangent puts 200,000 points
// through the single public call beside the batch's arithmetic and PROJ called point by point.
#include <benchmark/benchmark.h>
#include <proj.h>

#include "BenchmarkSupport.h"
#include "DuRizerudoreBatchConversion.h"
#include "DuRizerudoreBlueprintLibrary.h"

#include <GeographicLib/LocalCartesian.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		constexpr int32 BatchSize = 10'000'000;
		// Slices below every size at which a batch is split across threads: one thread does all the work.
		constexpr int32 OneThreadSlice = 1024;
		constexpr double BatchOriginLat = 48.137;
		constexpr double BatchOriginLon = 11.575;
		constexpr double BatchOriginH = 520.0;

		const FCoordinateReferenceFrame& GetBatchFrame(const ECoordinateLocalFrameType Type)
		{
			static const auto Make = [](const ECoordinateLocalFrameType FrameType) {
				FCoordinateConversionSetup Setup;
				Setup.GravityModel = EEarthGravityModel::None;
				Setup.GeoidModel = EEarthGravityModel::None;
				FCoordinateReferenceFrame Frame;
				UDuRizerudoreBlueprintLibrary::MakeReferenceFrame(Setup,
					FCoordinateReferenceSetup(FGeodeticCoordinate(BatchOriginLat, BatchOriginLon, BatchOriginH), ECoordinateAltitudeReference::Ellipsoid, FrameType), Frame);
				return Frame;
			};
			static const FCoordinateReferenceFrame Cartesian = Make(ECoordinateLocalFrameType::Cartesian);
			static const FCoordinateReferenceFrame Utm = Make(ECoordinateLocalFrameType::UTM);
			return Type == ECoordinateLocalFrameType::UTM ? Utm : Cartesian;
		}

		/** Ten million positions within 100 km of the origin, in one system. */
		const std::vector<FVector>& GetBatchPositions(const ECoordinateSystem System)
		{
			static const std::vector<FVector> Geodetic = [] {
				std::mt19937_64 Random(26);
				std::uniform_real_distribution<double> Unit(-1.0, 1.0);
				std::vector<FVector> Result(BatchSize);
				for (FVector& Position : Result)
				{
					Position = FVector(BatchOriginLat + 0.9 * Unit(Random), BatchOriginLon + 1.3 * Unit(Random), 500.0 + 500.0 * Unit(Random));
				}
				return Result;
			}();
			static const auto ConvertAll = [](const ECoordinateSystem To) {
				std::vector<FVector> Result(BatchSize);
				DuRizerudore::ConvertPositions(GetBatchFrame(ECoordinateLocalFrameType::Cartesian), ECoordinateSystem::Geodetic, To, MakeArrayView(Geodetic.data(), BatchSize),
					MakeArrayView(Result.data(), BatchSize));
				return Result;
			};
			if (System == ECoordinateSystem::Geocentric)
			{
				static const std::vector<FVector> Geocentric = ConvertAll(ECoordinateSystem::Geocentric);
				return Geocentric;
			}
			if (System == ECoordinateSystem::Local_UE)
			{
				static const std::vector<FVector> LocalUe = ConvertAll(ECoordinateSystem::Local_UE);
				return LocalUe;
			}
			return Geodetic;
		}

		std::vector<FVector>& GetBatchOutput()
		{
			static std::vector<FVector> Output(BatchSize);
			return Output;
		}

		void ConvertOnOneThread(const ECoordinateLocalFrameType Type, const ECoordinateSystem From, const ECoordinateSystem To)
		{
			const std::vector<FVector>& In = GetBatchPositions(From);
			std::vector<FVector>& Out = GetBatchOutput();
			for (int32 Begin = 0; Begin < BatchSize; Begin += OneThreadSlice)
			{
				const int32 Count = std::min(OneThreadSlice, BatchSize - Begin);
				DuRizerudore::ConvertPositions(GetBatchFrame(Type), From, To, MakeArrayView(In.data() + Begin, Count), MakeArrayView(Out.data() + Begin, Count));
			}
		}

		void ConvertOnEveryCore(const ECoordinateLocalFrameType Type, const ECoordinateSystem From, const ECoordinateSystem To)
		{
			const std::vector<FVector>& In = GetBatchPositions(From);
			std::vector<FVector>& Out = GetBatchOutput();
			DuRizerudore::ConvertPositions(GetBatchFrame(Type), From, To, MakeArrayView(In.data(), BatchSize), MakeArrayView(Out.data(), BatchSize));
		}

		void RunBatch(benchmark::State& State, const ECoordinateLocalFrameType Type, const ECoordinateSystem From, const ECoordinateSystem To)
		{
			GetBatchPositions(From);
			for (auto _ : State)
			{
				ConvertOnOneThread(Type, From, To);
				benchmark::ClobberMemory();
			}
			State.SetItemsProcessed(State.iterations() * BatchSize);
		}

		/** The memory limit: the same bytes read and written once. */
		void BatchMemcpy(benchmark::State& State)
		{
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geocentric);
			std::vector<FVector>& Out = GetBatchOutput();
			for (auto _ : State)
			{
				std::memcpy(Out.data(), In.data(), In.size() * sizeof(FVector));
				benchmark::ClobberMemory();
			}
			State.SetItemsProcessed(State.iterations() * BatchSize);
		}

		/** A raw GeographicLib loop: the projector's Forward and the engine's axes and centimetres. */
		void BatchGeodeticToLocalUeTangent_Raw(benchmark::State& State)
		{
			const GeographicLib::LocalCartesian Projector(BatchOriginLat, BatchOriginLon, BatchOriginH);
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geodetic);
			std::vector<FVector>& Out = GetBatchOutput();
			for (auto _ : State)
			{
				for (int32 Index = 0; Index < BatchSize; ++Index)
				{
					double East = 0.0, North = 0.0, Up = 0.0;
					Projector.Forward(In[Index].X, In[Index].Y, In[Index].Z, East, North, Up);
					Out[Index] = FVector(North * 100.0, East * 100.0, Up * 100.0);
				}
				benchmark::ClobberMemory();
			}
			State.SetItemsProcessed(State.iterations() * BatchSize);
		}

		void BatchGeodeticToLocalUeUtm_Raw(benchmark::State& State)
		{
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geodetic);
			std::vector<FVector>& Out = GetBatchOutput();
			for (auto _ : State)
			{
				for (int32 Index = 0; Index < BatchSize; ++Index)
				{
					int Zone = 0;
					bool bNorth = true;
					double Easting = 0.0, Northing = 0.0;
					GeographicLib::UTMUPS::Forward(In[Index].X, In[Index].Y, Zone, bNorth, Easting, Northing, 32);
					Out[Index] = FVector(Northing * 100.0, Easting * 100.0, In[Index].Z * 100.0);
				}
				benchmark::ClobberMemory();
			}
			State.SetItemsProcessed(State.iterations() * BatchSize);
		}

		/** PROJ's batch call on the same points, in place on a fresh copy each time (the copy is not timed). */
		class FBatchProj
		{
		public:
			explicit FBatchProj(const std::string& Definition)
				: Context(proj_context_create())
				, Pipeline(proj_create(Context, Definition.c_str()))
			{
			}
			~FBatchProj()
			{
				proj_destroy(Pipeline);
				proj_context_destroy(Context);
			}
			PJ* Get() const { return Pipeline; }

			void Run(std::vector<FVector>& Points) const
			{
				const size_t Stride = sizeof(FVector);
				proj_trans_generic(Pipeline, PJ_FWD, &Points[0].X, Stride, Points.size(), &Points[0].Y, Stride, Points.size(), &Points[0].Z, Stride, Points.size(), nullptr, 0, 0);
			}

		private:
			PJ_CONTEXT* Context;
			PJ* Pipeline;
		};

		std::string BatchProjDefinition(const ECoordinateLocalFrameType Type)
		{
			const std::string Degrees = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad +step +proj=axisswap +order=2,1 ";
			char Origin[160];
			std::snprintf(Origin, sizeof(Origin), "+lat_0=%.17g +lon_0=%.17g +h_0=%.17g", BatchOriginLat, BatchOriginLon, BatchOriginH);
			return Type == ECoordinateLocalFrameType::UTM ? Degrees + "+step +proj=utm +zone=32 +ellps=WGS84"
														  : Degrees + "+step +proj=cart +ellps=WGS84 +step +proj=topocentric +ellps=WGS84 " + Origin;
		}

		void RunBatchProj(benchmark::State& State, const ECoordinateLocalFrameType Type)
		{
			const FBatchProj Proj(BatchProjDefinition(Type));
			if (Proj.Get() == nullptr)
			{
				State.SkipWithError("PROJ pipeline could not be built");
				return;
			}
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geodetic);
			std::vector<FVector>& Points = GetBatchOutput();
			for (auto _ : State)
			{
				State.PauseTiming();
				std::memcpy(Points.data(), In.data(), In.size() * sizeof(FVector));
				State.ResumeTiming();
				Proj.Run(Points);
				benchmark::ClobberMemory();
			}
			State.SetItemsProcessed(State.iterations() * BatchSize);
		}

		/** The first 200,000 Earth-fixed points, as a user streams them through the single call. */
		constexpr int32 StreamSize = 200000;

		void StreamGeocentricToLocalUe_Single(benchmark::State& State)
		{
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geocentric);
			std::vector<FVector>& Out = GetBatchOutput();
			const FCoordinateReferenceFrame& Frame = GetBatchFrame(ECoordinateLocalFrameType::Cartesian);
			for (auto _ : State)
			{
				for (int32 Index = 0; Index < StreamSize; ++Index)
				{
					UDuRizerudoreBlueprintLibrary::ConvertPosition(Frame, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE, In[Index], Out[Index]);
				}
				benchmark::ClobberMemory();
			}
		}

		/** The arithmetic alone: the same points through the batch's loop on one thread. */
		void StreamGeocentricToLocalUe_Arithmetic(benchmark::State& State)
		{
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geocentric);
			std::vector<FVector>& Out = GetBatchOutput();
			const FCoordinateReferenceFrame& Frame = GetBatchFrame(ECoordinateLocalFrameType::Cartesian);
			for (auto _ : State)
			{
				for (int32 Begin = 0; Begin < StreamSize; Begin += OneThreadSlice)
				{
					const int32 Count = std::min(OneThreadSlice, StreamSize - Begin);
					DuRizerudore::ConvertPositions(Frame, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE, MakeArrayView(In.data() + Begin, Count),
						MakeArrayView(Out.data() + Begin, Count));
				}
				benchmark::ClobberMemory();
			}
		}

		/** PROJ called point by point, as the single call is. */
		void StreamGeocentricToLocalUe_Proj(benchmark::State& State)
		{
			char Definition[200];
			std::snprintf(Definition, sizeof(Definition), "+proj=topocentric +ellps=WGS84 +lat_0=%.17g +lon_0=%.17g +h_0=%.17g", BatchOriginLat, BatchOriginLon, BatchOriginH);
			const FBatchProj Proj(Definition);
			const std::vector<FVector>& In = GetBatchPositions(ECoordinateSystem::Geocentric);
			std::vector<FVector>& Out = GetBatchOutput();
			for (auto _ : State)
			{
				for (int32 Index = 0; Index < StreamSize; ++Index)
				{
					const PJ_COORD Result = proj_trans(Proj.Get(), PJ_FWD, proj_coord(In[Index].X, In[Index].Y, In[Index].Z, 0));
					Out[Index] = FVector(Result.enu.n * 100.0, Result.enu.e * 100.0, Result.enu.u * 100.0);
				}
				benchmark::ClobberMemory();
			}
		}

		double SecondsOf(const std::function<void()>& Work)
		{
			const auto Start = std::chrono::steady_clock::now();
			Work();
			return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
		}

		/**
		 * Wall-clock speedups of the batch split across every core: over one thread, and over PROJ's batch (geodetic
		 * paths); on the linear paths, its time over a memcpy of the same bytes, the memory limit a user's batch meets.
		 */
		void RunBatchScaling(benchmark::State& State, const ECoordinateLocalFrameType Type, const ECoordinateSystem From, const ECoordinateSystem To)
		{
			GetBatchPositions(From);
			const bool bAgainstProj = From == ECoordinateSystem::Geodetic;
			const FBatchProj Proj(BatchProjDefinition(Type));
			double OneThread = 0.0, EveryCore = 0.0, ProjBatch = 0.0, Memcpy = 0.0;
			for (auto _ : State)
			{
				OneThread += SecondsOf([&] { ConvertOnOneThread(Type, From, To); });
				EveryCore += SecondsOf([&] { ConvertOnEveryCore(Type, From, To); });
				if (bAgainstProj)
				{
					State.PauseTiming();
					std::memcpy(GetBatchOutput().data(), GetBatchPositions(From).data(), BatchSize * sizeof(FVector));
					State.ResumeTiming();
					ProjBatch += SecondsOf([&] { Proj.Run(GetBatchOutput()); });
				}
				else
				{
					Memcpy += SecondsOf([&] { std::memcpy(GetBatchOutput().data(), GetBatchPositions(From).data(), BatchSize * sizeof(FVector)); });
				}
			}
			State.counters["speedup_all_cores_over_1"] = OneThread / EveryCore;
			if (bAgainstProj)
			{
				State.counters["speedup_all_cores_over_PROJ"] = ProjBatch / EveryCore;
			}
			else
			{
				State.counters["time_all_cores_over_memcpy"] = EveryCore / Memcpy;
			}
		}
	}

	BENCHMARK_CAPTURE(RunBatch, GeocentricToLocalUe, ECoordinateLocalFrameType::Cartesian, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE)
		->Name("BatchGeocentricToLocalUeTangent/Wrapper")->Unit(benchmark::kMillisecond);
	BENCHMARK(BatchMemcpy)->Name("BatchGeocentricToLocalUeTangent/Raw")->Unit(benchmark::kMillisecond);
	BENCHMARK_CAPTURE(RunBatch, LocalUeToGeocentric, ECoordinateLocalFrameType::Cartesian, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric)
		->Name("BatchLocalUeToGeocentricTangent/Wrapper")->Unit(benchmark::kMillisecond);
	BENCHMARK(BatchMemcpy)->Name("BatchLocalUeToGeocentricTangent/Raw")->Unit(benchmark::kMillisecond);
	BENCHMARK_CAPTURE(RunBatch, GeodeticToLocalUeTangent, ECoordinateLocalFrameType::Cartesian, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE)
		->Name("BatchGeodeticToLocalUeTangent/Wrapper")->Unit(benchmark::kMillisecond);
	BENCHMARK(BatchGeodeticToLocalUeTangent_Raw)->Name("BatchGeodeticToLocalUeTangent/Raw")->Unit(benchmark::kMillisecond);
	BENCHMARK_CAPTURE(RunBatchProj, Tangent, ECoordinateLocalFrameType::Cartesian)->Name("BatchGeodeticToLocalUeTangent/PROJ")->Unit(benchmark::kMillisecond);
	BENCHMARK_CAPTURE(RunBatch, GeodeticToLocalUeUtm, ECoordinateLocalFrameType::UTM, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE)
		->Name("BatchGeodeticToLocalUeUtm/Wrapper")->Unit(benchmark::kMillisecond);
	BENCHMARK(BatchGeodeticToLocalUeUtm_Raw)->Name("BatchGeodeticToLocalUeUtm/Raw")->Unit(benchmark::kMillisecond);
	BENCHMARK_CAPTURE(RunBatchProj, Utm, ECoordinateLocalFrameType::UTM)->Name("BatchGeodeticToLocalUeUtm/PROJ")->Unit(benchmark::kMillisecond);
	// Streaming through the single public call: the ratio to the arithmetic is the cost of the call itself.
	BENCHMARK(StreamGeocentricToLocalUe_Single)->Name("StreamGeocentricToLocalUeTangent/Wrapper")->Unit(benchmark::kMicrosecond);
	BENCHMARK(StreamGeocentricToLocalUe_Arithmetic)->Name("StreamGeocentricToLocalUeTangent/Raw")->Unit(benchmark::kMicrosecond);
	BENCHMARK(StreamGeocentricToLocalUe_Proj)->Name("StreamGeocentricToLocalUeTangent/PROJ")->Unit(benchmark::kMicrosecond);
	BENCHMARK_CAPTURE(RunBatchScaling, GeocentricToLocalUe, ECoordinateLocalFrameType::Cartesian, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_UE)
		->Name("BatchScaling/GeocentricToLocalUeTangent")->Unit(benchmark::kMillisecond)->Iterations(1);
	BENCHMARK_CAPTURE(RunBatchScaling, GeodeticToLocalUeTangent, ECoordinateLocalFrameType::Cartesian, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE)
		->Name("BatchScaling/GeodeticToLocalUeTangent")->Unit(benchmark::kMillisecond)->Iterations(1);
	BENCHMARK_CAPTURE(RunBatchScaling, GeodeticToLocalUeUtm, ECoordinateLocalFrameType::UTM, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE)
		->Name("BatchScaling/GeodeticToLocalUeUtm")->Unit(benchmark::kMillisecond)->Iterations(1);
}
