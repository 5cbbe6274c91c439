#pragma once

#include <cstddef>

/// Watches the heap while it lives: every allocation the test program makes
/// through the global operator new (which AllocationProbe.cpp replaces) is
/// counted, and the largest one kept. Shows that a frame path allocates
/// nothing, or that a reader never allocates more than its file holds.
class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    /// Allocations made since construction.
    std::size_t count() const;
    /// The largest single allocation since construction, in bytes.
    std::size_t largest() const;
};
