// UObject: the root of the engine's object model, reduced to what the plugin's classes derive from.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class UClass;

class UObject
{
public:
	UObject() = default;
	virtual ~UObject() = default;

	UObject(const UObject&) = delete;
	UObject& operator=(const UObject&) = delete;
};
