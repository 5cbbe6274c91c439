#include "Random.h"

namespace {
std::uint32_t state = 1;
}

void seedRandom(std::uint32_t seed)
{
    state = seed;
}

int nextRandom()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fffu);
}

int randomUpTo(int upper)
{
    const std::uint64_t m = static_cast<std::uint64_t>(upper) + 1;
    for (;;) {
        std::uint64_t r = static_cast<std::uint64_t>(nextRandom());
        std::uint64_t limit = RANDOM_MAX;
        while (limit < static_cast<std::uint64_t>(upper)) {
            r = r * (RANDOM_MAX + 1) + static_cast<std::uint64_t>(nextRandom());
            limit = limit * (RANDOM_MAX + 1) + RANDOM_MAX;
        }
        // Reject the incomplete last bucket of the range; a range that divides
        // evenly has none (then limit % m is m - 1).
        if (r / m < limit / m || limit % m == m - 1)
            return static_cast<int>(r % m);
    }
}
