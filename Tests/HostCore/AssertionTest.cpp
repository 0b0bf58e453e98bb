#include "CoreTypes.h"
#include "Logging/HostLogCapture.h"
#include "Misc/AssertionMacros.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
	bool FailAtOneSite(const bool bCondition)
	{
		return ensure(bCondition);
	}

	bool FailWithMessage(const int32 Value)
	{
		return ensureMsgf(Value > 0, TEXT("Value %d is not positive (%s)."), Value, TEXT("test"));
	}
}

TEST(Assertions, EnsureReportsOncePerSiteAndContinues)
{
	FHostLogCapture Capture;
	EXPECT_TRUE(FailAtOneSite(true));
	EXPECT_EQ(Capture.CountEnsures(), 0);

	EXPECT_FALSE(FailAtOneSite(false));
	EXPECT_FALSE(FailAtOneSite(false));
	EXPECT_EQ(Capture.CountEnsures(), 1);
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Ensure condition failed: bCondition")), 1);

	// A different site has a flag of its own.
	EXPECT_FALSE(ensure(1 + 1 == 3));
	EXPECT_EQ(Capture.CountEnsures(), 2);

	// ensureAlways reports every time.
	for (int32 Index = 0; Index < 3; ++Index)
	{
		EXPECT_FALSE(ensureAlways(Index < 0));
	}
	EXPECT_EQ(Capture.CountEnsures(), 5);
	// ensureMsgf formats its message only when it fails.
	EXPECT_TRUE(FailWithMessage(1));
	EXPECT_FALSE(FailWithMessage(-3));
	EXPECT_FALSE(FailWithMessage(-4));
	EXPECT_EQ(Capture.Count(TEXT("LogOutputDevice"), TEXT("Value -3 is not positive (test).")), 1);
	EXPECT_EQ(Capture.CountEnsures(), 6);
}

TEST(Assertions, EnsureFromManyThreadsReportsOnce)
{
	FHostLogCapture Capture;
	std::vector<std::thread> Threads;
	for (int32 Index = 0; Index < 8; ++Index)
	{
		Threads.emplace_back([] {
			for (int32 Repeat = 0; Repeat < 100; ++Repeat)
			{
				ensure(Repeat < 0);
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_EQ(Capture.CountEnsures(), 1);
}

TEST(AssertionsDeathTest, CheckStopsTheProcess)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(check(2 + 2 == 5), "Assertion failed: 2 \\+ 2 == 5");
	EXPECT_DEATH(checkf(false, TEXT("because %s"), TEXT("reasons")), "because reasons");
	check(true);
}
