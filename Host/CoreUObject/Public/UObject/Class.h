// The reflection objects: UField, UStruct (a type with properties), UScriptStruct (a reflected
// structure) and UClass (a reflected class, which also makes its objects and its default object).
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/Script.h"

#include <utility>
#include <vector>

class FField;
class FProperty;

class UField : public UObject
{
	DECLARE_CLASS(UField, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UField)

public:
	UField(EStaticConstructor, EObjectFlags InFlags) : UObject(EC_StaticConstructor, InFlags) {}
	explicit UField(const FObjectInitializer& ObjectInitializer) : UObject(ObjectInitializer) {}

	/** The next field of the same owner (a function of the same class), in declaration order. */
	UField* Next = nullptr;

#if WITH_METADATA
	/** The annotation's metadata value for the key, or an empty string. */
	const FString& GetMetaData(const TCHAR* Key) const;
	const FString& GetMetaData(const FName& Key) const;
	bool HasMetaData(const TCHAR* Key) const;
	bool HasMetaData(const FName& Key) const;
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue);
	void SetMetaData(const FName& Key, const TCHAR* InValue);

private:
	std::vector<std::pair<FName, FString>> MetaDataMap;
#endif
};

class UStruct : public UField
{
	DECLARE_CLASS(UStruct, UField, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UStruct)

public:
	UStruct(EStaticConstructor, int32 InSize, int32 InAlignment, EObjectFlags InFlags);
	explicit UStruct(const FObjectInitializer& ObjectInitializer) : UField(ObjectInitializer) {}
	virtual ~UStruct() override;

	UStruct* GetSuperStruct() const { return SuperStruct; }
	void SetSuperStruct(UStruct* NewSuperStruct) { SuperStruct = NewSuperStruct; }

	/** True if this is SomeBase or derives from it; false for null. */
	bool IsChildOf(const UStruct* SomeBase) const;

	template <class T>
	bool IsChildOf() const
	{
		return IsChildOf(T::StaticClass());
	}

	/** Size and alignment of an instance, in bytes. */
	int32 GetPropertiesSize() const { return PropertiesSize; }
	int32 GetMinAlignment() const { return MinAlignment; }
	/** The distance between consecutive instances in an array: the size rounded up to the alignment. */
	int32 GetStructureSize() const { return (PropertiesSize + MinAlignment - 1) / MinAlignment * MinAlignment; }

	/** Appends a property declared by this type (not a super type); the type owns it from now on. */
	void AddCppProperty(FProperty* Property);

	/** Constructs ArrayDim instances at Dest (raw memory with this type's size and alignment). */
	virtual void InitializeStruct(void* Dest, int32 ArrayDim = 1) const;
	/** Destroys ArrayDim instances at Dest, leaving raw memory. */
	virtual void DestroyStruct(void* Dest, int32 ArrayDim = 1) const;

	/** Sets size and alignment; the generated code calls it for function parameter blocks. */
	void SetPropertiesSize(int32 NewSize, int32 NewAlignment)
	{
		PropertiesSize = NewSize;
		MinAlignment = NewAlignment;
	}

	/** The first of this type's own properties, in declaration order; the rest follow through Next. */
	FField* ChildProperties = nullptr;

	/** The first of this type's own object fields (a class's functions), in declaration order. */
	UField* Children = nullptr;

private:
	UStruct* SuperStruct = nullptr;
	int32 PropertiesSize = 0;
	int32 MinAlignment = 1;
};

class UScriptStruct : public UStruct
{
	DECLARE_CLASS(UScriptStruct, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UScriptStruct)

public:
	/** The C++ construction, destruction and copy of a native structure. */
	struct ICppStructOps
	{
		ICppStructOps(const int32 InSize, const int32 InAlignment) : Size(InSize), Alignment(InAlignment) {}
		virtual ~ICppStructOps() = default;

