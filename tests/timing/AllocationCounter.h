#pragma once

#include <cstddef>

/// Counts calls of the global operator new in this test program while alive.
class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    std::size_t count() const;
};
