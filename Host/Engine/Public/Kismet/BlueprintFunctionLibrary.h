// UBlueprintFunctionLibrary: the base of classes that only hold static functions for visual scripts.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class UBlueprintFunctionLibrary : public UObject
{
};
