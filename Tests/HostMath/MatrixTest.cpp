#include "MathTestSupport.h"

#include "Logging/HostLogCapture.h"

using namespace UE::HostMathTest;

namespace
{
	FMatrix RandomAffine(std::mt19937_64& Random)
	{
		std::uniform_real_distribution<double> Component(-3.0, 3.0);
		FMatrix M;
		for (int Row = 0; Row < 4; ++Row)
		{
			for (int Column = 0; Column < 3; ++Column)
			{
				M.M[Row][Column] = Component(Random);
			}
		}
		M.M[3][3] = 1.0;
		return M;
	}
}

TEST(Matrix, RowVectorsAndProductOrder)
{
	std::mt19937_64 Random(6);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FMatrix A = RandomAffine(Random);
		const FMatrix B = RandomAffine(Random);
		const FVector P = RandomVector(Random);
		// A * B transforms by A first, then by B.
		ExpectVectorNear((A * B).TransformPosition(P), B.TransformPosition(A.TransformPosition(P)), 1e-10);
		// Rows are the images of the axes; row 3 is the translation.
		ExpectVectorNear(A.TransformVector(FVector(0, 1, 0)), A.GetScaledAxis(EAxis::Y), 0.0);
		ExpectVectorNear(A.TransformPosition(FVector(0, 0, 0)), A.GetOrigin(), 0.0);

		const FMatrix Inverse = A.Inverse();
		EXPECT_TRUE((A * Inverse).Equals(FMatrix::Identity, 1e-9));
		EXPECT_TRUE((Inverse * A).Equals(FMatrix::Identity, 1e-9));
		ExpectVectorNear(Inverse.TransformPosition(A.TransformPosition(P)), P, 1e-9);
		EXPECT_NEAR(A.Determinant() * Inverse.Determinant(), 1.0, 1e-9);
	}
	// A singular matrix has no inverse; the identity comes back.
	EXPECT_EQ(FMatrix().Inverse(), FMatrix::Identity);
}

TEST(Matrix, ToQuatMatchesTheRotationInEveryBranch)
{
	std::mt19937_64 Random(7);
	for (int Sample = 0; Sample < 2000; ++Sample)
	{
		const FQuat Q = RandomUnitQuat(Random);
		const FMatrix M = ClosedFormRotationMatrix(Q);
		ExpectSameRotation(M.ToQuat(), Q, 1e-12);
		ExpectSameRotation(FQuat(M), Q, 1e-12);
	}
	// Half turns put the trace at -1, so each of the three diagonal branches is taken.
	for (const FVector& Axis : {FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 1), FVector(1, 1, 0).GetSafeNormal(), FVector(0, 1, 1).GetSafeNormal()})
	{
		const FQuat HalfTurn(Axis, M_PI);
		ExpectSameRotation(ClosedFormRotationMatrix(HalfTurn).ToQuat(), HalfTurn, 1e-12);
	}
	EXPECT_EQ(FMatrix::Identity.ToQuat(), FQuat::Identity);
}

TEST(Matrix, ToQuatFallsBackToTheIdentity)
{
	FHostLogCapture Capture;
	// A row that is (nearly) zero: the identity, silently.
	FMatrix ZeroRow = ClosedFormRotationMatrix(FQuat(FVector(0, 0, 1), 0.3));
	ZeroRow.SetAxis(1, FVector(1e-5, -9e-5, 0));
	EXPECT_EQ(ZeroRow.ToQuat(), FQuat::Identity);
	EXPECT_EQ(Capture.CountEnsures(), 0);

	// A scaled row: the identity, and a failed ensure reported only the first time.
	FMatrix Scaled = ClosedFormRotationMatrix(FQuat(FVector(0, 0, 1), 0.3));
	Scaled.SetAxis(0, Scaled.GetScaledAxis(EAxis::X) * 2.0);
	EXPECT_EQ(Scaled.ToQuat(), FQuat::Identity);
	EXPECT_EQ(FQuat(Scaled), FQuat::Identity);
	EXPECT_EQ(Scaled.ToQuat(), FQuat::Identity);
	EXPECT_EQ(Capture.CountEnsures(), 1);

	// Within the 1e-4 tolerance on the squared length it still converts.
	FMatrix SlightlyOff = ClosedFormRotationMatrix(FQuat(FVector(0, 0, 1), 0.3));
	SlightlyOff.SetAxis(2, FVector(0, 0, 1.00004));
	EXPECT_FALSE(SlightlyOff.ToQuat().Equals(FQuat::Identity, 1e-3));
	EXPECT_EQ(Capture.CountEnsures(), 1);
}

TEST(Matrix, ScalingIsExtractedPerRow)
{
	FMatrix M = ClosedFormRotationMatrix(FQuat(FVector(0, 1, 0), 0.7));
	M.SetAxis(0, M.GetScaledAxis(EAxis::X) * 3.0);
	M.SetAxis(2, FVector(0, 0, 0));
	const FVector Scale = M.ExtractScaling();
	EXPECT_NEAR(Scale.X, 3.0, 1e-15);
	EXPECT_NEAR(Scale.Y, 1.0, 1e-15);
	EXPECT_EQ(Scale.Z, 0.0);
	EXPECT_NEAR(M.GetScaledAxis(EAxis::X).Size(), 1.0, 1e-15);
	EXPECT_EQ(M.GetScaledAxis(EAxis::Z), FVector(0, 0, 0));
}
