#include "Random.h"
#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// The design as it is published: index, condition, nominal exposure in ms and
// the position types of positions 0 to 5 (0 empty, 1 target, 2 distractor).
struct PrototypeRow {
    int condition;
    int nominalMs;
    const char* types;
};
constexpr PrototypeRow DESIGN[PROTOTYPE_COUNT] = {
    {1, 10, "111111"},  {2, 20, "111111"},  {3, 50, "111111"},  {4, 80, "111111"},  {5, 140, "111111"},
    {6, 200, "111111"}, {7, 80, "110000"},  {8, 80, "101000"},  {9, 80, "011000"},  {10, 80, "000110"},
    {11, 80, "000101"}, {12, 80, "000011"}, {13, 80, "100100"}, {14, 80, "100010"}, {15, 80, "100001"},
    {13, 80, "010100"}, {14, 80, "010010"}, {15, 80, "010001"}, {13, 80, "001100"}, {14, 80, "001010"},
    {15, 80, "001001"}, {16, 80, "112222"}, {17, 80, "121222"}, {18, 80, "211222"}, {19, 80, "222112"},
    {20, 80, "222121"}, {21, 80, "222211"}, {22, 80, "122122"}, {23, 80, "122212"}, {24, 80, "122221"},
    {22, 80, "212122"}, {23, 80, "212212"}, {24, 80, "212221"}, {22, 80, "221122"}, {23, 80, "221212"},
    {24, 80, "221221"},
};

std::string typesOf(const ZOTTrial& trial)
{
    std::string types;
    for (std::uint8_t type : trial.positionType)
        types += static_cast<char>('0' + type);
    return types;
}

TEST(ZOTTrial, InitBuildsEveryPrototypeOfTheDesign)
{
    // Frames are the nominal time over the frame period (1000 / rate, single
    // precision) rounded half away from zero, and the recorded ms what those
    // frames give, rounded the same way: 50 ms at 90 Hz is 4.5 frames and
    // becomes 5 (55.6 ms, recorded 56); 140 ms at 75 Hz is 10.5 frames and
    // becomes 11. At 100 Hz every time is a whole number of frames.
    const struct {
        const char* rate;
        std::map<int, std::pair<int, int>> framesAndMs; // by nominal ms
    } rates[] = {
        {"60", {{10, {1, 17}}, {20, {1, 17}}, {50, {3, 50}}, {80, {5, 83}}, {140, {8, 133}}, {200, {12, 200}}}},
        {"75", {{10, {1, 13}}, {20, {2, 27}}, {50, {4, 53}}, {80, {6, 80}}, {140, {11, 147}}, {200, {15, 200}}}},
        {"90", {{10, {1, 11}}, {20, {2, 22}}, {50, {5, 56}}, {80, {7, 78}}, {140, {13, 144}}, {200, {18, 200}}}},
        {"100", {{10, {1, 10}}, {20, {2, 20}}, {50, {5, 50}}, {80, {8, 80}}, {140, {14, 140}}, {200, {20, 200}}}},
    };
    for (const auto& r : rates) {
        ZOTTrial::init(configFrom(std::string("display=MONITOR\nrefreshRate=") + r.rate));
        for (int k = 0; k < PROTOTYPE_COUNT; ++k) {
            const ZOTTrial& prototype = ZOTTrial::conditionTable[k];
            const auto [frames, ms] = r.framesAndMs.at(DESIGN[k].nominalMs);
            SCOPED_TRACE(std::string(r.rate) + " Hz, prototype " + std::to_string(k));
            EXPECT_EQ(prototype.condition, DESIGN[k].condition);
            EXPECT_EQ(typesOf(prototype), DESIGN[k].types);
            EXPECT_EQ(prototype.exposureFrames, frames);
            EXPECT_EQ(prototype.exposureMs, ms);
            EXPECT_EQ(prototype.depthIndex, 0);
        }
    }
}

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
                EXPECT_TRUE(trial.letter[position] >= 0 && trial.letter[position] < 20) << trial.letter[position];
                EXPECT_TRUE(letters.insert(trial.letter[position]).second) << "prototype " << prototype;
            }
        }
    }
}

// The generator is the Windows runtime's, so seed 1 draws its well-known sequence
// 41, 18467, 6334, 26500, 19169, 15724, 11478 ... (modulo 20: B J R A L F V).
TEST(ZOTTrial, DrawsDepthFirstThenLettersInPositionOrder)
{
    const struct {
        const char* config;
        const char* description;
        int depthIndex;
    } cases[] = {{"", "1\t11\tBJRALF\t000000", 0},
                 {"enableDepthPerception=1\ndepths=1,2,3", "1\t11\tJRALFV\t000000", 41 % 4},
                 // No depths to choose from: the draw is still spent.
                 {"enableDepthPerception=1", "1\t11\tJRALFV\t000000", 0}};
    for (const auto& c : cases) {
        const ZOTConfig config = configFrom(c.config);
        ZOTTrial::init(config);
        seedRandom(1);
        const ZOTTrial trial(config, 0);
        EXPECT_EQ(stimulusDescription(trial), c.description) << c.config;
        EXPECT_EQ(trial.depthIndex, c.depthIndex) << c.config;
    }
}

TEST(ZOTTrial, ScoringCountsTypedTargetsAsCorrectAndEverythingElseAsWrong)
{
    ZOTTrial trial; // targets B and E among the distractors A, D, F, G
    trial.positionType = {2, 1, 2, 1, 2, 2};
    trial.letter = {0, 1, 2, 3, 4, 5};
    const struct {
        const char* report;
        unsigned correct;
        unsigned wrong;
    } cases[] = {{"", 0, 0}, {"EBB", 3, 0}, {"A", 0, 1}, {"XBE", 2, 1}, {"0", 0, 1}};
    for (const auto& c : cases) {
        const ReportScore score = scoreLetters(trial, c.report);
        EXPECT_EQ(score.correct, c.correct) << c.report;
        EXPECT_EQ(score.wrong, c.wrong) << c.report;
    }
}

} // namespace
