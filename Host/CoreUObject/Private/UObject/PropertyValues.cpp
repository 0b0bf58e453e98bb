// How each kind of property constructs, destroys, copies and compares its values. Plain data is handled
// byte by byte; strings, names, weak pointers, structures and arrays through their C++ operations.
#include "UObject/UnrealType.h"

#include "UObject/Class.h"
#include "UObject/SparseDelegate.h"
#include "UObject/WeakObjectPtr.h"

#include <cstring>
#include <new>

namespace UE::CoreUObject::Private
{
	/** The value types with C++ semantics, handled alike: Count constructed values side by side. */
	template <typename ValueType>
	struct TCppValueOps
	{
		static void Initialize(void* Dest, const int32 Count)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				::new (static_cast<ValueType*>(Dest) + Index) ValueType();
			}
		}

		static void Destroy(void* Dest, const int32 Count)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				(static_cast<ValueType*>(Dest) + Index)->~ValueType();
			}
		}

		static void Copy(void* Dest, const void* Src, const int32 Count)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				static_cast<ValueType*>(Dest)[Index] = static_cast<const ValueType*>(Src)[Index];
			}
		}

		/** A missing value (null) compares as the default value, as the engine's comparisons do. */
		static bool Identical(const void* A, const void* B)
		{
			const ValueType Default{};
			const ValueType& ValueA = A != nullptr ? *static_cast<const ValueType*>(A) : Default;
			const ValueType& ValueB = B != nullptr ? *static_cast<const ValueType*>(B) : Default;
			return ValueA == ValueB;
		}
	};
}

using UE::CoreUObject::Private::TCppValueOps;

bool FProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	if (A == nullptr || B == nullptr)
	{
		// Compared with the zero value a missing value stands for.
		const uint8* const Value = static_cast<const uint8*>(A != nullptr ? A : B);
		if (Value == nullptr)
		{
			return true;
		}
		for (int32 Index = 0; Index < GetSize(); ++Index)
		{
			if (Value[Index] != 0)
			{
				return false;
			}
		}
		return true;
	}
	return std::memcmp(A, B, static_cast<std::size_t>(GetSize())) == 0;
}

void FProperty::InitializeValueInternal(void* Dest) const
{
	std::memset(Dest, 0, static_cast<std::size_t>(GetSize()));
}

void FProperty::DestroyValueInternal(void* Dest) const
{
}

void FProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	std::memcpy(Dest, Src, static_cast<std::size_t>(ElementSize) * static_cast<std::size_t>(Count));
}

bool FStrProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	return TCppValueOps<FString>::Identical(A, B);
}

void FStrProperty::InitializeValueInternal(void* Dest) const
{
	TCppValueOps<FString>::Initialize(Dest, ArrayDim);
}

void FStrProperty::DestroyValueInternal(void* Dest) const
{
	TCppValueOps<FString>::Destroy(Dest, ArrayDim);
}

void FStrProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	TCppValueOps<FString>::Copy(Dest, Src, Count);
}

bool FNameProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	return TCppValueOps<FName>::Identical(A, B);
}

void FNameProperty::InitializeValueInternal(void* Dest) const
{
	TCppValueOps<FName>::Initialize(Dest, ArrayDim);
}

void FNameProperty::DestroyValueInternal(void* Dest) const
{
	TCppValueOps<FName>::Destroy(Dest, ArrayDim);
}

void FNameProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	TCppValueOps<FName>::Copy(Dest, Src, Count);
}

bool FWeakObjectProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	return TCppValueOps<FWeakObjectPtr>::Identical(A, B);
}

void FWeakObjectProperty::InitializeValueInternal(void* Dest) const
{
	TCppValueOps<FWeakObjectPtr>::Initialize(Dest, ArrayDim);
}

void FWeakObjectProperty::DestroyValueInternal(void* Dest) const
{
	TCppValueOps<FWeakObjectPtr>::Destroy(Dest, ArrayDim);
}

void FWeakObjectProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	TCppValueOps<FWeakObjectPtr>::Copy(Dest, Src, Count);
}

bool FMulticastInlineDelegateProperty::Identical(const void* A, const void* B, uint32 PortFlags) const
{
	return TCppValueOps<FMulticastScriptDelegate>::Identical(A, B);
}

void FMulticastInlineDelegateProperty::InitializeValueInternal(void* Dest) const
{
	TCppValueOps<FMulticastScriptDelegate>::Initialize(Dest, ArrayDim);
}

