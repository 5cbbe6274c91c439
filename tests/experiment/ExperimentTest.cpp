#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

namespace {

// The session's one trial (seed 3) shows the targets KTRNUD; A, B and X are not shown.

TEST(SpaceBar, StartsTheFirstTrialAtOnceThenIsLockedWhileATrialRunsAndFor1800Ms)
{
    // The second start lets the lock-out run past the largest 32-bit clock value:
    // the report is up before the wrap, and the lock-out ends 99 ms after it.
    for (const std::int64_t startAt : {std::int64_t{5000}, std::int64_t{INT32_MAX} - 1700}) {
        SCOPED_TRACE("trial started at " + std::to_string(startAt));
        Session session("trialsPerBlock=2");
        session.clock.now = FakeClock::wrapped(startAt);
        session.space();
        ASSERT_EQ(session.experiment->state(), FIXATION);
        EXPECT_EQ(session.screen.letterTextureCalls, 1);
        for (ExperimentState phase : {FIXATION, STIMULUS, MASKS}) {
            while (session.experiment->state() != phase)
                session.frames(1);
            EXPECT_EQ(session.experiment->next(), -1) << phase;
            EXPECT_EQ(session.experiment->state(), phase);
        }
        session.toReport();
        ASSERT_LT(FakeClock::wrapped(session.clock.now - startAt), 1600) << "the report must be up before the presses";
        session.type("ab");
        for (const int ms : {1600, 1799}) {
            session.clock.now = FakeClock::wrapped(startAt + ms);
            session.space();
            // Ignored, but the shown report is emptied; the stored one comes back with the next key.
            EXPECT_EQ(session.experiment->state(), REPORT) << ms << " ms after the start";
            EXPECT_EQ(session.screen.reportText, "");
        }
        session.type("c");
        EXPECT_EQ(session.screen.reportText, "ABC");
        session.clock.now = FakeClock::wrapped(startAt + 1800);
        session.space();
        EXPECT_EQ(session.experiment->state(), FIXATION);
        EXPECT_EQ(session.screen.letterTextureCalls, 2);
    }
}

TEST(ReportKeys, TypeLowerCaseLettersOnlyAndOnlyInTheReportScreen)
{
    Session session;
    session.space();
    session.type("abc\b"); // fixation: ignored
    session.toReport();
    session.type("kA1 ;z{`\x80");
    EXPECT_EQ(session.experiment->report(), "KZ");
    EXPECT_EQ(session.screen.reportText, "KZ");
    session.type("\b");
    EXPECT_EQ(session.screen.reportText, "K");
}

TEST(Feedback, ShowsTheBlocksCorrectRateAndMistakesAsTheDisplayWritesThem)
{
    const struct {
        const char* display;
        std::string typing;
        const char* feedback;
    } cases[] = {{"MONITOR", "ktx", "66.6667|1"}, {"VIVE", "ktx", "66|1"}, {"VIVE", "", "0|0"},
                 {"MONITOR", "kk", "100|0"}, // a target typed twice counts twice
                 {"VIVE", "abxk", "25|3"},
                 // 24 of 31 in single precision: 24 / 31 is 0.77419353, times 100 the
                 // nearest float 77.419350 (77.4193); 100 * 24 / 31 would give 77.419357.
                 {"MONITOR", std::string(24, 'k') + std::string(7, 'a'), "77.4193|7"},
                 {"VIVE", std::string(24, 'k') + std::string(7, 'a'), "77|7"}};
    for (const auto& c : cases) {
        Session session(std::string("display=") + c.display + "\ntextAfterBlock=%%NUMBER1%%|%%NUMBER2%%");
        session.space();
        ASSERT_EQ(lettersOfType(*session.experiment->currentTrial(), TARGET), "KTRNUD");
        session.play(c.typing);
        EXPECT_EQ(session.experiment->state(), FEEDBACK);
        EXPECT_EQ(session.screen.feedbackTexts, std::vector<std::string>{c.feedback}) << c.display << " " << c.typing;
    }
}

TEST(ConsoleDebugInfo, PrintsStateAndScoreLines)
{
    Session session("consoleDebugInfo=1");
    testing::internal::CaptureStdout();
    session.space();
    session.play("ka");
    session.space();
    session.space();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "STATE_TRIAL > blockCounter = 0 , trialCounter = 0\n"
                                                      "reports correct = 1 / 2\n"
                                                      "reports wrong = 1 / 2\n"
                                                      "STATE_AFTERBLOCK >\n"
                                                      "correct rate = 50\n"
                                                      "number of mistakes = 1\n"
                                                      "STATE_END >\n"
                                                      "STATE_END >\n");
}

TEST(Escape, MidTrialLeavesNoLineOfThatTrialAndInTheReportNoRecord)
{
    // The window closes (the experiment is destroyed) at frame 70, in the masks,
    // or in the report, whose phase lines are then written already.
    for (bool inReport : {false, true}) {
        Session session;
        const std::string dataFile = session.experiment->run()->dataFile();
        const std::string historyFile = session.experiment->run()->historyFile();
        session.space();
        if (inReport) {
            session.toReport();
            session.type("a");
        } else {
            session.frames(70);
        }
        session.experiment.reset();
        EXPECT_EQ(lineCount(session.log(historyFile)), inReport ? 8 + 4 + 1 : 8);
        EXPECT_EQ(session.log(dataFile), "1\n");
    }
}

TEST(PartialMode, EndsAtTheFirstAcceptedPressWithoutATrial)
{
    testing::internal::CaptureStdout();
    // The announced number of trials, 10^10, needs more than 32 bits.
    Session session("mode=PARTIAL\npracticeBlock=1\nblocksPerRun=100000\ntrialsPerBlock=100000\nconsoleDebugInfo=1");
    testing::internal::GetCapturedStdout();
    const ZOTRun& run = *session.experiment->run();
    EXPECT_EQ(session.experiment->currentTrial(), nullptr);
    session.frames(3);
    testing::internal::CaptureStdout();
    session.space();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "STATE_END >\n");
    EXPECT_EQ(session.experiment->state(), DONE);
    session.frames(200);
    session.type("abc\b");
    session.space();
    EXPECT_EQ(session.experiment->state(), DONE);
    EXPECT_EQ(session.screen.letterTextureCalls, 0);
    EXPECT_EQ(session.log(run.dataFile()), "10000000000\n");
    EXPECT_EQ(session.log(run.practiceFile()), "100000\n");
    EXPECT_EQ(lineCount(session.history()), 8);
}

} // namespace
