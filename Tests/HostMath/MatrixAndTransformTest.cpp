#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(HostMathMatrix, RowVectorsProductOrderAndInverse)
{
	std::mt19937_64 Random(6);
	std::uniform_real_distribution<double> Component(-3.0, 3.0);
	const auto RandomAffine = [&] {
		return FMatrix(FVector(Component(Random), Component(Random), Component(Random)), FVector(Component(Random), Component(Random), Component(Random)),
			FVector(Component(Random), Component(Random), Component(Random)), RandomVector(Random));
	};
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FMatrix A = RandomAffine();
		const FMatrix B = RandomAffine();
		const FVector P = RandomVector(Random);
		// A * B transforms by A first; rows are the images of the axes, row 3 the translation.
		ExpectVectorNear(FVector((A * B).TransformPosition(P)), FVector(B.TransformPosition(FVector(A.TransformPosition(P)))), 1e-10);
		ExpectVectorNear(FVector(A.TransformVector(FVector(0, 1, 0))), A.GetScaledAxis(EAxis::Y), 0.0);
		ExpectVectorNear(FVector(A.TransformPosition(FVector(0, 0, 0))), A.GetOrigin(), 0.0);
		EXPECT_TRUE((A * A.Inverse()).Equals(FMatrix::Identity, 1e-9));
		EXPECT_NEAR((A * B).Determinant(), A.Determinant() * B.Determinant(), 1e-9 * (1 + std::abs(A.Determinant() * B.Determinant())));
	}
	FMatrix Singular = FMatrix::Identity;
	Singular.SetAxis(2, FVector(0, 0, 0));
	EXPECT_EQ(Singular.Inverse(), FMatrix::Identity);
	// Singular with every axis present: the second row is twice the first.
	const FMatrix Flat(FVector(1, 2, 3), FVector(2, 4, 6), FVector(0, 1, 1), FVector(5, 6, 7));
	EXPECT_EQ(Flat.Determinant(), 0.0);
	EXPECT_EQ(Flat.Inverse(), FMatrix::Identity);
}

TEST(HostMathTransform, FromMatrixSplitsScaleMirrorRotationAndTranslation)
{
	std::mt19937_64 Random(8);
	std::uniform_real_distribution<double> ScaleComponent(0.1, 5.0);
	for (int Sample = 0; Sample < 500; ++Sample)
	{
		const FQuat Q = RandomUnitQuat(Random);
		const FVector Scale(ScaleComponent(Random), ScaleComponent(Random), ScaleComponent(Random));
		FMatrix M = ClosedFormRotationMatrix(Q);
		M.SetAxis(0, M.GetScaledAxis(EAxis::X) * Scale.X);
		M.SetAxis(1, M.GetScaledAxis(EAxis::Y) * -Scale.Y);
		M.SetAxis(2, M.GetScaledAxis(EAxis::Z) * Scale.Z);
		M.SetOrigin(RandomVector(Random, 1000.0));
		// The mirrored Y row comes back as a negative X scale and a proper rotation.
		const FTransform T(M);
		ExpectVectorNear(T.GetScale3D(), FVector(-Scale.X, Scale.Y, Scale.Z), 1e-12);
		ExpectVectorNear(T.GetTranslation(), M.GetOrigin(), 0.0);
		EXPECT_NEAR(T.GetRotation().SizeSquared(), 1.0, 1e-15);
		EXPECT_NEAR(T.ToMatrixNoScale().Determinant(), 1.0, 1e-12);
		EXPECT_TRUE(T.ToMatrixWithScale().Equals(M, 1e-10));
		EXPECT_TRUE(FTransform(T.GetRotation(), T.GetTranslation(), T.GetScale3D()).Equals(T, 0.0));
	}
	FMatrix Flat = FMatrix::Identity;
	Flat.SetAxis(1, FVector(0, 0, 0));
	EXPECT_EQ(FTransform(Flat).GetScale3D(), FVector(1, 0, 1));
	EXPECT_EQ(FTransform(Flat).GetRotation(), FQuat::Identity);
}

TEST(HostMathDefaults, UnwrittenValuesAreNaNButTheTransformIsTheIdentity)
{
	EXPECT_TRUE(FVector().ContainsNaN());
	EXPECT_TRUE(FVector2D().ContainsNaN());
	EXPECT_TRUE(FQuat().ContainsNaN());
	EXPECT_TRUE(FRotator().ContainsNaN());
	EXPECT_TRUE(FMatrix().ContainsNaN());
	EXPECT_TRUE(FTransform().Equals(FTransform::Identity, 0.0));
	EXPECT_TRUE(FTransform().ToMatrixWithScale().Equals(FMatrix::Identity, 0.0));
}

TEST(HostMathTransformDeathTest, MatricesNeedANormalizedRotation)
{
	const FTransform Unnormalized(FQuat(0, 0, 0, 2), FVector(0, 0, 0));
	EXPECT_FALSE(Unnormalized.IsRotationNormalized());
	EXPECT_DEATH(Unnormalized.ToMatrixWithScale(), "IsRotationNormalized");
	EXPECT_DEATH(Unnormalized.ToMatrixNoScale(), "IsRotationNormalized");
}
