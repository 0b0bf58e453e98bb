#include "ReferenceFrameTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace DuRizerudoreTest;

TEST(FrameConcurrency, ManyThreadsConvertOnOneSharedFrame)
{
	const FCoordinateReferenceFrame Frames[] = {
		MakeFrame(ECoordinateLocalFrameType::Cartesian, 35.0, 139.0, 10.0),
		MakeFrame(ECoordinateLocalFrameType::UTM, 35.0, 139.0, 10.0),
	};
	for (const FCoordinateReferenceFrame& Shared : Frames)
	{
		// Single-threaded answers first, then the same work from several threads at once.
		std::vector<FVector> Inputs;
		std::vector<FVector> Expected;
		for (int Index = 0; Index < 200; ++Index)
		{
			const FVector Geodetic(35.0 + Index * 0.001, 139.0 - Index * 0.001, Index);
			FVector Ue;
			ASSERT_TRUE(DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Shared, Geodetic, Ue));
			Inputs.push_back(Geodetic);
			Expected.push_back(Ue);
		}
		std::atomic<int> Mismatches{0};
		std::vector<std::thread> Threads;
		for (int ThreadIndex = 0; ThreadIndex < 4; ++ThreadIndex)
		{
			Threads.emplace_back([&] {
				for (int Repeat = 0; Repeat < 20; ++Repeat)
				{
					// Copies made and dropped on other threads share the same projector and instance.
					const FCoordinateReferenceFrame Copy(Shared);
					for (std::size_t Index = 0; Index < Inputs.size(); ++Index)
					{
						FVector Ue(0.0, 0.0, 0.0);
						if (!DuRizerudore::DispatchPositionConversion(ECoordinateSystem::Geodetic, ECoordinateSystem::Local_UE, Index % 2 ? Copy : Shared, Inputs[Index], Ue)
							|| Ue != Expected[Index])
						{
							++Mismatches;
						}
					}
				}
			});
		}
		for (std::thread& Thread : Threads)
		{
			Thread.join();
		}
		EXPECT_EQ(Mismatches.load(), 0);
	}
}
