// Runs every benchmark, then prints how each wrapped call compares with the raw call it wraps and with
// PROJ, and the command-line tool's throughput beside cct, as Markdown tables of medians.
// Third-party headers come before the engine's, whose check() macro they would otherwise meet.
#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "BenchmarkSupport.h"

#include "HostPluginRegistration.h"

#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace DuRizerudoreBenchmark
{
	namespace
	{
		std::string PluginDirectory;
	}

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

	const std::string& GetPluginDirectory()
	{
		return PluginDirectory;
	}
}

namespace
{
	constexpr std::string_view PluginDirectoryOption = "--plugin-dir=";

	/**
	 * Takes "--plugin-dir=<directory>" out of the arguments, which Google Benchmark would refuse. Without it the
	 * plugin is looked for above the executable.
	 */
	std::optional<std::string> TakePluginDirectoryOption(int& ArgumentCount, char** Arguments)
	{
		std::optional<std::string> Directory;
		int Kept = 1;
		for (int Index = 1; Index < ArgumentCount; ++Index)
		{
			const std::string_view Argument = Arguments[Index];
			if (Argument.substr(0, PluginDirectoryOption.size()) == PluginDirectoryOption)
			{
				Directory = std::string(Argument.substr(PluginDirectoryOption.size()));
				continue;
			}
			Arguments[Kept++] = Arguments[Index];
		}
		ArgumentCount = Kept;
		return Directory;
	}

	bool RegisterPlugin(const std::optional<std::string>& Requested)
	{
		using namespace DuRizerudoreBenchmark;
		if (Requested.has_value())
		{
			if (!UE::Host::RegisterPluginDirectory(FString(Requested->c_str()), TEXT("DuRizerudore")))
			{
				return false;
			}
			PluginDirectory = *Requested;
			return true;
		}
		const TOptional<FString> Found = UE::Host::RegisterPluginAbove(UE::Host::GetExecutableDirectory(), TEXT("DuRizerudore"));
		if (!Found.IsSet())
		{
			return false;
		}
		PluginDirectory = TCHAR_TO_UTF8(*Found.GetValue());
		return true;
	}

	/** One benchmark's result: its median over the repetitions, or its only run without repetitions. */
	struct FResult
	{
		double Time = 0.0;
		std::string Unit;
		double LinesPerSecond = 0.0;
		/** A batch split across every core: its wall-time speedup over one thread and over PROJ's batch (0 where not measured). */
		double SpeedupOverOneThread = 0.0;
		double SpeedupOverProj = 0.0;
		/** A linear batch split across every core: its wall time over a memcpy of the same bytes (0 where not measured). */
		double TimeOverMemcpy = 0.0;
	};

	/** Console output as usual, then the tables of medians once every benchmark has run. */
	class FRatioReporter : public benchmark::ConsoleReporter
	{
	public:
		virtual void ReportRuns(const std::vector<Run>& Runs) override
		{
			ConsoleReporter::ReportRuns(Runs);
			for (const Run& Each : Runs)
			{
				if (Each.error_occurred)
				{
					continue;
				}
				const bool bMedian = Each.run_type == Run::RT_Aggregate && Each.aggregate_name == "median";
				if (!bMedian && Each.run_type != Run::RT_Iteration)
				{
					continue;
				}
				FResult Result;
				// CPU time: on a machine shared with other work, wall time also counts the waits for a core.
				Result.Time = Each.GetAdjustedCPUTime();
				Result.Unit = benchmark::GetTimeUnitString(Each.time_unit);
				const auto Lines = Each.counters.find("lines_per_second");
				Result.LinesPerSecond = Lines != Each.counters.end() ? Lines->second.value : 0.0;
				const auto OverOneThread = Each.counters.find("speedup_all_cores_over_1");
				Result.SpeedupOverOneThread = OverOneThread != Each.counters.end() ? OverOneThread->second.value : 0.0;
				const auto OverProj = Each.counters.find("speedup_all_cores_over_PROJ");
				Result.SpeedupOverProj = OverProj != Each.counters.end() ? OverProj->second.value : 0.0;
				const auto OverMemcpy = Each.counters.find("time_all_cores_over_memcpy");
				Result.TimeOverMemcpy = OverMemcpy != Each.counters.end() ? OverMemcpy->second.value : 0.0;
				(bMedian ? Medians : Singles)[Each.run_name.function_name] = Result;
			}
		}

