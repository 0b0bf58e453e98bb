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
		FProperty* NewProperty(UStruct* Owner, const FPropertyParams& Params)
		{
			const FName Name(Params.NameUTF8);
			const FString CPPType(Params.CPPTypeUTF8);
			const EObjectFlags Flags = RF_Public | RF_MarkAsNative | RF_Transient;
			switch (Params.Flags)
			{
			case EPropertyGenFlags::Byte:
				return new FByteProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Int:
				return new FIntProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Int64:
				return new FInt64Property(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Float:
				return new FFloatProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Double:
				return new FDoubleProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Bool:
				return new FBoolProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Str:
				return new FStrProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Name:
				return new FNameProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Enum:
				return new FEnumProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::Struct:
				return new FStructProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType, Params.ScriptStructFunc());
			case EPropertyGenFlags::Object:
				return new FObjectProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
			case EPropertyGenFlags::WeakObject:
				return new FWeakObjectProperty(Owner, Name, Flags, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType);
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
