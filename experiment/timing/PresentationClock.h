#pragma once

#include "FrameStamp.h"

#include <cstdint>

/// The time source of presented frames. The frame loop asks it once per frame,
/// right after the buffer swap; the stamps feed the per-trial timing and the
/// refresh check. Renderers implement it (waiting for the swap to finish, reading
/// the swap counters or the headset's predicted display time); tests play a
/// simulated display with it.
class PresentationClock {
public:
    virtual ~PresentationClock() = default;

    /// Stamps the frame whose buffer swap was just issued.
    virtual FrameStamp stampPresentedFrame() = 0;
};

/// Microseconds since the process started, from the monotonic clock. The origin
/// is taken during static initialisation, like the millisecond clock of the logs.
std::int64_t steadyMicroseconds();

/// A stamp holding only steadyMicroseconds() now: what a renderer returns after
/// it has waited for its swap to complete when no swap counters are available.
FrameStamp steadyFrameStamp();
