#include "HostDetailsPanel.h"

#include "UObject/Object.h"

namespace
{
	const FName NAME_Category(TEXT("Category"));
	const FName NAME_EditCondition(TEXT("EditCondition"));
	const FName NAME_EditConditionHides(TEXT("EditConditionHides"));
	const FName NAME_InlineEditConditionToggle(TEXT("InlineEditConditionToggle"));

	/** The class's space-separated category list under the key (the header tool merged the super classes' in). */
	TArray<FString> GetClassCategoryList(const UStruct* Type, const TCHAR* Key)
	{
		TArray<FString> Categories;
		if (Type->HasMetaData(Key))
		{
			Type->GetMetaData(Key).ParseIntoArray(Categories, TEXT(" "), true);
		}
		return Categories;
	}

	/** The property of Owner (or its super types) named by a trimmed identifier, or null. */
	const FProperty* FindConditionProperty(const UStruct* Owner, const FString& Name)
	{
		return Name.IsEmpty() ? nullptr : FindFProperty<FProperty>(Owner, FName(*Name));
	}

	/** The enumeration an integer-valued property holds, with the value's address; false for another kind. */
	bool GetEnumValue(const FProperty* Property, const void* Container, const UEnum*& OutEnum, int64& OutValue)
	{
		if (const FEnumProperty* const EnumProperty = CastField<FEnumProperty>(Property))
		{
			OutEnum = EnumProperty->GetEnum();
			OutValue = EnumProperty->GetUnderlyingProperty()->GetSignedIntPropertyValue(EnumProperty->ContainerPtrToValuePtr<void>(Container));
			return OutEnum != nullptr;
		}
		if (const FByteProperty* const ByteProperty = CastField<FByteProperty>(Property))
		{
			OutEnum = ByteProperty->GetIntPropertyEnum();
			OutValue = ByteProperty->GetSignedIntPropertyValue(ByteProperty->ContainerPtrToValuePtr<void>(Container));
			return OutEnum != nullptr;
		}
		return false;
	}

	/**
	 * "Name == EEnum::Entry" or "Name != EEnum::Entry": as the editor's condition parser, the enumeration
	 * named must be the property's own and the entry one of its entries; the value is compared by entry name.
	 */
	bool EvaluateEnumComparison(const UStruct* Owner, const void* Container, const FString& Condition, const int32 OperatorIndex, bool& bOutResult)
	{
		const bool bEquals = Condition[OperatorIndex] == TEXT('=');
		const FProperty* const Compared = FindConditionProperty(Owner, Condition.Left(OperatorIndex).TrimStartAndEnd());
		const FString Literal = Condition.Mid(OperatorIndex + 2).TrimStartAndEnd();
		const int32 ScopeIndex = Literal.Find(TEXT("::"), ESearchCase::CaseSensitive);
		const UEnum* Enum = nullptr;
		int64 Value = 0;
		if (Compared == nullptr || ScopeIndex == INDEX_NONE || !GetEnumValue(Compared, Container, Enum, Value))
		{
			return false;
		}
		const FString EnumName = Literal.Left(ScopeIndex);
		const FString EntryName = Literal.Mid(ScopeIndex + 2);
		if (EnumName != Enum->GetName() || EntryName.IsEmpty() || Enum->GetIndexByNameString(EntryName) == INDEX_NONE)
		{
			return false;
		}
		bOutResult = (Enum->GetNameStringByValue(Value) == EntryName) == bEquals;
		return true;
	}

	/** True when the details panel of an object of this kind hides the property whatever its category. */
	bool IsHiddenFromDetails(const FProperty* Property, const bool bIsTemplate)
	{
		if (!Property->HasAnyPropertyFlags(CPF_Edit) || Property->HasMetaData(NAME_InlineEditConditionToggle))
		{
			return true;
		}
		return Property->HasAnyPropertyFlags(bIsTemplate ? CPF_DisableEditOnTemplate : CPF_DisableEditOnInstance);
	}
}

