#include "UObject/NameTypes.h"

#include "Containers/StringConv.h"

#include <cwctype>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace
{
	// Both tables start with "None", so that index 0 is NAME_None in each.
	class FNameTable
	{
	public:
		FNameTable()
		{
			Intern(L"none", ComparisonIndices, ComparisonTexts);
			Intern(L"None", DisplayIndices, DisplayTexts);
		}

		void Add(const std::wstring& Text, uint32& OutComparisonIndex, uint32& OutDisplayIndex)
		{
			std::wstring Lower(Text);
			for (wchar_t& Character : Lower)
			{
				Character = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(Character)));
			}
			const std::lock_guard<std::mutex> Lock(Mutex);
			OutComparisonIndex = Intern(Lower, ComparisonIndices, ComparisonTexts);
			OutDisplayIndex = OutComparisonIndex == 0 ? 0 : Intern(Text, DisplayIndices, DisplayTexts);
		}

		std::wstring GetDisplayText(const uint32 DisplayIndex)
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			return DisplayTexts[DisplayIndex];
		}

	private:
		static uint32 Intern(const std::wstring& Text, std::unordered_map<std::wstring, uint32>& Indices, std::deque<std::wstring>& Texts)
		{
			const auto [Found, bInserted] = Indices.try_emplace(Text, static_cast<uint32>(Texts.size()));
			if (bInserted)
			{
				Texts.push_back(Text);
			}
			return Found->second;
		}

		std::mutex Mutex;
		std::unordered_map<std::wstring, uint32> ComparisonIndices;
		std::unordered_map<std::wstring, uint32> DisplayIndices;
		std::deque<std::wstring> ComparisonTexts;
		std::deque<std::wstring> DisplayTexts;
	};

	FNameTable& GetNameTable()
	{
		static FNameTable Table;
		return Table;
	}
}

FName::FName(const TCHAR* Name)
{
	if (Name != nullptr && *Name != 0)
	{
		GetNameTable().Add(Name, ComparisonIndex, DisplayIndex);
	}
}

FName::FName(const ANSICHAR* Name)
	: FName(FString(Name))
{
}

FString FName::ToString() const
{
	return FString::FromStdString(GetNameTable().GetDisplayText(DisplayIndex));
}
