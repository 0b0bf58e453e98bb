// ParallelFor on the stand-in's worker pool, and the bit array and array view its callers hand around.
#include "Async/ParallelFor.h"
#include "Containers/ArrayView.h"
#include "Containers/BitArray.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

TEST(HostParallelFor, EveryIndexRunsOnceOnAtMostThePoolsThreadsAndNestedCallsFinish)
{
	struct FCase
	{
		const char* Name;
		int32 Num;
		EParallelForFlags Flags;
	};
	const FCase Cases[] = {
		{"none", 0, EParallelForFlags::None},
		{"one", 1, EParallelForFlags::None},
		{"a few", 7, EParallelForFlags::None},
		{"many", 100000, EParallelForFlags::None},
		{"many on the calling thread", 5000, EParallelForFlags::ForceSingleThread},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		std::vector<std::atomic<int32>> Runs(static_cast<size_t>(Case.Num));
		std::mutex Mutex;
		std::set<std::thread::id> Threads;
		std::vector<int32> Order;
		ParallelFor(Case.Num, [&](const int32 Index) {
			Runs[static_cast<size_t>(Index)].fetch_add(1);
			const std::lock_guard<std::mutex> Lock(Mutex);
			Threads.insert(std::this_thread::get_id());
			Order.push_back(Index);
		}, Case.Flags);
		for (const std::atomic<int32>& Count : Runs)
		{
			EXPECT_EQ(Count.load(), 1);
		}
		EXPECT_LE(static_cast<int32>(Threads.size()), ParallelForImpl::GetNumThreads());
		if (EnumHasAnyFlags(Case.Flags, EParallelForFlags::ForceSingleThread))
		{
			EXPECT_EQ(Threads, std::set<std::thread::id>{std::this_thread::get_id()});
			for (int32 Index = 0; Index < Case.Num; ++Index)
			{
				EXPECT_EQ(Order[static_cast<size_t>(Index)], Index);
			}
		}
	}
	EXPECT_EQ(ParallelForImpl::GetNumThreads(), static_cast<int32>(std::max(1u, std::thread::hardware_concurrency())));

	// A body that runs a ParallelFor of its own, from several threads at once.
	std::atomic<int64> Sum{0};
	std::vector<std::thread> Callers;
	for (int32 Caller = 0; Caller < 3; ++Caller)
	{
		Callers.emplace_back([&Sum] { ParallelFor(40, [&Sum](const int32 Outer) { ParallelFor(50, [&Sum, Outer](const int32 Inner) { Sum += Outer * 50 + Inner; }, false); }); });
	}
	for (std::thread& Caller : Callers)
	{
		Caller.join();
	}
	EXPECT_EQ(Sum.load(), 3 * (2000 * 1999 / 2));
}

TEST(HostBitArray, SizesValuesAndCountsAcrossWordBoundaries)
{
	TBitArray<> Bits(true, 33);
	EXPECT_EQ(Bits.Num(), 33);
	EXPECT_EQ(Bits.CountSetBits(), 33);
	Bits[32] = false;
	Bits[0] = false;
	EXPECT_EQ(Bits.Find(false), 0);
	EXPECT_EQ(Bits.CountSetBits(1, 32), 31);
	Bits.SetNum(70, false);
	EXPECT_EQ(Bits.CountSetBits(), 31);
	EXPECT_EQ(Bits.Add(true), 70);
	EXPECT_TRUE(Bits[70]);
	Bits.SetNum(31, true);
	EXPECT_EQ(Bits.CountSetBits(), 30);
	// Shrinking clears what lies past the end: growing again brings back only the new value.
	Bits.SetNum(64, false);
	EXPECT_EQ(Bits.CountSetBits(), 30);
	Bits.Init(false, 5);
	EXPECT_FALSE(Bits.Contains(true));
	EXPECT_EQ(Bits.Find(true), INDEX_NONE);
	Bits.Empty();
	EXPECT_EQ(Bits.Num(), 0);

	int32 Values[] = {1, 2, 3, 4};
	const TArrayView<int32> View = MakeArrayView(Values, 4);
	const TConstArrayView<int32> Middle = TConstArrayView<int32>(View).Slice(1, 2);
	EXPECT_EQ(Middle.Num(), 2);
	EXPECT_EQ(Middle[0], 2);
	View[2] = 30;
	EXPECT_EQ(Middle[1], 30);
	EXPECT_TRUE(TConstArrayView<int32>().IsEmpty());
}
