#include "VsyncClock.h"

#include <gtest/gtest.h>

#include <ostream>

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

struct PacingCase {
    const char* name;
    std::vector<Arrival> arrivals;
};

void PrintTo(const PacingCase& c, std::ostream* out)
{
    *out << c.name;
}

class VsyncPacing : public testing::TestWithParam<PacingCase> {};

TEST_P(VsyncPacing, WakesAtTheNextTickAndCountsLateArrivalsAsMissed)
{
    const VsyncClock::TimePoint origin{1h};
    VsyncClock clock(period);
    clock.start(origin);
    for (const Arrival& arrival : GetParam().arrivals) {
        SCOPED_TRACE(arrival.at.count());
        const VsyncClock::Slot slot = clock.next(origin + arrival.at);
        EXPECT_EQ(slot.wake - origin, std::chrono::nanoseconds(arrival.wake));
        EXPECT_EQ(slot.display - slot.wake, std::chrono::nanoseconds(period));
        EXPECT_EQ(slot.missed, arrival.missed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, VsyncPacing,
    testing::Values(
        // Work well inside the period: one tick after another.
        PacingCase{"onTime", {{0us, 0ms, false}, {2000us, 10ms, false}, {13000us, 20ms, false}}},
        // Arriving exactly on the due tick still makes it.
        PacingCase{"exactlyOnTheTick", {{0us, 0ms, false}, {10000us, 10ms, false}}},
        // The first frame has no tick to keep, however late it comes.
        PacingCase{"lateFirstFrame", {{35000us, 40ms, false}, {41000us, 50ms, false}}},
        // One slow frame skips a tick; the next one is on time again.
        PacingCase{"oneSlowFrame", {{0us, 0ms, false}, {10001us, 20ms, true}, {21000us, 30ms, false}}},
        // Very late: woken at the first tick after the arrival, counted once.
        PacingCase{"veryLate", {{0us, 0ms, false}, {47000us, 50ms, true}}},
        // Asking twice quickly does not run ahead of the display.
        PacingCase{"early", {{0us, 0ms, false}, {100us, 10ms, false}, {200us, 20ms, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
