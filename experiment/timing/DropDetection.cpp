#include "DropDetection.h"

#include <algorithm>
#include <cmath>

FrameLateness judgeFrame(const FrameStamp& previous, const FrameStamp& current, double nominalPeriodMicroseconds)
{
    FrameLateness result;
    const auto interval = static_cast<double>(current.microseconds - previous.microseconds);
    const bool slowInterval =
        nominalPeriodMicroseconds > 0.0 && interval > lateIntervalInPeriods * nominalPeriodMicroseconds;

    if (previous.hasSyncCounters && current.hasSyncCounters) {
        const auto step = current.msc - previous.msc;
        // The counter is exact: a slow interval with a step of 1 means the stamp
        // was read late, not that the picture was; it still counts as late so
        // that someone looks, but no refresh was missed.
        result.droppedFrames = step > 1 ? static_cast<int>(step - 1) : 0;
        result.late = step > 1 || slowInterval;
        return result;
    }
    if (slowInterval) {
        result.late = true;
        const auto periods = std::lround(interval / nominalPeriodMicroseconds);
        result.droppedFrames = static_cast<int>(std::max(1L, periods - 1));
    }
    return result;
}
