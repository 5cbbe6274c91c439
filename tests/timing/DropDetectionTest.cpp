#include "DropDetection.h"
#include "SimulatedVsyncClock.h"
#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int64_t noCounters = -1;

struct IntervalCase {
    const char* name;
    double intervalPeriods;
    std::int64_t mscStep; // noCounters: the stamps carry no swap counters
    bool late;
    int dropped;
};

void PrintTo(const IntervalCase& c, std::ostream* os)
{
    *os << c.name;
}

class JudgeFrame : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(JudgeFrame, LateFramesAndDroppedRefreshes)
{
    const IntervalCase& c = GetParam();
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
    EXPECT_EQ(result.late, c.late);
    EXPECT_EQ(result.droppedFrames, c.dropped);
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, JudgeFrame,
    ::testing::Values(IntervalCase{"onTime", 1.0, noCounters, false, 0},
                      IntervalCase{"jitterBelowLimit", 1.45, noCounters, false, 0},
                      IntervalCase{"justOverLimit", 1.55, noCounters, true, 1},
                      IntervalCase{"oneMissedRefresh", 2.0, noCounters, true, 1},
                      IntervalCase{"twoMissedRefreshes", 3.0, noCounters, true, 2},
                      IntervalCase{"unpacedSwap", 0.012, noCounters, false, 0},
                      IntervalCase{"mscStepOfOne", 1.0, 1, false, 0},
                      // The previous stamp was read late, so the interval looks normal;
                      // the counter still sees the missed refresh.
                      IntervalCase{"mscJumpWithShortInterval", 1.2, 2, true, 1},
                      IntervalCase{"mscJumpOfThree", 3.0, 3, true, 2},
                      // The stamp was read late but the picture was on time.
                      IntervalCase{"lateStampOnTimeRetrace", 2.0, 1, true, 0},
                      IntervalCase{"twoSwapsInOneRetrace", 0.01, 0, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JudgeFrame, NoPeriodJudgesNothingLate)
{
    FrameStamp previous;
    FrameStamp current;
    current.microseconds = 1'000'000;
    EXPECT_FALSE(judgeFrame(previous, current, 0.0).late);
}

// A stream from the simulated display, judged frame by frame as the recorder
// does: exactly the scripted frames are late, a late stamp alone is not.
TEST(JudgeFrame, ScriptedStreamMarksExactlyTheLateFrames)
{
    for (const bool counters : {false, true}) {
        SimulatedVsyncClock clock(period60Hz);
        clock.reportSyncCounters(counters);
        clock.presentLate(17, 1);
        clock.presentLate(40, 2);
        clock.stampLate(25, 4000);
        TempFolder folder;
        std::ostringstream console;
        TrialTimingRecorder recorder(60.0f, folder.path() / "timing.dat", console);
        playState(recorder, clock, welcomeState, 60);

        std::vector<int> late;
        std::vector<int> dropped;
        for (int frame = 0; frame < 60; ++frame) {
            const FrameRecord& record = recorder.frames().fromNewest(59 - frame);
            if (record.lateness.late) {
                late.push_back(frame);
                dropped.push_back(record.lateness.droppedFrames);
            }
        }
        EXPECT_EQ(late, (std::vector<int>{17, 40})) << "counters " << counters;
        EXPECT_EQ(dropped, (std::vector<int>{1, 2})) << "counters " << counters;
    }
}

} // namespace
