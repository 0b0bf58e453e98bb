// Reflected properties: where a member lives inside its container and what C++ type it has; iteration
// and lookup over a type's properties (its super types' included); the event of an editor edit.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Casts.h"
#include "UObject/Class.h"
#include "UObject/Field.h"
#include "UObject/ObjectMacros.h"

#include <new>
#include <type_traits>

enum EPropertyFlags : uint64
{
	CPF_None = 0,
	CPF_Edit = 0x0000000000000001,
	CPF_ConstParm = 0x0000000000000002,
	CPF_BlueprintVisible = 0x0000000000000004,
	CPF_ExportObject = 0x0000000000000008,
	CPF_BlueprintReadOnly = 0x0000000000000010,
	CPF_Net = 0x0000000000000020,
	CPF_EditFixedSize = 0x0000000000000040,
	CPF_Parm = 0x0000000000000080,
	CPF_OutParm = 0x0000000000000100,
	CPF_ZeroConstructor = 0x0000000000000200,
	CPF_ReturnParm = 0x0000000000000400,
	CPF_DisableEditOnTemplate = 0x0000000000000800,
	CPF_NonNullable = 0x0000000000001000,
	CPF_Transient = 0x0000000000002000,
	CPF_Config = 0x0000000000004000,
	CPF_RequiredParm = 0x0000000000008000,
	CPF_DisableEditOnInstance = 0x0000000000010000,
	CPF_EditConst = 0x0000000000020000,
	CPF_GlobalConfig = 0x0000000000040000,
	CPF_InstancedReference = 0x0000000000080000,
	CPF_DuplicateTransient = 0x0000000000200000,
	CPF_SaveGame = 0x0000000001000000,
	CPF_NoClear = 0x0000000002000000,
	CPF_ReferenceParm = 0x0000000008000000,
	CPF_BlueprintAssignable = 0x0000000010000000,
	CPF_Deprecated = 0x0000000020000000,
	CPF_IsPlainOldData = 0x0000000040000000,
	CPF_RepSkip = 0x0000000080000000,
	CPF_RepNotify = 0x0000000100000000,
	CPF_Interp = 0x0000000200000000,
	CPF_NonTransactional = 0x0000000400000000,
	CPF_EditorOnly = 0x0000000800000000,
	CPF_NoDestructor = 0x0000001000000000,
	CPF_AutoWeak = 0x0000004000000000,
	CPF_ContainsInstancedReference = 0x0000008000000000,
	CPF_AssetRegistrySearchable = 0x0000010000000000,
	CPF_SimpleDisplay = 0x0000020000000000,
	CPF_AdvancedDisplay = 0x0000040000000000,
	CPF_Protected = 0x0000080000000000,
	CPF_BlueprintCallable = 0x0000100000000000,
	CPF_BlueprintAuthorityOnly = 0x0000200000000000,
	CPF_TextExportTransient = 0x0000400000000000,
	CPF_NonPIEDuplicateTransient = 0x0000800000000000,
	CPF_ExposeOnSpawn = 0x0001000000000000,
	CPF_PersistentInstance = 0x0002000000000000,
	CPF_UObjectWrapper = 0x0004000000000000,
	CPF_HasGetValueTypeHash = 0x0008000000000000,
	CPF_NativeAccessSpecifierPublic = 0x0010000000000000,
	CPF_NativeAccessSpecifierProtected = 0x0020000000000000,
	CPF_NativeAccessSpecifierPrivate = 0x0040000000000000,
	CPF_SkipSerialization = 0x0080000000000000,
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
	bool HasAllPropertyFlags(EPropertyFlags FlagsToCheck) const { return (PropertyFlags & FlagsToCheck) == FlagsToCheck; }

	/** The alignment of a value, in bytes; a parameter block places each parameter at a multiple of it. */
	virtual int32 GetMinAlignment() const { return ElementSize < 8 ? ElementSize : 8; }

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

	/** Constructs the value at Dest (raw memory) as its type's default constructor does. */
	void InitializeValue(void* Dest) const { InitializeValueInternal(Dest); }
	void InitializeValue_InContainer(void* Container) const { InitializeValue(ContainerPtrToValuePtr<void>(Container)); }

