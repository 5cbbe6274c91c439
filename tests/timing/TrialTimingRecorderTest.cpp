#include "AllocationProbe.h"
#include "SimulatedVsyncClock.h"
#include "TimingTestSupport.h"
#include "TrialTimingRecorder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const TrialIdentity trial4{0, 4, 4, 83, 5};
const std::string trial4Prefix = "0\t4\t4\t83\t5\t";
const std::string onTimeTail = "1000.0\t83.3\t500.0\t5.00\t0\t0\t0\t0\tswap";

/// A recorder writing into a fresh folder, its console kept for the checks.
struct Recording {
    explicit Recording(float rate = 60.0f) : recorder(rate, folder.path() / "timing.dat", console) {}

    std::string lastLine() const
    {
        const std::string text = readFile(folder.path() / "timing.dat");
        const auto end = text.find_last_not_of('\n');
        return text.substr(text.rfind('\n', end) + 1, end - text.rfind('\n', end));
    }

    TempDir folder;
    std::ostringstream console;
    TrialTimingRecorder recorder;
};

const std::string stimulusWarning = "WARNING > block 0, trial 4: 1 late frame(s) in the stimulus, 0 in the masks; "
                                    "stimulus planned 5 frames (83.3 ms), achieved 6.00 frames (100.0 ms)";
const std::string masksWarning = "WARNING > block 0, trial 4: 0 late frame(s) in the stimulus, 1 in the masks; "
                                 "stimulus planned 5 frames (83.3 ms), achieved 5.00 frames (83.3 ms)";

// A late frame lengthens the phase shown before it. Three welcome frames (0 to
// 2), then the trial: fixation 3 to 62, stimulus 63 to 67, masks 68 to 97,
// report from 98; each row is the first frame of a phase.
TEST(TrialTimingRecorder, LateFrameCountsInThePhaseItLengthened)
{
    struct Case {
        std::uint64_t lateFrame;
        std::string tail;
        std::string warning;
    };
    for (const Case& c : {Case{3, onTimeTail, ""},
                          Case{63, "1016.7\t83.3\t500.0\t5.00\t1\t0\t0\t1\tswap", ""},
                          Case{68, "1000.0\t100.0\t500.0\t6.00\t0\t1\t0\t1\tswap", stimulusWarning},
                          Case{98, "1000.0\t83.3\t516.7\t5.00\t0\t0\t1\t1\tswap", masksWarning},
                          Case{102, onTimeTail, ""}}) {
        SCOPED_TRACE(c.lateFrame);
        Recording rec;
        SimulatedVsyncClock clock(period60Hz);
        clock.presentLate(c.lateFrame, 1);
        playState(rec.recorder, clock, welcomeState, 3);
        playTrial(rec.recorder, clock, trial4);

        EXPECT_EQ(rec.lastLine(), trial4Prefix + c.tail);
        EXPECT_EQ(rec.console.str(), c.warning.empty() ? "" : c.warning + "\n");
    }
}

TEST(TrialTimingRecorder, FileHoldsAHeaderPerStartAndOneLinePerFinishedTrial)
{
    TempDir folder;
    const auto path = folder.path() / "ZOT_vive_7_2_timing.dat";
    std::ostringstream console;
    {
        SimulatedVsyncClock clock(period60Hz);
        TrialTimingRecorder recorder(60.0f, path, console);
        playState(recorder, clock, welcomeState, 20);
        playTrial(recorder, clock, {-1, 0, 16, 83, 5});
        playState(recorder, clock, 5, 20);
        // Escape during the masks: the trial leaves no line.
        playState(recorder, clock, DrawnState::fixation, 60, {0, 0, 6, 200, 12});
        playState(recorder, clock, DrawnState::stimulus, 12, {0, 0, 6, 200, 12});
        playState(recorder, clock, DrawnState::masks, 10, {0, 0, 6, 200, 12});
    }
    {
        SimulatedVsyncClock clock(period60Hz);
        TrialTimingRecorder recorder(60.0f, path, console);
        playTrial(recorder, clock, {0, 0, 6, 200, 12});
    }
    const std::string header = "block\ttrial\tcondition\texposureMs\texposureFrames\tfixationMs\tstimulusMs\tmasksMs\t"
                               "stimulusPeriods\tlateFixation\tlateStimulus\tlateMasks\tdroppedFrames\tstamps\n";
    EXPECT_EQ(readFile(path), header + "-1\t0\t16\t83\t5\t" + onTimeTail + "\n" +
                                  header +
                                  "0\t0\t6\t200\t12\t1000.0\t200.0\t500.0\t12.00\t0\t0\t0\t0\tswap\n");
    EXPECT_EQ(console.str(), "");
}

