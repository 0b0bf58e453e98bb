#include "UObject/UObjectGlobals.h"

#include "ObjectRouting.h"
#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/Package.h"
#include "UObject/UObjectArray.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <unordered_set>
#include <vector>

namespace
{
	/** The constructions under way on this thread, innermost last. */
	std::vector<FObjectInitializer*>& GetInitializerStack()
	{
		thread_local std::vector<FObjectInitializer*> Stack;
		return Stack;
	}

	// Objects are zero-filled before construction, as the engine's are.
	void* AllocateObjectMemory(const UStruct* Type)
	{
		const std::size_t Size = static_cast<std::size_t>(Type->GetPropertiesSize());
		void* const Memory = ::operator new(Size, static_cast<std::align_val_t>(Type->GetMinAlignment()));
		std::memset(Memory, 0, Size);
		return Memory;
	}

	void DestroyObject(UObject* Object)
	{
		const std::align_val_t Alignment = static_cast<std::align_val_t>(Object->GetClass()->GetMinAlignment());
		Object->~UObject();
		::operator delete(static_cast<void*>(Object), Alignment);
	}

	FName MakeUniqueObjectName(const UClass* Class)
	{
		static uint32 NameSuffix = 0;
		return FName(FString::Printf(TEXT("%s_%u"), *Class->GetName(), NameSuffix++));
	}
}

FObjectInitializer::FObjectInitializer(UObject* InObj, UClass* InClass, UObject* InOuter, const FName InName, const EObjectFlags InFlags)
	: Obj(InObj)
	, Class(InClass)
	, Outer(InOuter)
	, Name(InName)
	, Flags(InFlags)
{
}

FObjectInitializer& FObjectInitializer::Get()
{
	std::vector<FObjectInitializer*>& Stack = GetInitializerStack();
	checkf(!Stack.empty(), TEXT("No object initializer found during construction."));
	return *Stack.back();
}

UObject* FObjectInitializer::CreateDefaultSubobject(UObject* InOuter, const FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, const bool bIsRequired, const bool bIsTransient) const
{
	checkf(InOuter == Obj, TEXT("Default subobjects can only be created for the object under construction"));
	checkf(!SubobjectFName.IsNone(), TEXT("Default subobjects need a name"));
	EObjectFlags SubobjectFlags = (Flags & RF_PropagateToSubObjects) | RF_DefaultSubObject;
	if ((Flags & RF_ClassDefaultObject) != 0)
	{
		SubobjectFlags |= RF_ArchetypeObject;
	}
	if (bIsTransient)
	{
		SubobjectFlags |= RF_Transient;
	}
	FStaticConstructObjectParameters Params(ClassToCreateByDefault);
	Params.Outer = InOuter;
	Params.Name = SubobjectFName;
	Params.SetFlags = SubobjectFlags;
	UObject* const Result = StaticConstructObject_Internal(Params);
	check(Result->IsA(ReturnType));
	return Result;
}

void CheckIsClassChildOf_Internal(const UClass* Parent, const UClass* Child)
{
	checkf(Child != nullptr, TEXT("NewObject called with a null class"));
	checkf(Child->IsChildOf(Parent), TEXT("NewObject called with class %s, which is not a %s"), *Child->GetName(), *Parent->GetName());
}

UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params)
{
	UClass* const Class = const_cast<UClass*>(Params.Class);
	checkf(Class != nullptr, TEXT("Cannot construct an object without a class"));
	checkf(!Class->HasAnyClassFlags(CLASS_Abstract) || (Params.SetFlags & RF_ClassDefaultObject) != 0, TEXT("Cannot construct an object of the abstract class %s"), *Class->GetName());
	checkf(Params.Outer != nullptr || Class->IsChildOf(UPackage::StaticClass()), TEXT("Objects of class %s must have an outer"), *Class->GetName());

	UObject* const Object = static_cast<UObject*>(AllocateObjectMemory(Class));
	FObjectInitializer Initializer(Object, Class, Params.Outer, Params.Name.IsNone() ? MakeUniqueObjectName(Class) : Params.Name, Params.SetFlags);
	std::vector<FObjectInitializer*>& Stack = GetInitializerStack();
	Stack.push_back(&Initializer);
	Class->ClassConstructor(Initializer);
	Stack.pop_back();

	UE::CoreUObject::Private::PostInitPropertiesRouting().Expect(Object);
	Object->PostInitProperties();
	checkf(UE::CoreUObject::Private::PostInitPropertiesRouting().WasReached(Object), TEXT("%s failed to route PostInitProperties. Call Super::PostInitProperties() in %s::PostInitProperties()."), *Object->GetPathName(), *Class->GetName());
	return Object;
}

