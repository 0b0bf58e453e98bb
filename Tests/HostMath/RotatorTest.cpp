#include "MathTestSupport.h"

using namespace UE::HostMathTest;

TEST(Rotator, QuarterTurnsOfEachAxis)
{
	ExpectVectorNear(FRotator(0, 90, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
	ExpectVectorNear(FRotator(90, 0, 0).Quaternion().RotateVector(FVector(1, 0, 0)), FVector(0, 0, 1), 1e-15);
	ExpectVectorNear(FRotator(0, 0, 90).Quaternion().RotateVector(FVector(0, 0, 1)), FVector(0, 1, 0), 1e-15);
	EXPECT_EQ(FRotator::ZeroRotator.Quaternion(), FQuat::Identity);
}

TEST(Rotator, QuaternionIsYawTimesPitchTimesRoll)
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

TEST(Rotator, FromQuaternionAndBackIsTheSameRotation)
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

	// At and near gimbal lock the engine folds roll into yaw; the rotation survives within the threshold's reach.
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	for (const double Pitch : {90.0, -90.0, 89.9999, -89.9999, 89.99, -89.99})
	{
		for (int Sample = 0; Sample < 100; ++Sample)
		{
			const FQuat Q = FRotator(Pitch, Angle(Random), Angle(Random)).Quaternion();
			SCOPED_TRACE(testing::Message() << "pitch " << Pitch);
			const FQuat Back = Q.Rotator().Quaternion();
			const FVector V = RandomVector(Random, 1.0).GetSafeNormal();
			// The singular branch snaps pitch to +-90 once |sin| passes 0.999999: at most 0.081 degrees.
			ExpectVectorNear(Back.RotateVector(V), Q.RotateVector(V), 1.5e-3);
		}
	}
	const FRotator Straight = FRotator(90.0, 30.0, 0.0).Quaternion().Rotator();
	EXPECT_EQ(Straight.Pitch, 90.0);
}

TEST(Rotator, AxisNormalisation)
{
	EXPECT_EQ(FRotator::NormalizeAxis(190.0), -170.0);
	EXPECT_EQ(FRotator::NormalizeAxis(-180.0), 180.0);
	EXPECT_EQ(FRotator::ClampAxis(-90.0), 270.0);
	EXPECT_TRUE(FRotator(0, 360, -720).IsNearlyZero());
	EXPECT_TRUE(FRotator(10, 20, 30).Equals(FRotator(370, -340, 390), 1e-9));
}
