// Platform definitions of the engine stand-in: the wrappers around third-party headers.
#pragma once

// The engine silences warnings of third-party headers between these two markers; so does the stand-in,
// so that a library header's own warnings never fail a build that treats warnings as errors.
#define THIRD_PARTY_INCLUDES_START \
	_Pragma("GCC diagnostic push") \
	_Pragma("GCC diagnostic ignored \"-Wall\"") \
	_Pragma("GCC diagnostic ignored \"-Wextra\"") \
	_Pragma("GCC diagnostic ignored \"-Wpedantic\"") \
	_Pragma("GCC diagnostic ignored \"-Wshadow\"") \
	_Pragma("GCC diagnostic ignored \"-Wunused-parameter\"")
#define THIRD_PARTY_INCLUDES_END _Pragma("GCC diagnostic pop")
