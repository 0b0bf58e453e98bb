#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(Quaternion, ProductIsHamiltonsAndAppliesTheRightFactorFirst)
{
	std::mt19937_64 Random(1);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FQuat A = RandomUnitQuat(Random);
		const FQuat B = RandomUnitQuat(Random);
		const FQuat P = A * B;
		// The Hamilton product written as the left-multiplication matrix of A acting on B.
		EXPECT_NEAR(P.W, A.W * B.W - A.X * B.X - A.Y * B.Y - A.Z * B.Z, 1e-15);
		EXPECT_NEAR(P.X, A.W * B.X + A.X * B.W + A.Y * B.Z - A.Z * B.Y, 1e-15);
		EXPECT_NEAR(P.Y, A.W * B.Y - A.X * B.Z + A.Y * B.W + A.Z * B.X, 1e-15);
		EXPECT_NEAR(P.Z, A.W * B.Z + A.X * B.Y - A.Y * B.X + A.Z * B.W, 1e-15);

		const FVector V = RandomVector(Random);
		ExpectVectorNear(P.RotateVector(V), A.RotateVector(B.RotateVector(V)), 1e-12);
		ExpectVectorNear(P.UnrotateVector(P.RotateVector(V)), V, 1e-12);
		ExpectVectorNear((A * A.Inverse()).RotateVector(V), V, 1e-12);
	}
	// i * j = k.
	const FQuat K = FQuat(1, 0, 0, 0) * FQuat(0, 1, 0, 0);
	EXPECT_EQ(K, FQuat(0, 0, 1, 0));
}

TEST(Quaternion, RotationMatchesRodriguesAndTheClosedFormMatrix)
{
	std::mt19937_64 Random(2);
	std::uniform_real_distribution<double> Angle(-2 * M_PI, 2 * M_PI);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FVector Axis = RandomVector(Random).GetSafeNormal();
		const double Theta = Angle(Random);
		const FQuat Q(Axis, Theta);
		EXPECT_NEAR(Q.W, std::cos(Theta / 2), 1e-15);
		EXPECT_NEAR(Q.SizeSquared(), 1.0, 1e-14);
		const FVector V = RandomVector(Random);
		ExpectVectorNear(Q.RotateVector(V), Rodrigues(V, Axis, Theta), 1e-12);
		ExpectVectorNear(Q * V, Rodrigues(V, Axis, Theta), 1e-12);
		ExpectVectorNear(Q.UnrotateVector(V), Rodrigues(V, Axis, -Theta), 1e-12);
		ExpectVectorNear(ClosedFormRotationMatrix(Q).TransformVector(V), Q.RotateVector(V), 1e-12);
	}
	// A quarter turn about Z carries X to Y.
	ExpectVectorNear(FQuat(FVector(0, 0, 1), M_PI / 2).RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
}

TEST(Quaternion, NormalisationFallsBackToTheIdentity)
{
	FQuat Zero(0, 0, 0, 0);
	Zero.Normalize();
	EXPECT_EQ(Zero, FQuat::Identity);

	// Below the threshold of 1e-8 on the squared length (the single-precision constant, widened).
	FQuat Tiny(5e-5, 5e-5, 5e-5, 4e-5);
	ASSERT_LT(Tiny.SizeSquared(), 1e-8);
	EXPECT_EQ(Tiny.GetNormalized(), FQuat::Identity);

	FQuat JustAbove(1e-4, 0, 0, 0);
	ASSERT_GE(JustAbove.SizeSquared(), double(1e-8f));
	JustAbove.Normalize();
	EXPECT_NEAR(JustAbove.X, 1.0, 1e-12);

	FQuat Ordinary(1, 2, 3, 4);
	Ordinary.Normalize();
	EXPECT_NEAR(Ordinary.Size(), 1.0, 1e-15);
	EXPECT_NEAR(Ordinary.W, 4.0 / std::sqrt(30.0), 1e-15);

	// q and -q are the same rotation.
	EXPECT_TRUE(FQuat(0.5, 0.5, 0.5, 0.5).Equals(FQuat(-0.5, -0.5, -0.5, -0.5), 1e-12));
	EXPECT_FALSE(FQuat(0.5, 0.5, 0.5, 0.5).Equals(FQuat(0.5, 0.5, -0.5, -0.5), 1e-12));
}