	/** Destroys the value at Dest, leaving raw memory. */
	void DestroyValue(void* Dest) const { DestroyValueInternal(Dest); }
	void DestroyValue_InContainer(void* Container) const { DestroyValue(ContainerPtrToValuePtr<void>(Container)); }

	/** Assigns the value at Src to the constructed value at Dest, with the type's own copy. */
	void CopySingleValue(void* Dest, const void* Src) const { CopyValuesInternal(Dest, Src, 1); }
	void CopyCompleteValue(void* Dest, const void* Src) const { CopyValuesInternal(Dest, Src, ArrayDim); }
	void CopyCompleteValue_InContainer(void* Dest, const void* Src) const { CopyCompleteValue(ContainerPtrToValuePtr<void>(Dest), ContainerPtrToValuePtr<void>(Src)); }
	/** Copies into a value the script machine reads (a thunk's local); the same copy here. */
	void CopyCompleteValueToScriptVM(void* Dest, const void* Src) const { CopyCompleteValue(Dest, Src); }

	/** True when the values at A and B are equal. */
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const;

	int32 ArrayDim = 1;
	int32 ElementSize;
	EPropertyFlags PropertyFlags;

protected:
	/** Plain data: zero-filled, nothing to destroy, copied byte by byte. Types with C++ semantics override. */
	virtual void InitializeValueInternal(void* Dest) const;
	virtual void DestroyValueInternal(void* Dest) const;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const;

private:
	int32 Offset_Internal;
	FString CPPType;
};

// The kinds of property, one per C++ type family, so that code can tell them apart with CastField.
#define DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS(TClass, TSuperClass) \
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
public:

/** A number: an integer or a floating-point value. */
class FNumericProperty : public FProperty
{
	DECLARE_FIELD(FNumericProperty, FProperty, CASTCLASS_None)
	DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS(FNumericProperty, FProperty)

	virtual bool IsInteger() const { return true; }
	virtual bool IsFloatingPoint() const { return false; }
	/** The enumeration this integer holds values of, or null. */
	virtual UEnum* GetIntPropertyEnum() const { return nullptr; }
	/** The integer at Data (the value itself, not a container). Not for floating-point properties. */
	virtual int64 GetSignedIntPropertyValue(void const* Data) const = 0;
	virtual void SetIntPropertyValue(void* Data, int64 Value) const = 0;
	virtual double GetFloatingPointPropertyValue(void const* Data) const = 0;
};

/** A numeric property of C++ type TCppType. */
template <typename InTCppType, class TDerived>
class TProperty_Numeric : public FNumericProperty
{
public:
	typedef InTCppType TCppType;

	TProperty_Numeric(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType)
		: FNumericProperty(InClass, InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
	{
		check(InElementSize == static_cast<int32>(sizeof(TCppType)));
	}

	static TCppType GetDefaultPropertyValue() { return TCppType(); }
	static TCppType GetPropertyValue(void const* A) { return *static_cast<const TCppType*>(A); }
	static void SetPropertyValue(void* A, const TCppType Value) { *static_cast<TCppType*>(A) = Value; }
	TCppType GetPropertyValue_InContainer(void const* Container) const { return GetPropertyValue(ContainerPtrToValuePtr<void>(Container)); }
	void SetPropertyValue_InContainer(void* Container, const TCppType Value) const { SetPropertyValue(ContainerPtrToValuePtr<void>(Container), Value); }

	virtual int32 GetMinAlignment() const override { return alignof(TCppType); }
	virtual bool IsInteger() const override { return std::is_integral_v<TCppType>; }
	virtual bool IsFloatingPoint() const override { return std::is_floating_point_v<TCppType>; }
	virtual int64 GetSignedIntPropertyValue(void const* Data) const override
	{
		check(IsInteger());
		return static_cast<int64>(GetPropertyValue(Data));
	}
	virtual void SetIntPropertyValue(void* Data, const int64 Value) const override
	{
		check(IsInteger());
		SetPropertyValue(Data, static_cast<TCppType>(Value));
	}
	virtual double GetFloatingPointPropertyValue(void const* Data) const override
	{
		check(IsFloatingPoint());
		return static_cast<double>(GetPropertyValue(Data));
	}
};

#define DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(TClass, TCppTypeName) \
	class TClass : public TProperty_Numeric<TCppTypeName, TClass> \
	{ \
		DECLARE_FIELD(TClass, FNumericProperty, CASTCLASS_None) \
	public: \
		TClass(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType) \
			: TProperty_Numeric<TCppTypeName, TClass>(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType) \
		{ \
		} \
	protected: \
		TClass(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType) \
			: TProperty_Numeric<TCppTypeName, TClass>(InClass, InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType) \
		{ \
		} \
	public:

DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(FByteProperty, uint8)
	/** The enumeration a TEnumAsByte member holds, or null for a plain byte. */
	UEnum* Enum = nullptr;
	virtual UEnum* GetIntPropertyEnum() const override { return Enum; }
};
DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(FIntProperty, int32)
};
DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(FInt64Property, int64)
};
DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(FFloatProperty, float)
};
DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY(FDoubleProperty, double)
};

