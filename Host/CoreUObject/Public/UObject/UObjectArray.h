// FUObjectArray: every live object by index, with a serial number per slot so that a weak reference to
// a destroyed object never resolves to a later object in the same slot or at the same address.
#pragma once

#include "CoreTypes.h"
#include "UObject/ObjectMacros.h"

#include <mutex>
#include <vector>

class UObjectBase;

struct FUObjectItem
{
	UObjectBase* Object = nullptr;
	EInternalObjectFlags Flags = EInternalObjectFlags::None;
	// Unique among all objects ever held by any slot; 0 for an empty slot.
	int32 SerialNumber = 0;

	bool HasAnyFlags(const EInternalObjectFlags InFlags) const { return EnumHasAnyFlags(Flags, InFlags); }
	void SetFlags(const EInternalObjectFlags InFlags) { Flags |= InFlags; }
	void ClearFlags(const EInternalObjectFlags InFlags) { Flags &= ~InFlags; }
	bool IsGarbage() const { return HasAnyFlags(EInternalObjectFlags::Garbage); }
	bool IsRootSet() const { return HasAnyFlags(EInternalObjectFlags::RootSet); }
};

class FUObjectArray
{
public:
	constexpr FUObjectArray() = default;

	FUObjectArray(const FUObjectArray&) = delete;
	FUObjectArray& operator=(const FUObjectArray&) = delete;

	/** Gives the object a slot and a fresh serial number; stores the slot in the object. */
	void AllocateUObjectIndex(UObjectBase* Object);

	/** Empties the object's slot; weak references to it are stale from now on. */
	void FreeUObjectIndex(UObjectBase* Object);

	// Inline, as in the engine: every weak reference resolves through these.

	/** One past the highest slot in use or used before. */
	int32 GetObjectArrayNum() const { return Storage != nullptr ? static_cast<int32>(Storage->Objects.size()) : 0; }

	/** The item at the index, or null for an index out of range. Game thread only. */
	FUObjectItem* IndexToObject(const int32 Index)
	{
		return Index >= 0 && Index < GetObjectArrayNum() ? &Storage->Objects[static_cast<std::size_t>(Index)] : nullptr;
	}
	const FUObjectItem* IndexToObject(const int32 Index) const
	{
		return Index >= 0 && Index < GetObjectArrayNum() ? &Storage->Objects[static_cast<std::size_t>(Index)] : nullptr;
	}

	FUObjectItem* ObjectToObjectItem(const UObjectBase* Object);

	/** True if the index and serial number name the object now in that slot. */
	bool IsValid(const int32 Index, const int32 SerialNumber) const
	{
		const FUObjectItem* const Item = IndexToObject(Index);
		return Item != nullptr && Item->Object != nullptr && SerialNumber != 0 && Item->SerialNumber == SerialNumber;
	}

private:
	/** The slots and the free list of emptied ones. */
	struct FStorage
	{
		std::vector<FUObjectItem> Objects;
		std::vector<int32> FreeIndices;
	};

	/**
	 * The storage, made at the first allocation and held for the life of the process. Behind a pointer so that the
	 * array itself is constant-initialised (objects made by other files' static initialisers find it ready) with
	 * every standard library, including those whose std::vector has no constant constructor.
	 */
	FStorage& GetStorage();

	FStorage* Storage = nullptr;
	int32 LastSerialNumber = 0;
};

/** The object array of the process. */
extern FUObjectArray GUObjectArray;
