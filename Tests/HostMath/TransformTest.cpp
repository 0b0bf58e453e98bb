#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(Transform, FromMatrixSplitsScaleRotationAndTranslation)
{
	std::mt19937_64 Random(8);
	std::uniform_real_distribution<double> ScaleComponent(0.1, 5.0);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FQuat Q = RandomUnitQuat(Random);
		const FVector Scale(ScaleComponent(Random), ScaleComponent(Random), ScaleComponent(Random));
		const FVector Translation = RandomVector(Random, 1000.0);
		FMatrix M = ClosedFormRotationMatrix(Q);
		M.SetAxis(0, M.GetScaledAxis(EAxis::X) * Scale.X);
		M.SetAxis(1, M.GetScaledAxis(EAxis::Y) * Scale.Y);
		M.SetAxis(2, M.GetScaledAxis(EAxis::Z) * Scale.Z);
		M.SetOrigin(Translation);

		const FTransform T(M);
		ExpectSameRotation(T.GetRotation(), Q, 1e-12);
		ExpectVectorNear(T.GetScale3D(), Scale, 1e-12);
		ExpectVectorNear(T.GetTranslation(), Translation, 0.0);
		EXPECT_NEAR(T.GetRotation().SizeSquared(), 1.0, 1e-15);
		EXPECT_TRUE(T.ToMatrixWithScale().Equals(M, 1e-10));

		// A mirrored matrix keeps a proper rotation and carries the mirror in a negative X scale.
		FMatrix Mirrored = M;
		Mirrored.SetAxis(1, -M.GetScaledAxis(EAxis::Y));
		const FTransform TM(Mirrored);
		EXPECT_LT(TM.GetScale3D().X, 0.0);
		EXPECT_GT(TM.GetScale3D().Y, 0.0);
		const FVector P = RandomVector(Random);
		ExpectVectorNear(TM.TransformPosition(P), Mirrored.TransformPosition(P), 1e-9);
	}

	// A zero row gives scale 0 on that axis and, as a near-zero row, the identity rotation.
	FMatrix Flat = FMatrix::Identity;
	Flat.SetAxis(1, FVector(0, 0, 0));
	const FTransform TFlat(Flat);
	EXPECT_EQ(TFlat.GetScale3D(), FVector(1, 0, 1));
	EXPECT_EQ(TFlat.GetRotation(), FQuat::Identity);
}

TEST(Transform, CompositionAndInverseAgreeWithMatrices)
{
	std::mt19937_64 Random(9);
	std::uniform_real_distribution<double> ScaleComponent(0.2, 3.0);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FTransform A(RandomUnitQuat(Random), RandomVector(Random, 100.0), FVector(ScaleComponent(Random)));
		const FTransform B(RandomUnitQuat(Random), RandomVector(Random, 100.0), FVector(ScaleComponent(Random)));
		const FVector P = RandomVector(Random);
		// A * B applies A first.
		ExpectVectorNear((A * B).TransformPosition(P), B.TransformPosition(A.TransformPosition(P)), 1e-9);
		EXPECT_TRUE((A * B).ToMatrixWithScale().Equals(A.ToMatrixWithScale() * B.ToMatrixWithScale(), 1e-9));
		ExpectVectorNear(A.InverseTransformPosition(A.TransformPosition(P)), P, 1e-9);
		ExpectVectorNear(A.Inverse().TransformPosition(A.TransformPosition(P)), P, 1e-9);
		ExpectVectorNear(A.InverseTransformVector(A.TransformVector(P)), P, 1e-9);
	}
	EXPECT_TRUE(FTransform::Identity.ToMatrixWithScale().Equals(FMatrix::Identity, 0.0));
}
