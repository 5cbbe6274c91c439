#pragma once

#include <cstdio>
#include <cstdlib>

/// Stops the fuzz run with what broke: libFuzzer keeps the input that did it.
inline void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}
