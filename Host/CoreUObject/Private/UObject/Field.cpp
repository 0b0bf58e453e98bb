#include "UObject/Field.h"

#include "Containers/StringConv.h"
#include "UObject/Class.h"
#include "UObject/GeneratedCppIncludes.h"
#include "UObject/UnrealType.h"

#include <new>

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

namespace UECodeGen_Private
{
	namespace
	{
		template <class PropertyType, typename... ExtraTypes>
		FProperty* NewTypedProperty(UStruct* Owner, const FPropertyParams& Params, ExtraTypes... Extra)
		{
			const FString CPPType(Params.CPPTypeUTF8);
			return new PropertyType(Owner, FName(Params.NameUTF8), RF_Public | RF_MarkAsNative | RF_Transient, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType, Extra...);
		}

		FProperty* NewProperty(UStruct* Owner, const FPropertyParams& Params)
		{
			switch (Params.Flags)
			{
			case EPropertyGenFlags::Byte: return NewTypedProperty<FByteProperty>(Owner, Params);
			case EPropertyGenFlags::Int: return NewTypedProperty<FIntProperty>(Owner, Params);
			case EPropertyGenFlags::Int64: return NewTypedProperty<FInt64Property>(Owner, Params);
			case EPropertyGenFlags::Float: return NewTypedProperty<FFloatProperty>(Owner, Params);
			case EPropertyGenFlags::Double: return NewTypedProperty<FDoubleProperty>(Owner, Params);
			case EPropertyGenFlags::Bool: return NewTypedProperty<FBoolProperty>(Owner, Params);
			case EPropertyGenFlags::Str: return NewTypedProperty<FStrProperty>(Owner, Params);
			case EPropertyGenFlags::Name: return NewTypedProperty<FNameProperty>(Owner, Params);
			case EPropertyGenFlags::Enum: return NewTypedProperty<FEnumProperty>(Owner, Params);
			case EPropertyGenFlags::Struct: return NewTypedProperty<FStructProperty>(Owner, Params, Params.ScriptStructFunc());
			case EPropertyGenFlags::Object: return NewTypedProperty<FObjectProperty>(Owner, Params);
			case EPropertyGenFlags::WeakObject: return NewTypedProperty<FWeakObjectProperty>(Owner, Params);
			}
			checkNoEntry();
		}

		void AddProperties(UStruct* Owner, const FPropertyParams* const* PropertyArray, const int32 NumProperties)
		{
			for (int32 Index = NumProperties - 1; Index >= 0; --Index)
			{
				const FPropertyParams& Params = *PropertyArray[Index];
				FProperty* const Property = NewProperty(Owner, Params);
#if WITH_METADATA
				for (int32 MetaIndex = 0; MetaIndex < Params.NumMetaData; ++MetaIndex)
				{
					Property->SetMetaData(FName(Params.MetaDataArray[MetaIndex].NameUTF8), FString(Params.MetaDataArray[MetaIndex].ValueUTF8));
				}
#endif
				Owner->AddCppProperty(Property);
			}
		}
	}

	void ConstructUScriptStruct(UScriptStruct*& OutStruct, const FStructParams& Params)
	{
		if (OutStruct != nullptr)
		{
			return;
		}
		void* const Memory = ::operator new(sizeof(UScriptStruct));
		OutStruct = ::new (Memory) UScriptStruct(EC_StaticConstructor, FName(Params.NameUTF8), Params.SizeOf, Params.AlignOf, RF_Public | RF_Transient | RF_MarkAsNative);
		OutStruct->AddToRoot();
		if (Params.SuperFunc != nullptr)
		{
			OutStruct->SetSuperStruct(Params.SuperFunc());
		}
		AddProperties(OutStruct, Params.PropertyArray, Params.NumProperties);
	}

	void ConstructUClass(UClass* Class, const FClassParams& Params)
	{
		AddProperties(Class, Params.PropertyArray, Params.NumProperties);
	}
}
