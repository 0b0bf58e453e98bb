#include "DuRizerudorePoseConversion.h"

#include "DuRizerudoreConversionInternal.h"
#include "DuRizerudoreLocalSystems.h"
#include "DuRizerudorePositionConversion.h"

#include "Math/Transform.h"

THIRD_PARTY_INCLUDES_START
#include <GeographicLib/Geocentric.hpp>
THIRD_PARTY_INCLUDES_END

#include <vector>

namespace DuRizerudore
{
	namespace
	{
		/**
		 * How a pose's axes turn between engine axes (north, east, up) and ECEF at one place: the local axes
		 * swapped into east-north-up, grid axes turned into true ones by the meridian convergence (zero outside a
		 * UTM frame), then east-north-up rotated into ECEF. Without a local frame, local east-north-up is ECEF.
		 */
		struct FPoseAxes
		{
			FQuat EnuToGeocentric = FQuat::Identity;
			double ConvergenceDeg = 0.0;
			bool bHasLocalFrame = false;

			FVector EngineAxisToEcef(const FVector& Axis) const
			{
				const FVector LocalEnu = LocalAxesToEnu(ECoordinateSystem::Local_UE, Axis);
				return bHasLocalFrame ? EnuToGeocentric.RotateVector(TurnGridAndTrue(LocalEnu, EGridTurn::GridToTrue)) : LocalEnu;
			}

			FVector EcefToEngineAxis(const FVector& Direction) const
			{
				const FVector LocalEnu = bHasLocalFrame ? TurnGridAndTrue(EnuToGeocentric.UnrotateVector(Direction), EGridTurn::TrueToGrid) : Direction;
				return EnuToLocalAxes(ECoordinateSystem::Local_UE, LocalEnu);
			}

			/** Grid and true axes are the same without convergence (a tangent plane): the turn by zero is skipped, it would change nothing. */
			FVector TurnGridAndTrue(const FVector& Vector, const EGridTurn Turn) const
			{
				return ConvergenceDeg == 0.0 ? Vector : TurnBetweenGridAndTrueAxes(Vector, ConvergenceDeg, Turn);
			}
		};

		/**
		 * The axes of the frame at a geodetic point: the point matters only in a UTM frame, whose grid turns against
		 * true north from place to place. False when the UTM/UPS projection refuses the point.
		 */
		bool TryMakePoseAxes(const FCoordinateReferenceFrame& Frame, const FVector& GeodeticPosition, FPoseAxes& OutAxes)
		{
			OutAxes.bHasLocalFrame = Frame.HasLocalFrame();
			if (!Frame.UsesPositionDependentLocalFrame())
			{
				OutAxes.EnuToGeocentric = FCoordinateReferenceFrameKernelAccess::GetLocalEnuToGeocentricRotation(Frame);
				return true;
			}
			OutAxes.EnuToGeocentric = BuildEnuToGeocentricRotation(GeodeticPosition.X, GeodeticPosition.Y);
			return FCoordinateReferenceFrameKernelAccess::TryGetGridConvergenceDegAtGeodetic(Frame, GeodeticPosition, OutAxes.ConvergenceDeg);
		}
	}

