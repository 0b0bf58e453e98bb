// Frames taken from the coordinate-system actor are used on worker threads while the game thread keeps
// rebuilding the actor: each frame stays whole and valid for as long as a worker holds it.
#include "DuRizerudoreBlueprintLibrary.h"
#include "WorldTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using namespace DuRizerudoreTest;

TEST(CoordinateSystemConcurrency, WorkersConvertThroughFramesWhileTheGameThreadRebuilds)
{
	FTestWorld World;
	FCoordinateSystemSettings Settings;
	Settings.ReferenceSetup = MakeReferenceSetup(ECoordinateLocalFrameType::Cartesian, 45.0, 10.0, 0.0);
	ADuRizerudoreSystem* const System = LoadCoordinateSystem(World.Get(), Settings);

	// Frames are taken on the game thread, from the actor's event, and handed over under a lock.
	std::mutex Mutex;
	FCoordinateReferenceFramePtr Latest = System->GetReferenceFramePtr();
	System->GetOnReferenceChanged().AddLambda([&](FCoordinateReferenceFramePtr, FCoordinateReferenceFramePtr NewFrame)
		{
			const std::lock_guard<std::mutex> Lock(Mutex);
			Latest = NewFrame;
		});

	std::atomic<bool> bDone(false);
	std::atomic<int32> Conversions(0);
	std::atomic<int32> Failures(0);
	const auto Worker = [&]
	{
		const FVector Point(45.2, 10.3, 250.0);
		while (!bDone.load())
		{
			FCoordinateReferenceFramePtr Frame;
			{
				const std::lock_guard<std::mutex> Lock(Mutex);
				Frame = Latest;
			}
			FVector LocalUe(0.0, 0.0, 0.0);
			FVector Back(0.0, 0.0, 0.0);
			const bool bConverted = UDuRizerudoreBlueprintLibrary::ConvertPosition(*Frame, ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Point, LocalUe)
				&& UDuRizerudoreBlueprintLibrary::ConvertPosition(*Frame, ECoordinateSystem::Local_UE, ECoordinateSystem::Geodetic, LocalUe, Back);
			if (!bConverted || !Back.Equals(Point, 1e-7))
			{
				++Failures;
			}
			++Conversions;
		}
	};
	std::vector<std::thread> Workers;
	Workers.emplace_back(Worker);
	Workers.emplace_back(Worker);
	for (int32 Rebuild = 0; Rebuild < 40; ++Rebuild)
	{
		// Let the workers convert through the current frame before it is replaced.
		const int32 Seen = Conversions.load();
		while (Conversions.load() < Seen + 4)
		{
			std::this_thread::yield();
		}
		const ECoordinateLocalFrameType Type = Rebuild % 2 == 0 ? ECoordinateLocalFrameType::UTM : ECoordinateLocalFrameType::Cartesian;
		EditMember(System, TEXT("ReferenceSetup"), MakeReferenceSetup(Type, 45.0 + Rebuild * 0.01, 10.0, Rebuild * 10.0));
	}
	bDone = true;
	for (std::thread& Thread : Workers)
	{
		Thread.join();
	}
	EXPECT_EQ(Failures.load(), 0);
	EXPECT_GT(Conversions.load(), 0);
}
