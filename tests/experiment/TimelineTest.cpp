#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct PhaseFrames {
    int fixation = 0;
    int stimulus = 0;
    int masks = 0;
    int firstReportFrame = 0;
};

/// Plays the started trial frame by frame and counts the frames drawn in each phase
/// (the state after an update is what that frame shows).
PhaseFrames playTrial(Session& session)
{
    PhaseFrames counted;
    for (int frame = 1; frame < 10000; ++frame) {
        session.frames(1);
        switch (session.experiment->state()) {
        case FIXATION: ++counted.fixation; break;
        case STIMULUS: ++counted.stimulus; break;
        case MASKS: ++counted.masks; break;
        default: counted.firstReportFrame = frame; return counted;
        }
    }
    return counted;
}

TEST(Timeline, ShowsEachPhaseForExactlyItsFramesAt60Hz)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=6\npracticeBlock=0\nrandomSeed=1");
    std::multiset<int> exposures;
    for (int trial = 0; trial < 6; ++trial) {
        session.waitLockOut();
        session.space();
        const int exposure = session.experiment->currentTrial()->exposureFrames;
        exposures.insert(exposure);
        const PhaseFrames counted = playTrial(session);
        EXPECT_EQ(counted.fixation, 60);
        EXPECT_EQ(counted.stimulus, exposure);
        EXPECT_EQ(counted.masks, 30);
        EXPECT_EQ(counted.firstReportFrame, 60 + exposure + 30 + 1);
        EXPECT_FALSE(session.experiment->trialRunning());
    }
    EXPECT_EQ(exposures, (std::multiset<int>{1, 1, 3, 5, 8, 12}));
}

TEST(Timeline, StampsEachPhaseAtTheUpdateBeforeItsFirstFrame)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=1\npracticeBlock=0\nrandomSeed=1");
    session.space();
    const std::int32_t start = session.clock.now;
    playTrial(session);
    const ZOTExperiment& experiment = *session.experiment;
    EXPECT_EQ(experiment.fixationStart(), start);
    EXPECT_EQ(experiment.stimulusStart(), start + 60 * session.framePeriod);
    EXPECT_EQ(experiment.masksStart(), start + 61 * session.framePeriod);
}

TEST(Timeline, SkipsAStimulusOfZeroFrames)
{
    // 10 ms at 40 Hz is 0.4 frames: the letters are never drawn.
    Session session("display=MONITOR\nrefreshRate=40\nmode=WHOLE\ntrialsPerBlock=1\npracticeBlock=0\nrandomSeed=1");
    session.space();
    ASSERT_EQ(session.experiment->currentTrial()->exposureFrames, 0);
    const PhaseFrames counted = playTrial(session);
    EXPECT_EQ(counted.fixation, 40);
    EXPECT_EQ(counted.stimulus, 0);
    EXPECT_EQ(counted.masks, 20);
    EXPECT_EQ(session.experiment->stimulusStart(), session.experiment->masksStart());
}

TEST(Timeline, RoundsHalfFramesOfTheMasksAwayFromZero)
{
    Session session("display=MONITOR\nrefreshRate=75\nmode=WHOLE\ntrialsPerBlock=1\npracticeBlock=0\nrandomSeed=1");
    session.space();
    EXPECT_EQ(playTrial(session).masks, 38);
}

TEST(Timeline, WritesThePhaseLinesOnceWhenTheReportScreenComesUp)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=1\npracticeBlock=0\nrandomSeed=1");
    session.space();
    const std::int32_t start = session.clock.now;
    playTrial(session);
    session.frames(5); // later report frames write nothing more
    const std::string description = stimulusDescription(*session.experiment->currentTrial());
    const std::string history = session.log(session.experiment->run()->historyFile());
    const std::string expectedTail = std::to_string(start) + "\tfixation\n" + std::to_string(start + 960) + "\t" +
                                     description + "\n" + std::to_string(start + 976) + "\tmasks\n" +
                                     std::to_string(start + 1456) + "\tblank\n";
    ASSERT_GE(history.size(), expectedTail.size());
    EXPECT_EQ(history.substr(history.size() - expectedTail.size()), expectedTail);
}

} // namespace
