#include "VsyncClock.h"

namespace xrsim {

VsyncClock::VsyncClock(Duration period)
    : period_(period)
{
}

void VsyncClock::start(TimePoint firstTick)
{
    origin_ = firstTick;
    lastTick_.reset();
}

VsyncClock::Slot VsyncClock::next(TimePoint now)
{
    const std::int64_t elapsed = (now - origin_).count();
    const std::int64_t step = period_.count();
    const std::int64_t firstNotBefore = elapsed <= 0 ? 0 : (elapsed + step - 1) / step;

    Slot slot;
    std::int64_t tick = firstNotBefore;
    if (lastTick_) {
        const std::int64_t due = *lastTick_ + 1;
        // The very first frame of a session has no tick to keep, so it never misses.
        slot.missed = firstNotBefore > due;
        if (!slot.missed)
            tick = due;
    }
    lastTick_ = tick;
    slot.wake = tickTime(tick);
    slot.display = tickTime(tick + 1);
    return slot;
}

} // namespace xrsim
