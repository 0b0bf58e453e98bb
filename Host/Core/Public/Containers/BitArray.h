// TBitArray: a dynamically sized array of bits, packed 32 to a word. Bits in different words may be written
// from different threads at once; bits of one word may not.
#pragma once

#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <vector>

/** The engine's default allocator tag; the stand-in always allocates on the heap. */
class FDefaultBitArrayAllocator
{
};

/** A writable reference to one bit of a TBitArray. */
class FBitReference
{
public:
	FBitReference(uint32& InData, uint32 InMask)
		: Data(InData)
		, Mask(InMask)
	{
	}

	operator bool() const { return (Data & Mask) != 0; }
	void operator=(const bool NewValue)
	{
		if (NewValue)
		{
			Data |= Mask;
		}
		else
		{
			Data &= ~Mask;
		}
	}
	FBitReference& operator=(const FBitReference& Copy)
	{
		*this = static_cast<bool>(Copy);
		return *this;
	}

private:
	uint32& Data;
	uint32 Mask;
};

/** A read-only reference to one bit of a TBitArray. */
class FConstBitReference
{
public:
	FConstBitReference(const uint32& InData, uint32 InMask)
		: Data(InData)
		, Mask(InMask)
	{
	}

	operator bool() const { return (Data & Mask) != 0; }

private:
	const uint32& Data;
	uint32 Mask;
};

template <typename Allocator = FDefaultBitArrayAllocator>
class TBitArray
{
public:
	static constexpr int32 NumBitsPerDWORD = 32;

	TBitArray() = default;

	/** InNumBits bits, each set to bValue. */
	explicit TBitArray(const bool bValue, const int32 InNumBits) { Init(bValue, InNumBits); }

	/** Resizes to InNumBits bits, every one set to bValue. */
	void Init(const bool bValue, const int32 InNumBits)
	{
		check(InNumBits >= 0);
		Words.assign(static_cast<size_t>((InNumBits + NumBitsPerDWORD - 1) / NumBitsPerDWORD), bValue ? ~uint32(0) : uint32(0));
		NumBits = InNumBits;
		ClearUnusedBits();
	}

	/** Resizes to InNumBits bits; bits added are set to bValue, bits kept keep their values. */
	void SetNum(const int32 InNumBits, const bool bValue)
	{
		check(InNumBits >= 0);
		const int32 OldNumBits = NumBits;
		Words.resize(static_cast<size_t>((InNumBits + NumBitsPerDWORD - 1) / NumBitsPerDWORD), 0);
		NumBits = InNumBits;
		for (int32 Index = OldNumBits; Index < InNumBits; ++Index)
		{
			(*this)[Index] = bValue;
		}
		ClearUnusedBits();
	}

	/** Appends a bit; returns its index. */
	int32 Add(const bool Value)
	{
		SetNum(NumBits + 1, Value);
		return NumBits - 1;
	}

	void Empty(const int32 ExpectedNumBits = 0)
	{
		Words.clear();
		Words.reserve(static_cast<size_t>((ExpectedNumBits + NumBitsPerDWORD - 1) / NumBitsPerDWORD));
		NumBits = 0;
	}

	void Reset() { Empty(); }

	int32 Num() const { return NumBits; }
	bool IsValidIndex(const int32 Index) const { return Index >= 0 && Index < NumBits; }

	FBitReference operator[](const int32 Index)
	{
		checkf(IsValidIndex(Index), TEXT("Bit index out of bounds: %d into a bit array of size %d"), Index, NumBits);
		return FBitReference(Words[static_cast<size_t>(Index / NumBitsPerDWORD)], uint32(1) << (Index % NumBitsPerDWORD));
	}

	FConstBitReference operator[](const int32 Index) const
	{
		checkf(IsValidIndex(Index), TEXT("Bit index out of bounds: %d into a bit array of size %d"), Index, NumBits);
		return FConstBitReference(Words[static_cast<size_t>(Index / NumBitsPerDWORD)], uint32(1) << (Index % NumBitsPerDWORD));
	}

	/** The number of set bits in [FromIndex, ToIndex); ToIndex INDEX_NONE means the end. */
	int32 CountSetBits(const int32 FromIndex = 0, int32 ToIndex = INDEX_NONE) const
	{
		if (ToIndex == INDEX_NONE)
		{
			ToIndex = NumBits;
		}
		check(FromIndex >= 0 && FromIndex <= ToIndex && ToIndex <= NumBits);
		int32 Count = 0;
		for (int32 Index = FromIndex; Index < ToIndex; ++Index)
		{
			Count += (*this)[Index] ? 1 : 0;
		}
		return Count;
	}

	/** The index of the first bit equal to bValue, or INDEX_NONE. */
	int32 Find(const bool bValue) const
	{
		for (int32 Index = 0; Index < NumBits; ++Index)
		{
			if (static_cast<bool>((*this)[Index]) == bValue)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	bool Contains(const bool bValue) const { return Find(bValue) != INDEX_NONE; }

	uint32* GetData() { return Words.data(); }
	const uint32* GetData() const { return Words.data(); }

private:
	// Bits past NumBits in the last word stay zero, so that words compare and count without masking.
	void ClearUnusedBits()
	{
		if (NumBits % NumBitsPerDWORD != 0)
		{
			Words.back() &= (uint32(1) << (NumBits % NumBitsPerDWORD)) - 1;
		}
	}

	std::vector<uint32> Words;
	int32 NumBits = 0;
};
