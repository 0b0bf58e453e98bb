#include "UObject/UObjectBase.h"

#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectBaseUtility.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectHash.h"

UObjectBase::UObjectBase()
{
	const FObjectInitializer& Initializer = FObjectInitializer::Get();
	checkf(static_cast<const void*>(Initializer.Obj) == static_cast<const void*>(this), TEXT("An object was constructed outside NewObject"));
	ObjectFlags = Initializer.Flags;
	ClassPrivate = Initializer.Class;
	NamePrivate = Initializer.Name;
	OuterPrivate = Initializer.Outer;
	GUObjectArray.AllocateUObjectIndex(this);
	HashObject(this);
}

UObjectBase::UObjectBase(const EObjectFlags InFlags)
	: ObjectFlags(InFlags)
{
	GUObjectArray.AllocateUObjectIndex(this);
}

UObjectBase::~UObjectBase()
{
	if (InternalIndex != INDEX_NONE)
	{
		UnhashObject(this);
		GUObjectArray.FreeUObjectIndex(this);
	}
}

void UObjectBase::DeferredRegister(UClass* UClassStaticClass, const FName InName)
{
	UnhashObject(this);
	ClassPrivate = UClassStaticClass;
	NamePrivate = InName;
	HashObject(this);
}

void UObjectBaseUtility::SetInternalFlags(const EInternalObjectFlags FlagsToSet) const
{
	GUObjectArray.ObjectToObjectItem(this)->SetFlags(FlagsToSet);
}

void UObjectBaseUtility::ClearInternalFlags(const EInternalObjectFlags FlagsToClear) const
{
	GUObjectArray.ObjectToObjectItem(this)->ClearFlags(FlagsToClear);
}

void UObjectBaseUtility::MarkAsGarbage()
{
	checkf(!IsRooted(), TEXT("Cannot mark a rooted object as garbage: %s"), *GetPathName());
	SetInternalFlags(EInternalObjectFlags::Garbage);
}

void UObjectBaseUtility::ClearGarbage()
{
	ClearInternalFlags(EInternalObjectFlags::Garbage);
}

void UObjectBaseUtility::AddToRoot()
{
	SetInternalFlags(EInternalObjectFlags::RootSet);
}

void UObjectBaseUtility::RemoveFromRoot()
{
	ClearInternalFlags(EInternalObjectFlags::RootSet);
}

FString UObjectBaseUtility::GetPathName() const
{
	const UObject* const Outer = GetOuter();
	return Outer != nullptr ? Outer->GetPathName() + TEXT(".") + GetName() : GetName();
}

bool UObjectBaseUtility::IsA(const UClass* SomeBase) const
{
	return SomeBase != nullptr && GetClass() != nullptr && GetClass()->IsChildOf(SomeBase);
}

UObject* UObjectBaseUtility::GetTypedOuter(UClass* Target) const
{
	for (UObject* Outer = GetOuter(); Outer != nullptr; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(Target))
		{
			return Outer;
		}
	}
	return nullptr;
}

bool UObjectBaseUtility::IsIn(const UObject* SomeOuter) const
{
	for (const UObject* Outer = GetOuter(); Outer != nullptr; Outer = Outer->GetOuter())
	{
		if (Outer == SomeOuter)
		{
			return true;
		}
	}
	return false;
}

bool UObjectBaseUtility::IsTemplate(const EObjectFlags TemplateTypes) const
{
	if (HasAnyFlags(TemplateTypes))
	{
		return true;
	}
	for (const UObject* Outer = GetOuter(); Outer != nullptr; Outer = Outer->GetOuter())
	{
		if (Outer->HasAnyFlags(TemplateTypes))
		{
			return true;
		}
	}
	return false;
}