bool UE::Host::IsCategoryHiddenFromClass(const UStruct* Type, const FString& Category)
{
	if (Type == nullptr)
	{
		return false;
	}
	TArray<FString> Path;
	Category.ParseIntoArray(Path, TEXT("|"), true);
	bool bHidden = false;
	for (const FString& HideCategory : GetClassCategoryList(Type, TEXT("HideCategories")))
	{
		// The category itself, one of its parent paths or any one of its path segments hides it.
		FString ParentPath;
		for (const FString& Segment : Path)
		{
			ParentPath += Segment;
			bHidden = bHidden || HideCategory == Segment || HideCategory == ParentPath;
			ParentPath += TEXT("|");
		}
		bHidden = bHidden || HideCategory == Category;
	}
	// A class that shows the category (often a subclass of the one that hid it) wins.
	return bHidden && !GetClassCategoryList(Type, TEXT("ShowCategories")).Contains(Category);
}

bool UE::Host::EvaluateEditCondition(const FProperty* Property, const void* Container, bool& bOutResult)
{
	if (Property == nullptr || Container == nullptr)
	{
		return false;
	}
	if (!Property->HasMetaData(NAME_EditCondition))
	{
		bOutResult = true;
		return true;
	}
	const UStruct* const Owner = Property->GetOwnerStruct();
	const FString Condition = Property->GetMetaData(NAME_EditCondition).TrimStartAndEnd();
	for (int32 Index = 0; Index + 1 < Condition.Len(); ++Index)
	{
		if ((Condition[Index] == TEXT('=') || Condition[Index] == TEXT('!')) && Condition[Index + 1] == TEXT('='))
		{
			return EvaluateEnumComparison(Owner, Container, Condition, Index, bOutResult);
		}
	}
	const bool bNegated = Condition.StartsWith(TEXT("!"));
	const FBoolProperty* const Toggle = CastField<FBoolProperty>(FindConditionProperty(Owner, bNegated ? Condition.Mid(1).TrimStartAndEnd() : Condition));
	if (Toggle == nullptr)
	{
		return false;
	}
	bOutResult = Toggle->GetPropertyValue_InContainer(Container) != bNegated;
	return true;
}

TArray<UE::Host::FDetailsCategory> UE::Host::GetDetailsPanel(const UStruct* Type, const void* Container)
{
	TArray<FDetailsCategory> Categories;
	if (Type == nullptr || Container == nullptr)
	{
		return Categories;
	}
	// A class default object is edited as the template of the class (the class defaults panel).
	const bool bIsTemplate = Type->IsA<UClass>() && static_cast<const UObject*>(Container)->HasAnyFlags(RF_ClassDefaultObject);
	for (TFieldIterator<FProperty> It(Type); It; ++It)
	{
		FProperty* const Property = *It;
		if (IsHiddenFromDetails(Property, bIsTemplate))
		{
			continue;
		}
		// Without a category the editor files a property under its owner's name.
		const FString Category = Property->HasMetaData(NAME_Category) ? Property->GetMetaData(NAME_Category) : Property->GetOwnerStruct()->GetName();
		if (IsCategoryHiddenFromClass(Type, Category))
		{
			continue;
		}
		// An unreadable condition is ignored, as the editor ignores an expression it cannot parse.
		bool bConditionMet = true;
		EvaluateEditCondition(Property, Container, bConditionMet);
		if (!bConditionMet && Property->HasMetaData(NAME_EditConditionHides))
		{
			continue;
		}
		FDetailsCategory* Found = nullptr;
		for (FDetailsCategory& Existing : Categories)
		{
			Found = Existing.Name == Category ? &Existing : Found;
		}
		if (Found == nullptr)
		{
			Found = &Categories[Categories.Add(FDetailsCategory{Category, {}})];
		}
		Found->Rows.Add(FDetailsRow{Property, bConditionMet && !Property->HasAnyPropertyFlags(CPF_EditConst)});
	}
	return Categories;
}
