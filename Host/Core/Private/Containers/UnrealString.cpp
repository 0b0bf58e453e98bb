#include "Containers/UnrealString.h"

#include "Containers/StringConv.h"
#include "Misc/VarargsHelper.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cwctype>
#include <functional>

namespace
{
	bool CharsEqual(const TCHAR A, const TCHAR B, const ESearchCase::Type SearchCase)
	{
		return SearchCase == ESearchCase::CaseSensitive ? A == B : std::towlower(static_cast<wint_t>(A)) == std::towlower(static_cast<wint_t>(B));
	}
}

FString::FString(const ANSICHAR* Text)
	: Data(Text != nullptr ? UE::Host::Utf8ToWide(Text) : std::wstring())
{
}

std::wstring FString::PrintfImpl(const TCHAR* Format, ...)
{
	va_list Args;
	va_start(Args, Format);
	std::wstring Result = UE::Host::FormatV(Format, Args);
	va_end(Args);
	return Result;
}

FString FString::SanitizeFloat(const double Value, const int32 MinFractionalDigits)
{
	char Buffer[64];
	const std::to_chars_result Result = std::to_chars(Buffer, Buffer + sizeof(Buffer), Value);
	std::string Text(Buffer, Result.ptr);
	const bool bPlainNumber = Text.find_first_of("eEn") == std::string::npos;
	if (bPlainNumber && MinFractionalDigits > 0 && Text.find('.') == std::string::npos)
	{
		Text += ".";
		Text.append(static_cast<std::size_t>(MinFractionalDigits), '0');
	}
	return FString(Text.c_str());
}

FString FString::Join(const TArray<FString>& Parts, const TCHAR* Separator)
{
	FString Result;
	for (int32 Index = 0; Index < Parts.Num(); ++Index)
	{
		if (Index > 0)
		{
			Result += Separator;
		}
		Result += Parts[Index];
	}
	return Result;
}

FString& FString::operator/=(const FString& Other)
{
	// The engine's path append: an empty part still ends the path with a separator, a part that starts
	// with "/" or a path that already ends with one gets none added, and nothing is ever removed.
	const bool bEndsWithSeparator = !Data.empty() && (Data.back() == L'/' || Data.back() == L'\\');
	if (Other.IsEmpty())
	{
		if (!Data.empty() && !bEndsWithSeparator)
		{
			Data.push_back(L'/');
		}
		return *this;
	}
	if (!Data.empty() && !bEndsWithSeparator && Other.Data.front() != L'/')
	{
		Data.push_back(L'/');
	}
	Data += Other.Data;
	return *this;
}

bool FString::Equals(const FString& Other, const ESearchCase::Type SearchCase) const
{
	return Data.size() == Other.Data.size()
		&& std::equal(Data.begin(), Data.end(), Other.Data.begin(), [SearchCase](TCHAR A, TCHAR B) { return CharsEqual(A, B, SearchCase); });
}

bool FString::StartsWith(const FString& Prefix, const ESearchCase::Type SearchCase) const
{
	return Prefix.Len() <= Len() && Left(Prefix.Len()).Equals(Prefix, SearchCase);
}

bool FString::EndsWith(const FString& Suffix, const ESearchCase::Type SearchCase) const
{
	return Suffix.Len() <= Len() && Right(Suffix.Len()).Equals(Suffix, SearchCase);
}

int32 FString::Find(const FString& Sub, const ESearchCase::Type SearchCase, const ESearchDir::Type SearchDir) const
{
	if (Sub.Len() > Len())
	{
		return INDEX_NONE;
	}
	const auto Matches = [this, &Sub, SearchCase](int32 Start) { return Mid(Start, Sub.Len()).Equals(Sub, SearchCase); };
	if (SearchDir == ESearchDir::FromStart)
	{
		for (int32 Start = 0; Start + Sub.Len() <= Len(); ++Start)
		{
			if (Matches(Start))
			{
				return Start;
			}
		}
	}
	else
	{
		for (int32 Start = Len() - Sub.Len(); Start >= 0; --Start)
		{
			if (Matches(Start))
			{
				return Start;
			}
		}
	}
	return INDEX_NONE;
}

FString FString::Left(const int32 Count) const
{
	return FromStdString(Data.substr(0, static_cast<std::size_t>(std::clamp(Count, 0, Len()))));
}

FString FString::Right(const int32 Count) const
{
	const int32 Clamped = std::clamp(Count, 0, Len());
	return FromStdString(Data.substr(static_cast<std::size_t>(Len() - Clamped)));
}

FString FString::Mid(const int32 Start, const int32 Count) const
{
	const int32 ClampedStart = std::clamp(Start, 0, Len());
	const int32 ClampedCount = std::clamp(Count, 0, Len() - ClampedStart);
	return FromStdString(Data.substr(static_cast<std::size_t>(ClampedStart), static_cast<std::size_t>(ClampedCount)));
}

FString FString::ToUpper() const
{
	std::wstring Result = Data;
	std::transform(Result.begin(), Result.end(), Result.begin(), [](TCHAR C) { return static_cast<TCHAR>(std::towupper(static_cast<wint_t>(C))); });
	return FromStdString(std::move(Result));
}

FString FString::ToLower() const
{
	std::wstring Result = Data;
	std::transform(Result.begin(), Result.end(), Result.begin(), [](TCHAR C) { return static_cast<TCHAR>(std::towlower(static_cast<wint_t>(C))); });
	return FromStdString(std::move(Result));
}

FString FString::TrimStartAndEnd() const
{
	const auto IsSpace = [](TCHAR C) { return std::iswspace(static_cast<wint_t>(C)) != 0; };
	const auto First = std::find_if_not(Data.begin(), Data.end(), IsSpace);
	const auto Last = std::find_if_not(Data.rbegin(), Data.rend(), IsSpace).base();
	return First < Last ? FromStdString(std::wstring(First, Last)) : FString();
}

FString FString::Replace(const TCHAR* From, const TCHAR* To, const ESearchCase::Type SearchCase) const
{
	const FString Pattern(From);
	if (Pattern.IsEmpty())
	{
		return *this;
	}
	FString Result;
	int32 Start = 0;
	while (Start < Len())
	{
		const FString Rest = Mid(Start);
		const int32 Found = Rest.Find(Pattern, SearchCase);
		if (Found == INDEX_NONE)
		{
			Result += Rest;
			break;
		}
		Result += Rest.Left(Found);
		Result += To;
		Start += Found + Pattern.Len();
	}
	return Result;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delimiter, const bool bCullEmpty) const
{
	OutArray.Reset();
	const std::wstring Separator = Delimiter != nullptr ? Delimiter : L"";
	if (Separator.empty())
	{
		if (!bCullEmpty || !IsEmpty())
		{
			OutArray.Add(*this);
		}
		return OutArray.Num();
	}
	std::size_t Start = 0;
	for (;;)
	{
		const std::size_t Found = Data.find(Separator, Start);
		const std::wstring Piece = Data.substr(Start, Found == std::wstring::npos ? std::wstring::npos : Found - Start);
		if (!bCullEmpty || !Piece.empty())
		{
			OutArray.Add(FromStdString(Piece));
		}
		if (Found == std::wstring::npos)
		{
			break;
		}
		Start = Found + Separator.size();
	}
	return OutArray.Num();
}

bool operator<(const FString& A, const FString& B)
{
	return FCString::Stricmp(*A, *B) < 0;
}

uint32 GetTypeHash(const FString& Text)
{
	return static_cast<uint32>(std::hash<std::wstring>()(Text.ToLower().ToStdWString()));
}