void FMulticastInlineDelegateProperty::DestroyValueInternal(void* Dest) const
{
	TCppValueOps<FMulticastScriptDelegate>::Destroy(Dest, ArrayDim);
}

void FMulticastInlineDelegateProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	TCppValueOps<FMulticastScriptDelegate>::Copy(Dest, Src, Count);
}

int32 FStructProperty::GetMinAlignment() const
{
	return Struct->GetMinAlignment();
}

bool FStructProperty::Identical(const void* A, const void* B, const uint32 PortFlags) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		const int32 ByteOffset = Index * ElementSize;
		const void* const ValueA = A != nullptr ? static_cast<const uint8*>(A) + ByteOffset : nullptr;
		const void* const ValueB = B != nullptr ? static_cast<const uint8*>(B) + ByteOffset : nullptr;
		if (ValueA == nullptr || ValueB == nullptr)
		{
			// Only two missing values are the same; one missing value is not compared with a default.
			if (ValueA != ValueB)
			{
				return false;
			}
			continue;
		}
		if (!Struct->CompareScriptStruct(ValueA, ValueB, PortFlags))
		{
			return false;
		}
	}
	return true;
}

void FStructProperty::InitializeValueInternal(void* Dest) const
{
	Struct->InitializeStruct(Dest, ArrayDim);
}

void FStructProperty::DestroyValueInternal(void* Dest) const
{
	Struct->DestroyStruct(Dest, ArrayDim);
}

void FStructProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	Struct->CopyScriptStruct(Dest, Src, Count);
}

FArrayProperty::FArrayProperty(UStruct* InOwner, const FName InName, const EObjectFlags InObjectFlags, const int32 InOffset, const int32 InElementSize, const EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, ICppArrayOps* InArrayOps)
	: FProperty(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
	, ArrayOps(InArrayOps)
{
	checkf(ArrayOps != nullptr, TEXT("Array property %s has no array operations"), *InName.ToString());
}

FArrayProperty::~FArrayProperty()
{
	delete Inner;
	delete ArrayOps;
}

void FArrayProperty::AddCppProperty(FProperty* Property)
{
	checkf(Inner == nullptr, TEXT("Array property %s already has its element property"), *GetName());
	check(Property != nullptr);
	Inner = Property;
}

bool FArrayProperty::Identical(const void* A, const void* B, const uint32 PortFlags) const
{
	const int32 NumA = A != nullptr ? ArrayOps->Num(A) : 0;
	const int32 NumB = B != nullptr ? ArrayOps->Num(B) : 0;
	if (NumA != NumB)
	{
		return false;
	}
	if (NumA == 0)
	{
		return true;
	}
	FScriptArrayHelper HelperA(this, A);
	FScriptArrayHelper HelperB(this, B);
	for (int32 Index = 0; Index < NumA; ++Index)
	{
		if (!Inner->Identical(HelperA.GetRawPtr(Index), HelperB.GetRawPtr(Index), PortFlags))
		{
			return false;
		}
	}
	return true;
}

void FArrayProperty::InitializeValueInternal(void* Dest) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		ArrayOps->Construct(static_cast<uint8*>(Dest) + Index * ElementSize);
	}
}

void FArrayProperty::DestroyValueInternal(void* Dest) const
{
	for (int32 Index = 0; Index < ArrayDim; ++Index)
	{
		ArrayOps->Destruct(static_cast<uint8*>(Dest) + Index * ElementSize);
	}
}

void FArrayProperty::CopyValuesInternal(void* Dest, const void* Src, const int32 Count) const
{
	for (int32 Index = 0; Index < Count; ++Index)
	{
		ArrayOps->Copy(static_cast<uint8*>(Dest) + Index * ElementSize, static_cast<const uint8*>(Src) + Index * ElementSize);
	}
}

FEnumProperty::FEnumProperty(UStruct* InOwner, const FName InName, const EObjectFlags InObjectFlags, const int32 InOffset, const int32 InElementSize, const EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UEnum* InEnum, FNumericProperty* InUnderlyingProp)
	: FProperty(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
	, Enum(InEnum)
	, UnderlyingProp(InUnderlyingProp)
{
	check(UnderlyingProp != nullptr && UnderlyingProp->ElementSize == InElementSize);
}

FEnumProperty::~FEnumProperty()
{
	delete UnderlyingProp;
}
