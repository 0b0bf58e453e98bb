#include "UObject/Object.h"

#include "ObjectRouting.h"
#include "UObject/Class.h"
#include "UObject/Stack.h"
#include "UObject/UnrealType.h"

#include <vector>

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UObject)

namespace UE::CoreUObject::Private
{
	FRoutingCheck& PostInitPropertiesRouting()
	{
		thread_local FRoutingCheck Check;
		return Check;
	}

	FRoutingCheck& PostLoadRouting()
	{
		thread_local FRoutingCheck Check;
		return Check;
	}

	FRoutingCheck& BeginDestroyRouting()
	{
		thread_local FRoutingCheck Check;
		return Check;
	}

	FRoutingCheck& FinishDestroyRouting()
	{
		thread_local FRoutingCheck Check;
		return Check;
	}
}

using namespace UE::CoreUObject::Private;

UObject::UObject(const FObjectInitializer& ObjectInitializer)
{
}

void UObject::PostInitProperties()
{
	PostInitPropertiesRouting().Reached(this);
}

void UObject::PostLoad()
{
	PostLoadRouting().Reached(this);
}

void UObject::BeginDestroy()
{
	BeginDestroyRouting().Reached(this);
}

void UObject::FinishDestroy()
{
	FinishDestroyRouting().Reached(this);
}

void UObject::ProcessEvent(UFunction* Function, void* Parms)
{
	checkf(Function != nullptr, TEXT("ProcessEvent on %s without a function"), *GetPathName());
	checkf(!IsUnreachable(), TEXT("%s  Function: '%s'"), *GetPathName(), *Function->GetName());
	// As the engine does, a call on an object already marked for destruction does nothing.
	if (IsGarbage())
	{
		return;
	}
	checkf(IsA(Function->GetOwnerClass()), TEXT("Function %s of class %s called on %s, which is not one"), *Function->GetName(), *GetNameSafe(Function->GetOwnerClass()), *GetPathName());
	checkf(Function->HasAnyFunctionFlags(FUNC_Native), TEXT("Function %s has no native thunk, and script bytecode cannot run here"), *Function->GetName());
	checkf(Parms != nullptr || Function->ParmsSize == 0, TEXT("Function %s needs a parameter block"), *Function->GetName());

	// Native code calls with the parameter block itself as the frame's locals; out parameters (the return
	// value among them) are reached through records that point into it.
	FFrame NewStack(this, Function, Parms, nullptr, Function->ChildProperties);
	std::vector<FOutParmRec> OutParms;
	OutParms.reserve(Function->NumParms);
	if (Function->HasAnyFunctionFlags(FUNC_HasOutParms))
	{
		FOutParmRec** LastOut = &NewStack.OutParms;
		for (TFieldIterator<FProperty> It(Function); It && It->HasAnyPropertyFlags(CPF_Parm); ++It)
		{
			if (It->HasAnyPropertyFlags(CPF_OutParm))
			{
				OutParms.push_back(FOutParmRec{*It, It->ContainerPtrToValuePtr<uint8>(Parms), nullptr});
				*LastOut = &OutParms.back();
				LastOut = &OutParms.back().NextOutParm;
			}
		}
	}

	uint8* const ReturnValueAddress = Function->ReturnValueOffset != MAX_uint16 ? static_cast<uint8*>(Parms) + Function->ReturnValueOffset : nullptr;
	Function->Invoke(this, NewStack, ReturnValueAddress);
}

UFunction* UObject::FindFunction(const FName InName) const
{
	return GetClass()->FindFunctionByName(InName);
}

UFunction* UObject::FindFunctionChecked(const FName InName) const
{
	UFunction* const Result = FindFunction(InName);
	checkf(Result != nullptr, TEXT("Failed to find function %s in %s"), *InName.ToString(), *GetPathName());
	return Result;
}

UWorld* UObject::GetWorld() const
{
	UObject* const Outer = GetOuter();
	return Outer != nullptr ? Outer->GetWorld() : nullptr;
}

void UObject::ConditionalPostLoad()
{
	if (!HasAnyFlags(RF_NeedPostLoad))
	{
		return;
	}
	ClearFlags(RF_NeedPostLoad);
	PostLoadRouting().Expect(this);
	PostLoad();
	checkf(PostLoadRouting().WasReached(this), TEXT("%s failed to route PostLoad. Please call Super::PostLoad() in your <className>::PostLoad() function."), *GetPathName());
	SetFlags(RF_LoadCompleted);
}

bool UObject::ConditionalBeginDestroy()
{
	return RouteDestructionStep(RF_BeginDestroyed, BeginDestroyRouting(), &UObject::BeginDestroy, TEXT("BeginDestroy"));
}

bool UObject::ConditionalFinishDestroy()
{
	return RouteDestructionStep(RF_FinishDestroyed, FinishDestroyRouting(), &UObject::FinishDestroy, TEXT("FinishDestroy"));
}

bool UObject::RouteDestructionStep(const EObjectFlags DoneFlag, FRoutingCheck& Routing, void (UObject::*Step)(), const TCHAR* StepName)
{
	if (HasAnyFlags(DoneFlag))
	{
		return false;
	}
	SetFlags(DoneFlag);
	Routing.Expect(this);
	(this->*Step)();
	checkf(Routing.WasReached(this), TEXT("%s failed to route %s"), *GetPathName(), StepName);
	return true;
}

UObject* UObject::CreateDefaultSubobject(const FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, const bool bIsRequired, const bool bIsTransient)
{
	FObjectInitializer& CurrentInitializer = FObjectInitializer::Get();
	checkf(CurrentInitializer.GetObj() == this, TEXT("CreateDefaultSubobject can only be called inside the constructor of %s"), *GetName());
	return CurrentInitializer.CreateDefaultSubobject(this, SubobjectFName, ReturnType, ClassToCreateByDefault, bIsRequired, bIsTransient);
}

#if WITH_EDITOR
void UObject::PreEditChange(FProperty* PropertyAboutToChange)
{
}

void UObject::PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent)
{
}
#endif

FString GetNameSafe(const UObject* Object)
{
	return Object != nullptr ? Object->GetName() : FString(TEXT("None"));
}

FString GetPathNameSafe(const UObject* Object)
{
	return Object != nullptr ? Object->GetPathName() : FString(TEXT("None"));
}
