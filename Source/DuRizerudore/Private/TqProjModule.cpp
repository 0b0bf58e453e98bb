// Module-wide definitions: the log categories.
#include "DuRizerudoreLog.h"

DEFINE_LOG_CATEGORY(LogDuRizerudoreConversion);
DEFINE_LOG_CATEGORY(LogDuRizerudoreSystem);
DEFINE_LOG_CATEGORY(LogDuRizerudoreModule);
