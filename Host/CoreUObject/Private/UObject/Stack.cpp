#include "UObject/Stack.h"

#include "UObject/Class.h"

FFrame::FFrame(UObject* InObject, UFunction* InNode, void* InLocals, FFrame* InPreviousFrame, FField* InPropertyChainForCompiledIn)
	: Node(InNode)
	, Object(InObject)
	, Code(nullptr)
	, Locals(static_cast<uint8*>(InLocals))
	, PreviousFrame(InPreviousFrame)
	, PropertyChainForCompiledIn(InPropertyChainForCompiledIn)
{
}

void FFrame::Step(UObject* Context, RESULT_DECL)
{
	checkf(false, TEXT("Function %s: script bytecode cannot run here; reflected functions are called through their native thunks"), Node != nullptr ? *Node->GetName() : TEXT("(none)"));
}

void FFrame::StepExplicitProperty(void* const Result, FProperty* Property)
{
	check(Result != nullptr && Property != nullptr);
	MostRecentProperty = Property;
	if (Property->HasAnyPropertyFlags(CPF_OutParm))
	{
		// The caller's storage, found through the out-parameter records; the thunk works on it in place.
		FOutParmRec* Out = OutParms;
		while (Out != nullptr && Out->Property != Property)
		{
			Out = Out->NextOutParm;
		}
		checkf(Out != nullptr, TEXT("Out parameter %s has no record in the frame of %s"), *Property->GetName(), Node != nullptr ? *Node->GetName() : TEXT("(none)"));
		MostRecentPropertyAddress = Out->PropAddr;
		MostRecentPropertyContainer = nullptr;
	}
	else
	{
		MostRecentPropertyAddress = Property->ContainerPtrToValuePtr<uint8>(Locals);
		MostRecentPropertyContainer = Locals;
		Property->CopyCompleteValueToScriptVM(Result, MostRecentPropertyAddress);
	}
}
