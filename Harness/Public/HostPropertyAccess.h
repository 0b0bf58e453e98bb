// Host-only: the reflected members of an object by name, for tests that set saved values or edit a
// property the way the editor's details panel does.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/UnrealType.h"

namespace UE::Host
{
	/** A reflected value inside an object. */
	struct FPropertyValueRef
	{
		/** The object's own member that holds the value. */
		FProperty* MemberProperty = nullptr;
		/** The property the path names: the member itself, or a field inside a structure member. */
		FProperty* Property = nullptr;
		/** The value's address inside the object. */
		void* Value = nullptr;
	};

	/**
	 * Finds the value a path names: "Member", or "Member.Field" (any depth) through structure members.
	 * Returns false, leaving OutRef untouched, for a null object, a missing name or a path through a
	 * member that is not a structure.
	 */
	bool FindPropertyValueRef(UObject* Object, const TCHAR* PropertyPath, FPropertyValueRef& OutRef);

	/** The value at the path as a ValueType, or null if it is missing or its size is not sizeof(ValueType). */
	template <typename ValueType>
	ValueType* FindPropertyValue(UObject* Object, const TCHAR* PropertyPath)
	{
		FPropertyValueRef Ref;
		if (!FindPropertyValueRef(Object, PropertyPath, Ref) || Ref.Property->GetSize() != static_cast<int32>(sizeof(ValueType)))
		{
			return nullptr;
		}
		return static_cast<ValueType*>(Ref.Value);
	}

	/** Writes the value at the path without any notification, as loading does; false if FindPropertyValue fails. */
	template <typename ValueType>
	bool SetPropertyValue(UObject* Object, const TCHAR* PropertyPath, const ValueType& NewValue)
	{
		ValueType* const Value = FindPropertyValue<ValueType>(Object, PropertyPath);
		if (Value == nullptr)
		{
			return false;
		}
		*Value = NewValue;
		return true;
	}

	/**
	 * Edits the value at the path as the details panel does: PreEditChange with the member, the write, then
	 * PostEditChangeProperty with the named property and the member (ValueSet). False, with no call made,
	 * if FindPropertyValue fails.
	 */
	template <typename ValueType>
	bool EditProperty(UObject* Object, const TCHAR* PropertyPath, const ValueType& NewValue)
	{
		FPropertyValueRef Ref;
		if (!FindPropertyValueRef(Object, PropertyPath, Ref) || Ref.Property->GetSize() != static_cast<int32>(sizeof(ValueType)))
		{
			return false;
		}
		Object->PreEditChange(Ref.MemberProperty);
		*static_cast<ValueType*>(Ref.Value) = NewValue;
		FPropertyChangedEvent Event(Ref.Property, EPropertyChangeType::ValueSet);
		Event.SetActiveMemberProperty(Ref.MemberProperty);
		Object->PostEditChangeProperty(Event);
		return true;
	}
}
