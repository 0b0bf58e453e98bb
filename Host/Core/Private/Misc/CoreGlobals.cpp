#include "CoreGlobals.h"

bool GIsEditor = false;
