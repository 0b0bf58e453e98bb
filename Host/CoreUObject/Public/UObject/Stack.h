// FFrame: the script frame a thunk reads its parameters from. A call through ProcessEvent has no
// bytecode: the parameters are read in declaration order from the parameter block (Locals), and out
// parameters are reached through the frame's out-parameter records.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Script.h"
#include "UObject/UnrealType.h"

class UFunction;

/** Where an out parameter of the call lives. */
struct FOutParmRec
{
	FProperty* Property;
	uint8* PropAddr;
	FOutParmRec* NextOutParm;
};

struct FFrame
{
public:
	FFrame(UObject* InObject, UFunction* InNode, void* InLocals, FFrame* InPreviousFrame = nullptr, FField* InPropertyChainForCompiledIn = nullptr);

	FFrame(const FFrame&) = delete;
	FFrame& operator=(const FFrame&) = delete;

	/** Runs the next bytecode instruction. The stand-in has no script bytecode: reaching this stops. */
	void Step(UObject* Context, RESULT_DECL);

	/**
	 * Reads Property's value into Result. An out parameter is not copied: its address (from the
	 * out-parameter records) becomes MostRecentPropertyAddress. Otherwise the value is copied from Locals.
	 */
	void StepExplicitProperty(void* const Result, FProperty* Property);

	/** Reads the next parameter by value into Result; it must be a TProperty. */
	template <class TProperty>
	void StepCompiledIn(void* const Result)
	{
		if (Code != nullptr)
		{
			Step(Object, Result);
		}
		else
		{
			TProperty* const Property = CastFieldChecked<TProperty>(PropertyChainForCompiledIn);
			PropertyChainForCompiledIn = Property->Next;
			StepExplicitProperty(Result, Property);
		}
	}

	/**
	 * The next parameter by reference: the caller's storage where the frame has it (out and reference
	 * parameters, or the parameter block), else TemporaryBuffer holding a copy.
	 */
	template <class TProperty, typename TNativeType>
	TNativeType& StepCompiledInRef(void* const TemporaryBuffer)
	{
		MostRecentPropertyAddress = nullptr;
		MostRecentPropertyContainer = nullptr;
		if (Code != nullptr)
		{
			Step(Object, TemporaryBuffer);
		}
		else
		{
			TProperty* const Property = CastFieldChecked<TProperty>(PropertyChainForCompiledIn);
			PropertyChainForCompiledIn = Property->Next;
			StepExplicitProperty(TemporaryBuffer, Property);
		}
		return MostRecentPropertyAddress != nullptr ? *reinterpret_cast<TNativeType*>(MostRecentPropertyAddress) : *static_cast<TNativeType*>(TemporaryBuffer);
	}

	UFunction* Node;
	UObject* Object;
	/** The next bytecode instruction; null for a call from native code (ProcessEvent). */
	uint8* Code;
	/** The parameter block. */
	uint8* Locals;
	FProperty* MostRecentProperty = nullptr;
	uint8* MostRecentPropertyAddress = nullptr;
	uint8* MostRecentPropertyContainer = nullptr;
	FFrame* PreviousFrame;
	FOutParmRec* OutParms = nullptr;
	/** The next parameter a compiled-in read takes. */
	FField* PropertyChainForCompiledIn;
	UFunction* CurrentNativeFunction = nullptr;
};