#undef DURIZERUDORE_HOST_DECLARE_NUMERIC_PROPERTY

/** A native bool member (the stand-in reflects no bit-fields). */
class FBoolProperty : public FProperty
{
	DECLARE_FIELD(FBoolProperty, FProperty, CASTCLASS_None)
	DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS(FBoolProperty, FProperty)

	typedef bool TCppType;
	static bool GetDefaultPropertyValue() { return false; }
	bool GetPropertyValue(void const* A) const { return *static_cast<const bool*>(A); }
	void SetPropertyValue(void* A, const bool Value) const { *static_cast<bool*>(A) = Value; }
	bool GetPropertyValue_InContainer(void const* Container) const { return GetPropertyValue(ContainerPtrToValuePtr<void>(Container)); }
	void SetPropertyValue_InContainer(void* Container, const bool Value) const { SetPropertyValue(ContainerPtrToValuePtr<void>(Container), Value); }
	virtual int32 GetMinAlignment() const override { return alignof(bool); }
};

class FStrProperty : public FProperty
{
	DECLARE_FIELD(FStrProperty, FProperty, CASTCLASS_None)
	DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS(FStrProperty, FProperty)

	typedef FString TCppType;
	static FString GetDefaultPropertyValue() { return FString(); }
	virtual int32 GetMinAlignment() const override { return alignof(FString); }
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

protected:
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;
};

class FNameProperty : public FProperty
{
	DECLARE_FIELD(FNameProperty, FProperty, CASTCLASS_None)
	DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS(FNameProperty, FProperty)

	typedef FName TCppType;
	static FName GetDefaultPropertyValue() { return FName(); }
	virtual int32 GetMinAlignment() const override { return alignof(FName); }
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

protected:
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;
};

/** A member of an enumeration type with an explicit underlying integer (an enum class, or an enum with a base). */
class FEnumProperty : public FProperty
{
	DECLARE_FIELD(FEnumProperty, FProperty, CASTCLASS_None)

public:
	/** InUnderlyingProp holds the value's integer; the enum property owns it. */
	FEnumProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UEnum* InEnum, FNumericProperty* InUnderlyingProp);
	virtual ~FEnumProperty() override;

	UEnum* GetEnum() const { return Enum; }
	FNumericProperty* GetUnderlyingProperty() const { return UnderlyingProp; }
	virtual int32 GetMinAlignment() const override { return UnderlyingProp->GetMinAlignment(); }

private:
	UEnum* Enum;
	FNumericProperty* UnderlyingProp;
};

/** A member that refers to an object of PropertyClass. */
class FObjectPropertyBase : public FProperty
{
	DECLARE_FIELD(FObjectPropertyBase, FProperty, CASTCLASS_None)

public:
	FObjectPropertyBase(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UClass* InPropertyClass)
		: FProperty(InClass, InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
		, PropertyClass(InPropertyClass)
	{
	}

	virtual int32 GetMinAlignment() const override { return alignof(void*); }

	UClass* PropertyClass;
};

/** A raw or TObjectPtr object pointer. */
class FObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FObjectProperty, FObjectPropertyBase, CASTCLASS_None)

