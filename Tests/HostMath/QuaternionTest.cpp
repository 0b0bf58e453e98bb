#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(HostMathQuat, ProductIsHamiltonsAndAppliesTheRightFactorFirst)
{
	std::mt19937_64 Random(1);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FQuat A = RandomUnitQuat(Random);
		const FQuat B = RandomUnitQuat(Random);
		const FQuat P = A * B;
		// The left-multiplication matrix of A = w + xi + yj + zk, acting on B as the column (w, x, y, z).
		const double L[4][4] = {{A.W, -A.X, -A.Y, -A.Z}, {A.X, A.W, -A.Z, A.Y}, {A.Y, A.Z, A.W, -A.X}, {A.Z, -A.Y, A.X, A.W}};
		const double BColumn[4] = {B.W, B.X, B.Y, B.Z};
		double Product[4] = {0, 0, 0, 0};
		for (int Row = 0; Row < 4; ++Row)
		{
			for (int Column = 0; Column < 4; ++Column)
			{
				Product[Row] += L[Row][Column] * BColumn[Column];
			}
		}
		EXPECT_NEAR(P.W, Product[0], 1e-15);
		EXPECT_NEAR(P.X, Product[1], 1e-15);
		EXPECT_NEAR(P.Y, Product[2], 1e-15);
		EXPECT_NEAR(P.Z, Product[3], 1e-15);
		// A normed algebra, associative, not commutative.
		EXPECT_NEAR(P.Size(), A.Size() * B.Size(), 1e-14);
		const FQuat C = RandomUnitQuat(Random);
		ExpectSameRotation((A * B) * C, A * (B * C), 1e-14);
		FQuat InPlace = A;
		InPlace *= B;
		EXPECT_EQ(InPlace, P);

		const FVector V = RandomVector(Random);
		ExpectVectorNear(P.RotateVector(V), A.RotateVector(B.RotateVector(V)), 1e-12);
		ExpectVectorNear(P.UnrotateVector(P.RotateVector(V)), V, 1e-12);
		ExpectVectorNear((A * A.Inverse()).RotateVector(V), V, 1e-12);
	}
	// Hamilton's table: ij = k, jk = i, ki = j, i^2 = ijk = -1.
	const FQuat I(1, 0, 0, 0);
	const FQuat J(0, 1, 0, 0);
	const FQuat K(0, 0, 1, 0);
	EXPECT_EQ(I * J, K);
	EXPECT_EQ(J * K, I);
	EXPECT_EQ(K * I, J);
	EXPECT_EQ(J * I, K * -1.0);
	EXPECT_EQ(I * I, FQuat(0, 0, 0, -1));
	EXPECT_EQ(I * J * K, FQuat(0, 0, 0, -1));
	// Quarter turns: about Z then about X, against the turns applied one by one.
	const FQuat AboutZ(FVector(0, 0, 1), M_PI / 2);
	const FQuat AboutX(FVector(1, 0, 0), M_PI / 2);
	ExpectVectorNear((AboutX * AboutZ).RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15);
	ExpectVectorNear((AboutZ * AboutX).RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
}

TEST(HostMathQuat, RotationMatchesRodriguesAndTheClosedFormMatrix)
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

TEST(HostMathQuat, NormalisationFallsBackToTheIdentity)
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

TEST(HostMathQuat, AxisAngleAxesAndFindBetween)
{
	std::mt19937_64 Random(3);
	std::uniform_real_distribution<double> Angle(0.01, M_PI - 0.01);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FVector Axis = RandomVector(Random).GetSafeNormal();
		const double Theta = Angle(Random);
		const FQuat Q(Axis, Theta);
		FVector OutAxis;
		double OutAngle = 0.0;
		Q.ToAxisAndAngle(OutAxis, OutAngle);
		EXPECT_NEAR(OutAngle, Theta, 1e-9);
		EXPECT_NEAR(Q.GetAngle(), Theta, 1e-9);
		ExpectVectorNear(OutAxis, Axis, 1e-9);

		const FQuat Other = RandomUnitQuat(Random);
		// The angular distance is the angle of the rotation taking one to the other.
		EXPECT_NEAR(Other.AngularDistance(Other * Q), Theta, 1e-7);
		EXPECT_NEAR(Other.AngularDistance(Q * Other), Theta, 1e-7);

		// The axes form a right-handed orthonormal frame, the rows of the closed-form matrix.
		const FMatrix M = ClosedFormRotationMatrix(Other);
		ExpectVectorNear(Other.GetAxisX(), M.GetScaledAxis(EAxis::X), 1e-14);
		ExpectVectorNear(Other.GetRightVector(), M.GetScaledAxis(EAxis::Y), 1e-14);
		ExpectVectorNear(Other.GetUpVector(), M.GetScaledAxis(EAxis::Z), 1e-14);
		ExpectVectorNear(Other.GetForwardVector() ^ Other.GetRightVector(), Other.GetUpVector(), 1e-14);

		const FVector A = RandomVector(Random);
		const FVector B = RandomVector(Random);
		const FQuat Between = FQuat::FindBetweenVectors(A, B);
		EXPECT_TRUE(Between.IsNormalized());
		ExpectVectorNear(Between.RotateVector(A.GetSafeNormal()), B.GetSafeNormal(), 1e-12);
		// The shortest arc: its angle is the angle between the vectors.
		EXPECT_NEAR(Between.GetAngle(), std::acos(FMath::Clamp(A.GetSafeNormal() | B.GetSafeNormal(), -1.0, 1.0)), 1e-7);
		ExpectSameRotation(FQuat::FindBetweenNormals(A.GetSafeNormal(), B.GetSafeNormal()), Between, 1e-12);
		// Opposite directions take a half turn about a perpendicular axis.
		const FQuat Opposite = FQuat::FindBetweenNormals(A.GetSafeNormal(), -A.GetSafeNormal());
		ExpectVectorNear(Opposite.RotateVector(A.GetSafeNormal()), -A.GetSafeNormal(), 1e-12);
	}
	FVector IdentityAxis;
	double IdentityAngle = 1.0;
	FQuat::Identity.ToAxisAndAngle(IdentityAxis, IdentityAngle);
	EXPECT_EQ(IdentityAxis, FVector(1, 0, 0));
	EXPECT_EQ(IdentityAngle, 0.0);
	EXPECT_TRUE(FQuat(std::nan(""), 0, 0, 1).ContainsNaN());
}
