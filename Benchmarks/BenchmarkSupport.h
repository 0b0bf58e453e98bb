// Shared pieces of the benchmarks: random inputs, and the pairing of each wrapped call with the raw
// library call it competes with.
#pragma once

#include "CoreMinimal.h"

#include <string>
#include <vector>

namespace DuRizerudoreBenchmark
{
	/** Fixed pseudo-random geodetic positions (latitude, longitude, height) over the whole Earth. */
	const std::vector<FVector>& GetGeodeticPositions();

	/** The same positions in geocentric coordinates. */
	const std::vector<FVector>& GetGeocentricPositions();

	/** The plugin directory the run registered (the one holding DuRizerudore.uplugin). */
	const std::string& GetPluginDirectory();

	/** True when the installed EGM84 models could be loaded. */
	bool HasInstalledModels();
}

/**
 * Benchmarks named "<Subject>/Wrapper" and "<Subject>/Raw" (optionally "<Subject>/PROJ") are paired
 * by the reporter, which prints the ratio of their median times after the run.
 */
#define DURIZERUDORE_BENCHMARK_PAIR_IN(Subject, WrapperFunction, RawFunction, TimeUnit) \
	BENCHMARK(WrapperFunction)->Name(#Subject "/Wrapper")->Unit(TimeUnit); \
	BENCHMARK(RawFunction)->Name(#Subject "/Raw")->Unit(TimeUnit)
#define DURIZERUDORE_BENCHMARK_PAIR(Subject, WrapperFunction, RawFunction) \
	DURIZERUDORE_BENCHMARK_PAIR_IN(Subject, WrapperFunction, RawFunction, benchmark::kNanosecond)