		virtual void Finalize() override
		{
			ConsoleReporter::Finalize();
			fmt::print("\n| conversion (CPU time per call) | median | raw GeographicLib | ratio to raw | PROJ | ratio to PROJ |\n");
			fmt::print("|---|---:|---:|---:|---:|---:|\n");
			for (const auto& [Name, Wrapper] : Results())
			{
				const std::string Suffix = "/Wrapper";
				if (Name.size() <= Suffix.size() || Name.compare(Name.size() - Suffix.size(), Suffix.size(), Suffix) != 0)
				{
					continue;
				}
				const std::string Subject = Name.substr(0, Name.size() - Suffix.size());
				const auto Raw = Results().find(Subject + "/Raw");
				if (Raw == Results().end())
				{
					continue;
				}
				const auto Proj = Results().find(Subject + "/PROJ");
				fmt::print("| {} | {:.1f} {} | {:.1f} {} | {:.2f} |", Subject, Wrapper.Time, Wrapper.Unit, Raw->second.Time, Raw->second.Unit, Wrapper.Time / Raw->second.Time);
				if (Proj != Results().end())
				{
					fmt::print(" {:.1f} {} | {:.3f} |\n", Proj->second.Time, Proj->second.Unit, Wrapper.Time / Proj->second.Time);
				}
				else
				{
					fmt::print(" | |\n");
				}
			}
			fmt::print("\n| batch of 10 million positions on every core (wall time) | speedup over one thread | speedup over PROJ's batch | time over a memcpy |\n|---|---:|---:|---:|\n");
			const auto Cell = [](const double Value) { return Value > 0.0 ? fmt::format(" {:.2f} |", Value) : std::string(" |"); };
			for (const auto& [Name, Result] : Results())
			{
				if (Result.SpeedupOverOneThread > 0.0)
				{
					fmt::print("| {} |{}{}{}\n", Name, Cell(Result.SpeedupOverOneThread), Cell(Result.SpeedupOverProj), Cell(Result.TimeOverMemcpy));
				}
			}
			fmt::print("\n| command-line tool, geodetic to geocentric (wall time) | lines per second |\n|---|---:|\n");
			for (const auto& [Name, Result] : Results())
			{
				if (Result.LinesPerSecond > 0.0)
				{
					fmt::print("| {} | {:.0f} |\n", Name, Result.LinesPerSecond);
				}
			}
		}

	private:
		/** Medians where the benchmarks were repeated, single runs otherwise. */
		const std::map<std::string, FResult>& Results()
		{
			if (!bMerged)
			{
				Merged = Singles;
				for (const auto& [Name, Median] : Medians)
				{
					Merged[Name] = Median;
				}
				bMerged = true;
			}
			return Merged;
		}

		std::map<std::string, FResult> Singles;
		std::map<std::string, FResult> Medians;
		std::map<std::string, FResult> Merged;
		bool bMerged = false;
	};
}

int main(int ArgumentCount, char** Arguments)
{
	const std::optional<std::string> RequestedPluginDirectory = TakePluginDirectoryOption(ArgumentCount, Arguments);
	if (!RegisterPlugin(RequestedPluginDirectory))
	{
		fmt::print(stderr, "durizerudore-benchmarks: cannot find DuRizerudore.uplugin {}; pass {}<directory>\n",
			RequestedPluginDirectory.has_value() ? "in " + *RequestedPluginDirectory : std::string("above the executable"), PluginDirectoryOption);
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
