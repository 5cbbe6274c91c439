#pragma once

#include <cstdint>

/// When one presented frame reached the display, as far as the program can tell.
struct FrameStamp {
    /// Microseconds since the process started, from the monotonic clock.
    std::int64_t microseconds = 0;
    /// True when ust and msc hold the swap's counters (GLX_OML_sync_control).
    bool hasSyncCounters = false;
    /// The system time of the swap's vertical retrace, in the driver's unit.
    std::int64_t ust = 0;
    /// The media stream counter: how many retraces the display has had. It moves
    /// by exactly 1 per refresh, so a larger step counts dropped frames exactly.
    std::int64_t msc = 0;
    /// True when the time is the runtime's prediction of when the frame will be
    /// shown (a headset's frame pacing) rather than a measurement after the swap.
    bool predicted = false;
};
