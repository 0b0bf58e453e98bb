#include "HostPropertyAccess.h"

bool UE::Host::FindPropertyValueRef(UObject* Object, const TCHAR* PropertyPath, FPropertyValueRef& OutRef)
{
	if (Object == nullptr || PropertyPath == nullptr)
	{
		return false;
	}
	TArray<FString> Names;
	FString(PropertyPath).ParseIntoArray(Names, TEXT("."), false);
	FPropertyValueRef Ref;
	const UStruct* Struct = Object->GetClass();
	void* Container = Object;
	for (const FString& Name : Names)
	{
		if (Struct == nullptr)
		{
			return false;
		}
		FProperty* const Property = FindFProperty<FProperty>(Struct, FName(Name));
		if (Property == nullptr)
		{
			return false;
		}
		if (Ref.MemberProperty == nullptr)
		{
			Ref.MemberProperty = Property;
		}
		Ref.Property = Property;
		Ref.Value = Property->ContainerPtrToValuePtr<void>(Container);
		const FStructProperty* const StructProperty = CastField<FStructProperty>(Property);
		Struct = StructProperty != nullptr ? StructProperty->Struct : nullptr;
		Container = Ref.Value;
	}
	if (Ref.Property == nullptr)
	{
		return false;
	}
	OutRef = Ref;
	return true;
}