TEST(TrialTimingRecorder, LineAndWarningOfOneTrial)
{
    struct Case {
        const char* name;
        float rate;
        double period; // of the simulated display, in microseconds
        std::function<void(SimulatedVsyncClock&)> script;
        TrialIdentity trial;
        int fixationFrames, masksFrames;
        std::string line;
        std::string warning;
    };
    const Case cases[] = {
        {"stimulusOfNoFrames", 45.0f, 1e6 / 45.0, nullptr, {0, 0, 1, 0, 0}, 45, 23,
         "0\t0\t1\t0\t0\t1000.0\t0.0\t511.1\t0.00\t0\t0\t0\t0\tswap", ""},
        // Frame 63 is read late but shown on time: only its stamp moves.
        {"swapCountersCountRefreshes", 60.0f, period60Hz,
         [](SimulatedVsyncClock& clock) {
             clock.reportSyncCounters(true);
             clock.presentLate(61, 2);
             clock.stampLate(63, 3000);
         },
         trial4, 60, 30, trial4Prefix + "1000.0\t116.7\t500.0\t7.00\t0\t1\t0\t2\tmsc",
         "WARNING > block 0, trial 4: 1 late frame(s) in the stimulus, 0 in the masks; stimulus planned 5 frames "
         "(83.3 ms), achieved 7.00 frames (116.7 ms)"},
        {"unpacedSwaps", 60.0f, 200.0, nullptr, trial4, 60, 30, trial4Prefix + "12.0\t1.0\t6.0\t0.06\t0\t0\t0\t0\tswap",
         "WARNING > block 0, trial 4: the stimulus did not last its planned frames; stimulus planned 5 frames "
         "(83.3 ms), achieved 0.06 frames (1.0 ms)"},
        {"practiceWithPredictedStamps", 60.0f, period60Hz,
         [](SimulatedVsyncClock& clock) {
             clock.reportPredictions(true);
             clock.presentLate(61, 1);
         },
         {-1, 2, 4, 83, 5}, 60, 30, "-1\t2\t4\t83\t5\t1000.0\t100.0\t500.0\t6.00\t0\t1\t0\t1\tpredicted",
         "WARNING > practice block, trial 2: 1 late frame(s) in the stimulus, 0 in the masks; stimulus planned 5 "
         "frames (83.3 ms), achieved 6.00 frames (100.0 ms)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recording rec(c.rate);
        SimulatedVsyncClock clock(c.period, 5'000'000);
        if (c.script)
            c.script(clock);
        playTrial(rec.recorder, clock, c.trial, c.fixationFrames, c.masksFrames);
        EXPECT_EQ(rec.lastLine(), c.line);
        EXPECT_EQ(rec.console.str(), c.warning.empty() ? "" : c.warning + "\n");
    }
}

TEST(TrialTimingRecorder, UnwritableLogFolderLosesLinesLoudlyAndTheTrialsGoOn)
{
    TempDir folder;
    const auto notAFolder = folder.path() / "plain_file";
    std::ofstream(notAFolder) << "x";
    SimulatedVsyncClock clock(period60Hz);
    clock.presentLate(65, 1);
    std::ostringstream console;
    std::ostringstream errors;
    ResultWriter writer(systemDisk(), errors);

    const auto file = notAFolder / "logs" / "timing.dat";
    TrialTimingRecorder recorder(60.0f, file, console, FrameRing::defaultCapacity, writer);
    playTrial(recorder, clock, trial4);
    playTrial(recorder, clock, {0, 5, 4, 83, 5});

    // The header and both trials' lines, each one reported.
    EXPECT_EQ(writer.linesLost(), 3u);
    const std::string error = "ERROR > could not write to " + file.string() + ": ";
    EXPECT_NE(errors.str().rfind(error), errors.str().find(error)) << errors.str();
    EXPECT_EQ(console.str(), stimulusWarning + "\n");
}

TEST(TrialTimingRecorder, FramesOfTheTimedPhasesAllocateNothing)
{
    Recording rec;
    TrialTimingRecorder& recorder = rec.recorder;
    SimulatedVsyncClock clock(period60Hz);
    for (std::uint64_t frame : {70u, 200u, 215u, 2062u})
        clock.presentLate(frame, 1);
    {
        const AllocationProbe counter;
        playState(recorder, clock, welcomeState, 2000);
        playState(recorder, clock, DrawnState::fixation, 60, trial4);
        playState(recorder, clock, DrawnState::stimulus, 5, trial4);
        playState(recorder, clock, DrawnState::masks, 30, trial4);
        EXPECT_EQ(counter.count(), 0u);
    }
    playState(recorder, clock, DrawnState::report, 1, trial4); // writes the line
    const AllocationProbe counter;
    playState(recorder, clock, DrawnState::report, 500, trial4);
    EXPECT_EQ(counter.count(), 0u);
}

} // namespace
