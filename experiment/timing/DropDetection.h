#pragma once

#include "FrameStamp.h"

/// How a frame kept to the display's refresh, judged from its stamp and the stamp
/// of the frame before it.
struct FrameLateness {
    /// The frame came too late: the frame before it stayed on screen for more
    /// than one refresh.
    bool late = false;
    /// Refreshes missed before this frame: exact when both stamps carry swap
    /// counters, otherwise estimated from the interval (at least 1 when late).
    int droppedFrames = 0;
};

/// A frame is late when its interval to the previous frame exceeds this many
/// nominal periods. Halfway between one and two refreshes tolerates the jitter
/// of stamps read after the swap while still catching a single missed refresh.
inline constexpr double lateIntervalInPeriods = 1.5;

/// Judges the interval from `previous` to `current` against the nominal refresh
/// period. Late when the interval exceeds 1.5 periods, or when the MSC advanced
/// by more than 1 (both stamps must carry counters); dropped frames are then the
/// MSC step minus 1. A non-positive period judges nothing late.
FrameLateness judgeFrame(const FrameStamp& previous, const FrameStamp& current, double nominalPeriodMicroseconds);
