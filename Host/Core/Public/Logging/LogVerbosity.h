// Log verbosity levels, in the engine's order: a message is shown when its level is at most the
// category's current verbosity.
#pragma once

#include "CoreTypes.h"

namespace ELogVerbosity
{
	enum Type : uint8
	{
		NoLogging = 0,
		Fatal,
		Error,
		Warning,
		Display,
		Log,
		Verbose,
		VeryVerbose,
		All = VeryVerbose,
		NumVerbosity,
		VerbosityMask = 0xf
	};
}

/** The engine's name of a verbosity level ("Error", "Log", ...). */
const TCHAR* ToString(ELogVerbosity::Type Verbosity);
