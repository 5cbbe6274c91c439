#include "Random.h"
#include "TestSupport.h"
#include "ZOTBlock.h"
#include "ZOTRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The published COMBI plans, by block index modulo 3: the same 30 entries, then
// six trials whose two targets lie in different groups of positions.
const std::array<std::vector<int>, 3> PLANS = {{
    {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5,
     6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 26, 12, 13, 14, 30, 31, 32},
    {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5,
     6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 26, 15, 16, 17, 33, 34, 35},
    {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5,
     6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 26, 18, 19, 20, 27, 28, 29},
}};

TEST(ZOTBlock, SlotsTakeThePrototypesOfTheirModeAndPlan)
{
    const ZOTConfig whole = configFrom("mode=WHOLE");
    const ZOTConfig combi = configFrom("mode=COMBI");
    for (int block = 0; block < 6; ++block) {
        std::vector<int> wholeSlots, combiSlots;
        for (int slot = 0; slot < 36; ++slot) {
            wholeSlots.push_back(prototypeForSlot(whole, block, slot));
            combiSlots.push_back(prototypeForSlot(combi, block, slot));
        }
        std::vector<int> exposuresInTurn;
        for (int slot = 0; slot < 36; ++slot)
            exposuresInTurn.push_back(slot % 6);
        EXPECT_EQ(wholeSlots, exposuresInTurn) << "block " << block;
        EXPECT_EQ(combiSlots, PLANS[block % 3]) << "block " << block; // block 3 takes the first plan again
    }
    // From slot 36 on, rand() modulo 36 for every slot. Seed 1 draws 41, 18467,
    // 6334, 26500: prototypes 5, 35 (18467 = 512 * 36 + 35), 34 and 4.
    seedRandom(1);
    std::vector<int> drawn;
    for (int slot = 36; slot < 40; ++slot)
        drawn.push_back(prototypeForSlot(combi, 2, slot));
    EXPECT_EQ(drawn, (std::vector<int>{5, 35, 34, 4}));
    EXPECT_EQ(prototypeForSlot(whole, 0, 40), 4) << "WHOLE draws nothing";
}

// Block 1 of a COMBI run of 38 trials at 100 Hz (exposures exact), seed 1, in
// presentation order, as the design's rules draw it by hand: slot by slot the
// prototype of the plan (slots 36 and 37: rand() % 36), then the trial's letters
// (rand() % 20, drawn again while an earlier position of the trial has it), then
// the shuffle (k = 1 to 37: j uniform in 0..k by rejection, swap). The first
// slot, prototype 0, takes 41, 18467, 6334, 26500, 19169, 15724: B J R A L F.
TEST(ZOTBlock, ASeedDrawsTheBlockTheRulesDraw)
{
    const ZOTConfig config = configFrom("display=MONITOR\nrefreshRate=100\nmode=COMBI\ntrialsPerBlock=38");
    ZOTTrial::init(config);
    seedRandom(1);
    const ZOTBlock block(config, 1);
    const std::vector<std::string> expected = {
        "5\t140\tHEUVDL\t000000", "12\t80\t0000NO\t000000", "22\t80\t00FB00\tKX00RP", "4\t80\tHADFKG\t000000",
        "24\t80\tX0000K\t0TVEF0", "6\t200\tMUHPBG\t000000", "11\t80\t000S0R\t000000", "16\t80\tMB0000\t00FHJN",
        "21\t80\t0000DM\tKESB00", "10\t80\t000SJ0\t000000", "17\t80\tJ0P000\t0U0EGL", "4\t80\tVTSMDK\t000000",
        "1\t10\tVDFGBJ\t000000", "5\t140\tLEFRTA\t000000", "14\t80\t0R00A0\t000000", "24\t80\t00J00U\tKE0BM0",
        "3\t50\tBNPKJF\t000000", "7\t80\tUO0000\t000000", "8\t80\tH0M000\t000000", "3\t50\tDUXEBL\t000000",
        "5\t140\tHTNKFX\t000000", "3\t50\tRENDPF\t000000", "20\t80\t000S0A\tRLT0N0", "15\t80\t0T000B\t000000",
        "18\t80\t0VB000\tL00KDH", "20\t80\t000X0U\tDSM0F0", "1\t10\tBJRALF\t000000", "6\t200\tBPSXVF\t000000",
        "4\t80\tMLHBPK\t000000", "2\t20\tVLOJXS\t000000", "13\t80\t0N0T00\t000000", "23\t80\t00A0J0\tXV0K0P",
        "2\t20\tNFDPOB\t000000", "19\t80\t000KA0\tHMP00N", "9\t80\t0BT000\t000000", "2\t20\tTVSJHN\t000000",
        "6\t200\tFOMLUP\t000000", "1\t10\tBNSDJT\t000000",
    };
    std::vector<std::string> shown;
    for (const ZOTTrial& trial : block.trials)
        shown.push_back(stimulusDescription(trial));
    EXPECT_EQ(shown, expected);
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
