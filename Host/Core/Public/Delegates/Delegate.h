// The engine's delegates: handles, multicast delegates and events, and the macros that declare them.
#pragma once

#include "Delegates/IDelegateInstance.h"
#include "Delegates/MulticastDelegateBase.h"
#include "Delegates/DelegateCombinations.h"
