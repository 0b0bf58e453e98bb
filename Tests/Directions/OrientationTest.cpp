#include "DuRizerudoreRotationConversion.h"
#include "DuRizerudoreVectorConversion.h"
#include "RandomRotation.h"
#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace DuRizerudoreTest;

TEST(Orientation, NedToEnuIsTheDiagonalHalfTurnWithItsSign)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 30.0, 60.0, 0.0);
	FQuat Out;
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_NED, ECoordinateSystem::Local_ENU, Frame, FQuat::Identity, Out));
	EXPECT_NEAR(Out.X, std::sqrt(0.5), 1e-12);
	EXPECT_NEAR(Out.Y, std::sqrt(0.5), 1e-12);
	EXPECT_NEAR(Out.Z, 0.0, 1e-12);
	EXPECT_NEAR(Out.W, 0.0, 1e-12);
	FQuat Back;
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, Frame, Out, Back));
	EXPECT_TRUE(Back.Equals(FQuat::Identity, 1e-12));

	// At latitude 0, longitude 0 a body whose x axis points east has it along geocentric +Y.
	const FCoordinateReferenceFrame AtOrigin = MakeFrame(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, AtOrigin, FQuat::Identity, Out));
	ExpectVectorNear(Out.RotateVector(FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);

	// A zero input is normalised to the identity after the product; without a local frame ENU is geocentric.
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU, Frame, FQuat(0, 0, 0, 0), Out));
	EXPECT_EQ(Out, FQuat::Identity);
	const FCoordinateReferenceFrame NoLocalFrame(MakeModelFreeInstance());
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, NoLocalFrame, FQuat(0, 0, 0, 2), Out));
	EXPECT_EQ(Out, FQuat::Identity);
}

TEST(Orientation, RefusesLeftHandedAndGeodeticPairs)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 30.0, 60.0, 0.0);
	const FQuat Untouched(0.1, 0.2, 0.3, 0.4);
	FQuat Out = Untouched;
	ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(ECoordinateSystem::Local_UE, ECoordinateSystem::Local_UE, Frame, FQuat(0, 0, 0, 3), Out));
	EXPECT_EQ(Out, FQuat::Identity);
	Out = Untouched;
	const std::pair<ECoordinateSystem, ECoordinateSystem> Refused[] = {{ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU},
		{ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE}, {ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric},
		{ECoordinateSystem::Geodetic, ECoordinateSystem::Geodetic}, {ECoordinateSystem::Geodetic, ECoordinateSystem::Local_ENU},
		{static_cast<ECoordinateSystem>(6), ECoordinateSystem::Local_ENU}};
	for (const auto& [From, To] : Refused)
	{
		EXPECT_FALSE(DuRizerudore::DispatchRotationConversion(From, To, Frame, FQuat::Identity, Out));
		EXPECT_EQ(Out, Untouched);
	}
}

TEST(Orientation, AgreesWithTheFreeVectorConversion)
{
	const ECoordinateSystem Proper[] = {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Geocentric};
	const FCoordinateReferenceFrame Frames[] = {MakeFrame(ECoordinateLocalFrameType::Cartesian, -33.9, 18.4, 0.0), MakeFrame(ECoordinateLocalFrameType::UTM, 61.0, 8.0, 0.0),
		FCoordinateReferenceFrame(MakeModelFreeInstance())};
	std::mt19937_64 Random(35);
	std::uniform_real_distribution<double> Component(-3.0, 3.0);
	for (const FCoordinateReferenceFrame& Frame : Frames)
	{
		for (int Sample = 0; Sample < 100; ++Sample)
		{
			const FQuat Q = RandomRotation(Random);
			const FVector V(Component(Random), Component(Random), Component(Random));
			for (const ECoordinateSystem From : Proper)
			{
				for (const ECoordinateSystem To : Proper)
				{
					FQuat Converted;
					ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(From, To, Frame, Q, Converted));
					EXPECT_NEAR(Converted.SizeSquared(), 1.0, 1e-14);
					// Rotating the converted body axes equals converting the rotated vector.
					FVector Expected;
					ASSERT_TRUE(DuRizerudore::DispatchVectorConversion(From, To, Frame, Q.RotateVector(V), Expected));
					// The body's own vector V, expressed in the target system: Converted applied to V in body axes.
					ExpectVectorNear(Converted.RotateVector(V), Expected, 1e-12);
				}
			}
		}
	}
}

TEST(Orientation, ScaleOfTheInputDoesNotMatter)
{
	// Components beyond about 1e154 square to infinity; the engine's normalisation then returns a zero quaternion.
	const FCoordinateReferenceFrame Frames[] = {MakeFrame(ECoordinateLocalFrameType::Cartesian, -33.9, 18.4, 0.0), MakeFrame(ECoordinateLocalFrameType::UTM, 61.0, 8.0, 0.0)};
	const std::pair<ECoordinateSystem, ECoordinateSystem> Pairs[] = {{ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED},
		{ECoordinateSystem::Local_NED, ECoordinateSystem::Geocentric}, {ECoordinateSystem::Geocentric, ECoordinateSystem::Local_ENU},
		{ECoordinateSystem::Local_UE, ECoordinateSystem::Local_UE}};
	std::mt19937_64 Random(38);
	for (const FCoordinateReferenceFrame& Frame : Frames)
	{
		for (const auto& [From, To] : Pairs)
		{
			const FQuat Q = RandomRotation(Random);
			FQuat Unit;
			ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(From, To, Frame, Q, Unit));
			for (const double Scale : {1e-3, 1e150, 1e160, 1e300, 1.7e308})
			{
				FQuat Scaled;
				ASSERT_TRUE(DuRizerudore::DispatchRotationConversion(From, To, Frame, FQuat(Q.X * Scale, Q.Y * Scale, Q.Z * Scale, Q.W * Scale), Scaled));
				EXPECT_TRUE(Scaled.Equals(Unit, 1e-15)) << Scale;
			}
		}
	}
}
