// Log categories: a name, a run-time verbosity and a compile-time ceiling.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"

#include <atomic>

struct FLogCategoryBase
{
	FLogCategoryBase(const TCHAR* InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
		: CategoryName(InCategoryName)
		, DefaultVerbosity(InDefaultVerbosity)
		, CompileTimeVerbosity(InCompileTimeVerbosity)
		, Verbosity(InDefaultVerbosity)
	{
	}

	const TCHAR* GetCategoryName() const { return CategoryName; }
	ELogVerbosity::Type GetVerbosity() const { return Verbosity.load(std::memory_order_relaxed); }
	ELogVerbosity::Type GetDefaultVerbosity() const { return DefaultVerbosity; }
	ELogVerbosity::Type GetCompileTimeVerbosity() const { return CompileTimeVerbosity; }

	/** Run-time verbosity, never above the compile-time ceiling. */
	void SetVerbosity(ELogVerbosity::Type NewVerbosity)
	{
		Verbosity.store(NewVerbosity > CompileTimeVerbosity ? CompileTimeVerbosity : NewVerbosity, std::memory_order_relaxed);
	}

	bool IsSuppressed(ELogVerbosity::Type VerbosityLevel) const
	{
		return (VerbosityLevel & ELogVerbosity::VerbosityMask) > GetVerbosity();
	}

private:
	const TCHAR* CategoryName;
	ELogVerbosity::Type DefaultVerbosity;
	ELogVerbosity::Type CompileTimeVerbosity;
	std::atomic<ELogVerbosity::Type> Verbosity;
};

template <ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity>
struct FLogCategory : public FLogCategoryBase
{
	static constexpr ELogVerbosity::Type CompileTimeVerbosity = InCompileTimeVerbosity;

	explicit FLogCategory(const TCHAR* InCategoryName)
		: FLogCategoryBase(InCategoryName, InDefaultVerbosity, InCompileTimeVerbosity)
	{
	}
};
