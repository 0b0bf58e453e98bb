// Position conversion between the five coordinate systems of a reference frame. Internal to the
// conversion code.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"

namespace DuRizerudore
{
	/**
	 * The frame-aware mappings between local east-north-up and the Earth. A frame without a local frame takes
	 * local east-north-up to be the geocentric frame itself (origin at the Earth's centre). Each needs an
	 * initialized frame; false, with the output untouched, when a UTM/UPS projection refuses the position.
	 */
	bool TryConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition);
	bool TryConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition);
	bool TryConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition, FVector& OutLocalEnuPosition);
	bool TryConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutWorldPosition);

	/** The same mappings by value; a position the projection refuses comes back as NaN. */
	FVector ConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition);
	FVector ConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition);
	FVector ConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition);
	FVector ConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition);

	/**
	 * Converts a position between any two systems of an initialized frame. Returns false, with OutPosition
	 * untouched, when a system is not one of the five, or when the position lies outside what a UTM/UPS local
	 * frame can project.
	 */
	bool DispatchPositionConversion(ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Position, FVector& OutPosition);
}
