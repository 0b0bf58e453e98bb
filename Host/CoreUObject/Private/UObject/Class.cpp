#include "UObject/Class.h"

#include "UObject/Package.h"
#include "UObject/Stack.h"
#include "UObject/UnrealType.h"

#include <cstring>

IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UField)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UStruct)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UScriptStruct)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UFunction)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UClass)
IMPLEMENT_CLASS_NO_AUTO_REGISTRATION(UPackage)

#if WITH_METADATA
const FString& UField::GetMetaData(const TCHAR* Key) const
{
	return GetMetaData(FName(Key));
}

const FString& UField::GetMetaData(const FName& Key) const
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

bool UField::HasMetaData(const TCHAR* Key) const
{
	return HasMetaData(FName(Key));
}

bool UField::HasMetaData(const FName& Key) const
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

void UField::SetMetaData(const TCHAR* Key, const TCHAR* InValue)
{
	SetMetaData(FName(Key), InValue);
}

void UField::SetMetaData(const FName& Key, const TCHAR* InValue)
{
	for (std::pair<FName, FString>& Entry : MetaDataMap)
	{
		if (Entry.first == Key)
		{
			Entry.second = InValue;
			return;
		}
	}
	MetaDataMap.emplace_back(Key, FString(InValue));
}
#endif

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

void UStruct::InitializeStruct(void* Dest, const int32 ArrayDim) const
{
	check(Dest != nullptr);
	const int32 Stride = GetStructureSize();
	// Zero first, as the engine does, so that padding and plain members start out defined.
	std::memset(Dest, 0, static_cast<std::size_t>(Stride) * static_cast<std::size_t>(ArrayDim));
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		for (int32 Index = 0; Index < ArrayDim; ++Index)
		{
			It->InitializeValue_InContainer(static_cast<uint8*>(Dest) + Index * Stride);
		}
	}
}

void UStruct::DestroyStruct(void* Dest, const int32 ArrayDim) const
{
	check(Dest != nullptr);
	const int32 Stride = GetStructureSize();
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		for (int32 Index = 0; Index < ArrayDim; ++Index)
		{
			It->DestroyValue_InContainer(static_cast<uint8*>(Dest) + Index * Stride);
		}
	}
}

UScriptStruct::UScriptStruct(EStaticConstructor, const FName InName, const int32 InSize, const int32 InAlignment, const EObjectFlags InFlags, ICppStructOps* InCppStructOps)
	: UStruct(EC_StaticConstructor, InSize, InAlignment, InFlags)
	, CppStructOps(InCppStructOps)
{
	DeferredRegister(UScriptStruct::StaticClass(), InName);
	// The reflected size and the C++ size must agree, or every value operation would touch the wrong bytes.
	checkf(CppStructOps == nullptr || (CppStructOps->GetSize() == InSize && CppStructOps->GetAlignment() == InAlignment), TEXT("Structure %s: the native size or alignment differs from the reflected one"), *InName.ToString());
}

UScriptStruct::~UScriptStruct()
{
	delete CppStructOps;
}

void UScriptStruct::InitializeStruct(void* Dest, const int32 ArrayDim) const
{
	if (CppStructOps == nullptr)
	{
		UStruct::InitializeStruct(Dest, ArrayDim);
		return;
	}
	check(Dest != nullptr);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps->Construct(static_cast<uint8*>(Dest) + Index * GetStructureSize());
	}
}

void UScriptStruct::DestroyStruct(void* Dest, const int32 ArrayDim) const
{
	if (CppStructOps == nullptr)
	{
		UStruct::DestroyStruct(Dest, ArrayDim);
		return;
	}
	check(Dest != nullptr);
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		CppStructOps->Destruct(static_cast<uint8*>(Dest) + Index * GetStructureSize());
	}
}

void UScriptStruct::CopyScriptStruct(void* Dest, void const* Src, const int32 ArrayDim) const
{
	check(Dest != nullptr && Src != nullptr);
	if (CppStructOps != nullptr && CppStructOps->Copy(Dest, Src, ArrayDim))
	{
		return;
	}
	const int32 Stride = GetStructureSize();
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		for (int32 Index = 0; Index < ArrayDim; ++Index)
		{
			It->CopyCompleteValue_InContainer(static_cast<uint8*>(Dest) + Index * Stride, static_cast<const uint8*>(Src) + Index * Stride);
		}
	}
}

bool UScriptStruct::CompareScriptStruct(const void* A, const void* B, const uint32 PortFlags) const
{
	check(A != nullptr);
	if (B == nullptr)
	{
		return false;
	}
	bool bResult = false;
	if (CppStructOps != nullptr && CppStructOps->Identical(A, B, PortFlags, bResult))
	{
		return bResult;
	}
	for (TFieldIterator<FProperty> It(this); It; ++It)
	{
		if (!It->Identical(It->ContainerPtrToValuePtr<void>(A), It->ContainerPtrToValuePtr<void>(B), PortFlags))
		{
			return false;
		}
	}
	return true;
}