UPackage* GetTransientPackage()
{
	static UPackage* const TransientPackage = []()
	{
		UPackage* const Package = NewObject<UPackage>(nullptr, UPackage::StaticClass(), FName(TEXT("/Engine/Transient")), RF_Transient);
		Package->AddToRoot();
		return Package;
	}();
	return TransientPackage;
}

void CollectGarbage(const EObjectFlags KeepFlags, const bool bPerformFullPurge)
{
	std::unordered_set<const UObject*> Marked;
	for (int32 Index = 0; Index < GUObjectArray.GetObjectArrayNum(); ++Index)
	{
		const FUObjectItem* const Item = GUObjectArray.IndexToObject(Index);
		const UObject* const Object = static_cast<const UObject*>(Item->Object);
		if (Object != nullptr && Item->IsGarbage() && !Item->IsRootSet() && !Object->HasAnyFlags(KeepFlags))
		{
			Marked.insert(Object);
		}
	}

	// An object goes with its outer: nothing may outlive the object it lives in.
	std::vector<UObject*> Doomed;
	for (int32 Index = 0; Index < GUObjectArray.GetObjectArrayNum(); ++Index)
	{
		UObject* const Object = static_cast<UObject*>(GUObjectArray.IndexToObject(Index)->Object);
		for (const UObject* Outer = Object; Outer != nullptr; Outer = Outer->GetOuter())
		{
			if (Marked.contains(Outer))
			{
				Doomed.push_back(Object);
				break;
			}
		}
	}

	for (UObject* const Object : Doomed)
	{
		Object->SetInternalFlags(EInternalObjectFlags::Garbage);
		Object->ConditionalBeginDestroy();
	}
	for (UObject* const Object : Doomed)
	{
		Object->ConditionalFinishDestroy();
	}
	for (UObject* const Object : Doomed)
	{
		DestroyObject(Object);
	}
}

void GetPrivateStaticClassBody(
	const TCHAR* PackageName,
	const TCHAR* Name,
	UClass*& ReturnClass,
	const uint32 InSize,
	const uint32 InAlignment,
	const EClassFlags InClassFlags,
	const EClassCastFlags InClassCastFlags,
	const ClassConstructorType InClassConstructor,
	const StaticClassFunctionType InSuperClassFn)
{
	void* const Memory = ::operator new(sizeof(UClass));
	// ReturnClass is set before anything else asks for a class, so that the bootstrap cycle
	// (the class of UClass is UClass, the super class of UClass derives from UObject) ends.
	ReturnClass = ::new (Memory) UClass(EC_StaticConstructor, FName(Name), InSize, InAlignment, InClassFlags | CLASS_Native, InClassCastFlags, RF_Public | RF_Standalone | RF_Transient | RF_MarkAsNative, InClassConstructor);
	ReturnClass->AddToRoot();
	// The root class reads the "Engine" section; set before anything else can ask for it.
	ReturnClass->ClassConfigName = FName(TEXT("Engine"));
	ReturnClass->DeferredRegister(UClass::StaticClass(), FName(Name));
	UClass* const SuperClass = InSuperClassFn();
	if (SuperClass != ReturnClass)
	{
		ReturnClass->SetSuperStruct(SuperClass);
		ReturnClass->ClassConfigName = SuperClass->ClassConfigName;
	}
}
