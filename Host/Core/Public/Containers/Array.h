// TArray: the engine's dynamic array, here on top of std::vector, with the engine's int32 sizes.
#pragma once

#include "CoreTypes.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

template <typename InElementType>
class TArray
{
public:
	using ElementType = InElementType;

	TArray() = default;
	TArray(std::initializer_list<ElementType> InitList) : Elements(InitList) {}
	TArray(const ElementType* Data, int32 Count) : Elements(Data, Data + Count) {}

	int32 Num() const { return static_cast<int32>(Elements.size()); }
	bool IsEmpty() const { return Elements.empty(); }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }

	ElementType* GetData() { return Elements.data(); }
	const ElementType* GetData() const { return Elements.data(); }

	ElementType& operator[](int32 Index) { return Elements[static_cast<std::size_t>(Index)]; }
	const ElementType& operator[](int32 Index) const { return Elements[static_cast<std::size_t>(Index)]; }

	ElementType& Last(int32 IndexFromTheEnd = 0) { return Elements[Elements.size() - 1 - static_cast<std::size_t>(IndexFromTheEnd)]; }
	const ElementType& Last(int32 IndexFromTheEnd = 0) const { return Elements[Elements.size() - 1 - static_cast<std::size_t>(IndexFromTheEnd)]; }

	int32 Add(const ElementType& Item)
	{
		Elements.push_back(Item);
		return Num() - 1;
	}

	int32 Add(ElementType&& Item)
	{
		Elements.push_back(std::move(Item));
		return Num() - 1;
	}

	template <typename... ArgsType>
	int32 Emplace(ArgsType&&... Args)
	{
		Elements.emplace_back(std::forward<ArgsType>(Args)...);
		return Num() - 1;
	}

	int32 AddUnique(const ElementType& Item)
	{
		const int32 Existing = Find(Item);
		return Existing != INDEX_NONE ? Existing : Add(Item);
	}

	void Append(const TArray& Other) { Elements.insert(Elements.end(), Other.Elements.begin(), Other.Elements.end()); }

	int32 Find(const ElementType& Item) const
	{
		const auto Found = std::find(Elements.begin(), Elements.end(), Item);
		return Found == Elements.end() ? INDEX_NONE : static_cast<int32>(Found - Elements.begin());
	}

	bool Contains(const ElementType& Item) const { return Find(Item) != INDEX_NONE; }

	/** Removes every element equal to Item; returns how many were removed. */
	int32 Remove(const ElementType& Item)
	{
		const auto NewEnd = std::remove(Elements.begin(), Elements.end(), Item);
		const int32 Removed = static_cast<int32>(Elements.end() - NewEnd);
		Elements.erase(NewEnd, Elements.end());
		return Removed;
	}

	template <typename PredicateType>
	int32 RemoveAll(PredicateType Predicate)
	{
		const auto NewEnd = std::remove_if(Elements.begin(), Elements.end(), Predicate);
		const int32 Removed = static_cast<int32>(Elements.end() - NewEnd);
		Elements.erase(NewEnd, Elements.end());
		return Removed;
	}

	/** Resizes to Number elements, value-initialising the new ones. */
	void SetNum(int32 Number) { Elements.resize(static_cast<std::size_t>(Number)); }

	void Reserve(int32 Number) { Elements.reserve(static_cast<std::size_t>(Number)); }
	void Reset() { Elements.clear(); }
	void Empty(int32 Slack = 0)
	{
		Elements.clear();
		Elements.shrink_to_fit();
		Elements.reserve(static_cast<std::size_t>(Slack));
	}

	bool operator==(const TArray& Other) const { return Elements == Other.Elements; }
	bool operator!=(const TArray& Other) const { return Elements != Other.Elements; }

	auto begin() { return Elements.begin(); }
	auto end() { return Elements.end(); }
	auto begin() const { return Elements.begin(); }
	auto end() const { return Elements.end(); }

private:
	std::vector<ElementType> Elements;
};
