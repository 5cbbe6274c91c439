#include "Random.h"
#include "TestSupport.h"
#include "ZOTBlock.h"
#include "ZOTRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

// A trial's prototype, told apart by condition and position types.
using PrototypeKey = std::pair<int, std::string>;

PrototypeKey keyOf(const ZOTTrial& trial)
{
    std::string types;
    for (std::uint8_t type : trial.positionType)
        types += static_cast<char>('0' + type);
    return {trial.condition, types};
}

std::multiset<PrototypeKey> prototypesOf(const ZOTBlock& block)
{
    std::multiset<PrototypeKey> keys;
    for (const ZOTTrial& trial : block.trials)
        keys.insert(keyOf(trial));
    return keys;
}

std::multiset<PrototypeKey> prototypes(const std::vector<int>& indices)
{
    std::multiset<PrototypeKey> keys;
    for (int index : indices)
        keys.insert(keyOf(ZOTTrial::conditionTable[index]));
    return keys;
}

std::vector<int> repeated(std::vector<int> indices, int times)
{
    std::vector<int> all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), indices.begin(), indices.end());
    return all;
}

std::vector<int> planOf(int blockIndex)
{
    return {combiPlan[blockIndex % 3].begin(), combiPlan[blockIndex % 3].end()};
}

struct PlanCase {
    const char* config;
    int blockIndex;
    std::vector<int> prototypes;
};

class BlockPlans : public testing::TestWithParam<PlanCase> {};

TEST_P(BlockPlans, HoldTheTrialsOfTheirPlan)
{
    const ZOTConfig config = configFrom(GetParam().config);
    ZOTTrial::init(config);
    seedRandom(42);
    const ZOTBlock block(config, GetParam().blockIndex);
    EXPECT_EQ(prototypesOf(block), prototypes(GetParam().prototypes));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BlockPlans,
    testing::Values(PlanCase{"mode=WHOLE\ntrialsPerBlock=36", 0, repeated({0, 1, 2, 3, 4, 5}, 6)},
                    PlanCase{"mode=WHOLE\ntrialsPerBlock=4", 5, {0, 1, 2, 3}},
                    PlanCase{"mode=COMBI\ntrialsPerBlock=18", 0, repeated({0, 1, 2, 3, 4, 5}, 3)},
                    PlanCase{"mode=COMBI", 0, planOf(0)}, PlanCase{"mode=COMBI", 1, planOf(1)},
                    PlanCase{"mode=COMBI", 2, planOf(2)}, PlanCase{"mode=COMBI", 3, planOf(0)}));

TEST(BlockPlans, CombiPlansCoverEveryCrossGroupPairOnceWithAndWithoutDistractorsOverThreeBlocks)
{
    ZOTTrial::init(configFrom(""));
    std::multiset<PrototypeKey> crossGroup;
    for (int block = 0; block < 3; ++block)
        for (int slot = 30; slot < PROTOTYPE_COUNT; ++slot)
            crossGroup.insert(keyOf(ZOTTrial::conditionTable[combiPlan[block][slot]]));
    std::vector<int> all(18);
    for (int i = 0; i < 18; ++i)
        all[i] = i < 9 ? 12 + i : 27 + (i - 9);
    EXPECT_EQ(crossGroup, prototypes(all));
}

TEST(BlockPlans, SlotsFrom36OnGetRandomPrototypes)
{
    const ZOTConfig config = configFrom("mode=COMBI\ntrialsPerBlock=40\nrefreshRate=90");
    ZOTTrial::init(config);
    seedRandom(11);
    const ZOTBlock block(config, 0);
    ASSERT_EQ(block.trials.size(), 40u);
    std::multiset<PrototypeKey> keys = prototypesOf(block);
    for (const PrototypeKey& planned : prototypes(planOf(0)))
        keys.erase(keys.find(planned));
    EXPECT_EQ(keys.size(), 4u);
    // Reference order for seed 11: the four extra draws, then letters, then the shuffle.
    const std::vector<std::string> first = {"20\t78\t000A0F\tKGU0N0", "10\t78\t000BO0\t000000",
                                            "17\t78\tK0X000\t0G0ELA", "6\t200\tSTEMLU\t000000"};
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(stimulusDescription(block.trials[i]), first[i]);
}

class Shuffle : public testing::TestWithParam<int> {};