		virtual void Construct(void* Dest) = 0;
		virtual void Destruct(void* Dest) = 0;
		/** Assigns ArrayDim values; true when done. */
		virtual bool Copy(void* Dest, void const* Src, int32 ArrayDim) = 0;
		virtual bool Identical(const void* A, const void* B, uint32 PortFlags, bool& bOutResult) = 0;

		int32 GetSize() const { return Size; }
		int32 GetAlignment() const { return Alignment; }

	private:
		int32 Size;
		int32 Alignment;
	};

	template <class CPPSTRUCT>
	struct TCppStructOps final : public ICppStructOps
	{
		TCppStructOps() : ICppStructOps(sizeof(CPPSTRUCT), alignof(CPPSTRUCT)) {}

		virtual void Construct(void* Dest) override { ::new (Dest) CPPSTRUCT(); }
		virtual void Destruct(void* Dest) override { static_cast<CPPSTRUCT*>(Dest)->~CPPSTRUCT(); }
		virtual bool Copy(void* Dest, void const* Src, const int32 ArrayDim) override
		{
			for (int32 Index = 0; Index < ArrayDim; ++Index)
			{
				static_cast<CPPSTRUCT*>(Dest)[Index] = static_cast<const CPPSTRUCT*>(Src)[Index];
			}
			return true;
		}
		virtual bool Identical(const void* A, const void* B, uint32 PortFlags, bool& bOutResult) override
		{
			if constexpr (requires(const CPPSTRUCT& X) { X == X; })
			{
				bOutResult = *static_cast<const CPPSTRUCT*>(A) == *static_cast<const CPPSTRUCT*>(B);
				return true;
			}
			return false;
		}
	};

	UScriptStruct(EStaticConstructor, FName InName, int32 InSize, int32 InAlignment, EObjectFlags InFlags, ICppStructOps* InCppStructOps = nullptr);
	explicit UScriptStruct(const FObjectInitializer& ObjectInitializer) : UStruct(ObjectInitializer) {}
	virtual ~UScriptStruct() override;

	/** The native operations, or null for a structure without them. */
	ICppStructOps* GetCppStructOps() const { return CppStructOps; }

	virtual void InitializeStruct(void* Dest, int32 ArrayDim = 1) const override;
	virtual void DestroyStruct(void* Dest, int32 ArrayDim = 1) const override;
	/** Assigns ArrayDim instances from Src to the constructed instances at Dest. */
	void CopyScriptStruct(void* Dest, void const* Src, int32 ArrayDim = 1) const;
	/** True when the instances at A and B are equal (operator== where the type has one, else field by field). */
	bool CompareScriptStruct(const void* A, const void* B, uint32 PortFlags) const;

private:
	ICppStructOps* CppStructOps = nullptr;
};

/**
 * A reflected enumeration: its entries (names and values, in declaration order, then the generated
 * "_MAX" entry), its C++ form and the metadata of the type and of each entry.
 */
class UEnum : public UField
{
	DECLARE_CLASS(UEnum, UField, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UEnum)

public:
	/** How the enumeration was declared: a plain enum, a namespaced one, or an enum class. */
	enum class ECppForm
	{
		Regular,
		Namespaced,
		EnumClass
	};

	UEnum(EStaticConstructor, FName InName, EObjectFlags InFlags);
	explicit UEnum(const FObjectInitializer& ObjectInitializer) : UField(ObjectInitializer) {}

	/**
	 * Sets the entries (registered names, values) and the form; a "_MAX" entry one above the largest value
	 * is appended, named "<Enum>_MAX" or "<Enum>::<Enum>_MAX" for scoped forms.
	 */
	virtual bool SetEnums(TArray<std::pair<FName, int64>>& InNames, ECppForm InCppForm, bool bAddMaxKeyIfMissing = true);

	ECppForm GetCppForm() const { return CppForm; }
	/** The C++ type as declared ("ECoordinateSystem"). */
	const FString& CppType() const { return CppTypeName; }
	void SetCppType(const FString& InCppType) { CppTypeName = InCppType; }

