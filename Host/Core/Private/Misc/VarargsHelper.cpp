#include "Misc/VarargsHelper.h"

#include <cwchar>
#include <vector>

namespace UE::Host
{
	namespace
	{
		// The engine's printf takes TCHAR strings for %s and %c; the C library's wide printf takes them
		// as %ls and %lc. Rewrites each conversion so that the arguments are read as the engine passes them.
		std::wstring TranslateFormat(const TCHAR* Format)
		{
			std::wstring Result;
			for (const TCHAR* Cursor = Format; *Cursor != 0; ++Cursor)
			{
				Result.push_back(*Cursor);
				if (*Cursor != L'%')
				{
					continue;
				}
				++Cursor;
				if (*Cursor == L'%')
				{
					Result.push_back(*Cursor);
					continue;
				}
				// Flags, width, precision and length modifiers pass unchanged.
				while (*Cursor != 0 && std::wcschr(L"-+ #0123456789.*hlLqjzt", *Cursor) != nullptr)
				{
					Result.push_back(*Cursor);
					++Cursor;
				}
				if (*Cursor == 0)
				{
					break;
				}
				const bool bTakesWideText = (*Cursor == L's' || *Cursor == L'c') && Result.back() != L'l' && Result.back() != L'h';
				if (bTakesWideText)
				{
					Result.push_back(L'l');
				}
				Result.push_back(*Cursor);
			}
			return Result;
		}
	}

	std::wstring FormatV(const TCHAR* Format, va_list Args)
	{
		if (Format == nullptr)
		{
			return std::wstring();
		}
		const std::wstring Translated = TranslateFormat(Format);
		std::vector<wchar_t> Buffer(256);
		for (;;)
		{
			va_list Copy;
			va_copy(Copy, Args);
			const int Written = std::vswprintf(Buffer.data(), Buffer.size(), Translated.c_str(), Copy);
			va_end(Copy);
			if (Written >= 0 && static_cast<std::size_t>(Written) < Buffer.size())
			{
				return std::wstring(Buffer.data(), static_cast<std::size_t>(Written));
			}
			// vswprintf reports overflow and encoding errors alike; grow up to a sane bound, then give up.
			if (Buffer.size() >= (std::size_t(1) << 24))
			{
				return std::wstring(L"<unformattable log message>");
			}
			Buffer.resize(Buffer.size() * 4);
		}
	}

	std::wstring Format(const TCHAR* InFormat, ...)
	{
		va_list Args;
		va_start(Args, InFormat);
		std::wstring Result = FormatV(InFormat, Args);
		va_end(Args);
		return Result;
	}
}
