// Making objects (NewObject and the object initializer that constructors receive) and destroying them
// (CollectGarbage).
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class UClass;
class UObject;
class UPackage;

/**
 * What a constructor under way knows about the object it builds. The object system sets class, outer,
 * name and flags before the constructor runs, so a constructor may already ask for them.
 */
class FObjectInitializer
{
public:
	FObjectInitializer(UObject* InObj, UClass* InClass, UObject* InOuter, FName InName, EObjectFlags InFlags);
	~FObjectInitializer() = default;

	FObjectInitializer(const FObjectInitializer&) = delete;
	FObjectInitializer& operator=(const FObjectInitializer&) = delete;

	/** The object being constructed (its memory, before the constructor has finished). */
	UObject* GetObj() const { return Obj; }
	UClass* GetClass() const { return Class; }

	/** The initializer of the innermost construction under way on this thread; stops if there is none. */
	static FObjectInitializer& Get();

	/** Creates a default subobject of Outer, which must be the object under construction. */
	template <class TReturnType>
	TReturnType* CreateDefaultSubobject(UObject* Outer, FName SubobjectName, bool bTransient = false) const
	{
		return static_cast<TReturnType*>(CreateDefaultSubobject(Outer, SubobjectName, TReturnType::StaticClass(), TReturnType::StaticClass(), true, bTransient));
	}

	UObject* CreateDefaultSubobject(UObject* Outer, FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, bool bIsRequired, bool bIsTransient) const;

private:
	friend class UObjectBase;

	UObject* Obj;
	UClass* Class;
	UObject* Outer;
	FName Name;
	EObjectFlags Flags;
};

struct FStaticConstructObjectParameters
{
	const UClass* Class = nullptr;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags SetFlags = RF_NoFlags;

	explicit FStaticConstructObjectParameters(const UClass* InClass) : Class(InClass) {}
};

/**
 * Allocates and constructs an object, then calls its PostInitProperties. Stops on an abstract class or a
 * missing outer (only packages have none), as the engine does; an empty name becomes "Class_N".
 */
UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params);

/** The package that holds objects which are never saved; the default outer of NewObject. */
UPackage* GetTransientPackage();

/** Stops unless Child is Parent or derives from it. */
void CheckIsClassChildOf_Internal(const UClass* Parent, const UClass* Child);

template <class T>
T* NewObject(UObject* Outer, const UClass* Class, FName Name = NAME_None, EObjectFlags Flags = RF_NoFlags)
{
	CheckIsClassChildOf_Internal(T::StaticClass(), Class);
	FStaticConstructObjectParameters Params(Class);
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

template <class T>
T* NewObject(UObject* Outer = (UObject*)GetTransientPackage())
{
	return NewObject<T>(Outer, T::StaticClass());
}

template <class T>
T* NewObject(UObject* Outer, FName Name, EObjectFlags Flags = RF_NoFlags)
{
	return NewObject<T>(Outer, T::StaticClass(), Name, Flags);
}

/** The class default object of T. */
template <class T>
const T* GetDefault()
{
	return static_cast<const T*>(T::StaticClass()->GetDefaultObject());
}

template <class T>
T* GetMutableDefault()
{
	return static_cast<T*>(T::StaticClass()->GetDefaultObject());
}

/** Flags that keep an object from being collected (editor builds keep standalone objects). */
#define GARBAGE_COLLECTION_KEEPFLAGS (GIsEditor ? RF_Standalone : RF_NoFlags)

/**
 * Destroys every object marked as garbage (and not rooted or kept by KeepFlags), together with every
 * object inside it: first BeginDestroy of all of them, then FinishDestroy of all, then their memory.
 * The stand-in traces no references: an object nobody marked stays alive.
 */
void CollectGarbage(EObjectFlags KeepFlags, bool bPerformFullPurge = true);

/** Calls the class's constructor on the memory of the object the initializer describes. */
template <class T>
void InternalConstructor(const FObjectInitializer& X)
{
	T::__DefaultConstructor(X);
}

typedef void (*ClassConstructorType)(const FObjectInitializer&);
typedef UClass* (*StaticClassFunctionType)();

/** Builds the class object of a class declared with DECLARE_CLASS, once. */
void GetPrivateStaticClassBody(
	const TCHAR* PackageName,
	const TCHAR* Name,
	UClass*& ReturnClass,
	uint32 InSize,
	uint32 InAlignment,
	EClassFlags InClassFlags,
	EClassCastFlags InClassCastFlags,
	ClassConstructorType InClassConstructor,
	StaticClassFunctionType InSuperClassFn);
