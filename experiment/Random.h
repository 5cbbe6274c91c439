#pragma once

#include <cstdint>

/// The program's one random generator. Values are 0 to 32767 on every platform,
/// so the modulo reductions and the shuffle draw the same trial lists for the
/// same seed everywhere. (glibc's rand() has a range of 2^31 and would not.)
/// It is the linear congruential generator of the Windows C runtime, so a seed
/// also reproduces the lists a Windows build draws.
constexpr int RANDOM_MAX = 32767;

/// Restarts the sequence from seed.
void seedRandom(std::uint32_t seed);

/// Next value, 0 to RANDOM_MAX.
int nextRandom();

/// A value uniform from 0 to upper (upper >= 0), drawn by rejection so that no
/// value is favoured. Bounds above RANDOM_MAX combine several draws, 15 bits each.
int randomUpTo(int upper);
