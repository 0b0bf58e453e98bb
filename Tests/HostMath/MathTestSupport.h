// Random rotations and closed-form rotation matrices for the math tests.
#pragma once

#include "CoreMinimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace UE::HostMathTest
{
	inline FQuat RandomUnitQuat(std::mt19937_64& Random)
	{
		std::normal_distribution<double> Gaussian;
		FQuat Q(Gaussian(Random), Gaussian(Random), Gaussian(Random), Gaussian(Random));
		Q.Normalize();
		return Q;
	}

	inline FVector RandomVector(std::mt19937_64& Random, double Range = 10.0)
	{
		std::uniform_real_distribution<double> Component(-Range, Range);
		return FVector(Component(Random), Component(Random), Component(Random));
	}

	/** Rodrigues' rotation of V about the unit axis K by Angle (right-handed). */
	inline FVector Rodrigues(const FVector& V, const FVector& K, double Angle)
	{
		return V * std::cos(Angle) + FVector::CrossProduct(K, V) * std::sin(Angle) + K * (FVector::DotProduct(K, V) * (1.0 - std::cos(Angle)));
	}

	/** The matrix whose rows are the images of the axes under Q, computed from the closed form of a unit quaternion. */
	inline FMatrix ClosedFormRotationMatrix(const FQuat& Q)
	{
		const double X = Q.X, Y = Q.Y, Z = Q.Z, W = Q.W;
		FMatrix M = FMatrix::Identity;
		// Column-vector rotation matrix R; rows of the row-vector matrix are its columns.
		const double R[3][3] = {{1 - 2 * (Y * Y + Z * Z), 2 * (X * Y - Z * W), 2 * (X * Z + Y * W)},
			{2 * (X * Y + Z * W), 1 - 2 * (X * X + Z * Z), 2 * (Y * Z - X * W)},
			{2 * (X * Z - Y * W), 2 * (Y * Z + X * W), 1 - 2 * (X * X + Y * Y)}};
		for (int Row = 0; Row < 3; ++Row)
		{
			for (int Column = 0; Column < 3; ++Column)
			{
				M.M[Row][Column] = R[Column][Row];
			}
		}
		return M;
	}

	inline void ExpectVectorNear(const FVector& Actual, const FVector& Expected, double Tolerance)
	{
		EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
		EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
		EXPECT_NEAR(Actual.Z, Expected.Z, Tolerance);
	}

	/** Same rotation: q and -q alike. */
	inline void ExpectSameRotation(const FQuat& Actual, const FQuat& Expected, double Tolerance)
	{
		EXPECT_TRUE(Actual.Equals(Expected, Tolerance)) << "(" << Actual.X << ", " << Actual.Y << ", " << Actual.Z << ", " << Actual.W << ") vs ("
														<< Expected.X << ", " << Expected.Y << ", " << Expected.Z << ", " << Expected.W << ")";
	}
}
