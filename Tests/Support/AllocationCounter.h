// Counts global operator new calls, so that tests can prove how many allocations an operation makes.
#pragma once

#include <cstddef>

namespace UE::HostTest
{
	/** Allocations made by this thread since the process started. */
	std::size_t GetAllocationCount();
}
