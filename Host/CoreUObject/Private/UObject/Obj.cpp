#include "UObject/Object.h"

#include "ObjectRouting.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

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
