// Streaming throughput of the durizerudore command-line tool against PROJ's cct doing the same work:
// geodetic to geocentric for a file of generated positions, each run a fresh process reading the
// file on standard input, output discarded. Reported as input lines per second.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "BenchmarkSupport.h"
#include "ChildProcess.h"
#include "TemporaryDirectory.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
	namespace fs = std::filesystem;

	constexpr int LineCount = 200000;

	/** The two input files, written once: latitude-first for durizerudore, longitude-first for cct. */
	class FThroughputInput
	{
	public:
		static const FThroughputInput& Get()
		{
			static const FThroughputInput Input;
			return Input;
		}

		std::unique_ptr<DuRizerudoreTest::FTemporaryDirectory> Directory;
		fs::path LatitudeFirst;
		fs::path LongitudeFirst;
		bool bReady = false;

	private:
		FThroughputInput()
		{
			try
			{
				Directory = std::make_unique<DuRizerudoreTest::FTemporaryDirectory>();
			}
			catch (const std::exception&)
			{
				return;
			}
			LatitudeFirst = *Directory / "geodetic-lat-lon-h.txt";
			LongitudeFirst = *Directory / "geodetic-lon-lat-h.txt";
			std::FILE* const Ours = std::fopen(LatitudeFirst.c_str(), "w");
			std::FILE* const Theirs = std::fopen(LongitudeFirst.c_str(), "w");
			if (Ours == nullptr || Theirs == nullptr)
			{
				if (Ours != nullptr)
				{
					std::fclose(Ours);
				}
				if (Theirs != nullptr)
				{
					std::fclose(Theirs);
				}
				return;
			}
			std::mt19937_64 Random(99);
			std::uniform_real_distribution<double> Latitude(-89.0, 89.0);
			std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
			std::uniform_real_distribution<double> Height(-100.0, 9000.0);
			for (int Line = 0; Line < LineCount; ++Line)
			{
				const double Lat = Latitude(Random);
				const double Lon = Longitude(Random);
				const double H = Height(Random);
				fmt::print(Ours, "{:.9f} {:.9f} {:.3f}\n", Lat, Lon, H);
				fmt::print(Theirs, "{:.9f} {:.9f} {:.3f}\n", Lon, Lat, H);
			}
			bReady = std::fclose(Ours) == 0 && std::fclose(Theirs) == 0;
		}
	};

	void RunAndCount(benchmark::State& State, const std::vector<std::string>& Argv, const fs::path& Input)
	{
		for (auto _ : State)
		{
			if (DuRizerudoreTest::RunProcessOnFile(Argv, Input) != 0)
			{
				State.SkipWithError(fmt::format("{} failed", Argv[0]).c_str());
				return;
			}
		}
		State.counters["lines_per_second"] = benchmark::Counter(LineCount, benchmark::Counter::kIsIterationInvariantRate);
	}

	void BM_CommandLineDurizerudorePosition(benchmark::State& State)
	{
		const FThroughputInput& Input = FThroughputInput::Get();
		const std::string& PluginDirectory = DuRizerudoreBenchmark::GetPluginDirectory();
		if (!Input.bReady)
		{
			State.SkipWithError("cannot write the input file");
			return;
		}
		RunAndCount(State,
			{DURIZERUDORE_TOOL, "position", "--from", "Geodetic", "--to", "Geocentric", "--plugin-dir", PluginDirectory, "--gravity-model", "none",
				"--geoid-model", "none"},
			Input.LatitudeFirst);
	}

	void BM_CommandLineCctCart(benchmark::State& State)
	{
		const FThroughputInput& Input = FThroughputInput::Get();
		if (!DuRizerudoreTest::IsProgramOnPath("cct"))
		{
			State.SkipWithError("PROJ's cct is not installed");
			return;
		}
		if (!Input.bReady)
		{
			State.SkipWithError("cannot write the input file");
			return;
		}
		// cct reads longitude, latitude, height.
		RunAndCount(State, {"cct", "-d", "9", "+proj=cart", "+ellps=WGS84"}, Input.LongitudeFirst);
	}
}

BENCHMARK(BM_CommandLineDurizerudorePosition)->Name("CommandLineThroughput/durizerudore")->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandLineCctCart)->Name("CommandLineThroughput/cct")->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
