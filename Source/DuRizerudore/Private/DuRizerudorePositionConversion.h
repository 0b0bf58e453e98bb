// Position conversion between the five coordinate systems of a reference frame. Internal to the
// conversion code.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"

namespace DuRizerudore
{
	/**
	 * The frame-aware mappings between local east-north-up metres and the Earth: geodetic (latitude and longitude
	 * in degrees, ellipsoidal height in metres) or geocentric ECEF metres. A frame without a local frame takes
	 * local east-north-up to be the geocentric frame itself (origin at the Earth's centre). Each needs an
	 * initialized frame. Returns false, with the output untouched, when a UTM/UPS projection refuses the position.
	 */
	bool TryConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition);
	bool TryConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition);
	bool TryConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition, FVector& OutLocalEnuPosition);
	bool TryConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutWorldPosition);

	/**
	 * Converts a position between any two systems of an initialized frame, each in its own units (Local_UE in
	 * centimetres). Returns false, with OutPosition untouched, when a system is not one of the five, or when the
	 * position lies outside what a UTM/UPS local frame can project.
	 */
	bool DispatchPositionConversion(ECoordinateSystem FromSystem, ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Position, FVector& OutPosition);

	/**
	 * Geocentric ECEF metres to a tangent plane's local system and back, the common case of point clouds and tiles
	 * given in ECEF: a subtraction and a rotation, inline so that a caller converting millions of positions pays
	 * no call for them. Returns false, with OutPosition untouched, for any other pair of systems or kind of frame,
	 * which DispatchPositionConversion then answers.
	 */
	FORCEINLINE bool TryConvertPositionInTangentPlane(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Position, FVector& OutPosition)
	{
		if (FromSystem == ECoordinateSystem::Geocentric && IsLocalCoordinateSystem(ToSystem))
		{
			FVector Enu(0.0, 0.0, 0.0);
			if (FCoordinateReferenceFrameKernelAccess::TryGeocentricPositionToTangentPlane(Frame, Position, Enu))
			{
				OutPosition = EnuToLocalPosition(ToSystem, Enu);
				return true;
			}
			return false;
		}
		return ToSystem == ECoordinateSystem::Geocentric && IsLocalCoordinateSystem(FromSystem)
			&& FCoordinateReferenceFrameKernelAccess::TryTangentPlanePositionToGeocentric(Frame, LocalPositionToEnu(FromSystem, Position), OutPosition);
	}
}
