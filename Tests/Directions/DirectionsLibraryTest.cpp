#include "DuRizerudoreBlueprintLibrary.h"
#include "ReferenceFrameTestSupport.h"

#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

using namespace DuRizerudoreTest;
using FLibrary = UDuRizerudoreBlueprintLibrary;

TEST(DirectionsLibrary, DefaultFrameRefusesEverything)
{
	const FCoordinateReferenceFrame Default;
	FVector Vector(1, 2, 3);
	FQuat Quat(0.1, 0.2, 0.3, 0.4);
	FRotator Rotator(1, 2, 3);
	FVector2D Pair(4, 5);
	EXPECT_FALSE(FLibrary::ConvertVector(Default, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, FVector(1, 0, 0), Vector));
	EXPECT_FALSE(FLibrary::ConvertVectorAtPosition(Default, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, FVector(1, 0, 0), ECoordinateSystem::Geodetic, FVector(0, 0, 0), Vector));
	EXPECT_FALSE(FLibrary::ConvertQuaternion(Default, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_ENU, FQuat::Identity, Quat));
	EXPECT_FALSE(FLibrary::ConvertRotator(Default, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_ENU, FRotator(0, 0, 0), Rotator));
	EXPECT_FALSE(FLibrary::HeadingPitchDegFromVector(Default, ECoordinateSystem::Local_ENU, FVector(1, 0, 0), ECoordinateSystem::Geodetic, FVector(0, 0, 0), Pair));
	EXPECT_FALSE(FLibrary::VectorFromHeadingPitchDeg(Default, ECoordinateSystem::Local_ENU, FVector2D(0, 0), ECoordinateSystem::Geodetic, FVector(0, 0, 0), Vector));
	EXPECT_EQ(Vector, FVector(1, 2, 3));
	EXPECT_EQ(Quat, FQuat(0.1, 0.2, 0.3, 0.4));
	EXPECT_EQ(Rotator, FRotator(1, 2, 3));
	EXPECT_EQ(Pair, FVector2D(4, 5));
	FVector Gravity(9, 9, 9);
	EXPECT_FALSE(FLibrary::GetGravity(Default, ECoordinateSystem::Geodetic, FVector(0, 0, 0), ECoordinateSystem::Geocentric, Gravity));
	EXPECT_EQ(Gravity, FVector(0, 0, 0));
}

TEST(DirectionsLibrary, GravityInEverySystemUsesTheAxesOfTheQueriedPoint)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	// Far from the origin, normal gravity still points down that point's own normal.
	const FVector Point(60.0, 100.0, 0.0);
	FVector Ned;
	ASSERT_TRUE(FLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Local_NED, Ned));
	EXPECT_NEAR(Ned.X, 0.0, 1e-9);
	EXPECT_NEAR(Ned.Y, 0.0, 1e-12);
	EXPECT_GT(Ned.Z, 9.8);
	FVector Ue;
	ASSERT_TRUE(FLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Local_UE, Ue));
	ExpectVectorNear(Ue, FVector(Ned.X, Ned.Y, -Ned.Z), 1e-12);
	FVector Geocentric;
	ASSERT_TRUE(FLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Geocentric, Geocentric));
	EXPECT_NEAR(Geocentric.Size(), Ned.Size(), 1e-12);
	// The same point named in the local systems gives the same answer.
	FVector Local;
	ASSERT_TRUE(FLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Point, Local));
	FVector FromLocal;
	ASSERT_TRUE(FLibrary::GetGravity(Frame, ECoordinateSystem::Local_UE, Local, ECoordinateSystem::Local_NED, FromLocal));
	ExpectVectorNear(FromLocal, Ned, 1e-6);

	FVector Gravity(1, 1, 1);
	EXPECT_FALSE(FLibrary::GetGravity(Frame, ECoordinateSystem::Geodetic, Point, ECoordinateSystem::Geodetic, Gravity));
	EXPECT_EQ(Gravity, FVector(0, 0, 0));
}

TEST(DirectionsLibrary, RotatorsPassThroughQuaternions)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 45.0, 45.0, 0.0);
	FRotator Out;
	ASSERT_TRUE(FLibrary::ConvertRotator(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_ENU, FRotator(0.0, 370.0, 0.0), Out));
	EXPECT_NEAR(Out.Yaw, 10.0, 1e-9);
	const FRotator Untouched(1, 2, 3);
	Out = Untouched;
	EXPECT_FALSE(FLibrary::ConvertRotator(Frame, ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, FRotator(0, 0, 0), Out));
	EXPECT_EQ(Out, Untouched);
	ASSERT_TRUE(FLibrary::ConvertRotator(Frame, ECoordinateSystem::Local_UE, ECoordinateSystem::Local_UE, FRotator(10, 20, 30), Out));
	EXPECT_TRUE(Out.Equals(FRotator(10, 20, 30), 1e-9));
}
