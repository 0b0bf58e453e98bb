// TSubclassOf: a class pointer restricted to T and classes derived from it.
#pragma once

#include "UObject/Class.h"

template <class T>
class TSubclassOf
{
public:
	TSubclassOf() = default;

	/** Any class; one that is not a T (or derived) is held as null, as the engine's Get() returns. */
	TSubclassOf(UClass* From) : Class(From) {}

	template <class U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TSubclassOf(const TSubclassOf<U>& From) : Class(*From)
	{
	}

	TSubclassOf& operator=(UClass* From)
	{
		Class = From;
		return *this;
	}

	/** The class, or null if none or not a T (or derived). */
	UClass* Get() const { return Class != nullptr && Class->IsChildOf(T::StaticClass()) ? Class : nullptr; }
	UClass* operator*() const { return Get(); }
	UClass* operator->() const { return Get(); }
	operator UClass*() const { return Get(); }

	T* GetDefaultObject() const
	{
		UClass* const Result = Get();
		return Result != nullptr ? static_cast<T*>(Result->GetDefaultObject()) : nullptr;
	}

private:
	UClass* Class = nullptr;
};