public:
	FObjectProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UClass* InPropertyClass)
		: FObjectPropertyBase(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType, InPropertyClass)
	{
	}

	typedef UObject* TCppType;
	UObject* GetObjectPropertyValue(const void* PropertyValueAddress) const { return *static_cast<UObject* const*>(PropertyValueAddress); }
	void SetObjectPropertyValue(void* PropertyValueAddress, UObject* Value) const { *static_cast<UObject**>(PropertyValueAddress) = Value; }
};

/** A TWeakObjectPtr member. */
class FWeakObjectProperty : public FObjectPropertyBase
{
	DECLARE_FIELD(FWeakObjectProperty, FObjectPropertyBase, CASTCLASS_None)

public:
	FWeakObjectProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UClass* InPropertyClass)
		: FObjectPropertyBase(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType, InPropertyClass)
	{
	}

	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

protected:
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;
};

/** A dynamic multicast delegate member; SignatureFunction is the function its handlers must match. */
class FMulticastDelegateProperty : public FProperty
{
	DECLARE_FIELD(FMulticastDelegateProperty, FProperty, CASTCLASS_None)

public:
	UFunction* SignatureFunction = nullptr;

protected:
	FMulticastDelegateProperty(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UFunction* InSignatureFunction)
		: FProperty(InClass, InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType)
		, SignatureFunction(InSignatureFunction)
	{
	}
};

/** A dynamic multicast delegate held in the object itself (an FMulticastScriptDelegate), as a declared member is. */
class FMulticastInlineDelegateProperty : public FMulticastDelegateProperty
{
	DECLARE_FIELD(FMulticastInlineDelegateProperty, FMulticastDelegateProperty, CASTCLASS_None)

public:
	FMulticastInlineDelegateProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, UFunction* InSignatureFunction)
		: FMulticastDelegateProperty(StaticClass(), InOwner, InName, InObjectFlags, InOffset, InElementSize, InPropertyFlags, InCPPType, InSignatureFunction)
	{
	}

	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

protected:
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;
};

#undef DURIZERUDORE_HOST_DECLARE_PROPERTY_CONSTRUCTORS

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

	virtual int32 GetMinAlignment() const override;
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

	UScriptStruct* Struct;

protected:
	/** Through the structure's C++ constructor, destructor and assignment. */
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;
};

/**
 * A TArray member or parameter. Inner describes one element: a property of the element type named as the
 * array, at offset 0, owned by the array property. The engine's arrays share one layout whatever their
 * element type; here TArray keeps its elements in a std::vector, so the array's C++ operations come from
 * the header tool per element type (TCppArrayOps), as a structure's come in TCppStructOps.
 */
class FArrayProperty : public FProperty
{
	DECLARE_FIELD(FArrayProperty, FProperty, CASTCLASS_None)

public:
	/** Construction, destruction, copy and element access of a TArray of one element type. */
	struct ICppArrayOps
	{
		virtual ~ICppArrayOps() = default;
		virtual void Construct(void* Dest) const = 0;
		virtual void Destruct(void* Dest) const = 0;
		virtual void Copy(void* Dest, const void* Src) const = 0;
		virtual int32 Num(const void* Array) const = 0;
		/** The first element of the array at Array; null for an empty array. */
		virtual uint8* GetData(void* Array) const = 0;
		/** Resizes the array at Array to NewNum elements, value-initialising the new ones. */
		virtual void Resize(void* Array, int32 NewNum) const = 0;
	};

	template <typename ElementType>
	struct TCppArrayOps final : public ICppArrayOps
	{
		using ArrayType = TArray<ElementType>;
		virtual void Construct(void* Dest) const override { ::new (Dest) ArrayType(); }
		virtual void Destruct(void* Dest) const override { static_cast<ArrayType*>(Dest)->~ArrayType(); }
		virtual void Copy(void* Dest, const void* Src) const override { *static_cast<ArrayType*>(Dest) = *static_cast<const ArrayType*>(Src); }
		virtual int32 Num(const void* Array) const override { return static_cast<const ArrayType*>(Array)->Num(); }
		virtual uint8* GetData(void* Array) const override { return reinterpret_cast<uint8*>(static_cast<ArrayType*>(Array)->GetData()); }
		virtual void Resize(void* Array, const int32 NewNum) const override { static_cast<ArrayType*>(Array)->SetNum(NewNum); }
	};

