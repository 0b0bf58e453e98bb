#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(HostMathTransform, FromMatrixSplitsScaleRotationAndTranslation)
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
		EXPECT_TRUE(TM.ToMatrixWithScale().Equals(Mirrored, 1e-10));
		ExpectVectorNear(TM.GetScale3D(), FVector(-Scale.X, Scale.Y, Scale.Z), 1e-12);
		// The rotation is proper: its matrix has determinant +1.
		EXPECT_NEAR(TM.ToMatrixNoScale().Determinant(), 1.0, 1e-12);
		EXPECT_TRUE(TM.IsValid());
	}

	// A zero row gives scale 0 on that axis and, as a near-zero row, the identity rotation.
	FMatrix Flat = FMatrix::Identity;
	Flat.SetAxis(1, FVector(0, 0, 0));
	const FTransform TFlat(Flat);
	EXPECT_EQ(TFlat.GetScale3D(), FVector(1, 0, 1));
	EXPECT_EQ(TFlat.GetRotation(), FQuat::Identity);
}

TEST(HostMathTransform, CompositionAndInverseAgreeWithMatrices)
{
	std::mt19937_64 Random(9);
	std::uniform_real_distribution<double> ScaleComponent(0.2, 3.0);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		// A transform scales before it rotates, so a product is a transform again only when B's scale is uniform.
		const FTransform A(RandomUnitQuat(Random), RandomVector(Random, 100.0), FVector(ScaleComponent(Random), ScaleComponent(Random), ScaleComponent(Random)));
		const FTransform B(RandomUnitQuat(Random), RandomVector(Random, 100.0), FVector(ScaleComponent(Random)));
		const FVector P = RandomVector(Random);
		// A * B applies A first.
		ExpectVectorNear((A * B).TransformPosition(P), B.TransformPosition(A.TransformPosition(P)), 1e-9);
		EXPECT_TRUE((A * B).ToMatrixWithScale().Equals(A.ToMatrixWithScale() * B.ToMatrixWithScale(), 1e-9));
		ExpectVectorNear(A.InverseTransformPosition(A.TransformPosition(P)), P, 1e-9);
		ExpectVectorNear(B.Inverse().TransformPosition(B.TransformPosition(P)), P, 1e-9);
		ExpectVectorNear((B * B.Inverse()).TransformPosition(P), P, 1e-9);
		ExpectVectorNear(A.TransformVector(P), A.ToMatrixWithScale().TransformVector(P), 1e-10);
		ExpectVectorNear(A.TransformPositionNoScale(P), A.ToMatrixNoScale().TransformPosition(P), 1e-10);
		ExpectVectorNear(A.InverseTransformPositionNoScale(A.TransformPositionNoScale(P)), P, 1e-10);
		ExpectVectorNear(A.GetScaledAxis(EAxis::Y), A.ToMatrixWithScale().GetScaledAxis(EAxis::Y), 1e-12);
		ExpectVectorNear(A.GetUnitAxis(EAxis::Z), A.ToMatrixNoScale().GetScaledAxis(EAxis::Z), 1e-12);
		// Relative to B, then B again, is A.
		EXPECT_TRUE((A.GetRelativeTransform(B) * B).Equals(A, 1e-9));
		const FQuat Q = RandomUnitQuat(Random);
		ExpectSameRotation(A.InverseTransformRotation(A.TransformRotation(Q)), Q, 1e-12);
		ExpectVectorNear(A.TransformRotation(Q).RotateVector(P), A.GetRotation().RotateVector(Q.RotateVector(P)), 1e-10);

		// A mirror in A goes through the matrices and still agrees with them.
		const FTransform Mirror(RandomUnitQuat(Random), RandomVector(Random, 100.0), FVector(-ScaleComponent(Random), ScaleComponent(Random), ScaleComponent(Random)));
		const FTransform MB = Mirror * B;
		EXPECT_TRUE(MB.ToMatrixWithScale().Equals(Mirror.ToMatrixWithScale() * B.ToMatrixWithScale(), 1e-9));
		EXPECT_LT(MB.GetScale3D().X, 0.0);
		ExpectVectorNear(MB.TransformPosition(P), B.TransformPosition(Mirror.TransformPosition(P)), 1e-9);
		ExpectVectorNear(A.InverseTransformVector(A.TransformVector(P)), P, 1e-9);
	}
	EXPECT_TRUE(FTransform::Identity.ToMatrixWithScale().Equals(FMatrix::Identity, 0.0));
}

TEST(HostMathTransform, ConstructionAndValidity)
{
	const FRotator R(10, 20, 30);
	const FVector T(1, 2, 3);
	const FVector S(2, 2, 2);
	const FTransform FromRotator(R, T, S);
	ExpectSameRotation(FromRotator.GetRotation(), R.Quaternion(), 1e-15);
	EXPECT_TRUE(FromRotator.Rotator().Equals(R, 1e-9));
	EXPECT_EQ(FTransform(T).GetTranslation(), T);
	EXPECT_EQ(FTransform(T).GetRotation(), FQuat::Identity);
	EXPECT_EQ(FTransform().GetScale3D(), FVector(1, 1, 1));
	EXPECT_TRUE(FTransform(FromRotator.ToMatrixWithScale()).Equals(FromRotator, 1e-12));

	FTransform Changed;
	Changed.SetLocation(T);
	Changed.SetScale3D(S);
	Changed.SetRotation(R.Quaternion());
	EXPECT_TRUE(Changed.Equals(FromRotator, 1e-15));
	EXPECT_EQ(Changed.GetLocation(), T);
	EXPECT_TRUE(Changed.IsValid());
	Changed.SetRotation(FQuat(0, 0, 0, 2));
	EXPECT_FALSE(Changed.IsValid());
	Changed.SetTranslation(FVector(std::nan(""), 0, 0));
	EXPECT_TRUE(Changed.ContainsNaN());
	// A zero scale has no inverse; the inverse position drops that axis rather than dividing by zero.
	const FTransform Flat(FQuat::Identity, FVector(0, 0, 0), FVector(1, 0, 1));
	EXPECT_EQ(Flat.InverseTransformPosition(FVector(1, 2, 3)), FVector(1, 0, 3));
}
