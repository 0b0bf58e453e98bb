#include "Containers/StringConv.h"

#include <cwchar>

namespace UE::Host
{
	namespace
	{
		constexpr char32_t ReplacementCharacter = 0xFFFD;

		void AppendUtf8(std::string& Out, char32_t CodePoint)
		{
			if (CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
			{
				CodePoint = ReplacementCharacter;
			}
			if (CodePoint < 0x80)
			{
				Out.push_back(static_cast<char>(CodePoint));
			}
			else if (CodePoint < 0x800)
			{
				Out.push_back(static_cast<char>(0xC0 | (CodePoint >> 6)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
			else if (CodePoint < 0x10000)
			{
				Out.push_back(static_cast<char>(0xE0 | (CodePoint >> 12)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
			else
			{
				Out.push_back(static_cast<char>(0xF0 | (CodePoint >> 18)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
				Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
			}
		}
	}

	std::string WideToUtf8(const TCHAR* Source, const int32 Length)
	{
		const std::size_t Count = Length < 0 ? std::wcslen(Source) : static_cast<std::size_t>(Length);
		std::string Out;
		Out.reserve(Count);
		for (std::size_t Index = 0; Index < Count; ++Index)
		{
			AppendUtf8(Out, static_cast<char32_t>(Source[Index]));
		}
		return Out;
	}

	std::wstring Utf8ToWide(const char* Source, const int32 Length)
	{
		const unsigned char* Bytes = reinterpret_cast<const unsigned char*>(Source);
		const std::size_t Count = Length < 0 ? std::char_traits<char>::length(Source) : static_cast<std::size_t>(Length);
		std::wstring Out;
		Out.reserve(Count);
		std::size_t Index = 0;
		while (Index < Count)
		{
			const unsigned char Lead = Bytes[Index];
			int32 Trailing = 0;
			char32_t CodePoint = 0;
			char32_t Minimum = 0;
			if (Lead < 0x80)
			{
				CodePoint = Lead;
			}
			else if ((Lead & 0xE0) == 0xC0)
			{
				Trailing = 1;
				CodePoint = Lead & 0x1F;
				Minimum = 0x80;
			}
			else if ((Lead & 0xF0) == 0xE0)
			{
				Trailing = 2;
				CodePoint = Lead & 0x0F;
				Minimum = 0x800;
			}
			else if ((Lead & 0xF8) == 0xF0)
			{
				Trailing = 3;
				CodePoint = Lead & 0x07;
				Minimum = 0x10000;
			}
			else
			{
				Out.push_back(static_cast<wchar_t>(ReplacementCharacter));
				++Index;
				continue;
			}

			bool bValid = true;
			std::size_t Consumed = 1;
			for (int32 Continuation = 0; bValid && Continuation < Trailing; ++Continuation)
			{
				const std::size_t Position = Index + 1 + static_cast<std::size_t>(Continuation);
				if (Position >= Count || (Bytes[Position] & 0xC0) != 0x80)
				{
					bValid = false;
					break;
				}
				CodePoint = (CodePoint << 6) | (Bytes[Position] & 0x3F);
				++Consumed;
			}
			if (!bValid || CodePoint < Minimum || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
			{
				Out.push_back(static_cast<wchar_t>(ReplacementCharacter));
				Index += Consumed;
				continue;
			}
			Out.push_back(static_cast<wchar_t>(CodePoint));
			Index += Consumed;
		}
		return Out;
	}
}
