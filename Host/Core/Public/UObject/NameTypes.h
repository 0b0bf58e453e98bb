// FName: an interned, case-insensitive name. Two names compare equal when their texts differ only in
// case; each name keeps the casing it was made with for display, as in an editor build.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

/** Hard-coded names; only the empty name is needed here. */
enum EName : uint32
{
	NAME_None = 0
};

class FName
{
public:
	/** The empty name, NAME_None. */
	FName() = default;
	FName(EName)
	{
	}

	/** Interns the text; a null or empty text and "None" (in any case) give NAME_None. */
	FName(const TCHAR* Name);
	explicit FName(const ANSICHAR* Name);
	explicit FName(const FString& Name) : FName(*Name) {}

	/** The text with the casing this name was made with; "None" for NAME_None. */
	FString ToString() const;
	void ToString(FString& Out) const { Out = ToString(); }

	bool IsNone() const { return ComparisonIndex == 0; }
	bool IsValid() const { return true; }

	bool operator==(const FName Other) const { return ComparisonIndex == Other.ComparisonIndex; }
	bool operator!=(const FName Other) const { return ComparisonIndex != Other.ComparisonIndex; }
	bool operator==(const EName Other) const { return *this == FName(Other); }
	bool operator!=(const EName Other) const { return !(*this == Other); }

	/** True when both names have exactly the same text, casing included. */

	friend uint32 GetTypeHash(const FName Name) { return Name.ComparisonIndex; }

private:
	// Index of the lower-cased text (identity) and of the text as given (display).
	uint32 ComparisonIndex = 0;
	uint32 DisplayIndex = 0;
};
