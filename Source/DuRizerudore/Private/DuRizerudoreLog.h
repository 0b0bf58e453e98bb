// Log categories of the module; every message is written at error verbosity.
#pragma once

#include "CoreMinimal.h"
#include "Logging/LogMacros.h"

DURIZERUDORE_API DECLARE_LOG_CATEGORY_EXTERN(LogDuRizerudoreConversion, Log, All);
DURIZERUDORE_API DECLARE_LOG_CATEGORY_EXTERN(LogDuRizerudoreSystem, Log, All);
DURIZERUDORE_API DECLARE_LOG_CATEGORY_EXTERN(LogDuRizerudoreModule, Log, All);
