// Heading and pitch of directions in a reference frame. Internal to the conversion code; every caller
// has tested that the frame is initialized.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/** (heading, pitch) in degrees of an east-north-up vector: heading from north towards east in [-180, 180]. */
	FVector2D HeadingPitchFromLocalEnu(const FVector& LocalEnu);

	/**
	 * Heading and pitch of a vector. Local vectors use their own axes; a geocentric one uses the local axes at the
	 * position (grid axes in a UTM frame). False, output untouched, for a Geodetic or unknown vector system, an
	 * unknown position system, or a position a UTM/UPS frame cannot project.
	 */
	bool DispatchHeadingPitchFromVector(ECoordinateSystem VectorSystem, ECoordinateSystem PositionSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Vector, const FVector& Position, FVector2D& OutHeadingPitchDeg);

	/** The unit vector of a heading and pitch, with the same systems and refusals. */
	bool DispatchVectorFromHeadingPitch(ECoordinateSystem VectorSystem, ECoordinateSystem PositionSystem, const FCoordinateReferenceFrame& Frame,
		const FVector2D& HeadingPitchDeg, const FVector& Position, FVector& OutVector);
}
