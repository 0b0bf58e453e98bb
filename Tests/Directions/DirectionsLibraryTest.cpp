#include "DuRizerudoreBlueprintLibrary.h"
#include "ReferenceFrameTestSupport.h"

#include "TestPluginDirectory.h"

#include <gtest/gtest.h>

using namespace DuRizerudoreTest;
using FLibrary = UDuRizerudoreBlueprintLibrary;

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
