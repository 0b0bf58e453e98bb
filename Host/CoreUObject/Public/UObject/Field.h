// FField: a reflected member of a type (a property), not an object of its own. FFieldClass names the
// kind of field, so that CastField can test it.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

#include <utility>
#include <vector>

class UClass;
class UObject;
class UStruct;

class FFieldClass
{
public:
	FFieldClass(const TCHAR* InName, FFieldClass* InSuperClass) : Name(InName), SuperClass(InSuperClass) {}

	FFieldClass(const FFieldClass&) = delete;
	FFieldClass& operator=(const FFieldClass&) = delete;

	FName GetFName() const { return Name; }
	FString GetName() const { return Name.ToString(); }
	FFieldClass* GetSuperClass() const { return SuperClass; }

	bool IsChildOf(const FFieldClass* InClass) const
	{
		for (const FFieldClass* Class = this; Class != nullptr; Class = Class->SuperClass)
		{
			if (Class == InClass)
			{
				return true;
			}
		}
		return false;
	}

private:
	FName Name;
	FFieldClass* SuperClass;
};

/** Gives a field type its StaticClass() and the Super/ThisClass typedefs. */
#define DECLARE_FIELD(TClass, TSuperClass, TStaticFlags) \
public: \
	typedef TSuperClass Super; \
	typedef TClass ThisClass; \
	static FFieldClass* StaticClass() \
	{ \
		static FFieldClass Class(&TEXT(#TClass)[1], TSuperClass::StaticClass()); \
		return &Class; \
	}

class FField
{
public:
	FField(FFieldClass* InClass, UStruct* InOwner, FName InName, EObjectFlags InObjectFlags);
	virtual ~FField() = default;

	FField(const FField&) = delete;
	FField& operator=(const FField&) = delete;

	typedef FField Super;
	typedef FField ThisClass;
	static FFieldClass* StaticClass()
	{
		static FFieldClass Class(TEXT("Field"), nullptr);
		return &Class;
	}

	FFieldClass* GetClass() const { return ClassPrivate; }
	bool IsA(const FFieldClass* FieldType) const { return ClassPrivate->IsChildOf(FieldType); }

	template <typename T>
	bool IsA() const
	{
		return IsA(T::StaticClass());
	}

	FName GetFName() const { return NamePrivate; }
	FString GetName() const { return NamePrivate.ToString(); }
	EObjectFlags GetFlags() const { return FlagsPrivate; }

	/** The type that declares this field. */
	UStruct* GetOwnerStruct() const { return Owner; }
	UClass* GetOwnerClass() const;

	/** The owner as a T, or null if it is not one (defined in "UObject/UnrealType.h"). */
	template <typename T>
	T* GetOwner() const;

	/** The next field of the same owner, in declaration order. */
	FField* Next = nullptr;

#if WITH_METADATA
	/** The annotation's metadata value for the key, or an empty string. */
	const FString& GetMetaData(const FName& Key) const;
	bool HasMetaData(const FName& Key) const;
	void SetMetaData(const FName& Key, FString&& InValue);
#endif

private:
	FFieldClass* ClassPrivate;
	UStruct* Owner;
	FName NamePrivate;
	EObjectFlags FlagsPrivate;
#if WITH_METADATA
	std::vector<std::pair<FName, FString>> MetaDataMap;
#endif
};

/** The field as a FieldType, or null if it is of another kind (or null). */
template <typename FieldType>
FieldType* CastField(FField* Src)
{
	return Src != nullptr && Src->IsA<FieldType>() ? static_cast<FieldType*>(Src) : nullptr;
}

template <typename FieldType>
const FieldType* CastField(const FField* Src)
{
	return Src != nullptr && Src->IsA<FieldType>() ? static_cast<const FieldType*>(Src) : nullptr;
}

/** The field as a FieldType; stops if it is of another kind or null. */
template <typename FieldType>
FieldType* CastFieldChecked(FField* Src)
{
	check(Src != nullptr && Src->IsA<FieldType>());
	return static_cast<FieldType*>(Src);
}
