// TStringView: a non-owning view of a run of characters, as the engine's; FStringView views TCHAR text.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"
#include "Misc/CString.h"

#include <algorithm>
#include <cwctype>

template <typename CharType>
class TStringView
{
public:
	using ElementType = CharType;

	constexpr TStringView() = default;

	/** Views a null-terminated string; a null pointer views nothing. */
	TStringView(const CharType* InData)
		: DataPtr(InData)
		, Size(InData != nullptr ? FCString::Strlen(InData) : 0)
	{
	}

	constexpr TStringView(const CharType* InData, const int32 InSize)
		: DataPtr(InData)
		, Size(InSize)
	{
	}

	/** Views the text of a string, which must outlive the view. */
	TStringView(const FString& InString)
		: DataPtr(*InString)
		, Size(InString.Len())
	{
	}

	constexpr const CharType* GetData() const { return DataPtr; }
	constexpr int32 Len() const { return Size; }
	constexpr bool IsEmpty() const { return Size == 0; }
	constexpr const CharType& operator[](const int32 Index) const { return DataPtr[Index]; }
	constexpr const CharType* begin() const { return DataPtr; }
	constexpr const CharType* end() const { return DataPtr + Size; }

	bool Equals(const TStringView Other, const ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const
	{
		return Size == Other.Size
			&& std::equal(begin(), end(), Other.begin(), [SearchCase](const CharType A, const CharType B)
				{
					return SearchCase == ESearchCase::CaseSensitive ? A == B : std::towlower(static_cast<wint_t>(A)) == std::towlower(static_cast<wint_t>(B));
				});
	}

	/** Comparisons of views are case-insensitive, as the engine's are. */
	friend bool operator==(const TStringView A, const TStringView B) { return A.Equals(B, ESearchCase::IgnoreCase); }
	friend bool operator!=(const TStringView A, const TStringView B) { return !(A == B); }

private:
	const CharType* DataPtr = nullptr;
	int32 Size = 0;
};

using FStringView = TStringView<TCHAR>;
