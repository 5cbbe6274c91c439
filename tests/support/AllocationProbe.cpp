#include "AllocationProbe.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The replaced global operators see every allocation of the test program. They
// sit in their own file so the compiler cannot inline them into the callers.

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> largestSeen{0};

void* allocate(std::size_t size)
{
    if (watching.load()) {
        allocations.fetch_add(1);
        std::size_t seen = largestSeen.load();
        while (size > seen && !largestSeen.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

AllocationProbe::AllocationProbe()
{
    allocations.store(0);
    largestSeen.store(0);
    watching.store(true);
}

AllocationProbe::~AllocationProbe()
{
    watching.store(false);
}

std::size_t AllocationProbe::count() const
{
    return allocations.load();
}

std::size_t AllocationProbe::largest() const
{
    return largestSeen.load();
}
