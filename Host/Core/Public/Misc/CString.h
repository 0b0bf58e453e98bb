// FCString: C string helpers on TCHAR text.
#pragma once

#include "CoreTypes.h"

#include <cwchar>
#include <cwctype>

struct FCString
{
	static int32 Strlen(const TCHAR* Text) { return static_cast<int32>(std::wcslen(Text)); }
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
};
