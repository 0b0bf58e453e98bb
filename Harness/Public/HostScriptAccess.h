// Host-only: what a visual script may do with the reflected surface, by the rules the engine's script
// compiler applies: which properties it reads and writes and how, which pins a function call node shows,
// and a call made as a script node makes it.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/UnrealType.h"

namespace UE::Host
{
	/** True if scripts see the property (CPF_BlueprintVisible). */
	bool CanScriptRead(const FProperty* Property);

	/**
	 * True if a script may assign the property: visible and not CPF_BlueprintReadOnly. A property with a
	 * "BlueprintSetter" is writable, through its setter only.
	 */
	bool CanScriptWrite(const FProperty* Property);

	/**
	 * Reads the property of Object as a script does: through its "BlueprintGetter" function when it has
	 * one, else directly. OutValue must point to a constructed value of the property's type. Returns false,
	 * writing nothing, for a null object or output, an unknown property, one scripts cannot read, or a getter
	 * that is missing or does not return just a value of the property's kind.
	 */
	bool ScriptGetProperty(UObject* Object, FName PropertyName, void* OutValue);

	/**
	 * Writes the property of Object as a script does: through its "BlueprintSetter" function (called with
	 * ProcessEvent) when it has one, else directly. NewValue points to a value of the property's type.
	 * Returns false, writing nothing, for a null object or value, an unknown property, one scripts cannot
	 * write, or a setter that is missing or does not take just one value of the property's kind.
	 */
	bool ScriptSetProperty(UObject* Object, FName PropertyName, const void* NewValue);

	/** A pin of a function call node. */
	struct FScriptPin
	{
		FProperty* Parameter = nullptr;
		/** True for a result: the return value or a written (non-const) reference parameter. */
		bool bOutput = false;
	};

	/**
	 * The data pins a call node of the function shows, in parameter order: a const reference or value
	 * parameter is an input, a written reference or the return value an output. The parameter the
	 * "WorldContext" metadata names is hidden: the script passes its own object.
	 */
	TArray<FScriptPin> GetScriptPins(const UFunction* Function);

	/** True for a parameter that is a result pin: CPF_OutParm without CPF_ReferenceParm, or the return value. */
	bool IsScriptOutputParameter(const FProperty* Parameter);

	/**
	 * Calls the function as a script node in Caller's graph does: on Target (the class default object
	 * for a static function when Target is null), with the world-context parameter, if any, set to Caller.
	 * Parms is the function's parameter block (see FStructOnScope). Returns false, calling nothing, for a
	 * null function or block, a function scripts cannot call (no FUNC_BlueprintCallable), a Target that is
	 * null (for a member function), not valid or of another class, or a world-context function without a
	 * Caller to feed its hidden pin.
	 */
	bool CallFunctionFromScript(UObject* Caller, UObject* Target, UFunction* Function, void* Parms);
}
