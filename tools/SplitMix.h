#pragma once

#include <cstddef>
#include <cstdint>

/// A small seeded generator (SplitMix64) whose sequence is the same with every
/// compiler and standard library, so the generated masks never change between
/// builds. The standard distributions are not portable in that sense.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    /// Uniform in [low, high).
    double uniform(double low, double high) { return low + (high - low) * ((next() >> 11) * 0x1.0p-53); }

    /// Uniform in 0 .. count - 1.
    std::size_t below(std::size_t count) { return static_cast<std::size_t>(next() % count); }

private:
    std::uint64_t state_;
};
