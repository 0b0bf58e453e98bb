// FCString: C string helpers on TCHAR text.
#pragma once

#include "CoreTypes.h"

#include <cwchar>
#include <cwctype>

struct FCString
{
	static int32 Strlen(const TCHAR* Text) { return static_cast<int32>(std::wcslen(Text)); }
	static int32 Strcmp(const TCHAR* A, const TCHAR* B) { return std::wcscmp(A, B); }
	static int32 Stricmp(const TCHAR* A, const TCHAR* B)
	{
		for (;; ++A, ++B)
		{
			const wint_t LowerA = std::towlower(static_cast<wint_t>(*A));
			const wint_t LowerB = std::towlower(static_cast<wint_t>(*B));
			if (LowerA != LowerB || *A == 0)
			{
				return LowerA < LowerB ? -1 : (LowerA > LowerB ? 1 : 0);
			}
		}
	}
	static int32 Atoi(const TCHAR* Text) { return static_cast<int32>(std::wcstol(Text, nullptr, 10)); }
	static double Atod(const TCHAR* Text) { return std::wcstod(Text, nullptr); }
};
