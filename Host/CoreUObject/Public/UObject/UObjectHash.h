// The object system's index of live objects by class, as the engine keeps it: finding the objects of a class
// walks those objects only, not every object of the process.
#pragma once

#include "CoreMinimal.h"
#include "Containers/Array.h"
#include "UObject/ObjectMacros.h"

class UClass;
class UObject;
class UObjectBase;

/**
 * Appends the live objects of ClassToLookFor (and of its subclasses with bIncludeDerivedClasses) to Results,
 * each class's objects in the order they were made, skipping those with any of ExcludeFlags or of
 * ExclusionInternalFlags.
 */
void GetObjectsOfClass(const UClass* ClassToLookFor, TArray<UObject*>& Results, bool bIncludeDerivedClasses = true,
	EObjectFlags ExcludeFlags = RF_ClassDefaultObject, EInternalObjectFlags ExclusionInternalFlags = EInternalObjectFlags::None);

/** Adds an object to the index of its class; the object system calls it once the object has a class and a slot. */
void HashObject(UObjectBase* Object);

/** Removes an object from the index; the object system calls it before the object's slot is freed. */
void UnhashObject(UObjectBase* Object);
