// FStructOnScope: an instance of a reflected structure (or a function's parameter block) that lives for
// a scope: allocated with the type's size and alignment, initialised on construction, destroyed after.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

class FStructOnScope
{
public:
	FStructOnScope() = default;

	/** Allocates and initialises an instance of InScriptStruct (a UScriptStruct or a UFunction). */
	explicit FStructOnScope(const UStruct* InScriptStruct);
	virtual ~FStructOnScope();

	FStructOnScope(const FStructOnScope&) = delete;
	FStructOnScope& operator=(const FStructOnScope&) = delete;

	uint8* GetStructMemory() { return SampleStructMemory; }
	const uint8* GetStructMemory() const { return SampleStructMemory; }
	const UStruct* GetStruct() const { return ScriptStruct; }
	bool IsValid() const { return ScriptStruct != nullptr && SampleStructMemory != nullptr; }

	/** Destroys the instance and frees its memory. */
	void Reset();

private:
	const UStruct* ScriptStruct = nullptr;
	uint8* SampleStructMemory = nullptr;
};
