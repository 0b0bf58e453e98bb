// UObject: the root of the engine's object model. Objects are made by NewObject and destroyed by
// CollectGarbage after MarkAsGarbage; the virtual notifications below must each call the base version.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UObjectBaseUtility.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtr.h"

class FProperty;
struct FPropertyChangedEvent;
class UFunction;
class UWorld;

namespace UE::CoreUObject::Private
{
	class FRoutingCheck;
}

class UObject : public UObjectBaseUtility
{
	DECLARE_CLASS(UObject, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), NO_API)
	DEFINE_DEFAULT_OBJECT_INITIALIZER_CONSTRUCTOR_CALL(UObject)

public:
	UObject() = default;
	UObject(const FObjectInitializer& ObjectInitializer);
	UObject(EStaticConstructor, EObjectFlags InFlags) : UObjectBaseUtility(InFlags) {}

	/** Called after the constructor, before anything else sees the object. */
	virtual void PostInitProperties();

	/** Called after the object was loaded and its saved properties were applied. */
	virtual void PostLoad();

	/** First step of destruction, while every other object is still there. */
	virtual void BeginDestroy();

	/** Last step of destruction, right before the memory goes. */
	virtual void FinishDestroy();

	/**
	 * Calls a reflected function on this object as a script does. Parms is the function's parameter block
	 * (its UFunction's size and layout, every parameter constructed); out parameters and the return value
	 * are written back into it. For a static function, call it on the class default object.
	 */
	virtual void ProcessEvent(UFunction* Function, void* Parms);

	/** The reflected function of this object's class (or its super classes) with the name, or null. */
	UFunction* FindFunction(FName InName) const;
	/** As FindFunction; stops if there is none. */
	UFunction* FindFunctionChecked(FName InName) const;

	/** The world the object lives in, through its outers; null if none. */
	virtual UWorld* GetWorld() const;

	/** Calls PostLoad once and checks that it reached this base version. */
	void ConditionalPostLoad();
	/** Calls BeginDestroy once and checks that it reached this base version. */
	bool ConditionalBeginDestroy();
	/** Calls FinishDestroy once and checks that it reached this base version. */
	bool ConditionalFinishDestroy();

	/** Creates a subobject of this object; only from inside this object's constructor. */
	template <class TReturnType>
	TReturnType* CreateDefaultSubobject(FName SubobjectName, bool bTransient = false)
	{
		return static_cast<TReturnType*>(CreateDefaultSubobject(SubobjectName, TReturnType::StaticClass(), TReturnType::StaticClass(), true, bTransient));
	}

	UObject* CreateDefaultSubobject(FName SubobjectFName, UClass* ReturnType, UClass* ClassToCreateByDefault, bool bIsRequired, bool bIsTransient);

private:
	/** Runs one destruction step once and checks that it reached UObject's own version. */
	bool RouteDestructionStep(EObjectFlags DoneFlag, UE::CoreUObject::Private::FRoutingCheck& Routing, void (UObject::*Step)(), const TCHAR* StepName);

public:
#if WITH_EDITOR
	/** An editor property edit is about to change the property (the outermost member that holds it). */
	virtual void PreEditChange(FProperty* PropertyAboutToChange);

	/** An editor property edit changed the property described by the event. */
	virtual void PostEditChangeProperty(FPropertyChangedEvent& PropertyChangedEvent);
#endif
};

/** True if the object exists and is neither garbage nor pending destruction. */
inline bool IsValid(const UObject* Test)
{
	// One look at the object's slot, as the engine's single flag test.
	return Test != nullptr && !Test->HasAnyInternalFlags(EInternalObjectFlags::Garbage | EInternalObjectFlags::Unreachable);
}

/** The object's name, or "None" for null. */
FString GetNameSafe(const UObject* Object);
/** The object's path name, or "None" for null. */
FString GetPathNameSafe(const UObject* Object);
