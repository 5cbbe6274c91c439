#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace xrsim {

/// The simulated display's vertical sync: a tick every period, counted from the
/// moment the session began. A frame is woken at a tick and has to ask for its
/// next frame before the following tick; asking later means the display showed
/// the old picture once more, which is counted as a missed frame.
/// Plain arithmetic on time points handed in, so it is tested without sleeping.
class VsyncClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::nanoseconds;

    /// The tick a frame starts at and the tick its picture reaches the display.
    struct Slot {
        TimePoint wake;
        TimePoint display;
        bool missed = false;
    };

    explicit VsyncClock(Duration period);

    /// Puts tick 0 at firstTick and forgets earlier frames.
    void start(TimePoint firstTick);

    /// The slot of a frame asked for at `now`: the tick after the previous
    /// frame's tick, or the first tick not before `now` when that one has passed.
    Slot next(TimePoint now);

    Duration period() const { return period_; }

private:
    TimePoint tickTime(std::int64_t tick) const { return origin_ + period_ * tick; }

    Duration period_;
    TimePoint origin_{};
    std::optional<std::int64_t> lastTick_;
};

} // namespace xrsim
