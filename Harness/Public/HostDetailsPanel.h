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
	 * types'). A class default object is shown as the class's template (CPF_DisableEditOnTemplate rows
	 * left out), any other object as an instance (CPF_DisableEditOnInstance rows left out); a property
	 * without a category is filed under its owner's name; InlineEditConditionToggle properties get no
	 * row. Edit conditions are evaluated against Container; one that cannot be read is ignored, as the
	 * editor ignores it. Empty for a null type or container.
	 */
	TArray<FDetailsCategory> GetDetailsPanel(const UStruct* Type, const void* Container);

	/**
	 * True if the class hides the category and does not show it: its "HideCategories" names the category,
	 * one of its parent paths ("Input" for "Input|MouseInput") or one of its path segments, and its
	 * "ShowCategories" does not name the category itself. Names compare without regard to case. False for
	 * a null type.
	 */
	bool IsCategoryHiddenFromClass(const UStruct* Type, const FString& Category);

	/**
	 * Evaluates Property's "EditCondition" metadata against Container (a value of Property's owner): a
	 * bool property name, "!Name", "Name == EEnum::Entry" or "Name != EEnum::Entry", Name being a property
	 * of the owner or its super types. EEnum must be the enumeration Name holds (an enum property or a
	 * TEnumAsByte) and Entry one of its entries, written without prefix whether the enumeration registers
	 * its entries scoped ("ECoordinateGravityAccuracy::Full") or bare ("WGS84"). Returns false, leaving
	 * bOutResult untouched, for a null property or container and for a condition it cannot read (unknown
	 * property, a property of another kind, another enumeration, unknown entry, any other form such as
	 * "&&", numbers or literals); true with bOutResult = true without a condition.
	 */
	bool EvaluateEditCondition(const FProperty* Property, const void* Container, bool& bOutResult);
}
