// Reflected properties: where a member lives inside its container and what C++ type it has; iteration
// and lookup over a type's properties (its super types' included); the event of an editor edit.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Casts.h"
#include "UObject/Class.h"
#include "UObject/Field.h"
#include "UObject/ObjectMacros.h"

enum EPropertyFlags : uint64
{
	CPF_None = 0,
	CPF_Edit = 0x0000000000000001,
	CPF_BlueprintVisible = 0x0000000000000004,
	CPF_BlueprintReadOnly = 0x0000000000000010,
	CPF_Transient = 0x0000000000002000,
	CPF_NativeAccessSpecifierPublic = 0x0010000000000000,
	CPF_NativeAccessSpecifierProtected = 0x0020000000000000,
	CPF_NativeAccessSpecifierPrivate = 0x0040000000000000,
};
ENUM_CLASS_FLAGS(EPropertyFlags)

class FProperty : public FField
{
	DECLARE_FIELD(FProperty, FField, CASTCLASS_None)

public:
	/**
	 * A property of InOwner. InOffset and InElementSize are in bytes; InCPPType is the member's C++ type as
	 * written in its declaration.
	 */
	FProperty(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType);

	/** The member's C++ type as declared ("double", "FGeodeticCoordinate", "TEnumAsByte<EEarthGravityModel>"). */
	FString GetCPPType() const { return CPPType; }

	int32 GetOffset_ForInternal() const { return Offset_Internal; }
	int32 GetSize() const { return ElementSize * ArrayDim; }
	EPropertyFlags GetPropertyFlags() const { return PropertyFlags; }
	bool HasAnyPropertyFlags(EPropertyFlags FlagsToCheck) const { return (PropertyFlags & FlagsToCheck) != 0; }

	/** The address of this member inside a container (an object or a structure value of the owner type). */
	template <typename ValueType>
	ValueType* ContainerPtrToValuePtr(void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		check(ContainerPtr != nullptr);
		return reinterpret_cast<ValueType*>(static_cast<uint8*>(ContainerPtr) + Offset_Internal + ElementSize * ArrayIndex);
	}

	template <typename ValueType>
	const ValueType* ContainerPtrToValuePtr(const void* ContainerPtr, int32 ArrayIndex = 0) const
	{
		check(ContainerPtr != nullptr);
		return reinterpret_cast<const ValueType*>(static_cast<const uint8*>(ContainerPtr) + Offset_Internal + ElementSize * ArrayIndex);
	}

	int32 ArrayDim = 1;
	int32 ElementSize;
	EPropertyFlags PropertyFlags;

private:
	int32 Offset_Internal;
	FString CPPType;
};

// The kinds of property, one per C++ type family, so that code can tell them apart with CastField.
#define DURIZERUDORE_HOST_DECLARE_PROPERTY(TClass, TSuperClass) \
	class TClass : public TSuperClass \
	{ \
		DECLARE_FIELD(TClass, TSuperClass, CASTCLASS_None) \
	public: \
		TClass(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType) \
			: TSuperClass(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType) \
		{ \
		} \
	protected: \
		TClass(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType) \
			: TSuperClass(InClass, InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType) \
		{ \
		} \
	};

DURIZERUDORE_HOST_DECLARE_PROPERTY(FNumericProperty, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FByteProperty, FNumericProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FIntProperty, FNumericProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FInt64Property, FNumericProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FFloatProperty, FNumericProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FDoubleProperty, FNumericProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FBoolProperty, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FStrProperty, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FNameProperty, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FEnumProperty, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FObjectPropertyBase, FProperty)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FObjectProperty, FObjectPropertyBase)
DURIZERUDORE_HOST_DECLARE_PROPERTY(FWeakObjectProperty, FObjectPropertyBase)

#undef DURIZERUDORE_HOST_DECLARE_PROPERTY

/** A member whose type is a reflected structure; Struct describes the fields inside the value. */
class FStructProperty : public FProperty
{
	DECLARE_FIELD(FStructProperty, FProperty, CASTCLASS_None)

public:
	FStructProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UScriptStruct* InStruct)
		: FProperty(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
		, Struct(InStruct)
	{
	}

	UScriptStruct* Struct;
};

