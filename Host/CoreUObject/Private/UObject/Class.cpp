#include "UObject/Class.h"

#include "UObject/Package.h"
#include "UObject/UnrealType.h"

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UField)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UStruct)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UScriptStruct)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UClass)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UPackage)

UStruct::UStruct(EStaticConstructor, const int32 InSize, const int32 InAlignment, const EObjectFlags InFlags)
	: UField(EC_StaticConstructor, InFlags)
	, PropertiesSize(InSize)
	, MinAlignment(InAlignment)
{
}

UStruct::~UStruct()
{
	while (ChildProperties != nullptr)
	{
		FField* const Next = ChildProperties->Next;
		delete ChildProperties;
		ChildProperties = Next;
	}
}

bool UStruct::IsChildOf(const UStruct* SomeBase) const
{
	if (SomeBase == nullptr)
	{
		return false;
	}
	for (const UStruct* Struct = this; Struct != nullptr; Struct = Struct->GetSuperStruct())
	{
		if (Struct == SomeBase)
		{
			return true;
		}
	}
	return false;
}

void UStruct::AddCppProperty(FProperty* Property)
{
	// As the engine does: properties are added last to first, so each one goes to the front.
	Property->Next = ChildProperties;
	ChildProperties = Property;
}

UScriptStruct::UScriptStruct(EStaticConstructor, const FName InName, const int32 InSize, const int32 InAlignment, const EObjectFlags InFlags)
	: UStruct(EC_StaticConstructor, InSize, InAlignment, InFlags)
{
	DeferredRegister(UScriptStruct::StaticClass(), InName);
}

UClass::UClass(EStaticConstructor, const FName InName, const uint32 InSize, const uint32 InAlignment, const EClassFlags InClassFlags, const EClassCastFlags InClassCastFlags, const EObjectFlags InFlags, const ClassConstructorType InClassConstructor)
	: UStruct(EC_StaticConstructor, static_cast<int32>(InSize), static_cast<int32>(InAlignment), InFlags)
	, ClassConstructor(InClassConstructor)
	, ClassFlags(InClassFlags)
	, ClassCastFlags(InClassCastFlags)
{
}

UObject* UClass::GetDefaultObject(const bool bCreateIfNeeded) const
{
	if (ClassDefaultObject == nullptr && bCreateIfNeeded)
	{
		FStaticConstructObjectParameters Params(this);
		Params.Outer = GetTransientPackage();
		Params.Name = FName(FString(TEXT("Default__")) + GetName());
		Params.SetFlags = RF_Public | RF_ClassDefaultObject | RF_ArchetypeObject;
		ClassDefaultObject = StaticConstructObject_Internal(Params);
		ClassDefaultObject->AddToRoot();
	}
	return ClassDefaultObject;
}