	/** The number of entries, the "_MAX" entry included. */
	int32 NumEnums() const { return Names.Num(); }
	/** The registered name ("ECoordinateSystem::Local_ENU" or "WGS84"), or NAME_None out of range. */
	FName GetNameByIndex(int32 Index) const;
	/** The name without the type prefix ("Local_ENU"), or an empty string out of range. */
	FString GetNameStringByIndex(int32 Index) const;
	/** The value of the entry, or INDEX_NONE out of range. */
	int64 GetValueByIndex(int32 Index) const;
	/** The index of the entry with the value, or INDEX_NONE. */
	int32 GetIndexByValue(int64 InValue) const;
	/** The index of the entry with the registered name or the name without prefix, or INDEX_NONE. */
	int32 GetIndexByName(FName InName) const;
	int32 GetIndexByNameString(const FString& SearchString) const;

	FName GetNameByValue(int64 InValue) const;
	/** The entry's name without the type prefix, or an empty string for an unknown value. */
	FString GetNameStringByValue(int64 InValue) const;
	/** The value of the entry with the registered name or the name without prefix, or INDEX_NONE. */
	int64 GetValueByName(FName InName) const;
	int64 GetValueByNameString(const FString& SearchString) const;
	/** The largest value of the entries, the "_MAX" entry included (so one above the largest declared one). */
	int64 GetMaxEnumValue() const;
	bool IsValidEnumValue(int64 InValue) const;

	/** The entry's DisplayName metadata, else its name without prefix; empty out of range. */
	FText GetDisplayNameTextByIndex(int32 NameIndex) const;
	FText GetDisplayNameTextByValue(int64 InValue) const;
	/** The entry's ToolTip metadata, or empty. */
	FText GetToolTipTextByIndex(int32 NameIndex) const;

#if WITH_METADATA
	/**
	 * Metadata of the type (NameIndex INDEX_NONE) or of an entry. An entry's metadata is stored under
	 * "<EntryName>.<Key>" with the entry's name without prefix.
	 */
	FString GetMetaData(const TCHAR* Key, int32 NameIndex = INDEX_NONE, bool bAllowRemap = true) const;
	bool HasMetaData(const TCHAR* Key, int32 NameIndex = INDEX_NONE) const;
	void SetMetaData(const TCHAR* Key, const TCHAR* InValue, int32 NameIndex = INDEX_NONE);
#endif

private:
	FString MetaDataKey(const TCHAR* Key, int32 NameIndex) const;

	TArray<std::pair<FName, int64>> Names;
	ECppForm CppForm = ECppForm::Regular;
	FString CppTypeName;
};

/**
 * A reflected function. Its parameters are its properties (CPF_Parm), in declaration order with the
 * return value (CPF_ReturnParm) last; the parameter block holds them at their offsets.
 */
class UFunction : public UStruct
{
	DECLARE_CLASS(UFunction, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UFunction)

public:
	UFunction(EStaticConstructor, FName InName, UClass* InOuterClass, EFunctionFlags InFunctionFlags, int32 InParmsSize, int32 InParmsAlignment, EObjectFlags InFlags);
	explicit UFunction(const FObjectInitializer& ObjectInitializer) : UStruct(ObjectInitializer) {}

	EFunctionFlags FunctionFlags = FUNC_None;
	/** The number of parameters, the return value included. */
	uint8 NumParms = 0;
	/** The size of the parameter block, in bytes. */
	uint16 ParmsSize = 0;
	/** The offset of the return value in the parameter block, or MAX_uint16 without one. */
	uint16 ReturnValueOffset = MAX_uint16;

	bool HasAnyFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) != 0; }
	bool HasAllFunctionFlags(EFunctionFlags FlagsToCheck) const { return (FunctionFlags & FlagsToCheck) == FlagsToCheck; }

	FNativeFuncPtr GetNativeFunc() const { return Func; }
	void SetNativeFunc(FNativeFuncPtr InFunc) { Func = InFunc; }

	/** Calls the native thunk with the frame; Obj is the context object (the class default object for statics). */
	void Invoke(UObject* Obj, FFrame& Stack, RESULT_DECL);

	/** The return value's property, or null. */
	FProperty* GetReturnProperty() const;
	/** The class that declares the function. */
	UClass* GetOwnerClass() const;
	UClass* GetOuterUClass() const { return GetOwnerClass(); }

	/** Counts the parameters, finds the return value and binds the native thunk; called once all are added. */
	void Bind();

