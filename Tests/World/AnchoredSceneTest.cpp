// A scene of anchored actors at random places on the Earth: whatever the world's frame becomes, each keeps
// its Earth-fixed pose while its engine transform follows the frame.
#include "DuRizerudoreAnchorComponent.h"
#include "WorldTestSupport.h"

#include "GameFramework/Actor.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

using namespace DuRizerudoreTest;

namespace
{
	FVector Row(const FMatrix& Matrix, const int32 Index)
	{
		return FVector(Matrix.M[Index][0], Matrix.M[Index][1], Matrix.M[Index][2]);
	}
}

TEST(AnchoredScene, ActorsKeepTheirEarthFixedPoseThroughEveryChangeOfFrame)
{
	FTestWorld World;
	FCoordinateSystemSettings Settings;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.0, 11.0, 500.0);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);

	// Fifty actors within a few hundred kilometres of the origin, each placed by its geodetic pose.
	std::mt19937_64 Random(1213);
	std::uniform_real_distribution<double> Latitude(45.0, 51.0);
	std::uniform_real_distribution<double> Longitude(8.0, 14.0);
	std::uniform_real_distribution<double> Height(-100.0, 3000.0);
	std::uniform_real_distribution<double> Angle(-180.0, 180.0);
	std::vector<FAnchoredActor> Scene;
	for (int32 Index = 0; Index < 50; ++Index)
	{
		const FAnchoredActor Placed = SpawnAnchoredActor(World.Get(), FTransform::Identity);
		Placed.Anchor->SetGeodeticPosition(FGeodeticCoordinate(Latitude(Random), Longitude(Random), Height(Random)));
		Placed.Anchor->SetGeodeticRotation(FRotator(Angle(Random) / 2.0, Angle(Random), Angle(Random)));
		Scene.push_back(Placed);
	}
	std::vector<FMatrix> Earth;
	for (const FAnchoredActor& Placed : Scene)
	{
		Earth.push_back(GetCachedEcefPose(Placed.Anchor));
	}

	// One anchor joins while the frame is failing: it must follow once the frame recovers.
	FCoordinateConversionSetup Broken = MakeModelFreeSetup();
	Broken.DatumModel = static_cast<EEarthDatumModel>(7);
	FAnchoredActor Latecomer;
	FMatrix LatecomerEarth;

	struct FFrameChange
	{
		const char* Name;
		std::function<void()> Apply;
		bool bFails;
	};
	const FFrameChange Changes[] = {
		{"tangent plane on another continent", [&] { EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, -33.9, 151.2, 0.0)); }, false},
		{"UTM grid", [&] { EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::UTM, 47.0, 9.0, 200.0)); }, false},
		{"local frame off", [&] { EditMember(System, TEXT("LocalReferenceFrame"), false); }, false},
		{"local frame on", [&] { EditMember(System, TEXT("LocalReferenceFrame"), true); }, false},
		{"a setup that fails", [&]
			{
				EditMember(System, TEXT("Setup"), Broken);
				Latecomer = SpawnAnchoredActor(World.Get(), FTransform::Identity);
				Latecomer.Anchor->SetEcefPosition(Row(Earth.front(), 3) + FVector(10.0, 0.0, 0.0));
				LatecomerEarth = GetCachedEcefPose(Latecomer.Anchor);
			},
			true},
		{"another origin while failing", [&] { EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 40.7, -74.0, 0.0)); }, true},
		{"recovery", [&] { EditMember(System, TEXT("Setup"), MakeModelFreeSetup()); }, false},
	};
	for (const FFrameChange& Change : Changes)
	{
		SCOPED_TRACE(Change.Name);
		std::vector<FTransform> Before;
		for (const FAnchoredActor& Placed : Scene)
		{
			Before.push_back(Placed.Actor->GetActorTransform());
		}
		Change.Apply();
		for (size_t Index = 0; Index < Scene.size(); ++Index)
		{
			const FMatrix Now = GetCachedEcefPose(Scene[Index].Anchor);
			EXPECT_LT((Row(Now, 3) - Row(Earth[Index], 3)).Size(), 1e-6);
			for (int32 Axis = 0; Axis < 3; ++Axis)
			{
				EXPECT_TRUE(Row(Now, Axis).Equals(Row(Earth[Index], Axis), 1e-9));
			}
			// A failing frame moves nobody; every other change moves everybody in the engine's frame.
			EXPECT_EQ(Scene[Index].Actor->GetActorTransform().Equals(Before[Index], 1e-3), Change.bFails);
		}
	}

	// The latecomer stood at the engine origin while the frame failed; now it stands at its cached place.
	const FMatrix LatecomerNow = GetCachedEcefPose(Latecomer.Anchor);
	EXPECT_LT((Row(LatecomerNow, 3) - Row(LatecomerEarth, 3)).Size(), 1e-6);
	EXPECT_FALSE(Latecomer.Actor->GetActorTransform().GetTranslation().IsNearlyZero(1.0));
}
