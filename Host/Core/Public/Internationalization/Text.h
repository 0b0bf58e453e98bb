// FText: display text. The stand-in has no localisation, so a text is the string it was made from.
#pragma once

#include "CoreTypes.h"
#include "Containers/UnrealString.h"

class FText
{
public:
	/** The empty text. */
	FText() = default;

	static FText FromString(const FString& String)
	{
		FText Text;
		Text.String = String;
		return Text;
	}

	static FText FromString(FString&& String)
	{
		FText Text;
		Text.String = MoveTemp(String);
		return Text;
	}

	static const FText& GetEmpty()
	{
		static const FText Empty;
		return Empty;
	}

	const FString& ToString() const { return String; }
	bool IsEmpty() const { return String.IsEmpty(); }

	/** True when both texts read the same. */
	bool EqualTo(const FText& Other) const { return String.Equals(Other.String, ESearchCase::CaseSensitive); }

private:
	FString String;
};
