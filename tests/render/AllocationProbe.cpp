#include "AllocationProbe.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
bool watching = false;
std::size_t largestSeen = 0;
} // namespace

// Kept in their own file so the compiler cannot inline them into the callers.
void* operator new(std::size_t size)
{
    if (watching)
        largestSeen = std::max(largestSeen, size);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

AllocationProbe::AllocationProbe()
{
    largestSeen = 0;
    watching = true;
}

AllocationProbe::~AllocationProbe()
{
    watching = false;
}

std::size_t AllocationProbe::largest() const
{
    return largestSeen;
}
