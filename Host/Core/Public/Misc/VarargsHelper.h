// printf formatting with the engine's rules: formats are TCHAR strings and %s takes a TCHAR string.
#pragma once

#include "CoreTypes.h"

#include <cstdarg>
#include <string>

namespace UE::Host
{
	/** Formats like the engine's Printf: %s and %c take wide arguments, everything else is C's printf. */
	std::wstring FormatV(const TCHAR* Format, va_list Args);
	std::wstring Format(const TCHAR* Format, ...);
}
