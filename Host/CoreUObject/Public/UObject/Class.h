// The reflection objects: UField, UStruct (a type with properties), UScriptStruct (a reflected
// structure) and UClass (a reflected class, which also makes its objects and its default object).
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

class FField;
class FProperty;

class UField : public UObject
{
	DECLARE_CLASS(UField, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UField)

public:
	UField(EStaticConstructor, EObjectFlags InFlags) : UObject(EC_StaticConstructor, InFlags) {}
	explicit UField(const FObjectInitializer& ObjectInitializer) : UObject(ObjectInitializer) {}
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

	/** Appends a property declared by this type (not a super type); the type owns it from now on. */
	void AddCppProperty(FProperty* Property);

	/** The first of this type's own properties, in declaration order; the rest follow through Next. */
	FField* ChildProperties = nullptr;

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
	UScriptStruct(EStaticConstructor, FName InName, int32 InSize, int32 InAlignment, EObjectFlags InFlags);
	explicit UScriptStruct(const FObjectInitializer& ObjectInitializer) : UStruct(ObjectInitializer) {}
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
};

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
