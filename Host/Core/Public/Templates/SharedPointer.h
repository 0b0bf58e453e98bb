// TSharedPtr, TSharedRef, TWeakPtr and MakeShared. The host builds them on std::shared_ptr, whose
// reference counts are atomic in every mode and whose make_shared is one allocation for object and count.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <memory>
#include <type_traits>
#include <utility>

enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedRef;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TWeakPtr;

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe, typename... ArgTypes>
TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args);

template <class ObjectType, ESPMode Mode>
class TSharedPtr
{
public:
	TSharedPtr() = default;
	TSharedPtr(std::nullptr_t) {}

	/** Takes ownership of a raw pointer (a second allocation for the count; prefer MakeShared). */
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	explicit TSharedPtr(OtherType* Object) : Pointer(Object) {}

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedPtr<OtherType, Mode>& Other) : Pointer(Other.Pointer) {}

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(TSharedPtr<OtherType, Mode>&& Other) : Pointer(std::move(Other.Pointer)) {}

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedRef<OtherType, Mode>& Other) : Pointer(Other.Pointer) {}

	TSharedPtr& operator=(std::nullptr_t)
	{
		Pointer.reset();
		return *this;
	}

	bool IsValid() const { return Pointer != nullptr; }
	explicit operator bool() const { return Pointer != nullptr; }
	ObjectType* Get() const { return Pointer.get(); }
	ObjectType* operator->() const
	{
		check(IsValid());
		return Pointer.get();
	}
	ObjectType& operator*() const
	{
		check(IsValid());
		return *Pointer;
	}
	void Reset() { Pointer.reset(); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Pointer.use_count()); }
	bool IsUnique() const { return Pointer.use_count() == 1; }

	TSharedRef<ObjectType, Mode> ToSharedRef() const
	{
		check(IsValid());
		return TSharedRef<ObjectType, Mode>(Pointer);
	}

	template <class OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const { return Pointer == Other.Pointer; }
	template <class OtherType>
	bool operator!=(const TSharedPtr<OtherType, Mode>& Other) const { return Pointer != Other.Pointer; }
	bool operator==(std::nullptr_t) const { return Pointer == nullptr; }
	bool operator!=(std::nullptr_t) const { return Pointer != nullptr; }

private:
	template <class, ESPMode>
	friend class TSharedPtr;
	template <class, ESPMode>
	friend class TSharedRef;
	template <class, ESPMode>
	friend class TWeakPtr;

	explicit TSharedPtr(std::shared_ptr<ObjectType> InPointer) : Pointer(std::move(InPointer)) {}

	std::shared_ptr<ObjectType> Pointer;
};

/** A shared reference is never null. */
template <class ObjectType, ESPMode Mode>
class TSharedRef
{
public:
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedRef(const TSharedRef<OtherType, Mode>& Other) : Pointer(Other.Pointer) {}

	ObjectType* operator->() const { return Pointer.get(); }
	ObjectType& operator*() const { return *Pointer; }
	ObjectType& Get() const { return *Pointer; }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Pointer.use_count()); }
	bool IsUnique() const { return Pointer.use_count() == 1; }

	template <class OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const { return Pointer == Other.Pointer; }
	template <class OtherType>
	bool operator!=(const TSharedRef<OtherType, Mode>& Other) const { return Pointer != Other.Pointer; }

private:
	template <class, ESPMode>
	friend class TSharedPtr;
	template <class, ESPMode>
	friend class TSharedRef;
	template <class, ESPMode>
	friend class TWeakPtr;
	template <class InObjectType, ESPMode InMode, typename... ArgTypes>
	friend TSharedRef<InObjectType, InMode> MakeShared(ArgTypes&&... Args);

	explicit TSharedRef(std::shared_ptr<ObjectType> InPointer) : Pointer(std::move(InPointer)) {}

	std::shared_ptr<ObjectType> Pointer;
};

template <class ObjectType, ESPMode Mode>
class TWeakPtr
{
public:
	TWeakPtr() = default;
	TWeakPtr(std::nullptr_t) {}

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedPtr<OtherType, Mode>& Shared) : Pointer(Shared.Pointer) {}

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedRef<OtherType, Mode>& Shared) : Pointer(Shared.Pointer) {}

	TSharedPtr<ObjectType, Mode> Pin() const { return TSharedPtr<ObjectType, Mode>(Pointer.lock()); }
	bool IsValid() const { return !Pointer.expired(); }
	void Reset() { Pointer.reset(); }

private:
	std::weak_ptr<ObjectType> Pointer;
};

/** Builds the object and its reference count in one allocation. */
template <class ObjectType, ESPMode Mode, typename... ArgTypes>
TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args)
{
	return TSharedRef<ObjectType, Mode>(std::make_shared<ObjectType>(std::forward<ArgTypes>(Args)...));
}

