#include "UObject/Field.h"

#include "UObject/Class.h"
#include "UObject/UnrealType.h"

FField::FField(FFieldClass* InClass, UStruct* InOwner, const FName InName, const EObjectFlags InObjectFlags)
	: ClassPrivate(InClass)
	, Owner(InOwner)
	, NamePrivate(InName)
	, FlagsPrivate(InObjectFlags)
{
}

UClass* FField::GetOwnerClass() const
{
	return GetOwner<UClass>();
}

#if WITH_METADATA
const FString& FField::GetMetaData(const FName& Key) const
{
	static const FString Empty;
	for (const std::pair<FName, FString>& Entry : MetaDataMap)
	{
		if (Entry.first == Key)
		{
			return Entry.second;
		}
	}
	return Empty;
}

bool FField::HasMetaData(const FName& Key) const
{
	for (const std::pair<FName, FString>& Entry : MetaDataMap)
	{
		if (Entry.first == Key)
		{
			return true;
		}
	}
	return false;
}

void FField::SetMetaData(const FName& Key, FString&& InValue)
{
	for (std::pair<FName, FString>& Entry : MetaDataMap)
	{
		if (Entry.first == Key)
		{
			Entry.second = MoveTemp(InValue);
			return;
		}
	}
	MetaDataMap.emplace_back(Key, MoveTemp(InValue));
}
#endif

FProperty::FProperty(FFieldClass* InClass, UStruct* InOwner, const FName InName, const EObjectFlags InObjectFlags, const int32 InOffset, const int32 InElementSize, const EPropertyFlags InPropertyFlags, const TCHAR* InCPPType)
	: FField(InClass, InOwner, InName, InObjectFlags)
	, ElementSize(InElementSize)
	, PropertyFlags(InPropertyFlags)
	, Offset_Internal(InOffset)
	, CPPType(InCPPType)
{
}
