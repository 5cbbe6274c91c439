#include "TestSupport.h"
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

struct NameCase {
    std::string subjectID;
    std::string session;
    std::string stem; // of the three file names
    bool warns;
};

class SubjectFileNames : public testing::TestWithParam<NameCase> {};

TEST_P(SubjectFileNames, KeepEveryFileInsideTheLogFolder)
{
    SubjectData subject;
    subject.subjectID = GetParam().subjectID;
    subject.session = GetParam().session;
    testing::internal::CaptureStdout();
    Session session("display=MONITOR\nmode=WHOLE\ntrialsPerBlock=1\nblocksPerRun=1\npracticeBlock=1\nrandomSeed=1",
                    subject);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(console.find("WARNING > ") != std::string::npos, GetParam().warns) << console;

    const std::string stem = GetParam().stem;
    EXPECT_EQ(namesIn(session.scratch.path()), (std::set<std::string>{"logs"}));
    EXPECT_EQ(namesIn(session.logFolder()),
              (std::set<std::string>{stem + ".dat", stem + "_practice.dat", stem + "_history.dat"}));
    // The history keeps the answers as they were typed.
    const std::string history = session.log(stem + "_history.dat");
    EXPECT_NE(history.find("\tSubjectNumber: " + GetParam().subjectID + "\n"), std::string::npos);
    EXPECT_NE(history.find("\tSession: " + GetParam().session + "\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Answers, SubjectFileNames,
                         testing::Values(NameCase{"0", "0", "ZOT_vive_0_0", false},
                                         NameCase{"VP-01.a_b", "2", "ZOT_vive_VP-01.a_b_2", false},
                                         NameCase{"../x", "1", "ZOT_vive_.._x_1", true},
                                         NameCase{"a/b", "1", "ZOT_vive_a_b_1", true},
                                         NameCase{"..", "..", "ZOT_vive______", true},
                                         NameCase{"x", "C:\\y", "ZOT_vive_x_C__y", true}));

const char* const twoTrials = "display=MONITOR\nrefreshRate=60\nmode=WHOLE\ntrialsPerBlock=2\nblocksPerRun=1\n"
                              "practiceBlock=0\nrandomSeed=1";

/// Plays the block's two trials, typing a letter in each, up to the feedback screen.
void playBlock(Session& session)
{
    for (int trial = 0; trial < 2; ++trial) {
        session.finishTrial();
        ASSERT_EQ(session.experiment->state(), FIXATION);
        session.toReport();
        session.type("a");
    }
    session.finishTrial();
}

TEST(WriteFailure, WarnsOnStandardErrorAndTheRunGoesOn)
{
    // The log folder's name is taken by a file: no line can be written anywhere.
    testing::internal::CaptureStderr();
    Session session(twoTrials, {}, [](const std::filesystem::path& logs) { std::ofstream(logs) << "in the way"; });
    playBlock(session);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(session.experiment->state(), FEEDBACK);
    for (const char* name : {"ZOT_vive_0_0.dat", "ZOT_vive_0_0_history.dat"}) {
        const std::string warning = "WARNING > could not write to " + (session.logFolder() / name).string() + "\n";
        EXPECT_NE(errors.find(warning), std::string::npos) << errors;
    }
    EXPECT_EQ(fileText(session.logFolder()), "in the way");
}

TEST(WriteFailure, OfOneFileLeavesTheOthersWhole)
{
    // The data file's name is taken by a folder: its records are lost, with a
    // warning, while the history goes on.
    testing::internal::CaptureStderr();
    Session session(twoTrials, {}, [](const std::filesystem::path& logs) {
        std::filesystem::create_directories(logs / "ZOT_vive_0_0.dat");
    });
    playBlock(session);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors, "WARNING > could not write to " + (session.logFolder() / "ZOT_vive_0_0.dat").string() + "\n");
    const std::string history = session.log("ZOT_vive_0_0_history.dat");
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 8 + 2 * (4 + 1));
    EXPECT_EQ(session.experiment->state(), FEEDBACK);
}

TEST(ResultFiles, ASecondStartAppendsToTheSameFiles)
{
    ScratchFolder scratch;
    FakeClock clock;
    const ZOTConfig config = configFrom("mode=WHOLE\ntrialsPerBlock=2\nblocksPerRun=3\npracticeBlock=0");
    ZOTTrial::init(config);
    SubjectData subject;
    subject.subjectID = "7";
    for (int start = 0; start < 2; ++start)
        ZOTRun run(config, subject, clock, scratch.path() / "logs");
    // Without a practice block the practice file is named but never made.
    EXPECT_EQ(namesIn(scratch.path() / "logs"),
              (std::set<std::string>{"ZOT_vive_7_0.dat", "ZOT_vive_7_0_history.dat"}));
    EXPECT_EQ(fileText(scratch.path() / "logs" / "ZOT_vive_7_0.dat"), "6\n6\n");
    const std::string header = "5000\tSubjectNumber: 7\n5000\tSubjectCode: 0\n5000\tSession: 0\n5000\tAge: 0\n"
                               "5000\tGender: 0\n5000\tHandedness: 0\n5000\tVisionAid: 0\n"
                               "5000\tTime: 5/12/2026 6:3:9\n";
    EXPECT_EQ(fileText(scratch.path() / "logs" / "ZOT_vive_7_0_history.dat"), header + header);
}

struct RecordCase {
    const char* config;
    int depthIndex;
    std::string report;
    std::string record;
};

class TrialRecords : public testing::TestWithParam<RecordCase> {};

TEST_P(TrialRecords, EndAsAnalysisScriptsExpect)
{
    ZOTTrial trial;
    trial.condition = 16;
    trial.exposureMs = 78;
    trial.positionType = {1, 1, 2, 2, 2, 2};
    trial.letter = {0, 1, 2, 3, 4, 19};
    trial.depthIndex = GetParam().depthIndex;
    EXPECT_EQ(trialRecord(configFrom(GetParam().config), trial, GetParam().report), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TrialRecords,
    testing::Values(RecordCase{"", 0, "AB", "16\t78\tAB0000\t00DEFX\tAB\t"},
                    RecordCase{"", 0, "", "16\t78\tAB0000\t00DEFX\t-\t"},
                    RecordCase{"enableDepthPerception=1\ndepths=0.5,2.25", 0, "X", "16\t78\tAB0000\t00DEFX\tX\t1\t"},
                    RecordCase{"enableDepthPerception=1\ndepths=0.5,2.25", 2, "X", "16\t78\tAB0000\t00DEFX\tX\t2.25"},
                    RecordCase{"enableDepthPerception=1\ndepths=0.5,2.25", 1, "", "16\t78\tAB0000\t00DEFX\t-\t0.5"}));

} // namespace
