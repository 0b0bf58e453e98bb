// Builds reflected types from the records the header tool generates: structures, enumerations,
// functions with their parameters, and the contents of class objects.
#include "UObject/GeneratedCppIncludes.h"

#include <new>

namespace UECodeGen_Private
{
	namespace
	{
		constexpr EObjectFlags NativeTypeFlags = RF_Public | RF_Transient | RF_MarkAsNative;

		template <class PropertyType, typename... ExtraTypes>
		PropertyType* NewTypedProperty(UStruct* Owner, const FPropertyParams& Params, ExtraTypes... Extra)
		{
			const FString CPPType(Params.CPPTypeUTF8);
			return new PropertyType(Owner, FName(Params.NameUTF8), RF_Public | RF_MarkAsNative | RF_Transient, Params.Offset, Params.ElementSize, Params.PropertyFlags, *CPPType, Extra...);
		}

		/** The integer an enumeration member is stored as, chosen by its size, as the engine names it. */
		FNumericProperty* NewUnderlyingProperty(UStruct* Owner, const FPropertyParams& Params)
		{
			const FName Name(TEXT("UnderlyingType"));
			const EObjectFlags Flags = RF_Public | RF_MarkAsNative | RF_Transient;
			switch (Params.ElementSize)
			{
			case 1: return new FByteProperty(Owner, Name, Flags, 0, 1, CPF_None, TEXT("uint8"));
			case 4: return new FIntProperty(Owner, Name, Flags, 0, 4, CPF_None, TEXT("int32"));
			case 8: return new FInt64Property(Owner, Name, Flags, 0, 8, CPF_None, TEXT("int64"));
			}
			checkf(false, TEXT("Enumeration member %s: no underlying integer of %d bytes"), *FString(Params.NameUTF8), Params.ElementSize);
			return nullptr;
		}

		FProperty* NewProperty(UStruct* Owner, const FPropertyParams& Params)
		{
			UEnum* const Enum = Params.EnumFunc != nullptr ? Params.EnumFunc() : nullptr;
			UClass* const PropertyClass = Params.ClassFunc != nullptr ? Params.ClassFunc() : nullptr;
			switch (Params.Flags)
			{
			case EPropertyGenFlags::Byte:
			{
				FByteProperty* const Property = NewTypedProperty<FByteProperty>(Owner, Params);
				Property->Enum = Enum;
				return Property;
			}
			case EPropertyGenFlags::Int: return NewTypedProperty<FIntProperty>(Owner, Params);
			case EPropertyGenFlags::Int64: return NewTypedProperty<FInt64Property>(Owner, Params);
			case EPropertyGenFlags::Float: return NewTypedProperty<FFloatProperty>(Owner, Params);
			case EPropertyGenFlags::Double: return NewTypedProperty<FDoubleProperty>(Owner, Params);
			case EPropertyGenFlags::Bool: return NewTypedProperty<FBoolProperty>(Owner, Params);
			case EPropertyGenFlags::Str: return NewTypedProperty<FStrProperty>(Owner, Params);
			case EPropertyGenFlags::Name: return NewTypedProperty<FNameProperty>(Owner, Params);
			case EPropertyGenFlags::Enum: return NewTypedProperty<FEnumProperty>(Owner, Params, Enum, NewUnderlyingProperty(Owner, Params));
			case EPropertyGenFlags::Struct:
				checkf(Params.ScriptStructFunc != nullptr, TEXT("Structure member %s has no structure type"), *FString(Params.NameUTF8));
				return NewTypedProperty<FStructProperty>(Owner, Params, Params.ScriptStructFunc());
			case EPropertyGenFlags::Object: return NewTypedProperty<FObjectProperty>(Owner, Params, PropertyClass);
			case EPropertyGenFlags::WeakObject: return NewTypedProperty<FWeakObjectProperty>(Owner, Params, PropertyClass);
			case EPropertyGenFlags::Array:
				checkf(Params.ArrayOpsFunc != nullptr, TEXT("Array member %s has no array operations"), *FString(Params.NameUTF8));
				return NewTypedProperty<FArrayProperty>(Owner, Params, Params.ArrayOpsFunc());
			case EPropertyGenFlags::InlineMulticastDelegate:
				checkf(Params.SignatureFunctionFunc != nullptr, TEXT("Delegate member %s has no signature function"), *FString(Params.NameUTF8));
				return NewTypedProperty<FMulticastInlineDelegateProperty>(Owner, Params, Params.SignatureFunctionFunc());
			}
			checkNoEntry();
			return nullptr;
		}

		/** Sets each pair on Target: a UField (through its SetMetaData of text) or an FField. */
		void AddMetaData(UField* Target, const FMetaDataPairParam* MetaDataArray, const int32 NumMetaData)
		{
#if WITH_METADATA
			for (int32 Index = 0; Index < NumMetaData; ++Index)
			{
				const FString Value(MetaDataArray[Index].ValueUTF8);
				Target->UField::SetMetaData(FName(MetaDataArray[Index].NameUTF8), *Value);
			}
#endif
		}

