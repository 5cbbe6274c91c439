#include "ResultFileNames.h"
#include "TestSupport.h"
#include "ZOTRun.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(SubjectFileNames, KeepEveryFileInsideTheLogFolderAndTheHistoryKeepsTheAnswers)
{
    const struct {
        const char* subjectID;
        const char* session;
        std::string stem; // of the three file names
        std::string historyID; // the SubjectNumber line's answer
    } cases[] = {{"VP-01.a_b", "2", "ZOT_vive_VP-01.a_b_2", "VP-01.a_b"},
                 {"../x", "1", "ZOT_vive_..%2Fx_1", "../x"},
                 {"..", "..", "ZOT_vive_.._..", ".."},
                 {"x", "C:\\y", "ZOT_vive_x_C%3A%5Cy", "x"},
                 {"A\x1b[2J", "1", "ZOT_vive_A%1B%5B2J_1", "A\\x1B[2J"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stem);
        SubjectData subject;
        subject.subjectID = c.subjectID;
        subject.session = c.session;
        Session session("practiceBlock=1", subject);
        EXPECT_EQ(namesIn(session.scratch.path()), (std::set<std::string>{"logs"}));
        EXPECT_EQ(namesIn(session.logFolder()),
                  (std::set<std::string>{c.stem + ".dat", c.stem + "_practice.dat", c.stem + "_history.dat"}));
        const std::string history = session.log(c.stem + "_history.dat");
        EXPECT_NE(history.find("\tSubjectNumber: " + c.historyID + "\n"), std::string::npos) << history;
        EXPECT_NE(history.find("\tSession: " + printableAnswer(c.session) + "\n"), std::string::npos);
    }
}

TEST(ResultFiles, ASecondStartAppendsToTheSameFiles)
{
    TempDir scratch;
    FakeClock clock;
    const ZOTConfig config = configFrom("mode=WHOLE\ntrialsPerBlock=2\nblocksPerRun=3\npracticeBlock=0");
    ZOTTrial::init(config);
    const std::filesystem::path logs = scratch.path() / "logs";
    std::string firstHistory;
    for (int start = 0; start < 2; ++start) {
        ZOTRun run(config, {}, clock, logs);
        if (start == 0)
            firstHistory = fileText(logs / "ZOT_vive_0_0_history.dat");
    }
    // Without a practice block the practice file is named but never made.
    EXPECT_EQ(namesIn(logs), (std::set<std::string>{"ZOT_vive_0_0.dat", "ZOT_vive_0_0_history.dat"}));
    EXPECT_EQ(fileText(logs / "ZOT_vive_0_0.dat"), "6\n6\n");
    EXPECT_EQ(lineCount(firstHistory), 8);
    EXPECT_EQ(fileText(logs / "ZOT_vive_0_0_history.dat"), firstHistory + firstHistory);
}

TEST(TrialRecords, EndWithTheDepthAsAnalysisScriptsExpect)
{
    // Records without depth perception are checked byte for byte in the whole run.
    const ZOTConfig config = configFrom("enableDepthPerception=1\ndepths=0.5,2.25");
    ZOTTrial trial;
    trial.condition = 16;
    trial.exposureMs = 78;
    trial.positionType = {1, 1, 2, 2, 2, 2};
    trial.letter = {0, 1, 2, 3, 4, 19};
    const std::pair<int, const char*> cases[] = {{0, "X\t1\t"}, {2, "X\t2.25"}, {1, "X\t0.5"}};
    for (auto [depthIndex, end] : cases) {
        trial.depthIndex = depthIndex;
        EXPECT_EQ(trialRecord(config, trial, "X"), std::string("16\t78\tAB0000\t00DEFX\t") + end);
    }
}

} // namespace
