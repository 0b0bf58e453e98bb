// What a fuzz target does when an invariant fails: say which and abort, so that libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

#define DURIZERUDORE_FUZZ_CHECK(Condition, What) \
	do \
	{ \
		if (!(Condition)) \
		{ \
			std::fprintf(stderr, "fuzz check failed: %s (%s)\n", What, #Condition); \
			std::abort(); \
		} \
	} while (false)
