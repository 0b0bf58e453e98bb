// Log categories and UE_LOG with the engine's printf semantics (%s takes a TCHAR string).
#pragma once

#include "CoreTypes.h"
#include "Logging/LogCategory.h"
#include "Logging/LogVerbosity.h"

#include <type_traits>

struct FMsg
{
	/** Formats and sends one line to GLog; a fatal line stops the process after it is written. */
	static void Logf(const char* File, int32 Line, const TCHAR* Category, ELogVerbosity::Type Verbosity, const TCHAR* Format, ...);
};

#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	extern struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{ \
		FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {} \
	} CategoryName

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName

#define DECLARE_LOG_CATEGORY_CLASS(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	static struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{ \
		FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {} \
	} CategoryName

#define DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	static struct FLogCategory##CategoryName : public FLogCategory<ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity> \
	{ \
		FLogCategory##CategoryName() : FLogCategory(TEXT(#CategoryName)) {} \
	} CategoryName

// Like the engine, UE_LOG takes only a TCHAR string literal (an array, never a pointer) as its format, so
// that a format built at run time cannot slip into the log.
#define UE_LOG(CategoryName, Verbosity, Format, ...) \
	do \
	{ \
		static_assert(std::is_array_v<std::remove_reference_t<decltype(Format)>>, "Formatting string must be a TCHAR array."); \
		static_assert(std::is_same_v<std::remove_cv_t<std::remove_all_extents_t<std::remove_reference_t<decltype(Format)>>>, TCHAR>, "Formatting string must be a TCHAR array."); \
		if constexpr ((ELogVerbosity::Verbosity & ELogVerbosity::VerbosityMask) <= decltype(CategoryName)::CompileTimeVerbosity) \
		{ \
			if (!CategoryName.IsSuppressed(ELogVerbosity::Verbosity)) \
			{ \
				FMsg::Logf(__FILE__, __LINE__, CategoryName.GetCategoryName(), ELogVerbosity::Verbosity, Format __VA_OPT__(, ) __VA_ARGS__); \
			} \
		} \
	} while (false)
