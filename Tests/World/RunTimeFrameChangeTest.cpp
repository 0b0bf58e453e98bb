// Changing a coordinate system's frame or models at run time: what is kept, what anchored actors do, what
// the calls return, and calls refused while the actor broadcasts.
#include "DuRizerudoreAnchorComponent.h"
#include "DuRizerudoreBlueprintLibrary.h"
#include "FrameChangedListener.h"
#include "VectorExpectations.h"
#include "WorldTestSupport.h"

#include "Logging/HostLogCapture.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace DuRizerudoreTest;

void UFrameChangedListener::HandleFrameChanged(const bool bFrameInitialized)
{
	Journal->push_back(bFrameInitialized ? 1 : 0);
}

namespace
{
	FVector ToLocalUe(const FCoordinateReferenceFrame& Frame, const FVector& Geodetic)
	{
		FVector LocalUe(0.0, 0.0, 0.0);
		EXPECT_TRUE(UDuRizerudoreBlueprintLibrary::ConvertPosition(Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Geodetic, LocalUe));
		return LocalUe;
	}

	FMatrix EcefPoseOf(const ADuRizerudoreSystem* System, const AActor* Actor)
	{
		FMatrix Pose;
		EXPECT_TRUE(System->ConvertAuthorityLocalTransformToEcefMatrix(Actor->GetActorTransform(), Pose));
		return Pose;
	}

	FCoordinateSystemSettings TangentPlaneAtParis()
	{
		FCoordinateSystemSettings Settings;
		Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 48.85, 2.29, 0.0);
		return Settings;
	}
}

TEST(RunTimeFrameChange, WhatEachChangeKeepsAndReturns)
{
	FCoordinateConversionSetup CubicGeoid = MakeModelFreeSetup();
	CubicGeoid.GeoidInterpolation = ECoordinateGeoidInterpolation::Cubic;
	FCoordinateConversionSetup Broken = MakeModelFreeSetup();
	Broken.DatumModel = static_cast<EEarthDatumModel>(7);
	struct FChangeCase
	{
		const char* Name;
		std::function<bool(ADuRizerudoreSystem&)> Change;
		bool bInitialized;
		bool bSameInstance;
	};
	const FChangeCase Cases[] = {
		{"tangent plane 150 km away", [](ADuRizerudoreSystem& S) { return S.SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 49.5, 4.1, 120.0)); }, true, true},
		{"UTM grid", [](ADuRizerudoreSystem& S) { return S.SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::UTM, 48.0, 3.5, 0.0)); }, true, true},
		{"origin the frame refuses", [](ADuRizerudoreSystem& S) { return S.SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 91.0, 0.0, 0.0)); }, false, true},
		{"same models again", [](ADuRizerudoreSystem& S) { return S.SetSetup(MakeModelFreeSetup()); }, true, false},
		{"other interpolation", [&CubicGeoid](ADuRizerudoreSystem& S) { return S.SetSetup(CubicGeoid); }, true, false},
		{"other interpolation written in place, then a new origin", [&CubicGeoid](ADuRizerudoreSystem& S)
			{
				S.GetSetup() = CubicGeoid;
				return S.SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 49.5, 4.1, 120.0));
			},
			true, false},
		{"models that do not build", [&Broken](ADuRizerudoreSystem& S) { return S.SetSetup(Broken); }, false, false},
	};
	const FVector Paris(48.8584, 2.2945, 330.0);
	for (const FChangeCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		FTestWorld World;
		ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAtParis());
		std::vector<FAnchoredActor> Scene;
		for (const FVector& Place : {FVector(0.0, 0.0, 0.0), FVector(-250000.0, 8000000.0, 12000.0), FVector(9000000.0, -3000000.0, -500.0)})
		{
			Scene.push_back(SpawnAnchoredActor(World.Get(), FTransform(FRotator(10.0, 35.0, -5.0).Quaternion(), Place)));
		}
		std::vector<FMatrix> PosesBefore;
		for (const FAnchoredActor& Anchored : Scene)
		{
			PosesBefore.push_back(EcefPoseOf(System, Anchored.Actor));
		}
		const FCoordinateReferenceFramePtr Earlier = System->GetReferenceFramePtr();
		const auto InstanceBefore = System->GetInstancePtr();
		const FVector ParisBefore = ToLocalUe(*Earlier, Paris);
		int32 Broadcasts = 0;
		System->GetOnReferenceChanged().AddLambda([&Broadcasts](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { ++Broadcasts; });

		EXPECT_EQ(Case.Change(*System), Case.bInitialized);
		EXPECT_EQ(System->IsReferenceFrameInitialized(), Case.bInitialized);
		EXPECT_EQ(System->GetInstancePtr() == InstanceBefore, Case.bSameInstance);
		EXPECT_EQ(Broadcasts, 1);
		// A frame handed out before is untouched, whatever became of the actor.
		EXPECT_EQ(ToLocalUe(*Earlier, Paris), ParisBefore);
		if (!Case.bInitialized)
		{
			continue;
		}
		// Anchored actors keep their place on the Earth.
		for (std::size_t Index = 0; Index < Scene.size(); ++Index)
		{
			const FMatrix After = EcefPoseOf(System, Scene[Index].Actor);
			for (int32 Row = 0; Row < 4; ++Row)
			{
				const FMatrix& Before = PosesBefore[Index];
				ExpectVectorNear(FVector(After.M[Row][0], After.M[Row][1], After.M[Row][2]), FVector(Before.M[Row][0], Before.M[Row][1], Before.M[Row][2]), Row < 3 ? 1e-9 : 1e-6);
			}
		}
	}
}

