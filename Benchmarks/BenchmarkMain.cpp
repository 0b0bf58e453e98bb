// Runs every benchmark, then prints how each wrapped call compares with the raw call it wraps.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "BenchmarkSupport.h"

#include "HostPluginRegistration.h"


#include <map>
#include <random>
#include <string>

namespace DuRizerudoreBenchmark
{
	const std::vector<FVector>& GetGeodeticPositions()
	{
		static const std::vector<FVector> Positions = [] {
			std::mt19937_64 Random(12345);
			std::uniform_real_distribution<double> Latitude(-89.0, 89.0);
			std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
			std::uniform_real_distribution<double> Height(-100.0, 9000.0);
			std::vector<FVector> Result;
			for (int Index = 0; Index < 4096; ++Index)
			{
				Result.emplace_back(Latitude(Random), Longitude(Random), Height(Random));
			}
			return Result;
		}();
		return Positions;
	}

	bool RegisterPlugin()
	{
		return UE::Host::RegisterPluginAbove(UE::Host::GetExecutableDirectory(), TEXT("DuRizerudore")).IsSet();
	}
}

namespace
{
	/** Console output as usual, plus the wrapper-to-raw ratios once every benchmark has run. */
	class FRatioReporter : public benchmark::ConsoleReporter
	{
	public:
		virtual void ReportRuns(const std::vector<Run>& Runs) override
		{
			ConsoleReporter::ReportRuns(Runs);
			for (const Run& Each : Runs)
			{
				if (Each.run_type == Run::RT_Iteration && !Each.error_occurred)
				{
					Times[Each.benchmark_name()] = Each.GetAdjustedRealTime();
				}
			}
		}

		virtual void Finalize() override
		{
			ConsoleReporter::Finalize();
			fmt::print("\n{:<44} {:>12} {:>12} {:>8} {:>12} {:>9}\n", "wrapped call", "wrapper", "raw", "ratio", "PROJ", "vs PROJ");
			for (const auto& [Name, WrapperTime] : Times)
			{
				const std::string Suffix = "/Wrapper";
				if (Name.size() <= Suffix.size() || Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) != 0)
				{
					continue;
				}
				const std::string Subject = Name.substr(0, Name.size() - Suffix.size());
				const auto Raw = Times.find(Subject + "/Raw");
				if (Raw == Times.end())
				{
					continue;
				}
				const auto Proj = Times.find(Subject + "/PROJ");
				fmt::print("{:<44} {:>12.1f} {:>12.1f} {:>8.3f}", Subject, WrapperTime, Raw->second, WrapperTime / Raw->second);
				if (Proj != Times.end())
				{
					fmt::print(" {:>12.1f} {:>9.3f}", Proj->second, WrapperTime / Proj->second);
				}
				fmt::print("\n");
			}
			fmt::print("(times in the benchmarks' own units; ratio = wrapper / raw GeographicLib call)\n");
		}

	private:
		std::map<std::string, double> Times;
	};
}

int main(int ArgumentCount, char** Arguments)
{
	if (!DuRizerudoreBenchmark::RegisterPlugin())
	{
		fmt::print(stderr, "durizerudore-benchmarks: cannot find DuRizerudore.uplugin above the executable\n");
		return 2;
	}
	benchmark::Initialize(&ArgumentCount, Arguments);
	if (benchmark::ReportUnrecognizedArguments(ArgumentCount, Arguments))
	{
		return 2;
	}
	FRatioReporter Reporter;
	benchmark::RunSpecifiedBenchmarks(&Reporter);
	benchmark::Shutdown();
	return 0;
}
