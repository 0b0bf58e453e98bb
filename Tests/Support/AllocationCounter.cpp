#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
	thread_local std::size_t AllocationCount = 0;
}

std::size_t UE::HostTest::GetAllocationCount()
{
	return AllocationCount;
}

void* operator new(std::size_t Size)
{
	++AllocationCount;
	if (void* Memory = std::malloc(Size == 0 ? 1 : Size))
	{
		return Memory;
	}
	throw std::bad_alloc();
}

void operator delete(void* Memory) noexcept
{
	std::free(Memory);
}

void operator delete(void* Memory, std::size_t) noexcept
{
	std::free(Memory);
}