TEST(RunTimeFrameChange, CallsFromTheActorsOwnBroadcastAreRefused)
{
	FTestWorld World;
	FHostLogCapture Log;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAtParis());
	const FCoordinateReferenceSetup Rome = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 41.9, 12.5, 0.0);
	std::vector<bool> Results;
	System->GetOnReferenceChanged().AddLambda([&](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr)
	{
		Results.push_back(System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 10.0, 10.0, 0.0)));
		Results.push_back(System->SetSetup(MakeModelFreeSetup()));
	});

	ASSERT_TRUE(System->SetReferenceSetup(Rome));
	const FCoordinateReferenceFramePtr Frame = System->GetReferenceFramePtr();
	const auto Instance = System->GetInstancePtr();
	EXPECT_EQ(Results, std::vector<bool>({false, false}));
	EXPECT_EQ(System->GetReferenceSetup().LocalFrameOrigin.LatitudeDeg, 41.9);
	EXPECT_EQ(System->GetReferenceFramePtr(), Frame);
	EXPECT_EQ(System->GetInstancePtr(), Instance);
	EXPECT_NEAR(ToLocalUe(*Frame, FVector(41.9, 12.5, 0.0)).Size(), 0.0, 1e-6);
	for (const TCHAR* Function : {TEXT("SetReferenceSetup"), TEXT("SetSetup")})
	{
		const FString Message = FString::Printf(TEXT("%s was called on %s while it broadcasts a change of its reference frame; the call is refused and nothing changes."), Function, *System->GetName());
		EXPECT_EQ(Log.Count(TEXT("LogDuRizerudoreSystem"), *Message), 1) << Function;
	}

	// The same while a follower relays its authority's change to its own listeners.
	FTestWorld OtherWorld;
	FCoordinateSystemSettings AuthoritySettings = TangentPlaneAtParis();
	AuthoritySettings.bAuthority = true;
	ADuRizerudoreSystem* const Authority = LoadCoordinateSystem(OtherWorld.Get(), AuthoritySettings);
	ADuRizerudoreSystem* const Follower = LoadCoordinateSystem(OtherWorld.Get(), TangentPlaneAtParis());
	std::vector<bool> Relayed;
	Follower->GetOnReferenceChanged().AddLambda([&](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { Relayed.push_back(Follower->SetReferenceSetup(Rome)); });
	ASSERT_TRUE(Authority->SetReferenceSetup(Rome));
	EXPECT_EQ(Relayed, std::vector<bool>({false}));
}

TEST(RunTimeFrameChange, ScriptsHearOfEveryRebuildAfterNativeListeners)
{
	FTestWorld World;
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), TangentPlaneAtParis());
	std::vector<int32> Journal;
	UFrameChangedListener* const Listener = NewObject<UFrameChangedListener>(GetTransientPackage());
	Listener->Journal = &Journal;
	// -1 marks the native event; the script's handler records the frame's state after it.
	System->GetOnReferenceChanged().AddLambda([&Journal](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr) { Journal.push_back(-1); });
	System->OnReferenceFrameChanged.AddDynamic(Listener, &UFrameChangedListener::HandleFrameChanged);

	System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 91.0, 0.0, 0.0));
	System->SetReferenceSetup(MakeReferenceSetup(ECoordinateLocalFrameType::UTM, 41.9, 12.5, 0.0));
	EditMember(System, TEXT("bAuthority"), true);
	EXPECT_EQ(Journal, std::vector<int32>({-1, 0, -1, 1, -1, 1}));

	System->OnReferenceFrameChanged.RemoveDynamic(Listener, &UFrameChangedListener::HandleFrameChanged);
	System->SetSetup(MakeModelFreeSetup());
	EXPECT_EQ(Journal.size(), 7u);
}
