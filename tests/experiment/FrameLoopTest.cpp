// The experiment in the frame loop's order (update, present, then what follows
// the present) on a simulated display, with a disk that takes its time.

#include "SimulatedVsyncClock.h"
#include "TestSupport.h"
#include "platform/TestPlatform.h"
#include "TrialTimingRecorder.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr double period60Hz = 1e6 / 60.0;

/// The experiment's millisecond clock, read from the simulated display's time.
class DisplayTime final : public Clock {
public:
    explicit DisplayTime(const SimulatedVsyncClock& display) : display_(display) {}
    std::int32_t milliseconds() const override { return static_cast<std::int32_t>(display_.now() / 1000); }

private:
    const SimulatedVsyncClock& display_;
};

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');)
        out.push_back(field);
    return out;
}

// 30 ms for every line flushed to disk: the four phase lines of a trial take
// 120 ms, more than seven 60 Hz periods. They must not hold the last mask frame
// on screen, and they must be on disk before the next trial starts.
TEST(FrameLoop, ASlowDiskDoesNotLengthenTheMasks)
{
    SimulatedVsyncClock display(period60Hz, 3'000'000);
    DisplayTime clock(display);
    PlayedDisk slowDisk;
    slowDisk.onSync = [&] { display.spend(30'000); };
    TempDir folder;
    std::ostringstream errors;
    ResultWriter writer(slowDisk, errors);
    ZOTConfig config = configFrom("display=MONITOR\nrefreshRate=60\nmode=WHOLE\nblocksPerRun=1\n"
                                  "trialsPerBlock=2\npracticeBlock=0\nrandomSeed=3\n");
    ZOTExperiment experiment(&config, clock);
    ZOTTrial::init(config);
    experiment.createRun({}, folder.path(), writer);
    const std::filesystem::path timingFile = folder.path() / experiment.run()->timingFile();
    std::ostringstream console;
    TrialTimingRecorder recorder(config.refreshRate, timingFile, console, FrameRing::defaultCapacity, writer);
    FakeScreen screen;

    const auto playFrame = [&] {
        experiment.updateTimeline();
        const ZOTTrial* trial = experiment.currentTrial();
        const TrialIdentity identity =
            trial ? TrialIdentity{experiment.currentBlockIndex(), experiment.run()->currentBlock()->currentTrialIndex,
                                  trial->condition, trial->exposureMs, trial->exposureFrames}
                  : TrialIdentity{};
        recorder.onFrame(display.stampPresentedFrame(), experiment.state(), identity);
        experiment.framePresented();
    };
    const std::filesystem::path history = folder.path() / experiment.run()->historyFile();

    for (int trial = 0; trial < 2; ++trial) {
        SCOPED_TRACE(trial);
        while (experiment.next() == -1)
            playFrame();
        const int exposure = experiment.currentTrial()->exposureFrames;
        std::map<ExperimentState, int> shown;
        while (experiment.state() != REPORT) {
            playFrame();
            ++shown[experiment.state()];
        }
        EXPECT_EQ(shown[MASKS], 30);
        // The first report frame has been presented: the trial's lines are on disk.
        const std::string text = fileText(history);
        const std::string blank = onDisk("\tblank\n");
        ASSERT_GE(text.size(), blank.size());
        EXPECT_EQ(text.substr(text.size() - blank.size()), blank);
        EXPECT_EQ(lineCount(text), 8 + 4 * (trial + 1));

        // The timing line of the trial, written after its first report frame.
        const std::string last = linesOnDisk(fileText(timingFile)).back();
        const std::vector<std::string> f = fields(last);
        ASSERT_EQ(f.size(), 14u) << last;
        EXPECT_EQ(f[4], std::to_string(exposure));
        EXPECT_EQ(f[5], "1000.0") << "fixation";
        EXPECT_EQ(f[7], "500.0") << "masks: 30 frames at 60 Hz";
        EXPECT_EQ(f[11], "0") << "late frames in the masks";
    }
    EXPECT_EQ(console.str(), "");
    EXPECT_EQ(writer.linesLost(), 0u);
}

} // namespace
