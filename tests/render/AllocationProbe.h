#pragma once

#include <cstddef>

/// Watches the heap while it lives: largest() is the biggest single allocation
/// made through operator new since construction. The test program that links
/// AllocationProbe.cpp replaces the global operator new to see them.
class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    std::size_t largest() const;
};
