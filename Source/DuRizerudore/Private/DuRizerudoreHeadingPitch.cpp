#include "DuRizerudoreHeadingPitch.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreVectorConversion.h"

namespace DuRizerudore
{
	namespace
	{
		constexpr double RadiansToDegrees = 57.29577951308232;

		bool IsKnown(const ECoordinateSystem System)
		{
			return static_cast<uint8>(System) <= static_cast<uint8>(ECoordinateSystem::Geodetic);
		}

		bool AcceptsSystems(const ECoordinateSystem VectorSystem, const ECoordinateSystem PositionSystem)
		{
			return IsKnown(VectorSystem) && VectorSystem != ECoordinateSystem::Geodetic && IsKnown(PositionSystem);
		}
	}

	FVector2D HeadingPitchFromLocalEnu(const FVector& LocalEnu)
	{
		const double Pitch = FMath::Atan2(LocalEnu.Z, FMath::Sqrt(LocalEnu.X * LocalEnu.X + LocalEnu.Y * LocalEnu.Y)) * RadiansToDegrees;
		double Heading = FMath::Atan2(LocalEnu.X, LocalEnu.Y) * RadiansToDegrees;
		// atan2 already lands in [-180, 180]; the wrap only guards the factor's rounding.
		if (Heading > 180.0)
		{
			Heading -= 360.0;
		}
		if (Heading < -180.0)
		{
			Heading += 360.0;
		}
		return FVector2D(Heading, Pitch);
	}

	bool DispatchHeadingPitchFromVector(const ECoordinateSystem VectorSystem, const ECoordinateSystem PositionSystem, const FCoordinateReferenceFrame& Frame,
		const FVector& Vector, const FVector& Position, FVector2D& OutHeadingPitchDeg)
	{
		if (!AcceptsSystems(VectorSystem, PositionSystem))
		{
			return false;
		}
		FVector LocalEnu;
		switch (VectorSystem)
		{
		case ECoordinateSystem::Local_NED:
			LocalEnu = FVector(Vector.Y, Vector.X, -Vector.Z);
			break;
		case ECoordinateSystem::Local_UE:
			LocalEnu = FVector(Vector.Y, Vector.X, Vector.Z);
			break;
		case ECoordinateSystem::Geocentric:
			// The geocentric vector in the local axes at the position.
			if (!DispatchVectorAtPositionConversion(PositionSystem, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, Frame, Position, Vector, LocalEnu))
			{
				return false;
			}
			break;
		default:
			LocalEnu = Vector;
			break;
		}
		OutHeadingPitchDeg = HeadingPitchFromLocalEnu(LocalEnu);
		return true;
	}

	bool DispatchVectorFromHeadingPitch(const ECoordinateSystem VectorSystem, const ECoordinateSystem PositionSystem, const FCoordinateReferenceFrame& Frame,
		const FVector2D& HeadingPitchDeg, const FVector& Position, FVector& OutVector)
	{
		if (!AcceptsSystems(VectorSystem, PositionSystem))
		{
			return false;
		}
		const double H = HeadingPitchDeg.X * DegreesToRadians;
		const double P = HeadingPitchDeg.Y * DegreesToRadians;
		const double SinH = FMath::Sin(H);
		const double CosH = FMath::Cos(H);
		const double SinP = FMath::Sin(P);
		const double CosP = FMath::Cos(P);
		const FVector LocalEnu(SinH * CosP, CosH * CosP, SinP);
		switch (VectorSystem)
		{
		case ECoordinateSystem::Local_NED:
			OutVector = FVector(CosH * CosP, SinH * CosP, -SinP);
			return true;
		case ECoordinateSystem::Local_UE:
			OutVector = FVector(CosH * CosP, SinH * CosP, SinP);
			return true;
		case ECoordinateSystem::Geocentric:
			return DispatchVectorAtPositionConversion(PositionSystem, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frame, Position, LocalEnu, OutVector);
		default:
			OutVector = LocalEnu;
			return true;
		}
	}
}
