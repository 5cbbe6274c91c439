#include "DatFile.h"
#include "ScoredTrial.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What zot writes: count line, records with a trailing tab; a second start of
// the same session appends its own count line.
TEST(DatFile, EveryCountLineStartsASessionAndKeepsTheTrialBeforeIt)
{
    const std::string text = "4\r\n"
                             "1\t11\tABDEFG\t000000\tBA\t\r\n"
                             "16\t78\tHJ0000\t00KLMN\t-\t\r\n"
                             "3\r\n"
                             "22\t78\t0O0P00\tR0S0TU\tPOX\t\r\n"
                             "\r\n";
    const std::vector<DatSession> sessions = parseDat(text, "logs/s.dat");
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_EQ(sessions[0].number, 1);
    EXPECT_EQ(sessions[0].announced, 4);
    ASSERT_EQ(sessions[0].trials.size(), 2u);
    const DatTrial& last = sessions[0].trials[1];
    EXPECT_EQ(last.condition, 16);
    EXPECT_EQ(last.exposureMs, 78.0);
    EXPECT_EQ(last.targets, "HJ0000");
    EXPECT_EQ(last.distractors, "00KLMN");
    EXPECT_EQ(last.report, "-");
    EXPECT_EQ(sessions[1].number, 2);
    EXPECT_EQ(sessions[1].fileName, "logs/s.dat");
    ASSERT_EQ(sessions[1].trials.size(), 1u);
    EXPECT_EQ(sessions[1].trials[0].report, "POX");
}

TEST(DatFile, AcceptsOtherProgramsSpacingDepthAndDecimalExposures)
{
    const std::string text = "2\n"
                             "5 140.5   ABDEFG 000000 GA\n"
                             "6\t200\tABDEFG\t000000\tA\t1.25\n"
                             "7\t200\tABDEFG\t000000\tA\t-0.5";
    const std::vector<DatSession> sessions = parseDat(text, "x.dat");
    ASSERT_EQ(sessions.size(), 1u);
    ASSERT_EQ(sessions[0].trials.size(), 3u);
    EXPECT_EQ(sessions[0].trials[0].exposureMs, 140.5);
    EXPECT_EQ(sessions[0].trials[1].report, "A");
}

TEST(DatFile, MalformedLinesNameTheFileAndLine)
{
    const std::string good = "1\t11\tABDEFG\t000000\tA\t";
    struct Case {
        std::string line;
        std::string says;
    } cases[] = {
        {"1\t11\tABDEF\t000000\tA\t", "six places"},
        {"1\t11\tABDEFGH\t000000\tA\t", "six places"},
        {"1\t11\tabdefg\t000000\tA\t", "A to Z and 0"},
        {"1\t11\tABDEFG\t000000\ta\t", "report"},
        {"1\t11\tABDEFG\t000000\tA-\t", "report"},
        {"1\t11\tABDEFG\t000000\t\t", "5 fields"},
        {"1\t11\tABDEFG\t000000\tA\t1\t2", "5 fields"},
        {"1\t11\tABDEFG", "5 fields"},
        {"x\t11\tABDEFG\t000000\tA\t", "condition"},
        {"-1\t11\tABDEFG\t000000\tA\t", "condition"},
        {"1\t-11\tABDEFG\t000000\tA\t", "exposure"},
        {"1\t1e3\tABDEFG\t000000\tA\t", "exposure"},
        {"1\tnan\tABDEFG\t000000\tA\t", "exposure"},
        {"1\t11\tAB0000\t0B0000\tA\t", "both a target and a distractor"},
        {"1\t11\tAB0000\t00A000\tA\t", "shown twice"},
        {"1\t11\tABDEFG\t000000\tA\tdeep", "depth"},
        {"12x", "count line"},
        {"99999999999999999999999", "count line"},
    };
    for (const Case& c : cases) {
        try {
            parseDat("2\n" + good + "\n" + c.line + "\n", "logs/bad.dat");
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const DatError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("logs/bad.dat:3: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
    }
    EXPECT_THROW(parseDat(good + "\n", "f.dat"), DatError) << "a record before any count line";
}

// Random bytes and damaged copies of a good file either parse or throw DatError.
TEST(DatFile, AnyBytesParseOrThrowDatError)
{
    const std::string good = "3\r\n1\t11\tABDEFG\t000000\tBA\t\r\n16\t78\tHJ0000\t00KLMN\t-\t1.5\r\n";
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    int parsed = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = good;
        if (round % 3 == 0) {
            text.assign(random() % 80, '\0');
            for (char& c : text)
                c = static_cast<char>(byte(random));
        } else {
            for (int hit = 0; hit < 1 + round % 4; ++hit)
                text[random() % text.size()] = static_cast<char>(byte(random));
        }
        try {
            parseDat(text, "fuzz.dat");
            ++parsed;
        } catch (const DatError&) {
        }
    }
    EXPECT_GT(parsed, 0);
}

TEST(DatFile, AFileThatCannotBeReadIsNamed)
{
    TempDir dir;
    try {
        readDatFile(dir.file("missing.dat"));
        ADD_FAILURE();
    } catch (const DatError& error) {
        EXPECT_NE(std::string(error.what()).find(dir.file("missing.dat")), std::string::npos);
    }
    const std::vector<DatSession> sessions = readDatFile(dir.write("s.dat", "1\n4\t78\tABDEFG\t000000\tXA\t\n"));
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].trials[0].report, "XA");
}

// Each typed letter counts once when it is a target of the trial; the rest are errors.
TEST(ScoredTrial, TypedLettersScoreAgainstTheTargets)
{
    struct Case {
        const char* targets;
        const char* distractors;
        const char* report;
        PlaceSet reported;
        int errors;
    } cases[] = {
        {"ABDEFG", "000000", "GA", 0b100001, 0},
        {"ABDEFG", "000000", "-", 0, 0},
        {"HJ0000", "00KLMN", "KJ", 0b000010, 1},
        {"HJ0000", "00KLMN", "ZZ", 0, 2},
        {"HJ0000", "00KLMN", "HH", 0b000001, 1},
        {"0O0P00", "R0S0TU", "POT", 0b001010, 1},
    };
    for (const Case& c : cases) {
        const ScoredTrial scored = scoreTrial({16, 78, c.targets, c.distractors, c.report});
        EXPECT_EQ(scored.reported, c.reported) << c.report;
        EXPECT_EQ(scored.errors, c.errors) << c.report;
    }
    const ScoredTrial display = scoreTrial({22, 78, "0O0P00", "R0S0TU", "-"});
    EXPECT_EQ(display.display.targets, 0b001010u);
    EXPECT_EQ(display.display.distractors, 0b110101u);
}

} // namespace
