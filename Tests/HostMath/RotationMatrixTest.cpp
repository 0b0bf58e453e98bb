#include "MathTestSupport.h"

#include "Math/ScaleMatrix.h"
#include "Math/ScaleRotationTranslationMatrix.h"
#include "Math/TranslationMatrix.h"

using namespace UE::HostMathTest;

namespace
{
	/** Rows unit length, mutually orthogonal, right-handed. */
	void ExpectProperRotation(const FMatrix& M, double Tolerance)
	{
		const FVector X = M.GetScaledAxis(EAxis::X);
		const FVector Y = M.GetScaledAxis(EAxis::Y);
		const FVector Z = M.GetScaledAxis(EAxis::Z);
		EXPECT_NEAR(X.Size(), 1.0, Tolerance);
		EXPECT_NEAR(Y.Size(), 1.0, Tolerance);
		EXPECT_NEAR(Z.Size(), 1.0, Tolerance);
		EXPECT_NEAR(X | Y, 0.0, Tolerance);
		EXPECT_NEAR(Y | Z, 0.0, Tolerance);
		EXPECT_NEAR(Z | X, 0.0, Tolerance);
		ExpectVectorNear(X ^ Y, Z, Tolerance);
	}
}

TEST(HostMathRotationMatrix, RowsAreTheRotatedAxes)
{
	std::mt19937_64 Random(21);
	std::uniform_real_distribution<double> Angle(-400.0, 400.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FRotator R(Angle(Random), Angle(Random), Angle(Random));
		const FQuat Q = R.Quaternion();
		// The sine/cosine form of the rotator and the quaternion are two routes to the same rotation.
		const FRotationMatrix M(R);
		ExpectVectorNear(M.GetScaledAxis(EAxis::X), Q.RotateVector(FVector(1, 0, 0)), 1e-12);
		ExpectVectorNear(M.GetScaledAxis(EAxis::Y), Q.RotateVector(FVector(0, 1, 0)), 1e-12);
		ExpectVectorNear(M.GetScaledAxis(EAxis::Z), Q.RotateVector(FVector(0, 0, 1)), 1e-12);
		EXPECT_TRUE(FRotationMatrix::Make(Q).Equals(M, 1e-12));
		EXPECT_TRUE(FQuatRotationMatrix(Q).Equals(ClosedFormRotationMatrix(Q), 1e-15));
		ExpectVectorNear(R.Vector(), M.GetScaledAxis(EAxis::X), 1e-12);
		ExpectSameRotation(M.ToQuat(), Q, 1e-12);
		// The matrix's own rotator names the same rotation, also with scaled rows.
		ExpectSameRotation(M.Rotator().Quaternion(), Q, 1e-9);
		ExpectSameRotation(M.ApplyScale(3.5).Rotator().Quaternion(), Q, 1e-9);

		const FVector Origin = RandomVector(Random, 100.0);
		const FVector P = RandomVector(Random);
		ExpectVectorNear(FQuatRotationTranslationMatrix(Q, Origin).TransformPosition(P), Q.RotateVector(P) + Origin, 1e-12);
		const FVector Scale(1.5, 0.5, 2.0);
		const FMatrix SRT = FScaleRotationTranslationMatrix(Scale, R, Origin);
		ExpectVectorNear(SRT.TransformPosition(P), Q.RotateVector(Scale * P) + Origin, 1e-11);
		EXPECT_TRUE(SRT.Equals(FScaleMatrix(Scale) * FRotationMatrix(R) * FTranslationMatrix(Origin), 1e-12));
	}
}

TEST(HostMathRotationMatrix, MakeFromAxes)
{
	std::mt19937_64 Random(22);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FVector A = RandomVector(Random);
		const FVector B = RandomVector(Random);

		const FMatrix FromX = FRotationMatrix::MakeFromX(A);
		ExpectProperRotation(FromX, 1e-12);
		ExpectVectorNear(FromX.GetScaledAxis(EAxis::X), A.GetSafeNormal(), 1e-15);
		// Level: the Y axis stays horizontal, Z points up.
		EXPECT_NEAR(FromX.GetScaledAxis(EAxis::Y).Z, 0.0, 1e-15);
		EXPECT_GE(FromX.GetScaledAxis(EAxis::Z).Z, 0.0);

		const FMatrix FromZ = FRotationMatrix::MakeFromZ(A);
		ExpectProperRotation(FromZ, 1e-12);
		ExpectVectorNear(FromZ.GetScaledAxis(EAxis::Z), A.GetSafeNormal(), 1e-15);
		EXPECT_NEAR(FromZ.GetScaledAxis(EAxis::X).Z, 0.0, 1e-15);

		// The first axis exactly, the second in the plane of the two and on B's side.
		struct FCase
		{
			FMatrix M;
			EAxis::Type First;
			EAxis::Type Second;
		};
		for (const FCase& Case : {FCase{FRotationMatrix::MakeFromXZ(A, B), EAxis::X, EAxis::Z}, FCase{FRotationMatrix::MakeFromZX(A, B), EAxis::Z, EAxis::X},
				 FCase{FRotationMatrix::MakeFromXY(A, B), EAxis::X, EAxis::Y}, FCase{FRotationMatrix::MakeFromYX(A, B), EAxis::Y, EAxis::X},
				 FCase{FRotationMatrix::MakeFromYZ(A, B), EAxis::Y, EAxis::Z}, FCase{FRotationMatrix::MakeFromZY(A, B), EAxis::Z, EAxis::Y}})
		{
			ExpectProperRotation(Case.M, 1e-12);
			const FVector First = Case.M.GetScaledAxis(Case.First);
			const FVector Second = Case.M.GetScaledAxis(Case.Second);
			ExpectVectorNear(First, A.GetSafeNormal(), 1e-15);
			EXPECT_NEAR((First ^ Second) | B, 0.0, 1e-11);
			EXPECT_GT(Second | B, 0.0);
		}
	}
	// Vertical and parallel inputs still give proper frames.
	ExpectProperRotation(FRotationMatrix::MakeFromX(FVector(0, 0, 5)), 1e-15);
	ExpectProperRotation(FRotationMatrix::MakeFromZ(FVector(0, 0, -2)), 1e-15);
	ExpectProperRotation(FRotationMatrix::MakeFromXZ(FVector(1, 1, 0), FVector(-2, -2, 0)), 1e-15);
	EXPECT_TRUE(FRotationMatrix::MakeFromXZ(FVector(1, 0, 0), FVector(0, 0, 1)).Equals(FMatrix::Identity, 0.0));
}
