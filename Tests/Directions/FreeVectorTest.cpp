#include "ClosedForms.h"
#include "DuRizerudoreVectorConversion.h"
#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace DuRizerudoreTest;

namespace
{
	constexpr ECoordinateSystem Systems[] = {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, ECoordinateSystem::Geocentric,
		ECoordinateSystem::Geodetic};

	FVector Convert(const FCoordinateReferenceFrame& Frame, ECoordinateSystem From, ECoordinateSystem To, const FVector& V)
	{
		FVector Out(NAN, NAN, NAN);
		EXPECT_TRUE(DuRizerudore::DispatchVectorConversion(From, To, Frame, V, Out));
		return Out;
	}
}

TEST(FreeVector, UsesTheOriginAxesAndNeverScales)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 0.0, 0.0, 0.0);
	ExpectVectorNear(Convert(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FVector(1, 0, 0)), FVector(0, 1, 0), 1e-15);
	ExpectVectorNear(Convert(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FVector(0, 0, 1)), FVector(1, 0, 0), 1e-15);
	EXPECT_EQ(Convert(Frame, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_ENU, FVector(0, 0, 1)), FVector(0, 0, -1));
	EXPECT_EQ(Convert(Frame, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, FVector(0, 0, 1)), FVector(0, 0, -1));
	EXPECT_EQ(Convert(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, FVector(1, 2, 3)), FVector(2, 1, 3));
	EXPECT_EQ(Convert(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, FVector(0, 3, 0)), FVector(3, 0, 0));
	EXPECT_EQ(Convert(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Geodetic, FVector(1, 2, 3)), FVector(1, 2, 3));

	const FCoordinateReferenceFrame NoLocalFrame(MakeModelFreeInstance());
	EXPECT_EQ(Convert(NoLocalFrame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, FVector(1, 2, 3)), FVector(1, 2, 3));
	EXPECT_EQ(Convert(NoLocalFrame, ECoordinateSystem::Geocentric, ECoordinateSystem::Local_NED, FVector(1, 2, 3)), FVector(2, 1, -3));

	const FVector Untouched(4, 5, 6);
	for (const ECoordinateSystem Other : {ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric})
	{
		FVector Out = Untouched;
		EXPECT_FALSE(DuRizerudore::DispatchVectorConversion(Other, ECoordinateSystem::Geodetic, Frame, FVector(1, 0, 0), Out));
		EXPECT_FALSE(DuRizerudore::DispatchVectorConversion(ECoordinateSystem::Geodetic, Other, Frame, FVector(1, 0, 0), Out));
		EXPECT_FALSE(DuRizerudore::DispatchVectorConversion(static_cast<ECoordinateSystem>(7), Other, Frame, FVector(1, 0, 0), Out));
		EXPECT_EQ(Out, Untouched);
	}
}

TEST(FreeVector, AgreesWithTheClosedFormAxesAtTheOriginAndRoundTrips)
{
	std::mt19937_64 Random(32);
	std::uniform_real_distribution<double> Latitude(-89.0, 89.0);
	std::uniform_real_distribution<double> Longitude(-180.0, 180.0);
	std::uniform_real_distribution<double> Component(-5.0, 5.0);
	for (int Sample = 0; Sample < 100; ++Sample)
	{
		const double Lat = Latitude(Random);
		const double Lon = Longitude(Random);
		const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, Lat, Lon, 0.0);
		const FVector East = DuRizerudoreTest::ClosedFormEast(Lon);
		const FVector North = DuRizerudoreTest::ClosedFormNorth(Lat, Lon);
		const FVector Up = DuRizerudoreTest::ClosedFormUp(Lat, Lon);
		const FVector V(Component(Random), Component(Random), Component(Random));
		ExpectVectorNear(Convert(Frame, ECoordinateSystem::Local_ENU, ECoordinateSystem::Geocentric, V), East * V.X + North * V.Y + Up * V.Z, 1e-13);
		for (const ECoordinateSystem From : Systems)
		{
			for (const ECoordinateSystem To : Systems)
			{
				if ((From == ECoordinateSystem::Geodetic) != (To == ECoordinateSystem::Geodetic))
				{
					continue;
				}
				ExpectVectorNear(Convert(Frame, To, From, Convert(Frame, From, To, V)), V, 1e-13);
			}
		}
	}
}
