#include "DuRizerudorePositionConversion.h"

#include "DuRizerudoreConversionInternal.h"

#include <GeographicLib/LocalCartesian.hpp>

#include <limits>

namespace DuRizerudore
{
	namespace
	{
		using FInstanceAccess = FCoordinateConversionKernelAccess;
		using FFrameAccess = FCoordinateReferenceFrameKernelAccess;

		/** Centimetres to metres is a multiplication by the literal 0.01, not a division by 100. */
		constexpr double CentimetresToMetres = 0.01;
		constexpr double MetresToCentimetres = 100.0;

		bool IsLocalSystem(const ECoordinateSystem System)
		{
			return System == ECoordinateSystem::Local_ENU || System == ECoordinateSystem::Local_NED || System == ECoordinateSystem::Local_UE;
		}

		bool IsKnownSystem(const ECoordinateSystem System)
		{
			return static_cast<uint8>(System) <= static_cast<uint8>(ECoordinateSystem::Geodetic);
		}

		/** A local position (ENU, NED or UE) as local east-north-up metres. */
		FVector LocalToEnu(const ECoordinateSystem System, const FVector& Position)
		{
			switch (System)
			{
			case ECoordinateSystem::Local_NED:
				return FVector(Position.Y, Position.X, -Position.Z);
			case ECoordinateSystem::Local_UE:
				return FVector(Position.Y * CentimetresToMetres, Position.X * CentimetresToMetres, Position.Z * CentimetresToMetres);
			default:
				return Position;
			}
		}

		/** Local east-north-up metres in a local system (ENU, NED or UE). */
		FVector EnuToLocal(const ECoordinateSystem System, const FVector& Enu)
		{
			switch (System)
			{
			case ECoordinateSystem::Local_NED:
				return FVector(Enu.Y, Enu.X, -Enu.Z);
			case ECoordinateSystem::Local_UE:
				return FVector(Enu.Y * MetresToCentimetres, Enu.X * MetresToCentimetres, Enu.Z * MetresToCentimetres);
			default:
				return Enu;
			}
		}

		FVector MakeNaNVector()
		{
			const double NaN = std::numeric_limits<double>::quiet_NaN();
			return FVector(NaN, NaN, NaN);
		}
	}

