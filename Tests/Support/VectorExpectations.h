// Component-wise comparison of engine vectors, for the suites that check positions and directions.
#pragma once

#include "Math/Vector.h"

#include <gtest/gtest.h>

namespace DuRizerudoreTest
{
	/** Each component of Actual within Tolerance of Expected's; What names the value in a failure. */
	inline void ExpectVectorNear(const FVector& Actual, const FVector& Expected, const double Tolerance, const char* What = "")
	{
		EXPECT_NEAR(Actual.X, Expected.X, Tolerance) << What;
		EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance) << What;
		EXPECT_NEAR(Actual.Z, Expected.Z, Tolerance) << What;
	}
}
