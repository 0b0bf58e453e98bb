// The plugin's reflected types as the registry holds them, in the order they are listed: the
// enumerations, the structures, then the classes.
#pragma once

#include "CoreMinimal.h"

#include <string>
#include <string_view>
#include <vector>

class UField;

namespace DuRizerudoreCli
{
	/** The reflection object (StaticEnum, StaticStruct or StaticClass) of every reflected type of the module, in listing order. */
	std::vector<const UField*> GetReflectedTypes();

	/**
	 * The C++ name of a reflected enumeration, structure or class, prefix letter included ("ECoordinateSystem",
	 * "FGeodeticCoordinate", "ADuRizerudoreSystem", "UDuRizerudoreAnchorComponent"); the bare registered
	 * name for any other field.
	 */
	std::string GetCppName(const UField& Type);

	/**
	 * The type TypeName names: its C++ name with or without the prefix letter, in any letter case ("ecoordinatesystem",
	 * "CoordinateSystem"). Null for no type of the module.
	 */
	const UField* FindReflectedType(std::string_view TypeName);

	/** The C++ names of every reflected type in listing order, separated by ", " (for error messages). */
	std::string ListReflectedTypeNames();
}
