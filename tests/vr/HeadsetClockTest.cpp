// Frame stamps of the headset: the runtime's predicted display times on the
// program's own clock.

#include "HeadsetClock.h"

#include <gtest/gtest.h>

TEST(HeadsetClock, StampsKeepTheRuntimesIntervalsAndSayTheyArePredicted)
{
    HeadsetFrame frame;
    HeadsetClock clock(frame);
    // Before the runtime has predicted anything only the program's clock is left.
    EXPECT_FALSE(clock.stampPresentedFrame().predicted);

    constexpr XrDuration period = 11'111'111; // 90 Hz, in nanoseconds
    frame.predictedDisplayPeriod = period;
    frame.predictedDisplayTime = 7'000'000'123'456; // the runtime's clock has its own origin
    const std::int64_t before = steadyMicroseconds();
    const FrameStamp first = clock.stampPresentedFrame();
    EXPECT_TRUE(first.predicted);
    EXPECT_FALSE(first.hasSyncCounters);
    EXPECT_GE(first.microseconds, before);
    EXPECT_LE(first.microseconds, steadyMicroseconds());

    frame.predictedDisplayTime += period;
    const FrameStamp second = clock.stampPresentedFrame();
    EXPECT_EQ(second.microseconds - first.microseconds, 11'111);
    // A frame that missed its display tick is due one period later still.
    frame.predictedDisplayTime += 2 * period;
    EXPECT_EQ(clock.stampPresentedFrame().microseconds - second.microseconds, 22'222);
}
