#include "PresentationClock.h"

#include <chrono>

namespace {

// Constructed during static initialisation, so "process start" is before main.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

} // namespace

std::int64_t steadyMicroseconds()
{
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count();
}

FrameStamp steadyFrameStamp()
{
    FrameStamp stamp;
    stamp.microseconds = steadyMicroseconds();
    return stamp;
}