	bool TryConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FVector& OutLocalEnuPosition)
	{
		// The tangent plane is the common case and cannot fail: straight to the projector. A frame holds a
		// projector only while it has a tangent-plane local frame, so this test comes first.
		if (const GeographicLib::LocalCartesian* Projector = FFrameAccess::GetLocalCartesian(Frame).Get())
		{
			Projector->Forward(GeodeticPosition.X, GeodeticPosition.Y, GeodeticPosition.Z, OutLocalEnuPosition.X, OutLocalEnuPosition.Y, OutLocalEnuPosition.Z);
			return true;
		}
		if (!Frame.HasLocalFrame())
		{
			OutLocalEnuPosition = FInstanceAccess::GeodeticToWorldPosition(*Frame.GetConversion(), GeodeticPosition);
			return true;
		}
		return FFrameAccess::TryGeodeticPositionToLocalEnu(Frame, GeodeticPosition, OutLocalEnuPosition);
	}

	bool TryConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutGeodeticPosition)
	{
		if (const GeographicLib::LocalCartesian* Projector = FFrameAccess::GetLocalCartesian(Frame).Get())
		{
			Projector->Reverse(LocalEnuPosition.X, LocalEnuPosition.Y, LocalEnuPosition.Z, OutGeodeticPosition.X, OutGeodeticPosition.Y, OutGeodeticPosition.Z);
			return true;
		}
		if (!Frame.HasLocalFrame())
		{
			OutGeodeticPosition = FInstanceAccess::WorldPositionToGeodetic(*Frame.GetConversion(), LocalEnuPosition);
			return true;
		}
		return FFrameAccess::TryLocalEnuPositionToGeodetic(Frame, LocalEnuPosition, OutGeodeticPosition);
	}

	bool TryConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition, FVector& OutLocalEnuPosition)
	{
		if (!Frame.HasLocalFrame())
		{
			OutLocalEnuPosition = WorldPosition;
			return true;
		}
		const FVector Geodetic = FInstanceAccess::WorldPositionToGeodetic(*Frame.GetConversion(), WorldPosition);
		return FFrameAccess::TryGeodeticPositionToLocalEnu(Frame, Geodetic, OutLocalEnuPosition);
	}

	bool TryConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition, FVector& OutWorldPosition)
	{
		if (!Frame.HasLocalFrame())
		{
			OutWorldPosition = LocalEnuPosition;
			return true;
		}
		FVector Geodetic;
		if (!FFrameAccess::TryLocalEnuPositionToGeodetic(Frame, LocalEnuPosition, Geodetic))
		{
			return false;
		}
		OutWorldPosition = FInstanceAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Geodetic);
		return true;
	}

	FVector ConvertGeodeticToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition)
	{
		FVector Result = MakeNaNVector();
		TryConvertGeodeticToLocalEnu(Frame, GeodeticPosition, Result);
		return Result;
	}

	FVector ConvertLocalEnuToGeodetic(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition)
	{
		FVector Result = MakeNaNVector();
		TryConvertLocalEnuToGeodetic(Frame, LocalEnuPosition, Result);
		return Result;
	}

	FVector ConvertGeocentricToLocalEnu(const FCoordinateReferenceFrame& Frame, const FVector& WorldPosition)
	{
		FVector Result = MakeNaNVector();
		TryConvertGeocentricToLocalEnu(Frame, WorldPosition, Result);
		return Result;
	}

	FVector ConvertLocalEnuToGeocentric(const FCoordinateReferenceFrame& Frame, const FVector& LocalEnuPosition)
	{
		FVector Result = MakeNaNVector();
		TryConvertLocalEnuToGeocentric(Frame, LocalEnuPosition, Result);
		return Result;
	}

	bool DispatchPositionConversion(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Position, FVector& OutPosition)
	{
		if (!IsKnownSystem(FromSystem) || !IsKnownSystem(ToSystem))
		{
			return false;
		}
		if (FromSystem == ToSystem)
		{
			OutPosition = Position;
			return true;
		}

		// Local systems differ only in axis order, vertical sign and unit; local east-north-up is the pivot.
		if (IsLocalSystem(FromSystem))
		{
			const FVector Enu = LocalToEnu(FromSystem, Position);
			switch (ToSystem)
			{
			case ECoordinateSystem::Geocentric:
				return TryConvertLocalEnuToGeocentric(Frame, Enu, OutPosition);
			case ECoordinateSystem::Geodetic:
				return TryConvertLocalEnuToGeodetic(Frame, Enu, OutPosition);
			default:
				OutPosition = EnuToLocal(ToSystem, Enu);
				return true;
			}
		}

		const FCoordinateConversionInstance& Instance = *Frame.GetConversion();
		if (FromSystem == ECoordinateSystem::Geocentric)
		{
			if (ToSystem == ECoordinateSystem::Geodetic)
			{
				OutPosition = FInstanceAccess::WorldPositionToGeodetic(Instance, Position);
				return true;
			}
			FVector Enu;
			if (!TryConvertGeocentricToLocalEnu(Frame, Position, Enu))
			{
				return false;
			}
			OutPosition = EnuToLocal(ToSystem, Enu);
			return true;
		}

		// From geodetic.
		if (ToSystem == ECoordinateSystem::Geocentric)
		{
			OutPosition = FInstanceAccess::GeodeticToWorldPosition(Instance, Position);
			return true;
		}
		FVector Enu;
		if (!TryConvertGeodeticToLocalEnu(Frame, Position, Enu))
		{
			return false;
		}
		OutPosition = EnuToLocal(ToSystem, Enu);
		return true;
	}
}
