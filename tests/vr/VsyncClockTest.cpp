#include "VsyncClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using xrsim::VsyncClock;

constexpr auto period = 10ms;

struct Arrival {
    std::chrono::microseconds at; // since the session began
    std::chrono::milliseconds wake;
    bool missed;
};

TEST(VsyncClock, WakesAtTheNextTickAndCountsLateArrivalsAsMissed)
{
    const std::vector<Arrival> cases[] = {
        // Work well inside the period: one tick after another.
        {{0us, 0ms, false}, {2000us, 10ms, false}, {13000us, 20ms, false}},
        // Arriving exactly on the due tick still makes it.
        {{0us, 0ms, false}, {10000us, 10ms, false}},
        // The first frame has no tick to keep, however late it comes.
        {{35000us, 40ms, false}, {41000us, 50ms, false}},
        // A slow frame wakes at the first tick after it, counted once; the next one is on time again.
        {{0us, 0ms, false}, {10001us, 20ms, true}, {21000us, 30ms, false}, {57000us, 60ms, true}},
        // Asking twice quickly does not run ahead of the display.
        {{0us, 0ms, false}, {100us, 10ms, false}, {200us, 20ms, false}},
    };
    const VsyncClock::TimePoint origin{1h};
    for (const std::vector<Arrival>& arrivals : cases) {
        VsyncClock clock(period);
        clock.start(origin);
        for (const Arrival& arrival : arrivals) {
            SCOPED_TRACE(arrival.at.count());
            const VsyncClock::Slot slot = clock.next(origin + arrival.at);
            EXPECT_EQ(slot.wake - origin, std::chrono::nanoseconds(arrival.wake));
            EXPECT_EQ(slot.display - slot.wake, std::chrono::nanoseconds(period));
            EXPECT_EQ(slot.missed, arrival.missed);
        }
    }
}

TEST(VsyncClock, StartingAgainForgetsTheLastFrame)
{
    const VsyncClock::TimePoint origin{1h};
    VsyncClock clock(period);
    clock.start(origin);
    clock.next(origin);
    clock.start(origin + 1s);
    const VsyncClock::Slot slot = clock.next(origin + 1s + 25ms);
    EXPECT_FALSE(slot.missed);
    EXPECT_EQ(slot.wake - origin, std::chrono::nanoseconds(1s + 30ms));
}

} // namespace
