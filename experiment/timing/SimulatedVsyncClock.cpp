#include "SimulatedVsyncClock.h"

#include <cmath>

SimulatedVsyncClock::SimulatedVsyncClock(double periodMicroseconds, std::int64_t startMicroseconds)
    : period_(periodMicroseconds)
    , start_(startMicroseconds)
{
}

void SimulatedVsyncClock::presentLate(std::uint64_t frame, int periods)
{
    latePeriods_[frame] += periods;
}

void SimulatedVsyncClock::stampLate(std::uint64_t frame, std::int64_t microseconds)
{
    stampDelays_[frame] += microseconds;
}

void SimulatedVsyncClock::reportSyncCounters(bool on)
{
    syncCounters_ = on;
}

void SimulatedVsyncClock::reportPredictions(bool on)
{
    predictions_ = on;
}

void SimulatedVsyncClock::spend(std::int64_t microseconds)
{
    spent_ += microseconds;
}

std::int64_t SimulatedVsyncClock::now() const
{
    return retraceTime() + spent_;
}

std::int64_t SimulatedVsyncClock::retraceTime() const
{
    // Rounded from the exact grid, so no error builds up over many frames.
    return start_ + std::llround(static_cast<double>(retrace_) * period_);
}

FrameStamp SimulatedVsyncClock::stampPresentedFrame()
{
    if (frame_ > 0)
        ++retrace_;
    if (const auto late = latePeriods_.find(frame_); late != latePeriods_.end())
        retrace_ += late->second;
    // Work of a whole period or more since the last retrace misses a retrace
    // for each period it took.
    if (frame_ > 0 && period_ > 0.0)
        retrace_ += static_cast<std::int64_t>(std::floor(static_cast<double>(spent_) / period_));
    spent_ = 0;
    const auto retraceTime = this->retraceTime();

    FrameStamp stamp;
    stamp.microseconds = retraceTime;
    if (const auto delay = stampDelays_.find(frame_); delay != stampDelays_.end())
        stamp.microseconds += delay->second;
    stamp.hasSyncCounters = syncCounters_;
    if (syncCounters_) {
        stamp.ust = retraceTime;
        stamp.msc = retrace_;
    }
    stamp.predicted = predictions_;
    ++frame_;
    return stamp;
}
