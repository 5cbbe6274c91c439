#include "TestSupport.h"
#include "TestPlatform.h"
#include "ZOTRun.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(SubjectFileNames, KeepEveryFileInsideTheLogFolder)
{
    const struct {
        const char* subjectID;
        const char* session;
        std::string stem; // of the three file names
        bool warns;
    } cases[] = {{"VP-01.a_b", "2", "ZOT_vive_VP-01.a_b_2", false},
                 {"../x", "1", "ZOT_vive_.._x_1", true},
                 {"..", "..", "ZOT_vive______", true},
                 {"x", "C:\\y", "ZOT_vive_x_C__y", true}};
    for (const auto& c : cases) {
        SubjectData subject;
        subject.subjectID = c.subjectID;
        subject.session = c.session;
        testing::internal::CaptureStdout();
        Session session("practiceBlock=1", subject);
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_EQ(console.find("WARNING > ") != std::string::npos, c.warns) << console;
        EXPECT_EQ(namesIn(session.scratch.path()), (std::set<std::string>{"logs"}));
        EXPECT_EQ(namesIn(session.logFolder()),
                  (std::set<std::string>{c.stem + ".dat", c.stem + "_practice.dat", c.stem + "_history.dat"}));
        // The history keeps the answers as they were typed.
        const std::string history = session.log(c.stem + "_history.dat");
        EXPECT_NE(history.find(onDisk("\tSubjectNumber: " + std::string(c.subjectID) + "\n")), std::string::npos);
        EXPECT_NE(history.find(onDisk("\tSession: " + std::string(c.session) + "\n")), std::string::npos);
    }
}

TEST(WriteFailure, WarnsOnStandardErrorOncePerFileAndTheRunGoesOn)
{
    // A file where the log folder should be loses every line; a folder in the data
    // file's place loses only the records, while the history goes on.
    const struct {
        std::function<void(const std::filesystem::path&)> block;
        std::vector<const char*> lost;
        std::ptrdiff_t historyLines;
    } cases[] = {
        {[](const std::filesystem::path& logs) { std::ofstream(logs) << "in the way"; },
         {"ZOT_vive_0_0.dat", "ZOT_vive_0_0_history.dat"}, 0},
        {[](const std::filesystem::path& logs) { std::filesystem::create_directories(logs / "ZOT_vive_0_0.dat"); },
         {"ZOT_vive_0_0.dat"}, 8 + 2 * (4 + 1)},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStderr();
        Session session("trialsPerBlock=2", {}, c.block);
        session.space();
        session.play("a");
        session.play("a");
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(session.experiment->state(), FEEDBACK);
        for (const char* name : c.lost) {
            const std::string warning = "WARNING > could not write to " + (session.logFolder() / name).string() + "\n";
            EXPECT_NE(errors.find(warning), std::string::npos) << errors;
            EXPECT_EQ(errors.find(warning), errors.rfind(warning)) << errors;
        }
        EXPECT_EQ(errors.find("history") == std::string::npos, c.lost.size() == 1) << errors;
        EXPECT_EQ(lineCount(session.history()), c.historyLines);
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
    EXPECT_EQ(fileText(logs / "ZOT_vive_0_0.dat"), onDisk("6\n6\n"));
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
