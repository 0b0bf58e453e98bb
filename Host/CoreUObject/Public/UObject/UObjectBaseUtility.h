// UObjectBaseUtility: flag, garbage and class queries on top of UObjectBase.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectBase.h"

class UObjectBaseUtility : public UObjectBase
{
protected:
	UObjectBaseUtility() = default;
	explicit UObjectBaseUtility(EObjectFlags InFlags) : UObjectBase(InFlags) {}

public:
	void SetFlags(EObjectFlags NewFlags) { SetFlagsTo(GetFlags() | NewFlags); }
	void ClearFlags(EObjectFlags FlagsToClear) { SetFlagsTo(GetFlags() & ~FlagsToClear); }
	bool HasAnyFlags(EObjectFlags FlagsToCheck) const { return (GetFlags() & FlagsToCheck) != 0; }
	bool HasAllFlags(EObjectFlags FlagsToCheck) const { return (GetFlags() & FlagsToCheck) == FlagsToCheck; }

	/** Inline, as in the engine: IsValid and every weak reference ask this on the hot path. */
	bool HasAnyInternalFlags(const EInternalObjectFlags FlagsToCheck) const
	{
		const FUObjectItem* const Item = GUObjectArray.IndexToObject(static_cast<int32>(GetUniqueID()));
		return Item != nullptr && Item->HasAnyFlags(FlagsToCheck);
	}
	void SetInternalFlags(EInternalObjectFlags FlagsToSet) const;
	void ClearInternalFlags(EInternalObjectFlags FlagsToClear) const;

	/** Marks the object for destruction by the next garbage collection; from now on IsValid is false. */
	void MarkAsGarbage();
	void ClearGarbage();
	bool IsGarbage() const { return HasAnyInternalFlags(EInternalObjectFlags::Garbage); }
	bool IsUnreachable() const { return HasAnyInternalFlags(EInternalObjectFlags::Unreachable); }

	/** Objects in the root set are never collected. */
	void AddToRoot();
	void RemoveFromRoot();
	bool IsRooted() const { return HasAnyInternalFlags(EInternalObjectFlags::RootSet); }

	FString GetName() const { return GetFName().ToString(); }
	/** Names of the outers and the object, outermost first, separated by dots. */
	FString GetPathName() const;

	/** True if the object's class is SomeBase or derives from it. */
	bool IsA(const UClass* SomeBase) const;

	template <typename OtherClassType>
	bool IsA() const
	{
		return IsA(OtherClassType::StaticClass());
	}

	/** The nearest outer of the class, or null. */
	UObject* GetTypedOuter(UClass* Target) const;

	template <typename T>
	T* GetTypedOuter() const
	{
		return static_cast<T*>(GetTypedOuter(T::StaticClass()));
	}

	/** True if the object or one of its outers is Outer. */
	bool IsIn(const UObject* SomeOuter) const;

	/** True for class default objects, archetypes and their subobjects. */
	bool IsTemplate(EObjectFlags TemplateTypes = (EObjectFlags)(RF_ArchetypeObject | RF_ClassDefaultObject)) const;
};
