#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const oneTrial = "display=MONITOR\nrefreshRate=60\nmode=WHOLE\nblocksPerRun=1\ntrialsPerBlock=1\n"
                             "practiceBlock=0\nrandomSeed=3\n";

/// A letter (lower case, as typed) of the current trial of the given type, or one
/// the trial does not show at all when type is EMPTY.
char letterOf(const ZOTExperiment& experiment, PositionType type, int which = 0)
{
    const ZOTTrial& trial = *experiment.currentTrial();
    if (type == EMPTY) {
        for (char letter : ALPHABET)
            if (std::none_of(trial.letter.begin(), trial.letter.end(),
                             [&](int shown) { return shown >= 0 && ALPHABET[shown] == letter; }))
                return static_cast<char>(letter + 32);
    }
    for (int position = 0; position < 6; ++position)
        if (trial.positionType[position] == type && which-- == 0)
            return static_cast<char>(ALPHABET[trial.letter[position]] + 32);
    return '?';
}

TEST(SpaceBar, FirstPressStartsTheFirstTrialAtOnce)
{
    Session session(oneTrial);
    ASSERT_EQ(session.experiment->state(), WELCOME);
    session.space();
    EXPECT_EQ(session.experiment->state(), FIXATION);
    EXPECT_EQ(session.screen.letterTextureCalls, 1);
    EXPECT_NE(session.experiment->currentTrial(), nullptr);
}

TEST(SpaceBar, IsLockedWhileATrialRunsAndFor1800MsAfterItsStart)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=2\npracticeBlock=0\nrandomSeed=3");
    session.space();
    const std::int32_t start = session.clock.now;
    for (ExperimentState phase : {FIXATION, STIMULUS, MASKS}) {
        while (session.experiment->state() != phase)
            session.frames(1);
        EXPECT_EQ(session.experiment->next(), -1) << phase;
        EXPECT_EQ(session.experiment->state(), phase);
    }
    session.toReport();
    ASSERT_LT(session.clock.now, start + 1800);
    session.type("ab");
    session.clock.now = start + 1799;
    session.space();
    // Ignored, but the shown report is emptied; the stored one comes back with the next key.
    EXPECT_EQ(session.experiment->state(), REPORT);
    EXPECT_EQ(session.screen.reportText, "");
    EXPECT_EQ(session.experiment->report(), "AB");
    session.type("c");
    EXPECT_EQ(session.screen.reportText, "ABC");
    session.clock.now = start + 1800;
    session.space();
    EXPECT_EQ(session.experiment->state(), FIXATION);
    EXPECT_EQ(session.screen.letterTextureCalls, 2);
}

TEST(ReportKeys, TypeLowerCaseLettersOnlyAndOnlyInTheReportScreen)
{
    Session session(oneTrial);
    session.space();
    session.type("abc"); // fixation: ignored
    session.backspace();
    session.toReport();
    session.type("kA1 ;z{`\x80");
    EXPECT_EQ(session.experiment->report(), "KZ");
    EXPECT_EQ(session.screen.reportText, "KZ");
    session.backspace();
    EXPECT_EQ(session.screen.reportText, "K");
    session.backspace();
    session.backspace(); // empty: nothing to remove, nothing logged
    EXPECT_EQ(session.screen.reportText, "");
    const std::string history = session.log(session.experiment->run()->historyFile());
    const std::string tail = "\treport: K\n" + std::to_string(session.clock.now) + "\treport: Z\n" +
                             std::to_string(session.clock.now) + "\treport: backspace\n" +
                             std::to_string(session.clock.now) + "\treport: backspace\n";
    EXPECT_EQ(history.substr(history.size() - tail.size()), tail);
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 8 + 4 + 4);
}

struct FeedbackCase {
    Display display;
    std::string typing; // T: a new target letter, S: the same target again, W: a letter not shown
    std::string feedback;
};

class Feedback : public testing::TestWithParam<FeedbackCase> {};

TEST_P(Feedback, ShowsTheBlocksCorrectRateAndMistakes)
{
    const std::string display = GetParam().display == VIVE ? "VIVE" : "MONITOR";
    Session session(std::string(oneTrial) + "display=" + display + "\ntextAfterBlock=%%NUMBER1%%|%%NUMBER2%%");
    session.space();
    session.toReport();
    int target = 0;
    for (char kind : GetParam().typing) {
        if (kind == 'S')
            --target;
        const char letter = kind == 'W' ? letterOf(*session.experiment, EMPTY)
                                        : letterOf(*session.experiment, TARGET, target++);
        session.type(std::string(1, letter));
    }
    session.finishTrial();
    EXPECT_EQ(session.experiment->state(), FEEDBACK);
    EXPECT_EQ(session.screen.feedbackText, GetParam().feedback);
}

INSTANTIATE_TEST_SUITE_P(Displays, Feedback,
                         testing::Values(FeedbackCase{MONITOR, "TTW", "66.6667|1"}, FeedbackCase{VIVE, "TTW", "66|1"},
                                         FeedbackCase{MONITOR, "", "0|0"}, FeedbackCase{VIVE, "", "0|0"},
                                         FeedbackCase{MONITOR, "TS", "100|0"}, // a target typed twice counts twice
                                         FeedbackCase{VIVE, "WWWT", "25|3"}, FeedbackCase{MONITOR, "TTTTTTSW", "87.5|1"}));

