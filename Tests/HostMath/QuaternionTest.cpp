#include "MathTestSupport.h"

#include "Logging/HostLogCapture.h"

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
		const double Actual[4] = {P.W, P.X, P.Y, P.Z};
		for (int Row = 0; Row < 4; ++Row)
		{
			EXPECT_NEAR(Actual[Row], L[Row][0] * BColumn[0] + L[Row][1] * BColumn[1] + L[Row][2] * BColumn[2] + L[Row][3] * BColumn[3], 1e-15);
		}
		const FVector V = RandomVector(Random);
		ExpectVectorNear(P.RotateVector(V), A.RotateVector(B.RotateVector(V)), 1e-12);
		ExpectVectorNear(P.UnrotateVector(P.RotateVector(V)), V, 1e-12);
		ExpectVectorNear(P.Inverse().RotateVector(V), P.UnrotateVector(V), 1e-12);
	}
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
		const FVector V = RandomVector(Random);
		ExpectVectorNear(Q.RotateVector(V), Rodrigues(V, Axis, Theta), 1e-12);
		ExpectVectorNear(Q.UnrotateVector(V), Rodrigues(V, Axis, -Theta), 1e-12);
		ExpectVectorNear(FVector(ClosedFormRotationMatrix(Q).TransformVector(V)), Q.RotateVector(V), 1e-12);
		ExpectVectorNear(Q.GetAxisY(), ClosedFormRotationMatrix(Q).GetScaledAxis(EAxis::Y), 1e-14);
	}
}

TEST(HostMathQuat, NormalisationFallsBackToTheIdentityBelowTheThreshold)
{
	struct FCase
	{
		FQuat Input;
		FQuat Expected;
	};
	// The threshold is 1e-8 on the squared length.
	const FCase Cases[] = {
		{FQuat(0, 0, 0, 0), FQuat::Identity},
		{FQuat(5e-5, 5e-5, 5e-5, 4e-5), FQuat::Identity},
		{FQuat(1e-4, 0, 0, 0), FQuat(1, 0, 0, 0)},
		{FQuat(1, 2, 3, 4), FQuat(1 / std::sqrt(30.0), 2 / std::sqrt(30.0), 3 / std::sqrt(30.0), 4 / std::sqrt(30.0))},
	};
	for (const FCase& Case : Cases)
	{
		ExpectSameRotation(Case.Input.GetNormalized(), Case.Expected, 1e-12);
	}
	EXPECT_FALSE(FQuat(0.5, 0.5, 0.5, 0.5).Equals(FQuat(0.5, 0.5, -0.5, -0.5), 1e-12));
}

TEST(HostMathQuat, FromMatrixMatchesTheRotationInEveryBranchAndFallsBackToTheIdentity)
{
	std::mt19937_64 Random(7);
	// Turns of 120 degrees or more put the trace at or below 0, so every diagonal branch is reached.
	std::uniform_real_distribution<double> Angle(0.0, M_PI);
	for (int Sample = 0; Sample < 4000; ++Sample)
	{
		const FQuat Q(RandomVector(Random).GetSafeNormal(), Angle(Random));
		ExpectSameRotation(ClosedFormRotationMatrix(Q).ToQuat(), Q, 1e-12);
	}
	for (const FVector& Axis : {FVector(1, 0, 0), FVector(0, 1, 0), FVector(0, 0, 1)})
	{
		ExpectSameRotation(ClosedFormRotationMatrix(FQuat(Axis, M_PI)).ToQuat(), FQuat(Axis, M_PI), 1e-12);
	}

	FHostLogCapture Capture;
	FMatrix ZeroRow = ClosedFormRotationMatrix(FQuat(FVector(0, 0, 1), 0.3));
	ZeroRow.SetAxis(1, FVector(1e-5, -9e-5, 0));
	EXPECT_EQ(ZeroRow.ToQuat(), FQuat::Identity);
	EXPECT_EQ(Capture.CountEnsures(), 0);
	// A scaled row is a programming error: the identity, reported once.
	FMatrix Scaled = ClosedFormRotationMatrix(FQuat(FVector(0, 0, 1), 0.3));
	Scaled.SetAxis(0, Scaled.GetScaledAxis(EAxis::X) * 2.0);
	EXPECT_EQ(Scaled.ToQuat(), FQuat::Identity);
	EXPECT_EQ(Scaled.ToQuat(), FQuat::Identity);
	EXPECT_EQ(Capture.CountEnsures(), 1);
}

TEST(HostMathRotator, QuaternionIsYawTimesPitchTimesRollAndComesBack)
{
	ExpectVectorNear(FRotator(0, 90, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
	ExpectVectorNear(FRotator(90, 0, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15);
	ExpectVectorNear(FRotator(0, 0, 90).Quaternion().RotateVector(FVector(0, 0, 1)), FVector(0, 1, 0), 1e-15);
	std::mt19937_64 Random(4);
	std::uniform_real_distribution<double> Angle(-720.0, 720.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FRotator R(Angle(Random), Angle(Random), Angle(Random));
		const double D = M_PI / 180.0;
		// Yaw about +Z, pitch about -Y (so +X goes toward +Z), roll about -X (so +Z goes toward +Y).
		const FQuat Composed = FQuat(FVector(0, 0, 1), R.Yaw * D) * FQuat(FVector(0, -1, 0), R.Pitch * D) * FQuat(FVector(-1, 0, 0), R.Roll * D);
		ExpectSameRotation(R.Quaternion(), Composed, 1e-12);
		// Within about 0.08 degrees of the poles of pitch the rotator snaps to them, moving the rotation that far.
		ExpectSameRotation(R.Quaternion().Rotator().Quaternion(), Composed, std::abs(std::cos(R.Pitch * D)) < 2e-3 ? 1e-3 : 1e-9);
		EXPECT_TRUE(FRotator(R.Quaternion()).Equals(R.Quaternion().Rotator(), 0.0));
	}
	// At gimbal lock the roll folds into the yaw; the rotation survives.
	const FQuat Pole = FRotator(90.0, 30.0, 10.0).Quaternion();
	EXPECT_EQ(Pole.Rotator().Pitch, 90.0);
	ExpectSameRotation(Pole.Rotator().Quaternion(), Pole, 1e-9);
	EXPECT_TRUE(FRotator(10, 20, 30).Equals(FRotator(370, -340, 390), 1e-9));
}
