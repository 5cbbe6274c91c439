#include "Random.h"
#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct ExposureCase {
    float refreshRate;
    std::array<int, 6> frames; // whole report, 10 to 200 ms
    std::array<int, 6> ms;
};

class ExposureTable : public testing::TestWithParam<ExposureCase> {};

TEST_P(ExposureTable, RoundsExposuresToWholeFramesAndRecordsWhatTheyGive)
{
    const ExposureCase& expected = GetParam();
    ZOTTrial::init(configFrom("display=MONITOR\nrefreshRate=" + std::to_string(expected.refreshRate)));
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(ZOTTrial::conditionTable[k].exposureFrames, expected.frames[k]) << "prototype " << k;
        EXPECT_EQ(ZOTTrial::conditionTable[k].exposureMs, expected.ms[k]) << "prototype " << k;
    }
    // Every partial-report prototype is shown for 80 ms, as condition 4.
    for (int k = 6; k < PROTOTYPE_COUNT; ++k) {
        EXPECT_EQ(ZOTTrial::conditionTable[k].exposureFrames, ZOTTrial::conditionTable[3].exposureFrames);
        EXPECT_EQ(ZOTTrial::conditionTable[k].exposureMs, ZOTTrial::conditionTable[3].exposureMs);
    }
}

// 50 ms at 90 Hz and 140 ms at 75 Hz fall on half frames and round up.
INSTANTIATE_TEST_SUITE_P(Rates, ExposureTable,
                         testing::Values(ExposureCase{60, {1, 1, 3, 5, 8, 12}, {17, 17, 50, 83, 133, 200}},
                                         ExposureCase{75, {1, 2, 4, 6, 11, 15}, {13, 27, 53, 80, 147, 200}},
                                         ExposureCase{90, {1, 2, 5, 7, 13, 18}, {11, 22, 56, 78, 144, 200}},
                                         ExposureCase{100, {1, 2, 5, 8, 14, 20}, {10, 20, 50, 80, 140, 200}}));

TEST(ZOTTrial, LettersArePairwiseDifferentAndOnlyWherePositionsShowOne)
{
    const ZOTConfig config = configFrom("display=MONITOR\nrefreshRate=60");
    ZOTTrial::init(config);
    seedRandom(99);
    for (int prototype = 0; prototype < PROTOTYPE_COUNT; ++prototype) {
        for (int repeat = 0; repeat < 50; ++repeat) {
            const ZOTTrial trial(config, prototype);
            std::set<int> letters;
            for (int position = 0; position < 6; ++position) {
                if (trial.positionType[position] == EMPTY) {
                    EXPECT_EQ(trial.letter[position], NO_LETTER);
                    continue;
                }
                ASSERT_GE(trial.letter[position], 0);
                ASSERT_LT(trial.letter[position], static_cast<int>(ALPHABET.size()));
                EXPECT_TRUE(letters.insert(trial.letter[position]).second) << "prototype " << prototype;
            }
        }
    }
}

struct DrawCase {
    const char* config;
    std::string description;
    int depthIndex;
};

class TrialDraws : public testing::TestWithParam<DrawCase> {};

// The generator is the Windows runtime's, so seed 1 draws its well-known sequence
// 41, 18467, 6334, 26500, 19169, 15724, 11478 ... (modulo 20: B J R A L F V).
TEST_P(TrialDraws, DrawDepthFirstThenLettersInPositionOrder)
{
    const ZOTConfig config = configFrom(GetParam().config);
    ZOTTrial::init(config);
    seedRandom(1);
    const ZOTTrial trial(config, 0);
    EXPECT_EQ(stimulusDescription(trial), GetParam().description);
    EXPECT_EQ(trial.depthIndex, GetParam().depthIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Seed1, TrialDraws,
    testing::Values(DrawCase{"", "1\t11\tBJRALF\t000000", 0},
                    DrawCase{"enableDepthPerception=1\ndepths=1,2,3", "1\t11\tJRALFV\t000000", 41 % 4},
                    // No depths to choose from: the draw is still spent.
                    DrawCase{"enableDepthPerception=1", "1\t11\tJRALFV\t000000", 0}));

TEST(ZOTTrial, DepthIndexCoversBaseDepthAndEveryListedDepth)
{
    const ZOTConfig config = configFrom("enableDepthPerception=1\ndepths=0.5,1.5,2.5");
    ZOTTrial::init(config);
    seedRandom(7);
    std::set<int> seen;
    for (int i = 0; i < 200; ++i)
        seen.insert(ZOTTrial(config, 0).depthIndex);
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
}

ZOTTrial handMade(int condition, std::array<std::uint8_t, 6> types, const std::string& letters)
{
    ZOTTrial trial;
    trial.condition = condition;
    trial.exposureMs = 83;
    trial.positionType = types;
    for (int position = 0; position < 6; ++position)
        trial.letter[position] =
            letters[position] == '-' ? NO_LETTER : static_cast<int>(ALPHABET.find(letters[position]));
    return trial;
}

struct ScoreCase {
    std::string report;
    unsigned correct;
    unsigned wrong;
};

class ReportScoring : public testing::TestWithParam<ScoreCase> {};

TEST_P(ReportScoring, CountsTypedTargetsAsCorrectAndEverythingElseAsWrong)
{
    // Targets B and E, distractors A, D, F, G.
    const ZOTTrial trial = handMade(22, {2, 1, 2, 1, 2, 2}, "ABDEFG");
    const ReportScore score = scoreLetters(trial, GetParam().report);
    EXPECT_EQ(score.correct, GetParam().correct);
    EXPECT_EQ(score.wrong, GetParam().wrong);
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportScoring,
                         testing::Values(ScoreCase{"", 0, 0}, ScoreCase{"EB", 2, 0}, ScoreCase{"BB", 2, 0},
                                         ScoreCase{"A", 0, 1}, // a distractor's letter is wrong
                                         ScoreCase{"XBE", 2, 1}, ScoreCase{"0", 0, 1}));

} // namespace
