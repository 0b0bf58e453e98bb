#include "UObject/UObjectArray.h"

#include "UObject/UObjectBase.h"

// Constant-initialised, so that objects made by other files' static initialisers find it ready.
constinit FUObjectArray GUObjectArray;

FUObjectArray::FStorage& FUObjectArray::GetStorage()
{
	if (Storage == nullptr)
	{
		Storage = new FStorage();
	}
	return *Storage;
}

void FUObjectArray::AllocateUObjectIndex(UObjectBase* Object)
{
	check(Object != nullptr && Object->InternalIndex == INDEX_NONE);
	std::vector<FUObjectItem>& Objects = GetStorage().Objects;
	std::vector<int32>& FreeIndices = Storage->FreeIndices;
	int32 Index;
	if (!FreeIndices.empty())
	{
		Index = FreeIndices.back();
		FreeIndices.pop_back();
	}
	else
	{
		Index = static_cast<int32>(Objects.size());
		Objects.emplace_back();
	}
	FUObjectItem& Item = Objects[static_cast<std::size_t>(Index)];
	Item.Object = Object;
	Item.Flags = EInternalObjectFlags::None;
	Item.SerialNumber = ++LastSerialNumber;
	Object->InternalIndex = Index;
}

void FUObjectArray::FreeUObjectIndex(UObjectBase* Object)
{
	const int32 Index = Object->InternalIndex;
	check(Index >= 0 && Index < GetObjectArrayNum() && Storage->Objects[static_cast<std::size_t>(Index)].Object == Object);
	Storage->Objects[static_cast<std::size_t>(Index)] = FUObjectItem();
	Storage->FreeIndices.push_back(Index);
	Object->InternalIndex = INDEX_NONE;
}

FUObjectItem* FUObjectArray::ObjectToObjectItem(const UObjectBase* Object)
{
	return Object != nullptr ? IndexToObject(static_cast<int32>(Object->GetUniqueID())) : nullptr;
}
