// FString: the engine's wide, growable string, here on top of std::wstring.
#pragma once

#include "CoreTypes.h"
#include "Containers/Array.h"
#include "Misc/CString.h"

#include <string>
#include <utility>

namespace ESearchCase
{
	enum Type
	{
		CaseSensitive,
		IgnoreCase
	};
}

namespace ESearchDir
{
	enum Type
	{
		FromStart,
		FromEnd
	};
}

class FString
{
public:
	FString() = default;
	FString(const TCHAR* Text) : Data(Text != nullptr ? Text : L"") {}
	explicit FString(const ANSICHAR* Text);
	FString(int32 Count, const TCHAR* Text) : Data(Text != nullptr ? std::wstring(Text, static_cast<std::size_t>(Count)) : std::wstring()) {}

	/** The engine's printf (%s takes a TCHAR string). */
	template <typename... ArgTypes>
	static FString Printf(const TCHAR* Format, ArgTypes... Args)
	{
		return FString::FromStdString(PrintfImpl(Format, Args...));
	}

	static FString FromInt(int32 Value) { return FString(std::to_wstring(Value).c_str()); }

	/** The shortest text that reads back to the same double ("0.1", "6378137.0"). */
	static FString SanitizeFloat(double Value, int32 MinFractionalDigits = 1);

	static FString Join(const TArray<FString>& Parts, const TCHAR* Separator);

	const TCHAR* operator*() const { return Data.c_str(); }
	int32 Len() const { return static_cast<int32>(Data.size()); }
	bool IsEmpty() const { return Data.empty(); }
	void Empty() { Data.clear(); }
	void Reset() { Data.clear(); }
	void Reserve(int32 Count) { Data.reserve(static_cast<std::size_t>(Count)); }

	TCHAR& operator[](int32 Index) { return Data[static_cast<std::size_t>(Index)]; }
	const TCHAR& operator[](int32 Index) const { return Data[static_cast<std::size_t>(Index)]; }

	FString& operator+=(const FString& Other)
	{
		Data += Other.Data;
		return *this;
	}
	FString& operator+=(const TCHAR* Other)
	{
		Data += Other != nullptr ? Other : L"";
		return *this;
	}
	FString& operator+=(TCHAR Character)
	{
		Data.push_back(Character);
		return *this;
	}
	FString& Append(const FString& Other) { return *this += Other; }
	FString& Append(const TCHAR* Other) { return *this += Other; }

	/** Joins two path parts with exactly one "/" between them. */
	FString& operator/=(const FString& Other);
	FString operator/(const FString& Other) const
	{
		FString Result(*this);
		Result /= Other;
		return Result;
	}

	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;
	bool StartsWith(const FString& Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const FString& Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 Find(const FString& Sub, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const;
	bool Contains(const FString& Sub, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const { return Find(Sub, SearchCase) != INDEX_NONE; }

	FString Left(int32 Count) const;
	FString Right(int32 Count) const;
	FString Mid(int32 Start, int32 Count = 0x7fffffff) const;
	FString LeftChop(int32 Count) const { return Left(Len() - Count); }
	FString ToUpper() const;
	FString ToLower() const;
	FString TrimStartAndEnd() const;
	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, bool bCullEmpty = true) const;

	friend FString operator+(const FString& A, const FString& B)
	{
		FString Result(A);
		Result += B;
		return Result;
	}
	friend FString operator+(const FString& A, const TCHAR* B)
	{
		FString Result(A);
		Result += B;
		return Result;
	}
	friend FString operator+(const TCHAR* A, const FString& B)
	{
		FString Result(A);
		Result += B;
		return Result;
	}

	/** Comparisons are case-insensitive, as the engine's are. */
	friend bool operator==(const FString& A, const FString& B) { return A.Equals(B, ESearchCase::IgnoreCase); }
	friend bool operator==(const FString& A, const TCHAR* B) { return A.Equals(FString(B), ESearchCase::IgnoreCase); }
	friend bool operator!=(const FString& A, const FString& B) { return !(A == B); }
	friend bool operator!=(const FString& A, const TCHAR* B) { return !(A == B); }
	friend bool operator<(const FString& A, const FString& B);

	/** Host-only bridges to the standard library. */
	const std::wstring& ToStdWString() const { return Data; }
	static FString FromStdString(std::wstring Text)
	{
		FString Result;
		Result.Data = std::move(Text);
		return Result;
	}

private:
	static std::wstring PrintfImpl(const TCHAR* Format, ...);

	std::wstring Data;
};

uint32 GetTypeHash(const FString& Text);
