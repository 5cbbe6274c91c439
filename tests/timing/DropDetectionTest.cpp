#include "DropDetection.h"
#include "TimingTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(JudgeFrame, LateFramesAndDroppedRefreshes)
{
    constexpr std::int64_t noCounters = -1;
    struct Case {
        const char* name;
        double intervalPeriods;
        std::int64_t mscStep; // noCounters: the stamps carry no swap counters
        bool late;
        int dropped;
    };
    for (const Case& c : {Case{"onTime", 1.0, noCounters, false, 0},
                          Case{"jitterBelowLimit", 1.45, noCounters, false, 0},
                          Case{"justOverLimit", 1.55, noCounters, true, 1},
                          Case{"twoMissedRefreshes", 3.0, noCounters, true, 2},
                          Case{"unpacedSwap", 0.012, noCounters, false, 0},
                          // The previous stamp was read late, so the interval looks
                          // normal; the counter still sees the missed refresh.
                          Case{"mscJumpWithShortInterval", 1.2, 2, true, 1},
                          // The stamp was read late but the picture was on time.
                          Case{"lateStampOnTimeRetrace", 2.0, 1, true, 0},
                          Case{"twoSwapsInOneRetrace", 0.01, 0, false, 0}}) {
        FrameStamp previous;
        previous.microseconds = 1'000'000;
        FrameStamp current;
        current.microseconds = previous.microseconds + static_cast<std::int64_t>(c.intervalPeriods * period60Hz);
        if (c.mscStep != noCounters) {
            previous.hasSyncCounters = current.hasSyncCounters = true;
            previous.msc = 500;
            current.msc = 500 + c.mscStep;
        }
        const FrameLateness result = judgeFrame(previous, current, period60Hz);
        EXPECT_EQ(result.late, c.late) << c.name;
        EXPECT_EQ(result.droppedFrames, c.dropped) << c.name;
    }
    // Without a known period nothing can be judged late.
    FrameStamp current;
    current.microseconds = 1'000'000;
    EXPECT_FALSE(judgeFrame({}, current, 0.0).late);
}

} // namespace
