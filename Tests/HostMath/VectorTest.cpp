#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(HostMathUtility, ConstantsAndAngles)
{
	EXPECT_EQ(UE_DOUBLE_PI, M_PI);
	EXPECT_NEAR(UE_PI, M_PI, 1e-6);
	EXPECT_EQ(double(UE_SMALL_NUMBER), double(1e-8f));
	EXPECT_EQ(UE_DOUBLE_SMALL_NUMBER, 1e-8);
	EXPECT_EQ(UE_DOUBLE_KINDA_SMALL_NUMBER, 1e-4);
	EXPECT_NEAR(FMath::DegreesToRadians(180.0), M_PI, 1e-15);
	EXPECT_NEAR(FMath::RadiansToDegrees(M_PI / 2), 90.0, 1e-13);

	std::mt19937_64 Random(11);
	std::uniform_real_distribution<double> Angle(-5000.0, 5000.0);
	for (int Sample = 0; Sample < 2000; ++Sample)
	{
		const double A = Angle(Random);
		const double Unwound = FMath::UnwindDegrees(A);
		EXPECT_GE(Unwound, -180.0);
		EXPECT_LE(Unwound, 180.0);
		// Same direction: differs by whole turns.
		EXPECT_NEAR(std::sin(FMath::DegreesToRadians(Unwound)), std::sin(FMath::DegreesToRadians(A)), 1e-9);
		EXPECT_NEAR(std::cos(FMath::DegreesToRadians(Unwound)), std::cos(FMath::DegreesToRadians(A)), 1e-9);
		double S = 0.0;
		double C = 0.0;
		FMath::SinCos(&S, &C, A);
		EXPECT_NEAR(S * S + C * C, 1.0, 1e-15);
	}
	EXPECT_EQ(FMath::UnwindDegrees(540.0), 180.0);
	EXPECT_EQ(FMath::UnwindDegrees(-540.0), -180.0);
	EXPECT_NEAR(FMath::Asin(1.0 + 1e-12), M_PI / 2, 1e-15);
	EXPECT_NEAR(FMath::Acos(-1.0 - 1e-12), M_PI, 1e-15);
}

TEST(HostMathUtility, ComparisonsAndClamps)
{
	EXPECT_TRUE(FMath::IsNearlyEqual(1.0, 1.0 + 5e-9));
	EXPECT_FALSE(FMath::IsNearlyEqual(1.0, 1.0 + 5e-8));
	EXPECT_TRUE(FMath::IsNearlyZero(-1e-8));
	EXPECT_FALSE(FMath::IsNearlyZero(2e-8));
	EXPECT_EQ(FMath::Clamp(5.0, -1.0, 2.0), 2.0);
	EXPECT_EQ(FMath::Clamp(-5.0, -1.0, 2.0), -1.0);
	EXPECT_EQ(FMath::Sign(-3.0), -1.0);
	EXPECT_EQ(FMath::Sign(0.0), 0.0);
	EXPECT_TRUE(FMath::IsNaN(std::nan("")));
	EXPECT_FALSE(FMath::IsFinite(std::numeric_limits<double>::infinity()));
	EXPECT_NEAR(FMath::InvSqrt(4.0), 0.5, 1e-16);
	EXPECT_NEAR(FMath::Fmod(-370.0, 360.0), -10.0, 1e-12);
}

TEST(HostMathVector, ProductsAgainstTheirIdentities)
{
	std::mt19937_64 Random(12);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FVector A = RandomVector(Random);
		const FVector B = RandomVector(Random);
		const FVector Cross = A ^ B;
		// Orthogonal to both factors, anticommutative, and Lagrange's identity for its length.
		EXPECT_NEAR(Cross | A, 0.0, 1e-11);
		EXPECT_NEAR(Cross | B, 0.0, 1e-11);
		ExpectVectorNear(B ^ A, -Cross, 0.0);
		EXPECT_NEAR(Cross.SizeSquared(), A.SizeSquared() * B.SizeSquared() - FMath::Square(A | B), 1e-9);
		EXPECT_EQ(FVector::DotProduct(A, B), A.X * B.X + A.Y * B.Y + A.Z * B.Z);
		EXPECT_NEAR(FVector::Dist(A, B), std::sqrt(FVector::DistSquared(A, B)), 1e-12);
		EXPECT_NEAR(FVector::Dist(A, B), std::hypot(A.X - B.X, A.Y - B.Y, A.Z - B.Z), 1e-12);

		const FVector N = A.GetSafeNormal();
		EXPECT_NEAR(N.Size(), 1.0, 1e-15);
		EXPECT_TRUE(N.IsNormalized());
		ExpectVectorNear(N * A.Size(), A, 1e-12);
		ExpectVectorNear(2.0 * A, A + A, 0.0);
		ExpectVectorNear(A * B / B, A, 1e-12);
		FVector C = A;
		C += B;
		C -= B;
		C *= 3.0;
		C /= 3.0;
		ExpectVectorNear(C, A, 1e-12);
	}
	// Right-handed: X ^ Y = Z.
	EXPECT_EQ(FVector::XAxisVector ^ FVector::YAxisVector, FVector::ZAxisVector);
	EXPECT_EQ(FVector::CrossProduct(FVector::ForwardVector, FVector::RightVector), FVector::UpVector);
}