struct FlowCase {
    const char* config;
    std::vector<ExperimentState> states; // after each accepted space press
    std::vector<std::string> blockTexts;
};

class BlockFlow : public testing::TestWithParam<FlowCase> {};

TEST_P(BlockFlow, WalksThroughBlocksFeedbackAndEnd)
{
    Session session(std::string("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=1\nrandomSeed=3\n") +
                    GetParam().config);
    std::vector<ExperimentState> states;
    for (std::size_t press = 0; press < GetParam().states.size(); ++press) {
        if (session.experiment->state() == FIXATION)
            session.toReport();
        session.finishTrial();
        states.push_back(session.experiment->state());
    }
    EXPECT_EQ(states, GetParam().states);
    EXPECT_EQ(session.screen.blockTexts, GetParam().blockTexts);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BlockFlow,
    testing::Values(FlowCase{"practiceBlock=0\nblocksPerRun=1", {FIXATION, FEEDBACK, DONE, DONE}, {}},
                    FlowCase{"practiceBlock=1\nblocksPerRun=2",
                             {FIXATION, FEEDBACK, BLOCK_START, FIXATION, FEEDBACK, BLOCK_START, FIXATION, FEEDBACK,
                              DONE, DONE},
                             {"Block 1 of 2.\\nPress space to continue!", "Block 2 of 2.\\nPress space to continue!"}},
                    FlowCase{"practiceBlock=0\nblocksPerRun=2",
                             {FIXATION, FEEDBACK, BLOCK_START, FIXATION, FEEDBACK, DONE},
                             {"Block 2 of 2.\\nPress space to continue!"}}));

TEST(BlockFlow, FeedbackCoversOnlyTheBlockJustEnded)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=1\nblocksPerRun=1\n"
                    "practiceBlock=1\nrandomSeed=3\ntextAfterBlock=%%NUMBER1%%|%%NUMBER2%%");
    session.space();
    session.toReport();
    session.type(std::string(3, letterOf(*session.experiment, EMPTY)));
    session.finishTrial();
    session.space();
    session.space(); // text screens have no lock-out of their own
    session.toReport();
    session.type(std::string(1, letterOf(*session.experiment, TARGET)));
    session.finishTrial();
    EXPECT_EQ(session.screen.feedbackTexts, (std::vector<std::string>{"0|3", "100|0"}));
}

TEST(ConsoleDebugInfo, PrintsStateAndScoreLines)
{
    Session session(std::string(oneTrial) + "consoleDebugInfo=1");
    testing::internal::CaptureStdout();
    session.space();
    session.toReport();
    session.type(std::string(1, letterOf(*session.experiment, TARGET)));
    session.type(std::string(1, letterOf(*session.experiment, EMPTY)));
    session.finishTrial();
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

TEST(Escape, MidTrialLeavesNoLineOfThatTrial)
{
    Session session(oneTrial);
    const ZOTRun& run = *session.experiment->run();
    const std::string dataFile = run.dataFile();
    const std::string historyFile = run.historyFile();
    const std::string historyBefore = session.log(historyFile);
    session.space();
    session.frames(70); // into the stimulus and masks
    session.experiment.reset(); // the window closes
    EXPECT_EQ(session.log(historyFile), historyBefore);
    EXPECT_EQ(session.log(dataFile), "1\n");
}

TEST(Escape, InTheReportKeepsThePhaseLinesButWritesNoRecord)
{
    Session session(oneTrial);
    const std::string dataFile = session.experiment->run()->dataFile();
    const std::string historyFile = session.experiment->run()->historyFile();
    session.space();
    session.toReport();
    session.type("a");
    session.experiment.reset();
    const std::string history = session.log(historyFile);
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 8 + 4 + 1);
    EXPECT_EQ(session.log(dataFile), "1\n");
}

TEST(PartialMode, EndsAtTheFirstAcceptedPressWithoutATrial)
{
    testing::internal::CaptureStdout();
    Session session("display=MONITOR\nrefreshRate=60\nmode=PARTIAL\npracticeBlock=1\nrandomSeed=3\n"
                    "consoleDebugInfo=1");
    testing::internal::GetCapturedStdout();
    const ZOTRun& run = *session.experiment->run();
    EXPECT_EQ(session.experiment->currentTrial(), nullptr);
    session.frames(3);
    testing::internal::CaptureStdout();
    session.space();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "STATE_END >\n");
    EXPECT_EQ(session.experiment->state(), DONE);
    EXPECT_EQ(session.screen.letterTextureCalls, 0);
    session.frames(200);
    session.type("abc");
    session.backspace();
    session.space();
    EXPECT_EQ(session.experiment->state(), DONE);
    EXPECT_EQ(session.experiment->currentTrial(), nullptr);
    EXPECT_EQ(session.log(run.dataFile()), "324\n");
    EXPECT_EQ(session.log(run.practiceFile()), "36\n");
    const std::string history = session.log(run.historyFile());
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 8);
}

} // namespace
