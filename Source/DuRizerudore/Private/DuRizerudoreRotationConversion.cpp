#include "DuRizerudoreRotationConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"

#include "Math/Matrix.h"

namespace DuRizerudore
{
	namespace
	{
		FQuat Normalized(const FQuat& Q)
		{
			FQuat Result = Q;
			Result.Normalize();
			return Result;
		}

		/**
		 * The same rotation at a length whose square a double holds: a quaternion with finite components beyond about
		 * 1e154 is divided by its largest component, so that the normalisation does not square it to infinity and
		 * return zero. Every other quaternion, non-finite ones included, is returned as it is.
		 */
		FQuat ScaledToSquarableLength(const FQuat& Q)
		{
			if (FMath::IsFinite(Q.SizeSquared()))
			{
				return Q;
			}
			const double Largest = FMath::Max(FMath::Max(FMath::Abs(Q.X), FMath::Abs(Q.Y)), FMath::Max(FMath::Abs(Q.Z), FMath::Abs(Q.W)));
			if (!FMath::IsFinite(Largest))
			{
				return Q;
			}
			return FQuat(Q.X / Largest, Q.Y / Largest, Q.Z / Largest, Q.W / Largest);
		}

		/**
		 * The half turn that takes north-east-down components to east-north-up ones: the matrix whose rows are the
		 * images of the NED axes. Its sign fixes every output's.
		 */
		FQuat BuildNedToEnuRotation()
		{
			const FMatrix NedToEnu(LocalAxesToEnu(ECoordinateSystem::Local_NED, FVector(1.0, 0.0, 0.0)), LocalAxesToEnu(ECoordinateSystem::Local_NED, FVector(0.0, 1.0, 0.0)),
				LocalAxesToEnu(ECoordinateSystem::Local_NED, FVector(0.0, 0.0, 1.0)), FVector(0.0, 0.0, 0.0));
			return Normalized(NedToEnu.ToQuat());
		}

		bool IsRightHanded(const ECoordinateSystem System)
		{
			return System == ECoordinateSystem::Local_ENU || System == ECoordinateSystem::Local_NED || System == ECoordinateSystem::Geocentric;
		}

		/** The rotation from a system's axes to geocentric axes. */
		FQuat SystemToGeocentric(const ECoordinateSystem System, const FQuat& OriginRotation)
		{
			switch (System)
			{
			case ECoordinateSystem::Local_ENU:
				return Normalized(OriginRotation);
			case ECoordinateSystem::Local_NED:
			{
				// Built once through the matrix conversion, which fixes its sign: (sqrt(1/2), sqrt(1/2), 0, 0).
				static const FQuat NedToEnu = BuildNedToEnuRotation();
				return Normalized(OriginRotation * NedToEnu);
			}
			default:
				return FQuat::Identity;
			}
		}
	}

	bool DispatchRotationConversion(const ECoordinateSystem FromSystem, const ECoordinateSystem ToSystem, const FCoordinateReferenceFrame& Frame, const FQuat& InputRotation,
		FQuat& OutRotation)
	{
		const FQuat Rotation = ScaledToSquarableLength(InputRotation);
		if (FromSystem == ToSystem && (IsRightHanded(FromSystem) || FromSystem == ECoordinateSystem::Local_UE))
		{
			OutRotation = Normalized(Rotation);
			return true;
		}
		if (!IsRightHanded(FromSystem) || !IsRightHanded(ToSystem))
		{
			return false;
		}
		const FQuat OriginRotation = Frame.HasLocalFrame() ? FCoordinateReferenceFrameKernelAccess::GetLocalEnuToGeocentricRotation(Frame) : FQuat::Identity;
		// Grouped as K(To)^-1 * K(From), then applied to the input and normalised once.
		const FQuat Between = SystemToGeocentric(ToSystem, OriginRotation).Inverse() * SystemToGeocentric(FromSystem, OriginRotation);
		OutRotation = Normalized(Between * Rotation);
		return true;
	}
}
