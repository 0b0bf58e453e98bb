#include "UObject/UObjectHash.h"

#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/UObjectArray.h"
#include "UObject/UObjectBase.h"

#include <map>
#include <unordered_map>

namespace
{
	/** Each class's own objects (not its subclasses'), by serial number: the order in which they were made. */
	using FClassToObjects = std::unordered_map<const UClass*, std::map<int32, UObjectBase*>>;

	/** Made at the first object and kept for the life of the process: objects outlive every static destructor. */
	FClassToObjects& GetClassToObjects()
	{
		static FClassToObjects* const ClassToObjects = new FClassToObjects();
		return *ClassToObjects;
	}

	int32 SerialNumberOf(const UObjectBase* Object)
	{
		const FUObjectItem* const Item = GUObjectArray.ObjectToObjectItem(Object);
		check(Item != nullptr && Item->Object == Object);
		return Item->SerialNumber;
	}

	void AppendObjects(const std::map<int32, UObjectBase*>& Objects, TArray<UObject*>& Results, const EObjectFlags ExcludeFlags, const EInternalObjectFlags ExclusionInternalFlags)
	{
		for (const auto& [SerialNumber, Object] : Objects)
		{
			UObject* const Candidate = static_cast<UObject*>(Object);
			if (!Candidate->HasAnyFlags(ExcludeFlags) && !Candidate->HasAnyInternalFlags(ExclusionInternalFlags))
			{
				Results.Add(Candidate);
			}
		}
	}
}

void HashObject(UObjectBase* const Object)
{
	const UClass* const Class = Object->GetClass();
	if (Class != nullptr)
	{
		GetClassToObjects()[Class].emplace(SerialNumberOf(Object), Object);
	}
}

void UnhashObject(UObjectBase* const Object)
{
	FClassToObjects& ClassToObjects = GetClassToObjects();
	const auto Found = ClassToObjects.find(Object->GetClass());
	if (Found != ClassToObjects.end())
	{
		Found->second.erase(SerialNumberOf(Object));
	}
}

void GetObjectsOfClass(const UClass* const ClassToLookFor, TArray<UObject*>& Results, const bool bIncludeDerivedClasses, const EObjectFlags ExcludeFlags,
	const EInternalObjectFlags ExclusionInternalFlags)
{
	if (ClassToLookFor == nullptr)
	{
		return;
	}
	const FClassToObjects& ClassToObjects = GetClassToObjects();
	if (!bIncludeDerivedClasses)
	{
		const auto Found = ClassToObjects.find(ClassToLookFor);
		if (Found != ClassToObjects.end())
		{
			AppendObjects(Found->second, Results, ExcludeFlags, ExclusionInternalFlags);
		}
		return;
	}
	// The classes with live objects are few beside the objects: testing each class is cheap.
	for (const auto& [Class, Objects] : ClassToObjects)
	{
		if (Class->IsChildOf(ClassToLookFor))
		{
			AppendObjects(Objects, Results, ExcludeFlags, ExclusionInternalFlags);
		}
	}
}
