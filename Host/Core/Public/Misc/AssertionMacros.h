// Soft assertions (ensure: reported the first time per call site and process, execution goes on)
// and invariant checks (check: the process stops).
#pragma once

#include "CoreTypes.h"

#include <atomic>

struct FDebug
{
	/** Reports a failed ensure on LogOutputDevice at error verbosity; the message may be null. */
	static void EnsureFailed(const char* Expression, const char* File, int32 Line, const TCHAR* Message);

	/** Formats the message of ensureMsgf and reports it. Returns false so that it can end an expression. */
	static bool OptionallyLogFormattedEnsureMessageReturningFalse(const char* Expression, const char* File, int32 Line, const TCHAR* Format, ...);

	/** Reports a failed check and stops the process. */
	[[noreturn]] static void AssertFailed(const char* Expression, const char* File, int32 Line, const TCHAR* Format = TEXT(""), ...);
};

// Every call site owns one flag, so that a repeating failure is reported once per process.
#define UE_HOST_ENSURE_IMPL(Always, InExpression, ReportCall) \
	(LIKELY(!!(InExpression)) || ([&]() -> bool { \
		static std::atomic<bool> bExecuted{false}; \
		if ((Always) || !bExecuted.exchange(true)) \
		{ \
			ReportCall; \
		} \
		return false; \
	}()))

#define ensure(InExpression) UE_HOST_ENSURE_IMPL(false, InExpression, FDebug::EnsureFailed(#InExpression, __FILE__, __LINE__, nullptr))
#define ensureMsgf(InExpression, InFormat, ...) UE_HOST_ENSURE_IMPL(false, InExpression, FDebug::OptionallyLogFormattedEnsureMessageReturningFalse(#InExpression, __FILE__, __LINE__, InFormat __VA_OPT__(, ) __VA_ARGS__))
#define ensureAlways(InExpression) UE_HOST_ENSURE_IMPL(true, InExpression, FDebug::EnsureFailed(#InExpression, __FILE__, __LINE__, nullptr))
#define ensureAlwaysMsgf(InExpression, InFormat, ...) UE_HOST_ENSURE_IMPL(true, InExpression, FDebug::OptionallyLogFormattedEnsureMessageReturningFalse(#InExpression, __FILE__, __LINE__, InFormat __VA_OPT__(, ) __VA_ARGS__))

#define check(InExpression) \
	do \
	{ \
		if (UNLIKELY(!(InExpression))) \
		{ \
			FDebug::AssertFailed(#InExpression, __FILE__, __LINE__); \
		} \
	} while (false)
#define checkf(InExpression, InFormat, ...) \
	do \
	{ \
		if (UNLIKELY(!(InExpression))) \
		{ \
			FDebug::AssertFailed(#InExpression, __FILE__, __LINE__, InFormat __VA_OPT__(, ) __VA_ARGS__); \
		} \
	} while (false)
#define verify(InExpression) check(InExpression)
#define verifyf(InExpression, InFormat, ...) checkf(InExpression, InFormat __VA_OPT__(, ) __VA_ARGS__)
#define checkNoEntry() FDebug::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)
#define unimplemented() FDebug::AssertFailed("Unimplemented function called", __FILE__, __LINE__)
#define checkSlow(InExpression)
#define checkfSlow(InExpression, InFormat, ...)
