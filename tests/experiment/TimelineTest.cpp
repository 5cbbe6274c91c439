#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Each of the six whole-report exposures once. At 40 Hz the 10 ms trial has 0
// frames and is never drawn; at 75 Hz the masks' 37.5 frames round up to 38;
// at 59.94 Hz one second is 59.94 frames, rounded to 60, and the masks 30.
TEST(Timeline, ShowsEachPhaseForExactlyItsFramesAndStampsItsFirstFrame)
{
    const struct {
        const char* rate;
        int fixation;
        int masks;
    } rates[] = {{"60", 60, 30}, {"40", 40, 20}, {"75", 75, 38}, {"59.94", 60, 30}};
    for (const auto& r : rates) {
        Session session(std::string("refreshRate=") + r.rate + "\ntrialsPerBlock=6\nrandomSeed=1");
        for (int trial = 0; trial < 6; ++trial) {
            session.waitLockOut();
            session.space();
            const std::int32_t start = session.clock.now;
            const int exposure = session.experiment->currentTrial()->exposureFrames;
            std::map<ExperimentState, int> shown; // the state after an update is what that frame shows
            int frame = 0;
            while (shown[REPORT] == 0 && ++frame < 1000) {
                session.frames(1);
                ++shown[session.experiment->state()];
            }
            SCOPED_TRACE(std::string(r.rate) + " Hz, exposure " + std::to_string(exposure));
            EXPECT_EQ((std::array{shown[FIXATION], shown[STIMULUS], shown[MASKS]}),
                      (std::array{r.fixation, exposure, r.masks}));
            EXPECT_EQ(frame, r.fixation + exposure + r.masks + 1) << "the first report frame";
            EXPECT_FALSE(session.experiment->trialRunning());
            const ZOTExperiment& experiment = *session.experiment;
            EXPECT_EQ(experiment.fixationStart(), start);
            EXPECT_EQ(experiment.stimulusStart(), start + r.fixation * session.framePeriod);
            EXPECT_EQ(experiment.masksStart(), experiment.stimulusStart() + exposure * session.framePeriod);
            session.frames(5); // later report frames write no phase lines
        }
        EXPECT_EQ(lineCount(session.history()), 8 + 6 * 4);
    }
}

} // namespace
