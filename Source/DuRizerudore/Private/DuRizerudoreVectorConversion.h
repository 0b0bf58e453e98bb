// Conversion of free vectors, and of vectors attached to a point, between the coordinate systems of a
// reference frame. Internal to the conversion code; every caller has tested that the frame is initialized.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * A free vector, rotated with the frame's one origin rotation wherever it applies. Never scaled, also not
	 * for Local_UE. False, output untouched, for pairs with Geodetic (a copy when both are Geodetic) and for
	 * values outside the enumeration.
	 */
	bool DispatchVectorConversion(ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame, const FVector& Vector,
		FVector& OutVector);

	/**
	 * A vector attached to a point given in its own system: local systems mean the axes at that point (grid axes
	 * in a UTM frame), Geodetic means increments of latitude, longitude and height. False, output untouched, for
	 * values outside the enumeration and for points a UTM/UPS frame cannot project.
	 */
	bool DispatchVectorAtPositionConversion(ECoordinateSystem PositionSystem, ECoordinateSystem FromSystem, ECoordinateSystem ToSystem,
		const FCoordinateReferenceFrame& Frame, const FVector& Position, const FVector& Vector, FVector& OutVector);
}
