// Conversion of orientations between the coordinate systems of a reference frame. Internal to the
// conversion code; every caller has tested that the frame is initialized.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * An orientation (body axes into the system's axes) re-expressed in another system with the frame's origin
	 * rotation. Local_ENU, Local_NED and Geocentric convert among each other; Local_UE (left-handed) only to
	 * itself; Geodetic never. False, output untouched, otherwise.
	 */
	bool DispatchRotationConversion(ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame, const FQuat& Rotation,
		FQuat& OutRotation);
}
