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

		/**
		 * The same direction at a length whose squared components a double holds: a vector whose largest component lies
		 * outside [1e-100, 1e100] is divided by that component, so that the horizontal length of the pitch neither
		 * overflows (pitch 0 for any steep vector) nor underflows (pitch 90). Zero and non-finite vectors are returned as
		 * they are.
		 */
		FVector ScaledDirection(const FVector& Vector)
		{
			const double Largest = FMath::Max(FMath::Max(FMath::Abs(Vector.X), FMath::Abs(Vector.Y)), FMath::Abs(Vector.Z));
			if (Largest == 0.0 || !FMath::IsFinite(Largest) || (Largest >= 1e-100 && Largest <= 1e100))
			{
				return Vector;
			}
			return FVector(Vector.X / Largest, Vector.Y / Largest, Vector.Z / Largest);
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
		const FVector& InputVector, const FVector& Position, FVector2D& OutHeadingPitchDeg)
	{
		if (!AcceptsSystems(VectorSystem, PositionSystem))
		{
			return false;
		}
		// Only the direction matters, so a vector of any finite length is first brought to one the formulas can square.
		const FVector Vector = ScaledDirection(InputVector);
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
