#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// The replaced global operators count every allocation of the test program,
// which is how the frame paths are shown to allocate nothing.

namespace {

std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};

void* allocate(std::size_t size)
{
    if (counting.load())
        allocations.fetch_add(1);
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

AllocationCounter::AllocationCounter()
{
    allocations.store(0);
    counting.store(true);
}

AllocationCounter::~AllocationCounter()
{
    counting.store(false);
}

std::size_t AllocationCounter::count() const
{
    return allocations.load();
}