	FMatrix BuildEngineAxesToEcefBasis(const double LatitudeDeg, const double LongitudeDeg)
	{
		const FQuat EnuToGeocentric = BuildEnuToGeocentricRotation(LatitudeDeg, LongitudeDeg);
		FMatrix Basis = FMatrix::Identity;
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			FVector Unit(0.0, 0.0, 0.0);
			Unit[Axis] = 1.0;
			Basis.SetAxis(Axis, EnuToGeocentric.RotateVector(LocalAxesToEnu(ECoordinateSystem::Local_UE, Unit)));
		}
		return Basis;
	}

	FVector ConvertEcefToGeodeticWithEngineAxes(const FCoordinateConversionInstance& Instance, const FVector& EcefPosition, FMatrix& OutEngineAxesToEcef)
	{
		// GeographicLib fills the point's east-north-up-to-ECEF rotation (row-major) only into a vector of nine; one
		// per thread spares an allocation per call.
		thread_local std::vector<double> EnuToEcef(9, 0.0);
		FVector Geodetic(0.0, 0.0, 0.0);
		FCoordinateConversionKernelAccess::GetGeocentric(Instance)->Reverse(EcefPosition.X, EcefPosition.Y, EcefPosition.Z, Geodetic.X, Geodetic.Y, Geodetic.Z, EnuToEcef);
		// Its columns are east, north and up as ECEF directions; the engine's axes are north, east, up.
		const double* const R = EnuToEcef.data();
		OutEngineAxesToEcef = FMatrix::Identity;
		OutEngineAxesToEcef.SetAxis(0, FVector(R[1], R[4], R[7]));
		OutEngineAxesToEcef.SetAxis(1, FVector(R[0], R[3], R[6]));
		OutEngineAxesToEcef.SetAxis(2, FVector(R[2], R[5], R[8]));
		return Geodetic;
	}

	bool OrthonormalizeAroundAxis(FVector (&Axes)[3], const int32 AxisIndex, const FVector& Direction)
	{
		if (AxisIndex < 0 || AxisIndex > 2 || Direction.ContainsNaN())
		{
			return false;
		}
		const FVector Set = Direction.GetSafeNormal();
		if (Set.IsZero())
		{
			return false;
		}
		// The axis kept in its plane with the new one, and the third; X keeps Y, the others keep X (forward).
		const int32 Kept = AxisIndex == 0 ? 1 : 0;
		const int32 Third = 3 - AxisIndex - Kept;
		const auto PerpendicularPart = [&Set](const FVector& Axis)
		{
			return (Axis - Set * (Axis | Set)).GetSafeNormal(1e-12);
		};
		FVector KeptAxis = PerpendicularPart(Axes[Kept]);
		FVector ThirdAxis(0.0, 0.0, 0.0);
		// Engine axes in ECEF satisfy Z = Y x X, X = Z x Y and Y = X x Z.
		const auto Cross = [](const int32 First, const FVector& A, const int32 Second, const FVector& B)
		{
			// The cyclic order (X, Z, Y) gives the third axis as First x Second; the other order reverses it.
			const bool bCyclic = (First == 0 && Second == 2) || (First == 2 && Second == 1) || (First == 1 && Second == 0);
			return bCyclic ? (A ^ B) : (B ^ A);
		};
		if (!KeptAxis.IsZero())
		{
			ThirdAxis = Cross(AxisIndex, Set, Kept, KeptAxis);
		}
		else
		{
			ThirdAxis = PerpendicularPart(Axes[Third]);
			if (ThirdAxis.IsZero())
			{
				return false;
			}
			KeptAxis = Cross(Third, ThirdAxis, AxisIndex, Set);
		}
		Axes[AxisIndex] = Set;
		Axes[Kept] = KeptAxis;
		Axes[Third] = ThirdAxis;
		return true;
	}

	FMatrix MakePoseMatrix(const FQuat& Rotation, const FVector& Position)
	{
		FMatrix Pose = FMatrix::Identity;
		Pose.SetAxis(0, Rotation.RotateVector(FVector(1.0, 0.0, 0.0)));
		Pose.SetAxis(1, Rotation.RotateVector(FVector(0.0, 1.0, 0.0)));
		Pose.SetAxis(2, Rotation.RotateVector(FVector(0.0, 0.0, 1.0)));
		Pose.SetOrigin(Position);
		return Pose;
	}

	void DecomposePoseMatrix(const FMatrix& Pose, FVector& OutPosition, FQuat& OutRotation)
	{
		// The steps of the engine's transform-from-matrix, without the scale it would also keep: rows normalised, X
		// flipped for a mirrored basis, the rotation of the normalised rows, normalised.
		FMatrix Axes = Pose;
		Axes.ExtractScaling();
		if (Pose.Determinant() < 0.0)
		{
			Axes.SetAxis(0, -Axes.GetScaledAxis(EAxis::X));
		}
		FQuat Rotation(Axes);
		Rotation.Normalize();
		OutPosition = Pose.GetOrigin();
		OutRotation = Rotation.GetNormalized(UE_SMALL_NUMBER);
	}

	bool ConvertLocalUePoseToEcefPose(const FCoordinateReferenceFrame& Frame, const FMatrix& LocalUePose, FMatrix& OutEcefPose)
	{
		if (LocalUePose.ContainsNaN())
		{
			return false;
		}
		const FVector LocalEnu = LocalPositionToEnu(ECoordinateSystem::Local_UE, LocalUePose.GetOrigin());
		FVector EcefPosition(0.0, 0.0, 0.0);
		FVector Geodetic(0.0, 0.0, 0.0);
		FPoseAxes Axes;
		if (!TryConvertLocalEnuToGeocentric(Frame, LocalEnu, EcefPosition)
			|| (Frame.UsesPositionDependentLocalFrame() && !TryConvertLocalEnuToGeodetic(Frame, LocalEnu, Geodetic))
			|| !TryMakePoseAxes(Frame, Geodetic, Axes))
		{
			return false;
		}
		FMatrix EcefPose = FMatrix::Identity;
		for (int32 Row = 0; Row < 3; ++Row)
		{
			EcefPose.SetAxis(Row, Axes.EngineAxisToEcef(FVector(LocalUePose.M[Row][0], LocalUePose.M[Row][1], LocalUePose.M[Row][2])));
		}
		EcefPose.SetOrigin(EcefPosition);
		if (EcefPose.ContainsNaN())
		{
			return false;
		}
		OutEcefPose = EcefPose;
		return true;
	}

	bool ConvertEcefPoseToLocalUePose(const FCoordinateReferenceFrame& Frame, const FMatrix& EcefPose, FMatrix& OutLocalUePose)
	{
		if (EcefPose.ContainsNaN())
		{
			return false;
		}
		const FVector EcefPosition = EcefPose.GetOrigin();
		FVector LocalEnu(0.0, 0.0, 0.0);
		// A UTM frame's axes turn with the point's own convergence, found from the ECEF position directly.
		const FVector Geodetic = Frame.UsesPositionDependentLocalFrame()
			? FCoordinateConversionKernelAccess::WorldPositionToGeodetic(*Frame.GetConversion(), EcefPosition)
			: FVector(0.0, 0.0, 0.0);
		FPoseAxes Axes;
		if (!TryConvertGeocentricToLocalEnu(Frame, EcefPosition, LocalEnu) || !TryMakePoseAxes(Frame, Geodetic, Axes))
		{
			return false;
		}
		FMatrix LocalUePose = FMatrix::Identity;
		for (int32 Row = 0; Row < 3; ++Row)
		{
			LocalUePose.SetAxis(Row, Axes.EcefToEngineAxis(FVector(EcefPose.M[Row][0], EcefPose.M[Row][1], EcefPose.M[Row][2])));
		}
		LocalUePose.SetOrigin(EnuToLocalPosition(ECoordinateSystem::Local_UE, LocalEnu));
		if (LocalUePose.ContainsNaN())
		{
			return false;
		}
		OutLocalUePose = LocalUePose;
		return true;
	}

	bool ConvertLocalUeTransformToEcefPose(const FCoordinateReferenceFrame& Frame, const FTransform& LocalTransform, FMatrix& OutEcefPose)
	{
		return ConvertLocalUePoseToEcefPose(Frame, MakePoseMatrix(LocalTransform.GetRotation(), LocalTransform.GetTranslation()), OutEcefPose);
	}

	bool ConvertEcefPoseToLocalUeTransform(const FCoordinateReferenceFrame& Frame, const FMatrix& EcefPose, FTransform& OutLocalTransform)
	{
		FMatrix LocalUePose;
		if (!ConvertEcefPoseToLocalUePose(Frame, EcefPose, LocalUePose))
		{
			return false;
		}
		FVector Position;
		FQuat Rotation;
		DecomposePoseMatrix(LocalUePose, Position, Rotation);
		OutLocalTransform = FTransform(Rotation, Position, FVector(1.0, 1.0, 1.0));
		return true;
	}
}