		void AddProperties(UStruct* Owner, const FPropertyParams* const* PropertyArray, const int32 NumProperties)
		{
			for (int32 Index = NumProperties - 1; Index >= 0; --Index)
			{
				const FPropertyParams& Params = *PropertyArray[Index];
				FProperty* const Property = NewProperty(Owner, Params);
				if (FArrayProperty* const Array = CastField<FArrayProperty>(Property))
				{
					// The element's record comes right before the array's; it belongs to the array, not to Owner's list.
					checkf(Index > 0, TEXT("Array member %s has no element record"), *FString(Params.NameUTF8));
					--Index;
					Array->AddCppProperty(NewProperty(Owner, *PropertyArray[Index]));
				}
#if WITH_METADATA
				for (int32 MetaIndex = 0; MetaIndex < Params.NumMetaData; ++MetaIndex)
				{
					Property->SetMetaData(FName(Params.MetaDataArray[MetaIndex].NameUTF8), FString(Params.MetaDataArray[MetaIndex].ValueUTF8));
				}
#endif
				Owner->AddCppProperty(Property);
			}
		}

		/** Memory for a type object the object system does not allocate (it lives as long as the program). */
		template <class TypeObject, typename... ArgTypes>
		TypeObject* NewTypeObject(ArgTypes&&... Args)
		{
			void* const Memory = ::operator new(sizeof(TypeObject));
			TypeObject* const Object = ::new (Memory) TypeObject(EC_StaticConstructor, Forward<ArgTypes>(Args)...);
			Object->AddToRoot();
			return Object;
		}
	}

	void ConstructUScriptStruct(UScriptStruct*& OutStruct, const FStructParams& Params)
	{
		if (OutStruct != nullptr)
		{
			return;
		}
		UScriptStruct::ICppStructOps* const StructOps = Params.StructOpsFunc != nullptr ? Params.StructOpsFunc() : nullptr;
		OutStruct = NewTypeObject<UScriptStruct>(FName(Params.NameUTF8), Params.SizeOf, Params.AlignOf, NativeTypeFlags, StructOps);
		if (Params.SuperFunc != nullptr)
		{
			OutStruct->SetSuperStruct(Params.SuperFunc());
		}
		AddMetaData(OutStruct, Params.MetaDataArray, Params.NumMetaData);
		AddProperties(OutStruct, Params.PropertyArray, Params.NumProperties);
	}

	void ConstructUEnum(UEnum*& OutEnum, const FEnumParams& Params)
	{
		if (OutEnum != nullptr)
		{
			return;
		}
		UEnum* const Enum = NewTypeObject<UEnum>(FName(Params.NameUTF8), NativeTypeFlags);
		OutEnum = Enum;
		TArray<std::pair<FName, int64>> Names;
		for (int32 Index = 0; Index < Params.NumEnumerators; ++Index)
		{
			Names.Emplace(FName(Params.EnumeratorParams[Index].NameUTF8), Params.EnumeratorParams[Index].Value);
		}
		Enum->SetEnums(Names, Params.CppForm);
		Enum->SetCppType(FString(Params.CppTypeUTF8));
		// Entry metadata comes already keyed "<EntryName>.<Key>", as the enumeration stores it.
		AddMetaData(Enum, Params.MetaDataArray, Params.NumMetaData);
	}

	void ConstructUFunction(UFunction*& OutFunction, const FFunctionParams& Params)
	{
		if (OutFunction != nullptr)
		{
			return;
		}
		UClass* const OuterClass = Params.OuterFunc != nullptr ? Params.OuterFunc() : nullptr;
		// Building the class builds its functions, this one included.
		if (OutFunction != nullptr)
		{
			return;
		}
		const int32 Alignment = Params.StructureAlignment > 0 ? Params.StructureAlignment : 1;
		UFunction* const Function = NewTypeObject<UFunction>(FName(Params.NameUTF8), OuterClass, Params.FunctionFlags, static_cast<int32>(Params.StructureSize), Alignment, NativeTypeFlags);
		OutFunction = Function;
		AddProperties(Function, Params.PropertyArray, Params.NumProperties);
		Function->Bind();
		AddMetaData(Function, Params.MetaDataArray, Params.NumMetaData);
		// A delegate's signature belongs to the package: no class calls it.
		if (OuterClass != nullptr)
		{
			OuterClass->AddFunctionToFunctionMap(Function, Function->GetFName());
		}
	}

	void ConstructUClass(UClass* Class, const FClassParams& Params)
	{
		// The thunks first: each function binds to its thunk when it is built.
		for (int32 Index = 0; Index < Params.NumNativeFunctions; ++Index)
		{
			Class->AddNativeFunction(Params.NativeFunctions[Index].NameUTF8, Params.NativeFunctions[Index].Pointer);
		}
		if (Params.ClassConfigNameUTF8 != nullptr)
		{
			Class->ClassConfigName = FName(Params.ClassConfigNameUTF8);
		}
		Class->ClassFlags |= Params.ClassFlags;
		AddMetaData(Class, Params.MetaDataArray, Params.NumMetaData);
		AddProperties(Class, Params.PropertyArray, Params.NumProperties);
		for (int32 Index = 0; Index < Params.NumFunctions; ++Index)
		{
			Params.FunctionLinkArray[Index].CreateFuncPtr();
		}
	}
}
