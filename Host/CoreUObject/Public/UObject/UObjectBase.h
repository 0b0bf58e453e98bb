// UObjectBase: what every object carries: its class, outer, name, flags and slot in the object array.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class UClass;
class UObject;

class UObjectBase
{
	friend class FUObjectArray;
	friend class UClass;
	friend class UScriptStruct;
	friend class FObjectInitializer;

protected:
	/** Takes class, outer, name and flags from the object initializer of the construction under way. */
	UObjectBase();

	/** For the object system's own objects, built before any initializer exists. */
	explicit UObjectBase(EObjectFlags InFlags);

public:
	/** Names an object built by the static constructor, once its class exists. */
	void DeferredRegister(UClass* UClassStaticClass, FName InName);

	virtual ~UObjectBase();

	UObjectBase(const UObjectBase&) = delete;
	UObjectBase& operator=(const UObjectBase&) = delete;

	UClass* GetClass() const { return ClassPrivate; }
	UObject* GetOuter() const { return OuterPrivate; }
	FName GetFName() const { return NamePrivate; }
	EObjectFlags GetFlags() const { return ObjectFlags; }

	/** The object's slot in the object array. */
	uint32 GetUniqueID() const { return static_cast<uint32>(InternalIndex); }

	void SetFlagsTo(EObjectFlags NewFlags) { ObjectFlags = NewFlags; }

private:
	EObjectFlags ObjectFlags = RF_NoFlags;
	int32 InternalIndex = INDEX_NONE;
	UClass* ClassPrivate = nullptr;
	FName NamePrivate;
	UObject* OuterPrivate = nullptr;
};
