// TWeakObjectPtr: a typed weak reference to an engine object. It lives in Core, as in the engine, on top
// of FWeakObjectPtr, which the object system (CoreUObject) defines; code that instantiates it includes
// "UObject/WeakObjectPtr.h" (every object header does).
#pragma once

#include "CoreTypes.h"

#include <cstddef>
#include <type_traits>

class UObject;
struct FWeakObjectPtr;

template <class T, class TWeakObjectPtrBase = FWeakObjectPtr>
struct TWeakObjectPtr
{
	using ElementType = T;

	TWeakObjectPtr() = default;
	TWeakObjectPtr(std::nullptr_t)
	{
	}

	template <class U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr(U* Object) : WeakPtr(static_cast<const UObject*>(static_cast<T*>(Object)))
	{
	}

	template <class U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr(const TWeakObjectPtr<U, TWeakObjectPtrBase>& Other) : WeakPtr(Other.WeakPtr)
	{
	}

	template <class U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr& operator=(U* Object)
	{
		WeakPtr = static_cast<const UObject*>(static_cast<T*>(Object));
		return *this;
	}

	void Reset() { WeakPtr.Reset(); }

	/** The object, or null once it is garbage (pending destruction) or destroyed. */
	T* Get() const { return Cast(WeakPtr.Get()); }
	T* Get(bool bEvenIfPendingKill) const { return Cast(WeakPtr.Get(bEvenIfPendingKill)); }

	T& operator*() const { return *Get(); }
	T* operator->() const { return Get(); }

	bool IsValid(bool bEvenIfPendingKill = false, bool bThreadsafeTest = false) const { return WeakPtr.IsValid(bEvenIfPendingKill, bThreadsafeTest); }

	/** True once the object this pointed to is gone (or garbage, by default); false if it was always null. */
	bool IsStale(bool bIncludingIfPendingKill = true, bool bThreadsafeTest = false) const { return WeakPtr.IsStale(bIncludingIfPendingKill, bThreadsafeTest); }

	/** True only if this never pointed to anything (or was reset). */
	bool IsExplicitlyNull() const { return WeakPtr.IsExplicitlyNull(); }

	explicit operator bool() const { return IsValid(); }

	template <class U>
	bool operator==(const TWeakObjectPtr<U, TWeakObjectPtrBase>& Other) const { return WeakPtr == Other.WeakPtr; }
	template <class U>
	bool operator!=(const TWeakObjectPtr<U, TWeakObjectPtrBase>& Other) const { return WeakPtr != Other.WeakPtr; }
	bool operator==(const T* Other) const { return Get() == Other; }
	bool operator!=(const T* Other) const { return Get() != Other; }
	bool operator==(std::nullptr_t) const { return !IsValid(); }
	bool operator!=(std::nullptr_t) const { return IsValid(); }

	friend uint32 GetTypeHash(const TWeakObjectPtr& WeakObjectPtr) { return GetTypeHash(WeakObjectPtr.WeakPtr); }

private:
	template <class, class>
	friend struct TWeakObjectPtr;

	static T* Cast(UObject* Object)
	{
		// A weak pointer only ever holds a T, so the downcast is exact.
		return static_cast<T*>(Object);
	}

	TWeakObjectPtrBase WeakPtr;
};
