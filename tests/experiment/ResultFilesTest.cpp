#include "ResultFileNames.h"
#include "ResultWriter.h"
#include "TestSupport.h"
#include "platform/TestPlatform.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Whole lines or nothing: a disk that fills up in the middle of a line, one that
// is full, a sync that fails, and a cut-back that fails too. Two whole lines are
// on disk before; the third is lost.
TEST(ResultWriter, ALineThatCannotBeWrittenLeavesNoPartOfItBehind)
{
    // Result lines end as text lines do on the platform (CR LF on Windows).
    const std::string before = onDisk("2\n1\t17\tAB0000\t000000\tA\t\n");
    const std::string line = "2\t17\tDE0000\t000000\tXY\t";
    const std::string lineBytes = std::to_string(line.size() + textLineEnd().size());
    const struct {
        const char* fault;
        std::function<void(PlayedDisk&)> play;
        std::string reason;
        std::string remains;
    } cases[] = {
        {"disk fills up within the line", [](PlayedDisk& d) { d.bytesLeft = 7; },
         "only 7 of " + lineBytes + " bytes were written", before},
        {"disk full", [](PlayedDisk& d) { d.bytesLeft = 0; }, "No space left on device", before},
        {"disk fills up within the line, and the write fails",
         [](PlayedDisk& d) { d.bytesLeft = 7, d.failWhenCutShort = true; }, "No space left on device", before},
        {"sync fails", [](PlayedDisk& d) { d.failSync = true; },
         "the line could not be flushed to disk: Input/output error", before},
        {"cut-back fails", [](PlayedDisk& d) { d.bytesLeft = 7, d.failTruncate = true; },
         "only 7 of " + lineBytes +
             " bytes were written; what was written could not be removed (Input/output error), so the next "
             "line starts on a line of its own",
         before + "2\t17\tDE"},
        {"folder read-only", [](PlayedDisk& d) { d.refuseOpen = true; }, "Read-only file system", before},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir folder;
        const std::filesystem::path file = folder.write("ZOT_vive_1_1.dat", before);
        PlayedDisk disk;
        std::ostringstream errors;
        ResultWriter writer(disk, errors);
        c.play(disk);
        EXPECT_FALSE(writer.appendLine(file, line));
        EXPECT_EQ(fileText(file), c.remains);
        EXPECT_EQ(errors.str(), "ERROR > could not write to " + file.string() + ": " + c.reason + "\n");
        EXPECT_EQ(writer.linesLost(), 1u);

        // Once there is room again, the next line is whole and on a line of its own.
        disk = PlayedDisk();
        EXPECT_TRUE(writer.appendLine(file, "3\t17\tFG0000\t000000\t-\t"));
        EXPECT_EQ(fileText(file), c.remains + onDisk((c.remains == before ? "" : "\n") + std::string("3\t17\tFG0000\t000000\t-\t\n")));
        EXPECT_EQ(writer.linesLost(), 1u);
    }
}

// A line torn by a crash or a full disk in an earlier session: the next count
// line must start a line of its own, or readers that split sessions at count
// lines see "5<TAB>144..." as a record.
TEST(ResultWriter, ATornLastLineGetsItsLineEndBeforeTheFirstNewLine)
{
    const struct {
        std::string before;
        std::string after;
        bool warns;
    } cases[] = {
        {"5\n144\tOFBKSV\t0000002", "5\n144\tOFBKSV\t0000002\n5\n7\n", true},
        {"5\n144\tOFBKSV\t000000\tA\t\n", "5\n144\tOFBKSV\t000000\tA\t\n5\n7\n", false},
        {"", "5\n7\n", false},
    };
    for (const auto& c : cases) {
        TempDir folder;
        const std::filesystem::path file = folder.write("ZOT_vive_1_1.dat", onDisk(c.before));
        std::ostringstream errors;
        ResultWriter writer(systemDisk(), errors);
        ASSERT_TRUE(writer.appendLine(file, "5"));
        ASSERT_TRUE(writer.appendLine(file, "7"));
        EXPECT_EQ(fileText(file), onDisk(c.after));
        EXPECT_EQ(errors.str(), c.warns ? "WARNING > the last line of " + file.string() +
                                              " was incomplete (cut off by a crash or a full disk); it is kept as it "
                                              "is and the new lines start on a line of their own\n"
                                        : "");
    }
}

