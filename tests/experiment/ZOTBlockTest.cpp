#include "Random.h"
#include "TestSupport.h"
#include "ZOTBlock.h"
#include "ZOTRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The prototypes of trials, told apart by condition and position types.
std::multiset<std::pair<int, std::array<std::uint8_t, 6>>> prototypesOf(const std::vector<ZOTTrial>& trials)
{
    std::multiset<std::pair<int, std::array<std::uint8_t, 6>>> keys;
    for (const ZOTTrial& trial : trials)
        keys.insert({trial.condition, trial.positionType});
    return keys;
}

std::multiset<std::pair<int, std::array<std::uint8_t, 6>>> prototypes(const std::vector<int>& indices)
{
    std::vector<ZOTTrial> trials;
    for (int index : indices)
        trials.push_back(ZOTTrial::conditionTable[index]);
    return prototypesOf(trials);
}

std::vector<int> planOf(int blockIndex)
{
    return {combiPlan[blockIndex % 3].begin(), combiPlan[blockIndex % 3].end()};
}

TEST(ZOTBlock, HoldsTheTrialsOfItsPlan)
{
    std::vector<int> wholeThrice;
    for (int i = 0; i < 18; ++i)
        wholeThrice.push_back(i % 6);
    const struct {
        const char* config;
        int blockIndex;
        std::vector<int> prototypes;
    } cases[] = {{"mode=WHOLE\ntrialsPerBlock=4", 5, {0, 1, 2, 3}},
                 {"mode=WHOLE\ntrialsPerBlock=18", 0, wholeThrice},
                 {"mode=COMBI\ntrialsPerBlock=18", 0, wholeThrice},
                 {"mode=COMBI", 0, planOf(0)},
                 {"mode=COMBI", 1, planOf(1)},
                 {"mode=COMBI", 2, planOf(2)},
                 {"mode=COMBI", 3, planOf(0)}};
    for (const auto& c : cases) {
        const ZOTConfig config = configFrom(c.config);
        ZOTTrial::init(config);
        EXPECT_EQ(prototypesOf(ZOTBlock(config, c.blockIndex).trials), prototypes(c.prototypes))
            << c.config << ", block " << c.blockIndex;
    }
}

TEST(ZOTBlock, CombiPlansCoverEveryCrossGroupPairOnceWithAndWithoutDistractorsOverThreeBlocks)
{
    ZOTTrial::init(configFrom(""));
    std::vector<int> crossGroup;
    for (int block = 0; block < 3; ++block)
        crossGroup.insert(crossGroup.end(), combiPlan[block].begin() + 30, combiPlan[block].end());
    EXPECT_EQ(prototypes(crossGroup),
              prototypes({12, 13, 14, 15, 16, 17, 18, 19, 20, 27, 28, 29, 30, 31, 32, 33, 34, 35}));
}

TEST(ZOTBlock, SlotsFrom36OnGetRandomPrototypes)
{
    const ZOTConfig config = configFrom("mode=COMBI\ntrialsPerBlock=40\nrefreshRate=90");
    ZOTTrial::init(config);
    seedRandom(11);
    const ZOTBlock block(config, 0);
    ASSERT_EQ(block.trials.size(), 40u);
    auto keys = prototypesOf(block.trials);
    for (const auto& planned : prototypes(planOf(0)))
        keys.erase(keys.find(planned));
    EXPECT_EQ(keys.size(), 4u);
    // Reference order for seed 11: the four extra draws, then letters, then the shuffle.
    const std::vector<std::string> first = {"20\t78\t000A0F\tKGU0N0", "10\t78\t000BO0\t000000",
                                            "17\t78\tK0X000\t0G0ELA", "6\t200\tSTEMLU\t000000"};
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(stimulusDescription(block.trials[i]), first[i]);
}

TEST(ZOTBlock, ShuffleIsAPermutation)
{
    for (int size : {0, 1, 2, 37, 40000}) {
        std::vector<ZOTTrial> trials(size);
        for (int i = 0; i < size; ++i)
            trials[i].condition = i;
        seedRandom(3);
        shuffleTrials(trials);
        std::vector<bool> seen(size);
        for (const ZOTTrial& trial : trials)
            seen.at(trial.condition) = true;
        EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; })) << size;
    }
}

TEST(RandomUpTo, RejectsTheIncompleteLastBucketAndWidensPast15Bits)
{
    const struct {
        std::uint32_t seed;
        int upper;
        int expected;
    } cases[] = {
        {10022, 2, 2},       // draws 32766 (rejected: its modulo would favour 0), then 19832
        {5, 32767, 54},      // 32768 values divide evenly: the first draw, 54, as it is
        {5, 100000, 98148},  // two draws: (54 * 32768 + the second) modulo 100001
    };
    for (const auto& c : cases) {
        seedRandom(c.seed);
        EXPECT_EQ(randomUpTo(c.upper), c.expected) << "seed " << c.seed << ", up to " << c.upper;
    }
}

TEST(ZOTRun, WarnsAboutModesThatMayNotBeMeant)
{
    const struct {
        const char* config;
        const char* warning; // "" for none
        int blocks;
    } cases[] = {
        {"mode=COMBI\nblocksPerRun=3\ntrialsPerBlock=2", "", 3},
        {"mode=COMBI\nblocksPerRun=4\ntrialsPerBlock=2",
         "WARNING > blocks per run is not dividable by 3, please be sure you know what you are doing!\n", 4},
        {"mode=WHOLE\nblocksPerRun=4\ntrialsPerBlock=2", "", 4},
        {"mode=PARTIAL\nblocksPerRun=3",
         "WARNING > partial report is not supported at the moment, please change the config file\n", 0}};
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        Session session(c.config);
        const std::string console = testing::internal::GetCapturedStdout();
        EXPECT_EQ(console.find(*c.warning ? c.warning : "WARNING") != std::string::npos, *c.warning != 0) << console;
        int blocks = 0;
        while (session.experiment->run()->block(blocks))
            ++blocks;
        EXPECT_EQ(blocks, c.blocks) << c.config;
    }
}

} // namespace