private:
	FNativeFuncPtr Func = nullptr;
	UClass* OuterClass = nullptr;
};

class UClass : public UStruct
{
	DECLARE_CLASS(UClass, UStruct, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UClass)

public:
	UClass(EStaticConstructor, FName InName, uint32 InSize, uint32 InAlignment, EClassFlags InClassFlags, EClassCastFlags InClassCastFlags, EObjectFlags InFlags, ClassConstructorType InClassConstructor);
	explicit UClass(const FObjectInitializer& ObjectInitializer) : UStruct(ObjectInitializer) {}

	UClass* GetSuperClass() const { return static_cast<UClass*>(GetSuperStruct()); }

	bool HasAnyClassFlags(EClassFlags FlagsToCheck) const { return EnumHasAnyFlags(ClassFlags, FlagsToCheck); }
	bool HasAllClassFlags(EClassFlags FlagsToCheck) const { return EnumHasAllFlags(ClassFlags, FlagsToCheck); }
	EClassFlags GetClassFlags() const { return ClassFlags; }

	/** The function of this class (or, with IncludeSuper, of a super class) with the name, or null. */
	UFunction* FindFunctionByName(FName InName, EIncludeSuperFlag::Type IncludeSuper = EIncludeSuperFlag::IncludeSuper) const;
	/** Registers a function declared by this class; the class owns it from now on. */
	void AddFunctionToFunctionMap(UFunction* Function, FName FuncName);
	/** Registers the native thunk of a function of this class; functions bind to it by name. */
	void AddNativeFunction(const ANSICHAR* InName, FNativeFuncPtr InPointer);
	/** The native thunk registered for the name, or null. */
	FNativeFuncPtr FindNativeFunction(FName InName) const;

	/** The configuration file section the class reads ("Engine" unless a class says otherwise). */
	FName ClassConfigName;
	FName GetConfigName() const { return ClassConfigName; }

	/** The class default object, built on first request (with RF_ClassDefaultObject) unless told not to. */
	UObject* GetDefaultObject(bool bCreateIfNeeded = true) const;

	template <class T>
	T* GetDefaultObject() const
	{
		return static_cast<T*>(GetDefaultObject());
	}

	/** Constructs an object of this class in memory the object system has allocated. */
	ClassConstructorType ClassConstructor = nullptr;
	EClassFlags ClassFlags = CLASS_None;
	EClassCastFlags ClassCastFlags = CASTCLASS_None;

private:
	mutable UObject* ClassDefaultObject = nullptr;
	/** The functions this class declares, for lookup by name (the engine's FuncMap). */
	TArray<UFunction*> FuncMap;
	TArray<std::pair<FName, FNativeFuncPtr>> NativeFunctionLookupTable;
};

template <class T>
UClass* StaticClass()
{
	return T::StaticClass();
}

template <class T>
UScriptStruct* StaticStruct()
{
	return T::StaticStruct();
}

/** The UScriptStruct of a structure type: its StaticStruct(). */
template <class T>
struct TBaseStructure
{
	static UScriptStruct* Get() { return T::StaticStruct(); }
};

// The engine's own structures, reflected without properties of their own.
template <>
struct TBaseStructure<FVector>
{
	static UScriptStruct* Get();
};

template <>
struct TBaseStructure<FVector2D>
{
	static UScriptStruct* Get();
};

template <>
struct TBaseStructure<FRotator>
{
	static UScriptStruct* Get();
};

template <>
struct TBaseStructure<FQuat>
{
	static UScriptStruct* Get();
};

template <>
struct TBaseStructure<FTransform>
{
	static UScriptStruct* Get();
};
