// Host-only: what the editor's details panel shows for an object or a structure value, from the
// reflection data alone, with the engine's rules: editable properties (CPF_Edit) of the type and its
// super types, grouped by category; categories the class hides (its "HideCategories" metadata, a
// category hidden with its subcategories) removed unless the class shows them ("ShowCategories");
// edit conditions evaluated, a property whose condition is false removed under "EditConditionHides" and
// shown read-only otherwise.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

namespace UE::Host
{
	/** One row of the details panel. */
	struct FDetailsRow
	{
		FProperty* Property = nullptr;
		/** False when the edit condition is false or the property is CPF_EditConst. */
		bool bEditable = true;
	};

	/** A category of the details panel ("DuRizerudore|ECEF") and its rows, in declaration order. */
	struct FDetailsCategory
	{
		FString Name;
		TArray<FDetailsRow> Rows;
	};

	/**
	 * The categories shown for a value of Type at Container (an object of the class, or a structure
	 * value), in the order their first property is met (the type's own properties before its super
	 * types'). Edit conditions are evaluated against Container.
	 */
	TArray<FDetailsCategory> GetDetailsPanel(const UStruct* Type, const void* Container);

	/** True if the class hides the category (or a parent category of it) and does not show it. */
	bool IsCategoryHiddenFromClass(const UStruct* Type, const FString& Category);

	/**
	 * Evaluates Property's "EditCondition" metadata against Container (a value of Property's owner): a
	 * bool property name, "!Name", "Name == EEnum::Entry" or "Name != EEnum::Entry" (the enumeration's
	 * scoped or bare entry name). Returns false, leaving bOutResult untouched, for a condition it cannot
	 * read (unknown property, unknown entry, another form); true with bOutResult = true without a condition.
	 */
	bool EvaluateEditCondition(const FProperty* Property, const void* Container, bool& bOutResult);
}
