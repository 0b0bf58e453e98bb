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

TEST(HostMathMatrix, RowVectorsAndProductOrder)
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

TEST(HostMathMatrix, ToQuatMatchesTheRotationInEveryBranch)
{
	std::mt19937_64 Random(7);
	for (int Sample = 0; Sample < 2000; ++Sample)
	{
		const FQuat Q = RandomUnitQuat(Random);
		const FMatrix M = ClosedFormRotationMatrix(Q);
		ExpectSameRotation(M.ToQuat(), Q, 1e-12);
		ExpectSameRotation(FQuat(M), Q, 1e-12);
	}
	// Turns of 120 degrees or more put the trace at or below 0; the largest diagonal then belongs to the axis
	// component of largest magnitude, so every diagonal branch gets random samples.
	std::uniform_real_distribution<double> LargeAngle(2 * M_PI / 3, M_PI);
	int BranchSamples[3] = {0, 0, 0};
	for (int Sample = 0; Sample < 3000; ++Sample)
	{
		const FVector Axis = RandomVector(Random).GetSafeNormal();
		const FQuat Q(Axis, LargeAngle(Random));
		const FMatrix M = ClosedFormRotationMatrix(Q);
		ASSERT_LE(M.M[0][0] + M.M[1][1] + M.M[2][2], 1e-12);
		const FVector AbsAxis = Axis.GetAbs();
		++BranchSamples[AbsAxis.X >= AbsAxis.Y && AbsAxis.X >= AbsAxis.Z ? 0 : (AbsAxis.Y >= AbsAxis.Z ? 1 : 2)];
		ExpectSameRotation(M.ToQuat(), Q, 1e-12);
	}
	for (const int Count : BranchSamples)
	{
		EXPECT_GT(Count, 500);
	}
	// Exact half turns put the trace at -1.
	for (const FVector& Axis : {FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 1), FVector(1, 1, 0).GetSafeNormal(), FVector(0, 1, 1).GetSafeNormal()})
	{
		const FQuat HalfTurn(Axis, M_PI);
		ExpectSameRotation(ClosedFormRotationMatrix(HalfTurn).ToQuat(), HalfTurn, 1e-12);
	}
	EXPECT_EQ(FMatrix::Identity.ToQuat(), FQuat::Identity);
}

TEST(HostMathMatrix, ToQuatFallsBackToTheIdentity)
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

TEST(HostMathMatrix, DeterminantTransposeAndAxes)
{
	std::mt19937_64 Random(10);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FMatrix A = RandomAffine(Random);
		const FMatrix B = RandomAffine(Random);
		EXPECT_NEAR((A * B).Determinant(), A.Determinant() * B.Determinant(), 1e-9 * (1 + std::abs(A.Determinant() * B.Determinant())));
		// An affine matrix: the full determinant is that of the upper block.
		EXPECT_NEAR(A.Determinant(), A.RotDeterminant(), 1e-10);
		EXPECT_EQ(A.GetTransposed().GetTransposed(), A);
		const FMatrix R = ClosedFormRotationMatrix(RandomUnitQuat(Random));
		EXPECT_TRUE((R * R.GetTransposed()).Equals(FMatrix::Identity, 1e-14));
		EXPECT_NEAR(R.Determinant(), 1.0, 1e-14);
		const FVector P = RandomVector(Random);
		ExpectVectorNear(A.InverseTransformPosition(A.TransformPosition(P)), P, 1e-9);
	}
	FMatrix M = FMatrix::Identity;
	M.SetAxis(0, FVector(2, 0, 0));
	M.SetAxis(1, FVector(0, 3, 0));
	M.SetAxis(2, FVector(0, 0, -4));
	EXPECT_EQ(M.Determinant(), -24.0);
	M.SetOrigin(FVector(5, 6, 7));
	EXPECT_EQ(M.GetOrigin(), FVector(5, 6, 7));
	EXPECT_EQ(M.GetUnitAxis(EAxis::Z), FVector(0, 0, -1));
	EXPECT_EQ(M.GetScaleVector(), FVector(2, 3, 4));
	EXPECT_EQ(M.GetMaximumAxisScale(), 4.0);
	EXPECT_TRUE(M.ContainsNaN() == false);
	M.M[1][2] = std::nan("");
	EXPECT_TRUE(M.ContainsNaN());
}

TEST(HostMathMatrix, ScalingIsExtractedPerRow)
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
