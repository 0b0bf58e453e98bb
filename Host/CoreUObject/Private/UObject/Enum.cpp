#include "UObject/Class.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UEnum)

UEnum::UEnum(EStaticConstructor, const FName InName, const EObjectFlags InFlags)
	: UField(EC_StaticConstructor, InFlags)
{
	DeferredRegister(UEnum::StaticClass(), InName);
}

bool UEnum::SetEnums(TArray<std::pair<FName, int64>>& InNames, const ECppForm InCppForm, const bool bAddMaxKeyIfMissing)
{
	Names = InNames;
	CppForm = InCppForm;
	if (bAddMaxKeyIfMissing)
	{
		const FString Prefix = GetName();
		const FString MaxName = Prefix + TEXT("_MAX");
		const FName MaxKey(CppForm == ECppForm::Regular ? MaxName : Prefix + TEXT("::") + MaxName);
		if (GetIndexByName(MaxKey) == INDEX_NONE)
		{
			Names.Emplace(MaxKey, GetMaxEnumValue() + 1);
		}
	}
	return true;
}

FName UEnum::GetNameByIndex(const int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].first : FName();
}

FString UEnum::GetNameStringByIndex(const int32 Index) const
{
	if (!Names.IsValidIndex(Index))
	{
		return FString();
	}
	const FString Name = Names[Index].first.ToString();
	if (CppForm == ECppForm::Regular)
	{
		return Name;
	}
	const int32 ScopeIndex = Name.Find(TEXT("::"), ESearchCase::CaseSensitive);
	return ScopeIndex != INDEX_NONE ? Name.Mid(ScopeIndex + 2) : Name;
}

int64 UEnum::GetValueByIndex(const int32 Index) const
{
	return Names.IsValidIndex(Index) ? Names[Index].second : static_cast<int64>(INDEX_NONE);
}

int32 UEnum::GetIndexByValue(const int64 InValue) const
{
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].second == InValue)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int32 UEnum::GetIndexByName(const FName InName) const
{
	if (InName.IsNone())
	{
		return INDEX_NONE;
	}
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		if (Names[Index].first == InName)
		{
			return Index;
		}
	}
	// A scoped entry is also found by its short name ("Local_ENU" for "ECoordinateSystem::Local_ENU"),
	// and a plain one by the scoped form of its name.
	const FString Search = InName.ToString();
	const int32 ScopeIndex = Search.Find(TEXT("::"), ESearchCase::CaseSensitive);
	if (CppForm != ECppForm::Regular && ScopeIndex == INDEX_NONE)
	{
		return GetIndexByName(FName(GetName() + TEXT("::") + Search));
	}
	if (CppForm == ECppForm::Regular && ScopeIndex != INDEX_NONE && Search.Left(ScopeIndex) == GetName())
	{
		return GetIndexByName(FName(Search.Mid(ScopeIndex + 2)));
	}
	return INDEX_NONE;
}

int32 UEnum::GetIndexByNameString(const FString& SearchString) const
{
	return SearchString.IsEmpty() ? INDEX_NONE : GetIndexByName(FName(SearchString));
}

FName UEnum::GetNameByValue(const int64 InValue) const
{
	return GetNameByIndex(GetIndexByValue(InValue));
}

FString UEnum::GetNameStringByValue(const int64 InValue) const
{
	return GetNameStringByIndex(GetIndexByValue(InValue));
}

int64 UEnum::GetValueByName(const FName InName) const
{
	return GetValueByIndex(GetIndexByName(InName));
}

int64 UEnum::GetValueByNameString(const FString& SearchString) const
{
	return GetValueByIndex(GetIndexByNameString(SearchString));
}

int64 UEnum::GetMaxEnumValue() const
{
	if (Names.Num() == 0)
	{
		return 0;
	}
	int64 MaxValue = Names[0].second;
	for (const std::pair<FName, int64>& Entry : Names)
	{
		MaxValue = Entry.second > MaxValue ? Entry.second : MaxValue;
	}
	return MaxValue;
}

bool UEnum::IsValidEnumValue(const int64 InValue) const
{
	return GetIndexByValue(InValue) != INDEX_NONE;
}

FText UEnum::GetDisplayNameTextByIndex(const int32 NameIndex) const
{
	const FString ShortName = GetNameStringByIndex(NameIndex);
	if (ShortName.IsEmpty())
	{
		return FText::GetEmpty();
	}
#if WITH_METADATA
	if (HasMetaData(TEXT("DisplayName"), NameIndex))
	{
		return FText::FromString(GetMetaData(TEXT("DisplayName"), NameIndex));
	}
#endif
	return FText::FromString(ShortName);
}

FText UEnum::GetDisplayNameTextByValue(const int64 InValue) const
{
	return GetDisplayNameTextByIndex(GetIndexByValue(InValue));
}

FText UEnum::GetToolTipTextByIndex(const int32 NameIndex) const
{
#if WITH_METADATA
	if (Names.IsValidIndex(NameIndex))
	{
		return FText::FromString(GetMetaData(TEXT("ToolTip"), NameIndex));
	}
#endif
	return FText::GetEmpty();
}

FString UEnum::MetaDataKey(const TCHAR* Key, const int32 NameIndex) const
{
	return NameIndex == INDEX_NONE ? FString(Key) : GetNameStringByIndex(NameIndex) + TEXT(".") + Key;
}

#if WITH_METADATA
FString UEnum::GetMetaData(const TCHAR* Key, const int32 NameIndex, bool bAllowRemap) const
{
	if (NameIndex != INDEX_NONE && !Names.IsValidIndex(NameIndex))
	{
		return FString();
	}
	return UField::GetMetaData(FName(MetaDataKey(Key, NameIndex)));
}

bool UEnum::HasMetaData(const TCHAR* Key, const int32 NameIndex) const
{
	if (NameIndex != INDEX_NONE && !Names.IsValidIndex(NameIndex))
	{
		return false;
	}
	return UField::HasMetaData(FName(MetaDataKey(Key, NameIndex)));
}

void UEnum::SetMetaData(const TCHAR* Key, const TCHAR* InValue, const int32 NameIndex)
{
	checkf(NameIndex == INDEX_NONE || Names.IsValidIndex(NameIndex), TEXT("Enumeration %s has no entry %d"), *GetName(), NameIndex);
	UField::SetMetaData(FName(MetaDataKey(Key, NameIndex)), InValue);
}
#endif