	/** InArrayOps (owned by the property) must be the operations of InCPPType's element type. */
	FArrayProperty(UStruct* InOwner, FName InName, EObjectFlags InObjectFlags, int32 InOffset, int32 InElementSize, EPropertyFlags InPropertyFlags, const TCHAR* InCPPType, ICppArrayOps* InArrayOps);
	virtual ~FArrayProperty() override;

	/** Makes Property (of the element type) the array's Inner; the array property then owns it. */
	void AddCppProperty(FProperty* Property);

	const ICppArrayOps& GetArrayOps() const { return *ArrayOps; }
	virtual int32 GetMinAlignment() const override { return alignof(TArray<uint8>); }
	/** Equal lengths and each pair of elements identical by Inner; a missing array compares as empty. */
	virtual bool Identical(const void* A, const void* B, uint32 PortFlags = 0) const override;

	FProperty* Inner = nullptr;

protected:
	virtual void InitializeValueInternal(void* Dest) const override;
	virtual void DestroyValueInternal(void* Dest) const override;
	virtual void CopyValuesInternal(void* Dest, const void* Src, int32 Count) const override;

private:
	ICppArrayOps* ArrayOps;
};

/** Reads and resizes the array value at an address through its property, whatever the element type. */
class FScriptArrayHelper
{
public:
	FScriptArrayHelper(const FArrayProperty* InProperty, const void* InArray)
		: ArrayOps(InProperty->GetArrayOps())
		, ElementSize(InProperty->Inner->ElementSize)
		, Array(const_cast<void*>(InArray))
	{
	}

	int32 Num() const { return ArrayOps.Num(Array); }
	bool IsValidIndex(const int32 Index) const { return Index >= 0 && Index < Num(); }
	/** The element at Index, which must be valid. */
	uint8* GetRawPtr(const int32 Index = 0)
	{
		check(IsValidIndex(Index));
		return ArrayOps.GetData(Array) + static_cast<std::size_t>(Index) * static_cast<std::size_t>(ElementSize);
	}
	void Resize(const int32 NewNum)
	{
		check(NewNum >= 0);
		ArrayOps.Resize(Array, NewNum);
	}
	void EmptyValues() { Resize(0); }
	/** Appends Count default elements; returns the index of the first. */
	int32 AddValues(const int32 Count)
	{
		const int32 OldNum = Num();
		Resize(OldNum + Count);
		return OldNum;
	}

private:
	const FArrayProperty::ICppArrayOps& ArrayOps;
	int32 ElementSize;
	void* Array;
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

/**
 * Walks the fields of kind T of a type in declaration order, then those of its super types: properties
 * (FField kinds) or, for T a UField kind such as UFunction, the type's object fields.
 */
template <class T>
class TFieldIterator
{
	// Properties are FFields on ChildProperties; functions are UFields on Children.
	using FieldBase = std::conditional_t<std::is_base_of_v<UField, T>, UField, FField>;

	static FieldBase* FirstField(const UStruct* InStruct)
	{
		if constexpr (std::is_base_of_v<UField, T>)
		{
			return InStruct->Children;
		}
		else
		{
			return InStruct->ChildProperties;
		}
	}

public:
	explicit TFieldIterator(const UStruct* InStruct, EFieldIterationFlags InIterationFlags = EFieldIterationFlags::Default)
		: Struct(InStruct)
		, Field(InStruct != nullptr ? FirstField(InStruct) : nullptr)
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
			while (Field != nullptr && !Field->template IsA<T>())
			{
				Field = Field->Next;
			}
			if (Field != nullptr || !bIncludeSuper || Struct == nullptr || Struct->GetSuperStruct() == nullptr)
			{
				return;
			}
			Struct = Struct->GetSuperStruct();
			Field = FirstField(Struct);
		}
	}

	const UStruct* Struct;
	FieldBase* Field;
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
