// The tool prints UTF-8; the engine's strings are wide.
#pragma once

#include "CoreMinimal.h"

#include <string>

namespace DuRizerudoreCli
{
	/** Text as UTF-8. */
	inline std::string ToUtf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}
}
