// Process-wide flags of the engine. The stand-in runs as a game with editor-only code compiled in.
#pragma once

#include "CoreTypes.h"

/** True only in the editor application; the stand-in's worlds behave as in a game. */
extern bool GIsEditor;
