#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <tuple>
#include <random>

using namespace DuRizerudoreTest;

namespace
{
	constexpr ECoordinateSystem AllSystems[] = {ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE,
		ECoordinateSystem::Geocentric, ECoordinateSystem::Geodetic};

	/** One place described independently in all five systems: local values from the tangent-plane truth. */
	struct FPlace
	{
		FVector In[5];
	};

	FPlace Describe(const FCoordinateReferenceFrame& Frame, const FVector& Geodetic)
	{
		const FVector World = FCoordinateConversionKernelAccess::GeodeticToWorldPosition(*Frame.GetConversion(), Geodetic);
		// Without a local frame, local east-north-up is the geocentric frame.
		const FVector Enu = Frame.HasLocalFrame() ? Frame.GeodeticPositionToLocalEnu(Geodetic) : World;
		FPlace Place;
		Place.In[0] = Enu;
		Place.In[1] = FVector(Enu.Y, Enu.X, -Enu.Z);
		Place.In[2] = FVector(Enu.Y * 100.0, Enu.X * 100.0, Enu.Z * 100.0);
		Place.In[3] = World;
		Place.In[4] = Geodetic;
		return Place;
	}

	/** Tolerance of a result in a system: a micrometre, in centimetres for Local_UE. */
	double ToleranceOf(const ECoordinateSystem System)
	{
		return System == ECoordinateSystem::Local_UE ? 1e-4 : 1e-6;
	}
}

TEST(PositionDispatch, AllTwentyFivePairsInEveryKindOfFrame)
{
	const TSharedPtr<FCoordinateConversionInstance> Instance = MakeModelFreeInstance();
	const FCoordinateReferenceFrame Frames[] = {
		FCoordinateReferenceFrame(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(48.85, 2.35, 35.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::Cartesian)),
		FCoordinateReferenceFrame(Instance, FCoordinateReferenceSetup(FGeodeticCoordinate(-23.55, -46.63, 760.0), ECoordinateAltitudeReference::Ellipsoid, ECoordinateLocalFrameType::UTM)),
		FCoordinateReferenceFrame(Instance),
	};
	std::mt19937_64 Random(25);
	std::uniform_real_distribution<double> Offset(-0.4, 0.4);
	for (const FCoordinateReferenceFrame& Frame : Frames)
	{
		const FGeodeticCoordinate Origin = Frame.GetLocalFrameOrigin();
		SCOPED_TRACE(testing::Message() << "frame at " << Origin.LatitudeDeg << ", " << Origin.LongitudeDeg << (Frame.HasLocalFrame() ? "" : " without a local frame"));
		for (int Sample = 0; Sample < 50; ++Sample)
		{
			const FVector Geodetic(Origin.LatitudeDeg + Offset(Random), Origin.LongitudeDeg + Offset(Random), 1000.0 * Offset(Random));
			const FPlace Place = Describe(Frame, Geodetic);
			for (int From = 0; From < 5; ++From)
			{
				for (int To = 0; To < 5; ++To)
				{
					SCOPED_TRACE(testing::Message() << "from " << From << " to " << To);
					FVector Out(-1.0, -1.0, -1.0);
					ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(AllSystems[From], AllSystems[To], Frame, Place.In[From], Out));
					if (From == To)
					{
						EXPECT_EQ(Out, Place.In[From]);
						continue;
					}
					const double Tolerance = ToleranceOf(AllSystems[To]) * (AllSystems[To] == ECoordinateSystem::Geodetic ? 1e-5 : 1.0);
					EXPECT_NEAR(Out.X, Place.In[To].X, Tolerance);
					EXPECT_NEAR(Out.Y, Place.In[To].Y, Tolerance);
					EXPECT_NEAR(Out.Z, Place.In[To].Z, ToleranceOf(AllSystems[To]));
				}
			}
		}
	}
}

TEST(PositionDispatch, LocalSystemsAreExactPermutationsAndScalings)
{
	const FCoordinateReferenceFrame Frame = MakeFrame(ECoordinateLocalFrameType::Cartesian, 10.0, 10.0, 0.0);
	const auto Convert = [&Frame](ECoordinateSystem From, ECoordinateSystem To, const FVector& In) {
		FVector Out;
		EXPECT_TRUE(DuRizerudore::DispatchPositionConversion(From, To, Frame, In, Out));
		return Out;
	};
	const std::tuple<ECoordinateSystem, ECoordinateSystem, FVector, FVector> Cases[] = {
		{ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_NED, FVector(1.0, 2.0, 3.0), FVector(2.0, 1.0, -3.0)},
		{ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, FVector(1.0, 2.0, 3.0), FVector(200.0, 100.0, 300.0)},
		{ECoordinateSystem::Local_UE, ECoordinateSystem::Local_NED, FVector(100.0, 0.0, 0.0), FVector(1.0, 0.0, 0.0)},
		{ECoordinateSystem::Local_NED, ECoordinateSystem::Local_UE, FVector(1.0, 2.0, 3.0), FVector(100.0, 200.0, -300.0)},
	};
	for (const auto& [From, To, In, Expected] : Cases)
	{
		EXPECT_EQ(Convert(From, To, In), Expected);
	}
	// The factor out of centimetres is the literal 0.01: 35 cm is 35 * 0.01 m, not 35 / 100, which is one bit apart.
	const FVector FromCentimetres = Convert(ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, FVector(35.0, 0.0, 0.0));
	EXPECT_EQ(FromCentimetres.Y, 35.0 * 0.01);
	EXPECT_NE(FromCentimetres.Y, 35.0 / 100.0);

	// Round trips through centimetres come back up to rounding.
	std::mt19937_64 Random(3);
	std::uniform_real_distribution<double> Component(-1e6, 1e6);
	for (int Sample = 0; Sample < 1000; ++Sample)
	{
		const FVector Ue(Component(Random), Component(Random), Component(Random));
		const FVector Back = Convert(ECoordinateSystem::Local_ENU, ECoordinateSystem::Local_UE, Convert(ECoordinateSystem::Local_UE, ECoordinateSystem::Local_ENU, Ue));
		ExpectVectorNear(Back, Ue, 1e-9);
	}
}
