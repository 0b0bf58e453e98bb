// Must not compile: UE_LOG takes only a string literal as its format, as the engine's does.
#include "Logging/LogMacros.h"

DEFINE_LOG_CATEGORY_STATIC(LogHostFormatCheck, Log, All);

void LogWithAFormatMadeAtRunTime(const TCHAR* Format)
{
	UE_LOG(LogHostFormatCheck, Error, Format);
}
