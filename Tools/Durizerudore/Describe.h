// The describe command: the plugin's reflected surface (types, properties, functions and their
// metadata) as text, read from the reflection registry as the editor and the script compiler read it.
// Includes engine headers; fmt must come before it.
#pragma once

#include "CoreMinimal.h"

#include <string>

class UField;

namespace DuRizerudoreCli
{
	/** One line per reflected type of the module, in listing order: C++ name, kind and tooltip (its lines joined). */
	std::string DescribeReflectedTypes();

	/**
	 * Everything a designer meets of one type: an enumeration's entries; a structure's or class's type metadata,
	 * its own properties grouped by category and its functions with their parameters.
	 */
	std::string DescribeReflectedType(const UField& Type);
}
