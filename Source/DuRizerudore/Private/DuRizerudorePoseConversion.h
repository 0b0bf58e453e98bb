// Whole poses (three axes and a position) between a reference frame's engine-local system and ECEF.
// Internal to the module: the coordinate-system actor and the anchor component build on it.
#pragma once

#include "CoreMinimal.h"
#include "DuRizerudoreConversion.h"
#include "Math/Matrix.h"
#include "Math/Quat.h"
#include "Math/Transform.h"
#include "Math/Vector.h"

namespace DuRizerudore
{
	/**
	 * The engine's axes at a geodetic point (latitude, longitude in degrees) as ECEF directions: row 0 true north,
	 * row 1 east, row 2 up (the ellipsoid normal), row 3 (0, 0, 0, 1). The height does not enter.
	 */
	FMatrix BuildEngineAxesToEcefBasis(double LatitudeDeg, double LongitudeDeg);

	/**
	 * The geodetic form of an ECEF position in metres through the instance's ellipsoid (latitude, longitude in
	 * degrees, height above the ellipsoid in metres, as the instance's WorldPositionToGeodetic) and the engine's
	 * axes at that point (as BuildEngineAxesToEcefBasis), both from one GeographicLib call. A non-finite position
	 * gives non-finite results. The instance must be initialized.
	 */
	FVector ConvertEcefToGeodeticWithEngineAxes(const FCoordinateConversionInstance& Instance, const FVector& EcefPosition, FMatrix& OutEngineAxesToEcef);

	/**
	 * Points the axis of that index (0 X, 1 Y, 2 Z) of an engine-axes triple given as ECEF directions along
	 * Direction (any length), and makes the other two an orthonormal completion in the engine's handedness: the
	 * kept axis (Y for X, X for Y and Z) is made perpendicular by Gram-Schmidt, staying in its plane with the new
	 * axis, and the third is their cross product; the nearest rotation with that axis. A kept axis parallel to
	 * the new one gives way to the third. False, Axes untouched, for a zero or non-finite Direction.
	 */
	bool OrthonormalizeAroundAxis(FVector (&Axes)[3], int32 AxisIndex, const FVector& Direction);

	/**
	 * A pose matrix: rows 0, 1 and 2 are Rotation applied to the unit X, Y and Z axes, row 3 is Position; the
	 * fourth column is (0, 0, 0, 1). The rotation is used as it is, not renormalised.
	 */
	FMatrix MakePoseMatrix(const FQuat& Rotation, const FVector& Position);

	/**
	 * The engine's decomposition of a pose matrix with its scale dropped: the axes are normalised row by row, a
	 * negative determinant flips the X axis, degenerate axes give the identity, and the rotation is normalised
	 * (a squared length below 1e-8 gives the identity). OutPosition is row 3.
	 */
	void DecomposePoseMatrix(const FMatrix& Pose, FVector& OutPosition, FQuat& OutRotation);

	/**
	 * A Local_UE pose matrix (axes in engine axes, X north, Y east, Z up; position in centimetres) as an ECEF pose
	 * matrix (axes as ECEF directions, position in metres) through the frame's local frame: grid axes turned by
	 * the meridian convergence at the pose's position in a UTM frame, the origin's tangent axes in a tangent-plane
	 * frame, the geocentric axes themselves without a local frame. Axes are rotated, never scaled. False, output
	 * untouched, when a UTM/UPS frame cannot project the position or a value of the pose or of its result is not
	 * finite. The frame must be initialized.
	 */
	bool ConvertLocalUePoseToEcefPose(const FCoordinateReferenceFrame& Frame, const FMatrix& LocalUePose, FMatrix& OutEcefPose);

	/** The exact inverse of ConvertLocalUePoseToEcefPose, with the same refusals. */
	bool ConvertEcefPoseToLocalUePose(const FCoordinateReferenceFrame& Frame, const FMatrix& EcefPose, FMatrix& OutLocalUePose);

	/**
	 * An engine-local transform (Local_UE, centimetres) as an ECEF pose matrix through the frame: its scale is
	 * ignored and its rotation used as it is. False, output untouched, as ConvertLocalUePoseToEcefPose.
	 */
	bool ConvertLocalUeTransformToEcefPose(const FCoordinateReferenceFrame& Frame, const FTransform& LocalTransform, FMatrix& OutEcefPose);

	/**
	 * An ECEF pose matrix as an engine-local transform with scale 1, decomposed as DecomposePoseMatrix does. False,
	 * output untouched, as ConvertEcefPoseToLocalUePose.
	 */
	bool ConvertEcefPoseToLocalUeTransform(const FCoordinateReferenceFrame& Frame, const FMatrix& EcefPose, FTransform& OutLocalTransform);
}
