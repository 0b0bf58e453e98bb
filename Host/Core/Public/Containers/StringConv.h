// Conversion between TCHAR (UTF-32 wide) text and UTF-8, with the engine's converter names.
// The macros return pointers into a temporary that lives to the end of the full expression.
#pragma once

#include "CoreTypes.h"

#include <string>

namespace UE::Host
{
	/** UTF-8 from wide text; invalid code points become U+FFFD. */
	std::string WideToUtf8(const TCHAR* Source, int32 Length = -1);

	/** Wide text from UTF-8; malformed sequences become U+FFFD. */
	std::wstring Utf8ToWide(const char* Source, int32 Length = -1);
}

class FTCHARToUTF8
{
public:
	explicit FTCHARToUTF8(const TCHAR* Source)
		: Converted(Source != nullptr ? UE::Host::WideToUtf8(Source) : std::string())
	{
	}

	FTCHARToUTF8(const TCHAR* Source, int32 SourceLength)
		: Converted(Source != nullptr ? UE::Host::WideToUtf8(Source, SourceLength) : std::string())
	{
	}

	const ANSICHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::string Converted;
};

class FUTF8ToTCHAR
{
public:
	explicit FUTF8ToTCHAR(const ANSICHAR* Source)
		: Converted(Source != nullptr ? UE::Host::Utf8ToWide(Source) : std::wstring())
	{
	}

	FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLength)
		: Converted(Source != nullptr ? UE::Host::Utf8ToWide(Source, SourceLength) : std::wstring())
	{
	}

	const TCHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::wstring Converted;
};

using FTCHARToANSI = FTCHARToUTF8;
using FANSIToTCHAR = FUTF8ToTCHAR;

#define TCHAR_TO_UTF8(Str) ((ANSICHAR*)FTCHARToUTF8((const TCHAR*)(Str)).Get())
#define UTF8_TO_TCHAR(Str) ((TCHAR*)FUTF8ToTCHAR((const ANSICHAR*)(Str)).Get())
#define TCHAR_TO_ANSI(Str) TCHAR_TO_UTF8(Str)
#define ANSI_TO_TCHAR(Str) UTF8_TO_TCHAR(Str)
