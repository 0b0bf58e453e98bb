#include "UObject/WeakObjectPtr.h"

#include "UObject/Object.h"
#include "UObject/UObjectArray.h"

void FWeakObjectPtr::operator=(const UObject* Object)
{
	if (Object == nullptr)
	{
		Reset();
		return;
	}
	const FUObjectItem* const Item = GUObjectArray.ObjectToObjectItem(Object);
	check(Item != nullptr && Item->Object == Object);
	ObjectIndex = static_cast<int32>(Object->GetUniqueID());
	ObjectSerialNumber = Item->SerialNumber;
}

bool FWeakObjectPtr::IsStale(const bool bIncludingGarbage, const bool bThreadsafeTest) const
{
	if (ObjectSerialNumber == 0)
	{
		return false;
	}
	return Get(!bIncludingGarbage) == nullptr;
}
