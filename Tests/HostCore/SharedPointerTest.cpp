#include "CoreMinimal.h"
#include "Templates/SharedPointer.h"

#include "AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
	struct FCounted
	{
		explicit FCounted(std::atomic<int32>& InLiveCount, int32 InValue = 0)
			: LiveCount(InLiveCount)
			, Value(InValue)
		{
			++LiveCount;
		}
		~FCounted() { --LiveCount; }

		std::atomic<int32>& LiveCount;
		int32 Value;
	};

	struct FDerived : FCounted
	{
		using FCounted::FCounted;
	};
}

TEST(SharedPointer, MakeSharedIsOneAllocationAndCopiesAllocateNothing)
{
	std::atomic<int32> Live{0};
	const std::size_t Before = UE::HostTest::GetAllocationCount();
	TSharedPtr<FCounted, ESPMode::ThreadSafe> Pointer = MakeShared<FCounted, ESPMode::ThreadSafe>(Live, 42);
	EXPECT_EQ(UE::HostTest::GetAllocationCount() - Before, 1u);

	const std::size_t BeforeCopies = UE::HostTest::GetAllocationCount();
	TSharedPtr<FCounted> Copy = Pointer;
	TSharedRef<FCounted> Ref = Copy.ToSharedRef();
	TWeakPtr<FCounted> Weak = Pointer;
	EXPECT_EQ(UE::HostTest::GetAllocationCount(), BeforeCopies);

	EXPECT_EQ(Pointer.GetSharedReferenceCount(), 3);
	EXPECT_EQ(Copy->Value, 42);
	EXPECT_EQ(&Ref.Get(), Pointer.Get());
	EXPECT_TRUE(Copy == Pointer);

	TSharedPtr<FCounted> Moved = MoveTemp(Copy);
	EXPECT_FALSE(Copy.IsValid());
	EXPECT_EQ(Moved.GetSharedReferenceCount(), 3);
}

TEST(SharedPointer, LastOwnerDestroysAndWeakPointersThenResolveToNull)
{
	std::atomic<int32> Live{0};
	TWeakPtr<FCounted> Weak;
	{
		TSharedPtr<FCounted> Base = MakeShared<FDerived>(Live, 7);
		Weak = Base;
		EXPECT_TRUE(Weak.Pin().IsValid());
		EXPECT_EQ(Live.load(), 1);
		Base = nullptr;
		EXPECT_FALSE(Base.IsValid());
	}
	EXPECT_EQ(Live.load(), 0);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_FALSE(Weak.Pin().IsValid());
	EXPECT_EQ(Weak.Pin().Get(), nullptr);
}

TEST(SharedPointer, CountsAreAtomicAcrossThreads)
{
	std::atomic<int32> Live{0};
	TSharedPtr<FCounted> Shared = MakeShared<FCounted>(Live);
	std::vector<std::thread> Threads;
	for (int32 Index = 0; Index < 8; ++Index)
	{
		Threads.emplace_back([Shared] {
			for (int32 Repeat = 0; Repeat < 20000; ++Repeat)
			{
				TSharedPtr<FCounted> Copy = Shared;
				TWeakPtr<FCounted> Weak = Copy;
				EXPECT_TRUE(Weak.Pin().IsValid());
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_EQ(Shared.GetSharedReferenceCount(), 1);
	Shared.Reset();
	EXPECT_EQ(Live.load(), 0);
}