UFunction::UFunction(EStaticConstructor, const FName InName, UClass* InOuterClass, const EFunctionFlags InFunctionFlags, const int32 InParmsSize, const int32 InParmsAlignment, const EObjectFlags InFlags)
	: UStruct(EC_StaticConstructor, InParmsSize, InParmsAlignment, InFlags)
	, FunctionFlags(InFunctionFlags)
	, ParmsSize(static_cast<uint16>(InParmsSize))
	, OuterClass(InOuterClass)
{
	DeferredRegister(UFunction::StaticClass(), InName);
}

void UFunction::Invoke(UObject* Obj, FFrame& Stack, RESULT_DECL)
{
	checkf(Func != nullptr, TEXT("Function %s has no native thunk"), *GetName());
	// The thunk finds the function it serves here, as the engine's do.
	UFunction* const PreviousNativeFunction = Stack.CurrentNativeFunction;
	Stack.CurrentNativeFunction = this;
	(*Func)(Obj, Stack, RESULT_PARAM);
	Stack.CurrentNativeFunction = PreviousNativeFunction;
}

FProperty* UFunction::GetReturnProperty() const
{
	for (TFieldIterator<FProperty> It(this); It && It->HasAnyPropertyFlags(CPF_Parm); ++It)
	{
		if (It->HasAnyPropertyFlags(CPF_ReturnParm))
		{
			return *It;
		}
	}
	return nullptr;
}

UClass* UFunction::GetOwnerClass() const
{
	return OuterClass;
}

void UFunction::Bind()
{
	NumParms = 0;
	ParmsSize = 0;
	ReturnValueOffset = MAX_uint16;
	// The parameters lead the function's properties; as in the engine, the block ends with the last of them.
	for (FField* Field = ChildProperties; Field != nullptr; Field = Field->Next)
	{
		FProperty* const Property = CastField<FProperty>(Field);
		if (Property == nullptr || !Property->HasAnyPropertyFlags(CPF_Parm))
		{
			break;
		}
		++NumParms;
		ParmsSize = static_cast<uint16>(Property->GetOffset_ForInternal() + Property->GetSize());
		if (Property->HasAnyPropertyFlags(CPF_ReturnParm))
		{
			ReturnValueOffset = static_cast<uint16>(Property->GetOffset_ForInternal());
		}
	}
	if (HasAnyFunctionFlags(FUNC_Native) && OuterClass != nullptr)
	{
		Func = OuterClass->FindNativeFunction(GetFName());
		ensureMsgf(Func != nullptr, TEXT("Failed to bind native function %s.%s"), *OuterClass->GetName(), *GetName());
	}
}

UClass::UClass(EStaticConstructor, const FName InName, const uint32 InSize, const uint32 InAlignment, const EClassFlags InClassFlags, const EClassCastFlags InClassCastFlags, const EObjectFlags InFlags, const ClassConstructorType InClassConstructor)
	: UStruct(EC_StaticConstructor, static_cast<int32>(InSize), static_cast<int32>(InAlignment), InFlags)
	, ClassConstructor(InClassConstructor)
	, ClassFlags(InClassFlags)
	, ClassCastFlags(InClassCastFlags)
{
}

UFunction* UClass::FindFunctionByName(const FName InName, const EIncludeSuperFlag::Type IncludeSuper) const
{
	for (const UClass* Class = this; Class != nullptr; Class = Class->GetSuperClass())
	{
		for (UFunction* const Function : Class->FuncMap)
		{
			if (Function->GetFName() == InName)
			{
				return Function;
			}
		}
		if (IncludeSuper == EIncludeSuperFlag::ExcludeSuper)
		{
			break;
		}
	}
	return nullptr;
}

void UClass::AddFunctionToFunctionMap(UFunction* Function, const FName FuncName)
{
	check(Function != nullptr);
	// Rooted, as structures are: a class's functions live as long as the class.
	Function->AddToRoot();
	for (UFunction*& Existing : FuncMap)
	{
		if (Existing->GetFName() == FuncName)
		{
			Existing = Function;
			return;
		}
	}
	FuncMap.Add(Function);
	// Also a child field of the class, after those declared before it, so that TFieldIterator finds it.
	UField** Last = &Children;
	while (*Last != nullptr)
	{
		Last = &(*Last)->Next;
	}
	*Last = Function;
}

void UClass::AddNativeFunction(const ANSICHAR* InName, const FNativeFuncPtr InPointer)
{
	const FName Name(InName);
	for (std::pair<FName, FNativeFuncPtr>& Entry : NativeFunctionLookupTable)
	{
		if (Entry.first == Name)
		{
			Entry.second = InPointer;
			return;
		}
	}
	NativeFunctionLookupTable.Emplace(Name, InPointer);
}

FNativeFuncPtr UClass::FindNativeFunction(const FName InName) const
{
	for (const std::pair<FName, FNativeFuncPtr>& Entry : NativeFunctionLookupTable)
	{
		if (Entry.first == InName)
		{
			return Entry.second;
		}
	}
	return nullptr;
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
