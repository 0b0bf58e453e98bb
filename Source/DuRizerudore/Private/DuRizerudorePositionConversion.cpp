#include "DuRizerudorePositionConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"

namespace DuRizerudore
{
	bool TryConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition)
	{
		if (!Frame.HasLocalFrame())
		{
			OutLocalEnuPosition = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), GeodeticPosition);
			return true;
		}
		return FCoordinateReferenceFrameKernelAccess::TryGeodeticPositionToLocalEnu(Frame, GeodeticPosition, OutLocalEnuPosition);
	}

	bool TryConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition)
	{
		if (!Frame.HasLocalFrame())
		{
			OutGeodeticPosition = FCoordinateConversionKernelAccess::WorldPositionToGeodetic(*Frame.GetConversion(), LocalEnuPosition);
			return true;
		}
		return FCoordinateReferenceFrameKernelAccess::TryLocalEnuPositionToGeodetic(Frame, LocalEnuPosition, OutGeodeticPosition);
	}

	bool TryConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition, FVector& OutLocalEnuPosition)
	{
		// A tangent plane first: it is the common case, and only a frame with a local frame has one.
		if (FCoordinateReferenceFrameKernelAccess::TryGeocentricPositionToTangentPlane(Frame, WorldPosition, OutLocalEnuPosition))
		{
			return true;
		}
		if (!Frame.HasLocalFrame())
		{
			OutLocalEnuPosition = WorldPosition;
			return true;
		}
		const FVector Geodetic = FCoordinateConversionKernelAccess::WorldPositionToGeodetic(*Frame.GetConversion(), WorldPosition);
		return FCoordinateReferenceFrameKernelAccess::TryGeodeticPositionToLocalEnu(Frame, Geodetic, OutLocalEnuPosition);
	}

	bool TryConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutWorldPosition)
	{
		// A tangent plane first: it is the common case, and only a frame with a local frame has one.
		if (FCoordinateReferenceFrameKernelAccess::TryTangentPlanePositionToGeocentric(Frame, LocalEnuPosition, OutWorldPosition))
		{
			return true;
		}
		if (!Frame.HasLocalFrame())
		{
			OutWorldPosition = LocalEnuPosition;
			return true;
		}
		FVector Geodetic(0.0, 0.0, 0.0);
		if (!FCoordinateReferenceFrameKernelAccess::TryLocalEnuPositionToGeodetic(Frame, LocalEnuPosition, Geodetic))
		{
			return false;
		}
		OutWorldPosition = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Geodetic);
		return true;
	}

	bool DispatchPositionConversion(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Position, FVector& OutPosition)
	{
		if (!IsKnownCoordinateSystem(FromSystem) || !IsKnownCoordinateSystem(ToSystem))
		{
			return false;
		}
		if (FromSystem == ToSystem)
		{
			OutPosition = Position;
			return true;
		}

		// Point clouds and tiles given in ECEF take the tangent plane's direct paths before any other dispatch;
		// every other frame falls through to the general paths below.
		if (TryConvertPositionInTangentPlane(FromSystem, ToSystem, Frame, Position, OutPosition))
		{
			return true;
		}

		// Local systems differ only in axis order, vertical sign and unit; local east-north-up is the pivot.
		if (IsLocalCoordinateSystem(FromSystem))
		{
			const FVector Enu = LocalPositionToEnu(FromSystem, Position);
			switch (ToSystem)
			{
			case ECoordinateSystem::Geocentric:
				return TryConvertLocalEnuToGeocentric(Frame, Enu, OutPosition);
			case ECoordinateSystem::Geodetic:
				return TryConvertLocalEnuToGeodetic(Frame, Enu, OutPosition);
			default:
				OutPosition = EnuToLocalPosition(ToSystem, Enu);
				return true;
			}
		}

		if (FromSystem == ECoordinateSystem::Geocentric && ToSystem == ECoordinateSystem::Geodetic)
		{
			OutPosition = FCoordinateConversionKernelAccess::WorldPositionToGeodetic(*Frame.GetConversion(), Position);
			return true;
		}
		if (FromSystem == ECoordinateSystem::Geodetic && ToSystem == ECoordinateSystem::Geocentric)
		{
			OutPosition = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Position);
			return true;
		}
		FVector Enu(0.0, 0.0, 0.0);
		const bool bConverted = FromSystem == ECoordinateSystem::Geocentric ? TryConvertGeocentricToLocalEnu(Frame, Position, Enu)
																			 : TryConvertGeodeticToLocalEnu(Frame, Position, Enu);
		if (!bConverted)
		{
			return false;
		}
		OutPosition = EnuToLocalPosition(ToSystem, Enu);
		return true;
	}
}
