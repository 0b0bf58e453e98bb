// FWeakObjectPtr: a weak reference to an object by slot index and serial number. It resolves to null once
// the object is garbage (unless asked otherwise) or destroyed, also if the slot or the memory holds a new
// object by then.
#pragma once

#include "CoreTypes.h"
#include "UObject/UObjectArray.h"
#include "UObject/WeakObjectPtrTemplates.h"

class UObject;

struct FWeakObjectPtr
{
	FWeakObjectPtr() = default;
	FWeakObjectPtr(const UObject* Object) { *this = Object; }

	void operator=(const UObject* Object);

	void Reset()
	{
		ObjectIndex = INDEX_NONE;
		ObjectSerialNumber = 0;
	}

	/** The object, or null once it is gone or (unless bEvenIfGarbage) garbage. Inline, as in the engine: one slot lookup. */
	UObject* Get(const bool bEvenIfGarbage = false) const
	{
		const FUObjectItem* const Item = GUObjectArray.IndexToObject(ObjectIndex);
		if (Item == nullptr || Item->Object == nullptr || ObjectSerialNumber == 0 || Item->SerialNumber != ObjectSerialNumber)
		{
			return nullptr;
		}
		if (!bEvenIfGarbage && Item->HasAnyFlags(EInternalObjectFlags::Garbage | EInternalObjectFlags::Unreachable))
		{
			return nullptr;
		}
		// UObject is incomplete here; every object derives from UObjectBase alone, so the slot's pointer is the object's.
		return (UObject*)Item->Object;
	}

	bool IsValid(bool bEvenIfGarbage = false, bool bThreadsafeTest = false) const { return Get(bEvenIfGarbage) != nullptr; }

	/** True if this pointed to an object that is gone now (or garbage, with bIncludingGarbage). */
	bool IsStale(bool bIncludingGarbage = true, bool bThreadsafeTest = false) const;

	bool IsExplicitlyNull() const { return ObjectIndex == INDEX_NONE && ObjectSerialNumber == 0; }

	bool operator==(const FWeakObjectPtr& Other) const { return ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber; }
	bool operator!=(const FWeakObjectPtr& Other) const { return !(*this == Other); }

	friend uint32 GetTypeHash(const FWeakObjectPtr& WeakObjectPtr) { return static_cast<uint32>(WeakObjectPtr.ObjectIndex) ^ static_cast<uint32>(WeakObjectPtr.ObjectSerialNumber); }

private:
	int32 ObjectIndex = INDEX_NONE;
	int32 ObjectSerialNumber = 0;
};
