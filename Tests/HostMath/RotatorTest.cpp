#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(HostMathRotator, QuarterTurnsOfEachAxis)
{
	ExpectVectorNear(FRotator(0, 90, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
	ExpectVectorNear(FRotator(90, 0, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15);
	ExpectVectorNear(FRotator(0, 0, 90).Quaternion().RotateVector(FVector(0, 0, 1)), FVector(0, 1, 0), 1e-15);
	EXPECT_EQ(FRotator::ZeroRotator.Quaternion(), FQuat::Identity);
}

TEST(HostMathRotator, QuaternionIsYawTimesPitchTimesRoll)
{
	std::mt19937_64 Random(4);
	std::uniform_real_distribution<double> Angle(-720.0, 720.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FRotator R(Angle(Random), Angle(Random), Angle(Random));
		const double D = M_PI / 180.0;
		// Yaw about +Z, pitch about -Y (so +X goes toward +Z), roll about -X (so +Z goes toward +Y).
		const FQuat Yaw(FVector(0, 0, 1), R.Yaw * D);
		const FQuat Pitch(FVector(0, -1, 0), R.Pitch * D);
		const FQuat Roll(FVector(-1, 0, 0), R.Roll * D);
		ExpectSameRotation(R.Quaternion(), Yaw * Pitch * Roll, 1e-12);
		EXPECT_NEAR(R.Quaternion().SizeSquared(), 1.0, 1e-14);
		const FVector V = RandomVector(Random);
		ExpectVectorNear(R.RotateVector(V), Yaw.RotateVector(Pitch.RotateVector(Roll.RotateVector(V))), 1e-11);
		ExpectVectorNear(R.UnrotateVector(R.RotateVector(V)), V, 1e-11);
	}
}

TEST(HostMathRotator, FromQuaternionAndBackIsTheSameRotation)
{
	std::mt19937_64 Random(5);
	for (int Sample = 0; Sample < 5000; ++Sample)
	{
		const FQuat Q = RandomUnitQuat(Random);
		const FRotator R = Q.Rotator();
		ExpectSameRotation(R.Quaternion(), Q, 1e-9);
		EXPECT_GE(R.Pitch, -90.0);
		EXPECT_LE(R.Pitch, 90.0);
	}

	// Away from the poles the rotator itself comes back, normalised.
	std::uniform_real_distribution<double> Free(-179.0, 179.0);
	std::uniform_real_distribution<double> FreePitch(-89.0, 89.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FRotator R(FreePitch(Random), Free(Random), Free(Random));
		EXPECT_TRUE(R.Quaternion().Rotator().Equals(R, 1e-9));
		EXPECT_TRUE(FRotator(R.Quaternion()).Equals(R, 1e-9));
		EXPECT_TRUE(FQuat(R).Equals(R.Quaternion(), 0.0));
	}

	// At and near gimbal lock the engine folds roll into yaw; the rotation survives within the threshold's reach.
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	struct FPoleCase
	{
		double Pitch;
		double Tolerance;
	};
	// The snap to the pole moves pitch by the distance to it (1e-4 degrees is 1.7e-6 rad) and shifts yaw and roll
	// with it; a vector moves by up to about three times that angle.
	for (const FPoleCase Case : {FPoleCase{90.0, 1e-9}, FPoleCase{-90.0, 1e-9}, FPoleCase{89.9999, 5e-6}, FPoleCase{-89.9999, 5e-6}, FPoleCase{89.99, 5e-4},
			 FPoleCase{-89.99, 5e-4}, FPoleCase{89.95, 2.6e-3}})
	{
		const double Pitch = Case.Pitch;
		for (int Sample = 0; Sample < 100; ++Sample)
		{
			const FQuat Q = FRotator(Pitch, Angle(Random), Angle(Random)).Quaternion();
			SCOPED_TRACE(testing::Message() << "pitch " << Pitch);
			const FQuat Back = Q.Rotator().Quaternion();
			const FVector V = RandomVector(Random, 1.0).GetSafeNormal();
			// The singular branch snaps pitch to +-90 once |sin| passes 0.999999: at most 0.081 degrees.
			ExpectVectorNear(Back.RotateVector(V), Q.RotateVector(V), Case.Tolerance);
			ExpectSameRotation(Back, Q, Case.Tolerance);
		}
	}
	const FRotator Straight = FRotator(90.0, 30.0, 0.0).Quaternion().Rotator();
	EXPECT_EQ(Straight.Pitch, 90.0);
}

TEST(HostMathRotator, AxisNormalisation)
{
	EXPECT_EQ(FRotator::NormalizeAxis(190.0), -170.0);
	EXPECT_EQ(FRotator::NormalizeAxis(-180.0), 180.0);
	EXPECT_EQ(FRotator::ClampAxis(-90.0), 270.0);
	EXPECT_TRUE(FRotator(0, 360, -720).IsNearlyZero());
	EXPECT_TRUE(FRotator(10, 20, 30).Equals(FRotator(370, -340, 390), 1e-9));
	EXPECT_FALSE(FRotator(10, 20, 30).Equals(FRotator(10, 20, 30.01)));
	std::mt19937_64 Random(13);
	std::uniform_real_distribution<double> Angle(-3000.0, 3000.0);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const double A = Angle(Random);
		const double Clamped = FRotator::ClampAxis(A);
		const double Normalized = FRotator::NormalizeAxis(A);
		EXPECT_GE(Clamped, 0.0);
		EXPECT_LT(Clamped, 360.0);
		EXPECT_GT(Normalized, -180.0);
		EXPECT_LE(Normalized, 180.0);
		// Whole turns apart from the input.
		EXPECT_NEAR(std::remainder(Clamped - A, 360.0), 0.0, 1e-9);
		EXPECT_NEAR(std::remainder(Normalized - A, 360.0), 0.0, 1e-9);

		const FRotator R(Angle(Random), Angle(Random), Angle(Random));
		ExpectSameRotation(R.GetNormalized().Quaternion(), R.Quaternion(), 1e-12);
		ExpectSameRotation(R.GetInverse().Quaternion(), R.Quaternion().Inverse(), 1e-9);
		ExpectSameRotation(R.GetEquivalentRotator().Quaternion(), R.Quaternion(), 1e-12);
		ExpectVectorNear(R.Vector(), R.Quaternion().GetForwardVector(), 1e-12);
		EXPECT_EQ(FRotator::MakeFromEuler(R.Euler()), R);
		EXPECT_EQ(R.Euler(), FVector(R.Roll, R.Pitch, R.Yaw));
	}
	EXPECT_EQ(FRotator(1, 2, 3) + FRotator(1, 1, 1), FRotator(2, 3, 4));
	EXPECT_EQ(FRotator(1, 2, 3) * 2.0, FRotator(2, 4, 6));
	EXPECT_TRUE(FRotator(0, std::nan(""), 0).ContainsNaN());
}