TEST_P(Shuffle, IsAPermutation)
{
    std::vector<ZOTTrial> trials(GetParam());
    for (int i = 0; i < GetParam(); ++i)
        trials[i].condition = i;
    seedRandom(3);
    shuffleTrials(trials);
    std::vector<int> order;
    for (const ZOTTrial& trial : trials)
        order.push_back(trial.condition);
    std::sort(order.begin(), order.end());
    for (int i = 0; i < GetParam(); ++i)
        ASSERT_EQ(order[i], i);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Shuffle, testing::Values(0, 1, 2, 37, 40000));

TEST(RandomUpTo, StaysInRangeAndReachesBeyondOneDrawWhenTheRangeIsWide)
{
    seedRandom(5);
    for (int upper : {0, 1, 2, 32766, 32767}) {
        for (int i = 0; i < 1000; ++i) {
            const int value = randomUpTo(upper);
            ASSERT_GE(value, 0);
            ASSERT_LE(value, upper);
        }
    }
    int largest = 0;
    for (int i = 0; i < 1000; ++i) {
        const int value = randomUpTo(100000);
        ASSERT_LE(value, 100000);
        largest = std::max(largest, value);
    }
    EXPECT_GT(largest, RANDOM_MAX);
}

TEST(RandomUpTo, FavoursNoValue)
{
    seedRandom(8);
    std::map<int, int> counts;
    for (int i = 0; i < 30000; ++i)
        ++counts[randomUpTo(2)];
    for (int value = 0; value <= 2; ++value)
        EXPECT_NEAR(counts[value], 10000, 300) << value;
}

TEST(RunGeneration, DrawsBlockAfterBlockWithThePracticeBlockLast)
{
    Session session("display=MONITOR\nrefreshRate=60\nmode=WHOLE\nblocksPerRun=2\ntrialsPerBlock=3\n"
                    "practiceBlock=1\nrandomSeed=5");
    const ZOTRun& run = *session.experiment->run();
    const std::map<int, std::vector<std::string>> expected = {
        {-1, {"1\t17\tGSXAHO\t000000", "2\t17\tFGNXPM\t000000", "3\t50\tFUTKHV\t000000"}},
        {0, {"1\t17\tRPSLAM\t000000", "3\t50\tPTHJEM\t000000", "2\t17\tJLOARB\t000000"}},
        {1, {"2\t17\tDNLXMP\t000000", "3\t50\tSDJERH\t000000", "1\t17\tOPNTLE\t000000"}},
    };
    for (const auto& [index, descriptions] : expected) {
        ASSERT_NE(run.block(index), nullptr);
        std::vector<std::string> actual;
        for (const ZOTTrial& trial : run.block(index)->trials)
            actual.push_back(stimulusDescription(trial));
        EXPECT_EQ(actual, descriptions) << "block " << index;
    }
    EXPECT_EQ(run.currentBlockIndex(), -1);
    EXPECT_EQ(run.block(2), nullptr);
}

struct WarningCase {
    const char* config;
    const char* warning; // "" for none
    int blocks;
};

class RunWarnings : public testing::TestWithParam<WarningCase> {};

TEST_P(RunWarnings, WarnAboutModesThatMayNotBeMeant)
{
    testing::internal::CaptureStdout();
    Session session(GetParam().config);
    const std::string console = testing::internal::GetCapturedStdout();
    const std::string warning = GetParam().warning;
    if (warning.empty())
        EXPECT_EQ(console.find("WARNING"), std::string::npos) << console;
    else
        EXPECT_NE(console.find(warning + "\n"), std::string::npos) << console;
    int blocks = 0;
    while (session.experiment->run()->block(blocks))
        ++blocks;
    EXPECT_EQ(blocks, GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RunWarnings,
    testing::Values(WarningCase{"mode=COMBI\nblocksPerRun=3\ntrialsPerBlock=2", "", 3},
                    WarningCase{"mode=COMBI\nblocksPerRun=4\ntrialsPerBlock=2",
                                "WARNING > blocks per run is not dividable by 3, please be sure you know what you are "
                                "doing!",
                                4},
                    WarningCase{"mode=WHOLE\nblocksPerRun=4\ntrialsPerBlock=2", "", 4},
                    WarningCase{"mode=PARTIAL\nblocksPerRun=3",
                                "WARNING > partial report is not supported at the moment, please change the config "
                                "file",
                                0}));

} // namespace
