#include "AllocationProbe.h"
#include "ExposureTable.h"
#include "RefreshMeter.h"
#include "SimulatedVsyncClock.h"
#include "TimingTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const std::string paced60Report =
    "RefreshMeter > measured refresh rate = 60.00 Hz (mean frame interval 16.667 ms, SD 0.000 ms, over 30 "
    "intervals); configured refreshRate = 60 Hz\n"
    "RefreshMeter > exposures at 60 Hz: nominal ms -> frames -> ms (ms at the measured rate)\n"
    "RefreshMeter > 10 -> 1 -> 17 (16.7)\n"
    "RefreshMeter > 20 -> 1 -> 17 (16.7)\n"
    "RefreshMeter > 50 -> 3 -> 50 (50.0)\n"
    "RefreshMeter > 80 -> 5 -> 83 (83.3)\n"
    "RefreshMeter > 140 -> 8 -> 133 (133.3)\n"
    "RefreshMeter > 200 -> 12 -> 200 (200.0)\n";

struct StreamCase {
    const char* name;
    double periodMicroseconds;
    std::function<void(SimulatedVsyncClock&)> script;
    int finishingFrame; // the frame whose addFrame returns true
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

// Ten warm-up frames, whatever they show, then 31 stamps give the 30 intervals
// a steady rate needs.
TEST(RefreshMeter, MeasuresAndWarns)
{
    const StreamCase cases[] = {
        StreamCase{"warmUpIgnored", period60Hz,
                   [](SimulatedVsyncClock& clock) {
                       clock.presentLate(3, 20);
                       clock.stampLate(9, 9000);
                   },
                   40, {paced60Report}, {"WARNING"}},
        StreamCase{"withinOnePercent", 1e6 / 60.5, nullptr, 40, {"measured refresh rate = 60.50 Hz"}, {"WARNING"}},
        StreamCase{"differs", 1e6 / 59.0, nullptr, 40,
                   {"WARNING > the display refreshes at 59.00 Hz but refreshRate is 60 Hz (1.7 % apart)",
                    "RefreshMeter > 80 -> 5 -> 83 (84.7)\n"},
                   {"NOT PACED"}},
        StreamCase{"unpaced", 200.0, nullptr, 40,
                   {"WARNING > BUFFER SWAPS ARE NOT PACED BY THE DISPLAY: a new frame every 0.200 ms where 60 Hz "
                    "needs 16.667 ms. EVERY EXPOSURE"},
                   {"the display refreshes at"}},
        // Unpaced and irregular: the one strong warning, no word on steadiness.
        StreamCase{"unpacedIrregular", 2000.0,
                   [](SimulatedVsyncClock& clock) {
                       for (std::uint64_t frame = 1; frame < 2000; frame += 2)
                           clock.stampLate(frame, 1500);
                   },
                   1510, {"NOT PACED"}, {"did not settle", "refreshes at"}},
        // Stamps alternately 3 ms late never settle; measuring stops 3 s after
        // the first measured frame (frame 10), at frame 190.
        StreamCase{"jittery", period60Hz,
                   [](SimulatedVsyncClock& clock) {
                       for (std::uint64_t frame = 1; frame < 1000; frame += 2)
                           clock.stampLate(frame, 3000);
                   },
                   190, {"WARNING > the frame interval did not settle (SD 3.0"}, {"NOT PACED", "refreshes at"}}};
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedVsyncClock clock(c.periodMicroseconds);
        if (c.script)
            c.script(clock);
        std::ostringstream out;
        RefreshMeter meter(60.0f, out);
        int finishedAt = -1;
        for (int frame = 0; frame < 2000 && finishedAt < 0; ++frame)
            if (meter.addFrame(clock.stampPresentedFrame()))
                finishedAt = frame;

        EXPECT_EQ(finishedAt, c.finishingFrame);
        for (const std::string& text : c.present)
            EXPECT_NE(out.str().find(text), std::string::npos) << "missing: " << text << "\nin:\n" << out.str();
        for (const std::string& text : c.absent)
            EXPECT_EQ(out.str().find(text), std::string::npos) << "unexpected: " << text << "\nin:\n" << out.str();
    }
}

TEST(RefreshMeter, EndedEarlyReportsWhatItHas)
{
    for (const auto& [frames, warning] : std::vector<std::pair<int, std::string>>{
             {5, "WARNING > could not measure the refresh rate"},
             {15, "WARNING > the refresh rate rests on only 4 frame intervals"}}) {
        SimulatedVsyncClock clock(period60Hz);
        std::ostringstream out;
        RefreshMeter meter(60.0f, out);
        for (int frame = 0; frame < frames; ++frame)
            EXPECT_FALSE(meter.addFrame(clock.stampPresentedFrame()));
        meter.finish();
        meter.finish();
        EXPECT_NE(out.str().find(warning), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("RefreshMeter > 200 -> 12 -> 200"), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find("exposures at"), out.str().rfind("exposures at")) << "reported twice";
    }
}

TEST(RefreshMeter, ExposuresFollowTheConditionTableRule)
{
    struct Expected {
        float rate;
        std::vector<FramedExposure> exposures;
    };
    // 60 Hz is pinned by the meter's report above.
    for (const Expected& e : {Expected{45.0f, {{0, 0}, {1, 22}, {2, 44}, {4, 89}, {6, 133}, {9, 200}}},
                              // 50 ms is exactly 5.5 frames here; only single precision rounds it up.
                              Expected{110.0f, {{1, 9}, {2, 18}, {6, 55}, {9, 82}, {15, 136}, {22, 200}}}}) {
        for (std::size_t i = 0; i < nominalExposuresMs.size(); ++i) {
            const FramedExposure got = frameExposure(nominalExposuresMs[i], e.rate);
            EXPECT_EQ(got.frames, e.exposures[i].frames) << e.rate << " Hz, " << nominalExposuresMs[i] << " ms";
            EXPECT_EQ(got.milliseconds, e.exposures[i].milliseconds) << e.rate << " Hz, " << nominalExposuresMs[i];
        }
    }
}

TEST(RefreshMeter, MeasuringAllocatesNothing)
{
    SimulatedVsyncClock clock(period60Hz);
    for (std::uint64_t frame = 1; frame < 1000; frame += 2)
        clock.stampLate(frame, 3000);
    std::ostringstream out;
    RefreshMeter meter(60.0f, out);
    const AllocationProbe counter;
    for (int frame = 0; frame < 150; ++frame)
        meter.addFrame(clock.stampPresentedFrame());
    EXPECT_EQ(counter.count(), 0u);
    EXPECT_FALSE(meter.finished());
}

} // namespace
