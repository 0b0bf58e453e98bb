// FWeakObjectPtr: a weak reference to an object by slot index and serial number. It resolves to null once
// the object is garbage (unless asked otherwise) or destroyed, also if the slot or the memory holds a new
// object by then.
#pragma once

#include "CoreTypes.h"
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

	/** The object, or null once it is gone or (unless bEvenIfGarbage) garbage. */
	UObject* Get(bool bEvenIfGarbage = false) const;

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