TEST(ResultFileNames, OrdinaryAnswersKeepTheirNamesAndOthersAreWrittenAsHex)
{
    const struct {
        const char* subjectID;
        const char* session;
        const char* stem;
    } cases[] = {
        {"VP_1", "1", "ZOT_vive_VP_1_1"},
        {"VP-01.a", "12", "ZOT_vive_VP-01.a_12"},
        {"0", "0", "ZOT_vive_0_0"},
        {"VP+1", "1", "ZOT_vive_VP%2B1_1"},
        {"VP#1", "1", "ZOT_vive_VP%231_1"},
        {"VP/1", "1", "ZOT_vive_VP%2F1_1"},
        {"VP%2F1", "1", "ZOT_vive_VP%252F1_1"},
        {"Jörg", "1", "ZOT_vive_J%C3%B6rg_1"},
        {"a", "b_c", "ZOT_vive_a_b%5Fc"},
        {"x_1", "practice", "ZOT_vive_x_1_%70ractice"},
    };
    for (const auto& c : cases) {
        const ResultFileNames names = resultFileNames(c.subjectID, c.session);
        const std::string stem = c.stem;
        EXPECT_EQ(names.data, stem + ".dat");
        EXPECT_EQ(names.practice, stem + "_practice.dat");
        EXPECT_EQ(names.history, stem + "_history.dat");
        EXPECT_EQ(names.timing, stem + "_timing.dat");
        // A warning only when the name is not the answers as typed.
        const bool asTyped = stem == std::string("ZOT_vive_") + c.subjectID + "_" + c.session;
        EXPECT_EQ(names.warnings.empty(), asTyped) << stem;
    }
}

// No two pairs of answers may share a file, whatever the bytes: every pair
// over a small alphabet with the bytes that matter (kept, escaped, '%', '_' and
// the digits of an escape), and answers that imitate the files' suffixes.
TEST(ResultFileNames, NoTwoPairsOfAnswersShareAFile)
{
    std::vector<std::string> answers = {"practice", "history", "timing", "x_practice", "1_timing", "p"};
    const std::string alphabet = "a_%+2B"; // "+" is written "%2B"
    std::vector<std::string> level = {""};
    for (int length = 0; length <= 3; ++length) {
        answers.insert(answers.end(), level.begin(), level.end());
        std::vector<std::string> longer;
        for (const std::string& word : level)
            for (char c : alphabet)
                longer.push_back(word + c);
        level = longer;
    }
    std::set<std::string> files;
    std::size_t made = 0;
    for (const std::string& id : answers)
        for (const std::string& session : answers) {
            const ResultFileNames names = resultFileNames(id, session);
            for (const std::string& name : {names.data, names.practice, names.history, names.timing}) {
                files.insert(name);
                ++made;
            }
        }
    EXPECT_EQ(files.size(), made);
}

// Answers of any length give names a file system takes (255 bytes), and long
// answers that differ only at their ends still get files of their own.
TEST(ResultFileNames, LongAnswersAreCutAndKeptApartByAHash)
{
    const std::string longID(300, 'A');
    const std::string escapedID(150, '+'); // 450 bytes once written as %2B
    const struct {
        std::string subjectID;
        std::string session;
    } cases[] = {{longID, "1"}, {longID, "2"}, {longID + "B", "1"}, {escapedID, "1"}, {"VP1", std::string(250, '7')}};
    std::set<std::string> files;
    for (const auto& c : cases) {
        const ResultFileNames names = resultFileNames(c.subjectID, c.session);
        files.insert(names.data);
        const std::string stem = names.data.substr(0, names.data.size() - 4);
        // 200 bytes, or one or two fewer where the cut would split a %XX.
        EXPECT_LE(stem.size(), std::string("ZOT_vive_").size() + 200) << stem;
        EXPECT_GE(stem.size(), std::string("ZOT_vive_").size() + 198) << stem;
        EXPECT_LE(names.practice.size(), 255u);
        // '~' and 8 hex digits end the cut names; no %XX is split by the cut.
        const std::string tail = stem.substr(stem.size() - 9);
        EXPECT_EQ(tail[0], '~');
        EXPECT_EQ(tail.find_first_not_of("0123456789ABCDEF", 1), std::string::npos) << tail;
        const std::string kept = stem.substr(0, stem.size() - 9);
        EXPECT_NE(kept.back(), '%');
        EXPECT_NE(kept[kept.size() - 2], '%');
        ASSERT_FALSE(names.warnings.empty());
        EXPECT_NE(names.warnings.back().find("too long for a file name"), std::string::npos);
    }
    EXPECT_EQ(files.size(), std::size(cases));
    // The same answers always give the same names, so a second start appends.
    EXPECT_EQ(resultFileNames(longID, "1").data, resultFileNames(longID, "1").data);
}

TEST(ResultFileNames, ControlCharactersAreShownAsHexInHistoryAndWarnings)
{
    EXPECT_EQ(printableAnswer(std::string("a\x01 b\x7f\x1b[") + "\xc3\xb6"), "a\\x01 b\\x7F\\x1B[\xc3\xb6");
    const ResultFileNames names = resultFileNames("\x07VP", "1");
    ASSERT_EQ(names.warnings.size(), 1u);
    EXPECT_NE(names.warnings[0].find("\"\\x07VP\" appears as \"%07VP\""), std::string::npos) << names.warnings[0];
}

} // namespace