TEST(HostMathVector, NormalsAndTolerances)
{
	EXPECT_EQ(FVector(1e-5, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	EXPECT_EQ(FVector(0, 0, 0).GetSafeNormal(UE_SMALL_NUMBER, FVector(0, 0, 1)), FVector(0, 0, 1));
	EXPECT_NEAR(FVector(2e-4, 0, 0).GetSafeNormal().X, 1.0, 1e-15);
	EXPECT_NEAR(FVector(3, 4, 0).GetUnsafeNormal().Y, 0.8, 1e-15);

	FVector Short(1e-5, 0, 0);
	EXPECT_FALSE(Short.Normalize());
	EXPECT_EQ(Short, FVector(1e-5, 0, 0));
	FVector Long(0, 3, 4);
	EXPECT_TRUE(Long.Normalize());
	ExpectVectorNear(Long, FVector(0, 0.6, 0.8), 1e-15);

	// Per component, at the single-precision 1e-4 by default.
	EXPECT_TRUE(FVector(9.9e-5, -9.9e-5, 0).IsNearlyZero());
	EXPECT_FALSE(FVector(2e-4, 0, 0).IsNearlyZero());
	EXPECT_FALSE(FVector(1e-300, 0, 0).IsZero());
	EXPECT_TRUE(FVector(1, 2, 3).Equals(FVector(1 + 9e-5, 2, 3 - 9e-5)));
	EXPECT_FALSE(FVector(1, 2, 3).Equals(FVector(1, 2, 3.001)));
	EXPECT_TRUE(FVector(std::nan(""), 0, 0).ContainsNaN());
	EXPECT_FALSE(FVector(1, 2, 3).ContainsNaN());

	FVector V(7, -8, 9);
	V[1] = 5;
	EXPECT_EQ(V[0], 7);
	EXPECT_EQ(V.Y, 5);
	EXPECT_EQ(FVector(-7, 2, -9).GetAbs(), FVector(7, 2, 9));
	EXPECT_EQ(FVector(-7, 2, -9).GetMax(), 2);
	EXPECT_EQ(FVector(-7, 0, 3).GetSignVector(), FVector(-1, 1, 1));
	EXPECT_TRUE(FVector(-1, 2, 3) != FVector(-1, 2, 3.5));
}

TEST(HostMathVector2D, Basics)
{
	const FVector2D A(3, 4);
	const FVector2D B(-1, 2);
	EXPECT_EQ(A.Size(), 5.0);
	EXPECT_EQ(FVector2D::DotProduct(A, B), 5.0);
	EXPECT_EQ(A + B, FVector2D(2, 6));
	EXPECT_EQ(A - B, FVector2D(4, 2));
	EXPECT_EQ(A * 2.0, FVector2D(6, 8));
	EXPECT_EQ(2.0 * A, FVector2D(6, 8));
	EXPECT_EQ(A / 2.0, FVector2D(1.5, 2));
	EXPECT_EQ(A ^ B, 10.0);
	EXPECT_EQ(FVector2D::ZeroVector, FVector2D(0, 0));
	EXPECT_TRUE(A.Equals(FVector2D(3 + 5e-5, 4)));
	EXPECT_FALSE(A.Equals(FVector2D(3.01, 4)));
	EXPECT_TRUE(FVector2D(0, std::nan("")).ContainsNaN());
	EXPECT_NEAR(A.GetSafeNormal().Size(), 1.0, 1e-15);
}
