// TArrayView: a view of contiguous elements owned elsewhere (a TArray, a C array, a pointer and a count).
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Misc/AssertionMacros.h"

#include <type_traits>

template <typename InElementType, typename InSizeType = int32>
class TArrayView
{
public:
	using ElementType = InElementType;
	using SizeType = InSizeType;

	TArrayView() = default;

	TArrayView(ElementType* InData, SizeType InCount)
		: DataPtr(InData)
		, ArrayNum(InCount)
	{
		check(ArrayNum >= 0);
	}

	/** A view of a TArray (of const elements for a const array). */
	template <typename OtherElementType, typename = std::enable_if_t<std::is_convertible_v<OtherElementType*, ElementType*>>>
	TArrayView(TArray<OtherElementType>& Other)
		: DataPtr(Other.GetData())
		, ArrayNum(Other.Num())
	{
	}

	template <typename OtherElementType, typename = std::enable_if_t<std::is_convertible_v<const OtherElementType*, ElementType*>>>
	TArrayView(const TArray<OtherElementType>& Other)
		: DataPtr(Other.GetData())
		, ArrayNum(Other.Num())
	{
	}

	/** A view of const elements from a view of the same elements. */
	template <typename OtherElementType, typename = std::enable_if_t<std::is_convertible_v<OtherElementType*, ElementType*>>>
	TArrayView(const TArrayView<OtherElementType, SizeType>& Other)
		: DataPtr(Other.GetData())
		, ArrayNum(Other.Num())
	{
	}

	ElementType* GetData() const { return DataPtr; }
	SizeType Num() const { return ArrayNum; }
	bool IsEmpty() const { return ArrayNum == 0; }
	bool IsValidIndex(SizeType Index) const { return Index >= 0 && Index < ArrayNum; }

	ElementType& operator[](SizeType Index) const
	{
		checkf(IsValidIndex(Index), TEXT("Array index out of bounds: %lld into an array of size %lld"), static_cast<long long>(Index), static_cast<long long>(ArrayNum));
		return DataPtr[Index];
	}

	/** The Count elements from Index on. */
	TArrayView Slice(SizeType Index, SizeType Count) const
	{
		check(Index >= 0 && Count >= 0 && Index + Count <= ArrayNum);
		return TArrayView(DataPtr + Index, Count);
	}

	ElementType* begin() const { return DataPtr; }
	ElementType* end() const { return DataPtr + ArrayNum; }

private:
	ElementType* DataPtr = nullptr;
	SizeType ArrayNum = 0;
};

template <typename ElementType>
using TConstArrayView = TArrayView<const ElementType>;

template <typename ElementType>
TArrayView<ElementType> MakeArrayView(ElementType* Pointer, int32 Size)
{
	return TArrayView<ElementType>(Pointer, Size);
}

template <typename ElementType>
TArrayView<ElementType> MakeArrayView(TArray<ElementType>& Other)
{
	return TArrayView<ElementType>(Other);
}

template <typename ElementType>
TArrayView<const ElementType> MakeArrayView(const TArray<ElementType>& Other)
{
	return TArrayView<const ElementType>(Other);
}
