#include "DuRizerudoreHeadingPitch.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudoreVectorConversion.h"

namespace DuRizerudore
{
	namespace
	{
		/** A heading needs a direction in some axes: Geodetic increments have none. */
		bool AcceptsSystems(const ECoordinateSystem VectorSystem, const ECoordinateSystem PositionSystem)
		{
			return IsKnownCoordinateSystem(VectorSystem) && VectorSystem != ECoordinateSystem::Geodetic && IsKnownCoordinateSystem(PositionSystem);
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
		FVector LocalEnu = LocalAxesToEnu(VectorSystem, Vector);
		// A geocentric vector is taken in the local axes at the position.
		if (VectorSystem == ECoordinateSystem::Geocentric
			&& !DispatchVectorAtPositionConversion(PositionSystem, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, Frame, Position, Vector, LocalEnu))
		{
			return false;
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
		if (VectorSystem == ECoordinateSystem::Geocentric)
		{
			return DispatchVectorAtPositionConversion(PositionSystem, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, Frame, Position, LocalEnu, OutVector);
		}
		OutVector = EnuToLocalAxes(VectorSystem, LocalEnu);
		return true;
	}
}