template <typename T>
T* FField::GetOwner() const
{
	return Cast<T>(static_cast<UObject*>(Owner));
}

enum class EFieldIterationFlags : uint8
{
	None = 0,
	IncludeSuper = 1 << 0,
	Default = IncludeSuper,
};
ENUM_CLASS_FLAGS(EFieldIterationFlags)

/** Walks the fields of kind T of a type in declaration order, then those of its super types. */
template <class T>
class TFieldIterator
{
public:
	explicit TFieldIterator(const UStruct* InStruct, EFieldIterationFlags InIterationFlags = EFieldIterationFlags::Default)
		: Struct(InStruct)
		, Field(InStruct != nullptr ? InStruct->ChildProperties : nullptr)
		, bIncludeSuper(EnumHasAnyFlags(InIterationFlags, EFieldIterationFlags::IncludeSuper))
	{
		SkipToMatch();
	}

	explicit operator bool() const { return Field != nullptr; }
	bool operator!() const { return Field == nullptr; }

	TFieldIterator& operator++()
	{
		Field = Field->Next;
		SkipToMatch();
		return *this;
	}

	T* operator*() const { return static_cast<T*>(Field); }
	T* operator->() const { return static_cast<T*>(Field); }

private:
	void SkipToMatch()
	{
		for (;;)
		{
			while (Field != nullptr && !Field->IsA<T>())
			{
				Field = Field->Next;
			}
			if (Field != nullptr || !bIncludeSuper || Struct == nullptr || Struct->GetSuperStruct() == nullptr)
			{
				return;
			}
			Struct = Struct->GetSuperStruct();
			Field = Struct->ChildProperties;
		}
	}

	const UStruct* Struct;
	FField* Field;
	bool bIncludeSuper;
};

/** The property of kind FieldType named FieldName in Owner or its super types, or null. */
template <typename FieldType>
FieldType* FindFProperty(const UStruct* Owner, FName FieldName)
{
	for (TFieldIterator<FieldType> It(Owner); It; ++It)
	{
		if (It->GetFName() == FieldName)
		{
			return *It;
		}
	}
	return nullptr;
}

namespace EPropertyChangeType
{
	typedef uint32 Type;

	inline constexpr Type Unspecified = 1 << 0;
	inline constexpr Type ArrayAdd = 1 << 1;
	inline constexpr Type ArrayRemove = 1 << 2;
	inline constexpr Type ArrayClear = 1 << 3;
	inline constexpr Type ValueSet = 1 << 4;
	inline constexpr Type Duplicate = 1 << 5;
	inline constexpr Type Interactive = 1 << 6;
	inline constexpr Type Redirected = 1 << 7;
	inline constexpr Type ArrayMove = 1 << 8;
	inline constexpr Type ToggleEditable = 1 << 9;
}

/**
 * What an editor edit changed: Property is the edited property (a field inside a structure member when
 * such a field was edited), MemberProperty the member of the edited object that holds it (the same as
 * Property unless set otherwise).
 */
struct FPropertyChangedEvent
{
	explicit FPropertyChangedEvent(FProperty* InProperty, EPropertyChangeType::Type InChangeType = EPropertyChangeType::Unspecified)
		: Property(InProperty)
		, MemberProperty(InProperty)
		, ChangeType(InChangeType)
	{
	}

	void SetActiveMemberProperty(FProperty* InActiveMemberProperty) { MemberProperty = InActiveMemberProperty; }

	/** The edited property's name, or NAME_None without one. */
	FName GetPropertyName() const { return Property != nullptr ? Property->GetFName() : NAME_None; }

	/** The edited member's name, or NAME_None without one. */
	FName GetMemberPropertyName() const { return MemberProperty != nullptr ? MemberProperty->GetFName() : NAME_None; }

	FProperty* Property;
	FProperty* MemberProperty;
	EPropertyChangeType::Type ChangeType;
	int32 ObjectIteratorIndex = INDEX_NONE;
};
