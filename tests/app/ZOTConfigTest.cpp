#include "ZOTConfig.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

const std::filesystem::path fixtures = ZOT_FIXTURES;

ZOTConfig fromText(const std::string& text, std::string* console = nullptr)
{
    std::istringstream file(text);
    std::ostringstream out;
    ZOTConfig config(file, out);
    if (console)
        *console = out.str();
    return config;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct ConfigCase {
    const char* name;
    std::string file;
    std::function<void(const ZOTConfig&)> check;
};

void PrintTo(const ConfigCase& c, std::ostream* out)
{
    *out << c.name;
}

class ConfigLines : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigLines, AreReadByTheFileRules)
{
    GetParam().check(fromText(GetParam().file));
}

const ZOTConfig defaults = fromText("");
const Color opaqueBlack = {0, 0, 0, 255};
const Color opaqueWhite = {255, 255, 255, 255};

INSTANTIATE_TEST_SUITE_P(
    Rules, ConfigLines,
    testing::Values(
        ConfigCase{"HmdSelectsTheHeadset", "display=MONITOR\ndisplay=HMD",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.display, VIVE); }},
        ConfigCase{"EnumerationsMatchExactly", "display=monitor\nmode=whole\nmode=WHOLE \ndisplay=MONITOR\nmode=PARTIAL",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.display, MONITOR);
                       EXPECT_EQ(c.mode, PARTIAL);
                   }},
        ConfigCase{"HeadsetForcesNinetyHertz", "refreshRate=60",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.refreshRate, 90.0f); }},
        ConfigCase{"MonitorKeepsItsRate", "refreshRate=60\ndisplay=MONITOR",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.refreshRate, 60.0f); }},
        ConfigCase{"MonitorKeepsANegativeRateForTheWindowToReplace", "refreshRate=-1\ndisplay=MONITOR",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.refreshRate, -1.0f); }},
        ConfigCase{"CountsReadLikeAStreamAndAreAtLeastOne",
                   "blocksPerRun=-3\ntrialsPerBlock=12abc",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.blocksPerRun, 1);
                       EXPECT_EQ(c.trialsPerBlock, 12);
                   }},
        ConfigCase{"CountsWithoutANumberOrOutOfRangeBecomeOne", "blocksPerRun=abc\ntrialsPerBlock=99999999999",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.blocksPerRun, 1);
                       EXPECT_EQ(c.trialsPerBlock, 1);
                   }},
        ConfigCase{"CountsSkipLeadingBlanksAndTakeASign", "blocksPerRun= \t+7\ntrialsPerBlock=0",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.blocksPerRun, 7);
                       EXPECT_EQ(c.trialsPerBlock, 1);
                   }},
        ConfigCase{"BooleansAreIntegers", "practiceBlock=true\nfullscreen=2\nshowFPS=-1\nsubjectInput=0",
                   [](const ZOTConfig& c) {
                       EXPECT_FALSE(c.practiceBlock);
                       EXPECT_TRUE(c.fullscreen);
                       EXPECT_TRUE(c.showFPS);
                       EXPECT_FALSE(c.subjectInput);
                   }},
        ConfigCase{"FloatsTakeTheLeadingNumber", "size=1e1\nradius=2.5cm\nyRoot=abc\nzDepth=-.5",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.size, 10.0f);
                       EXPECT_EQ(c.radius, 2.5f);
                       EXPECT_EQ(c.yRoot, 0.0f);
                       EXPECT_EQ(c.zDepth, -0.5f);
                   }},
        ConfigCase{"ColoursStoreTheLowEightBits", "backgroundColor=300,0,-1,255\nlineColor=1,2,3,4",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.backgroundColor, (Color{44, 0, 255, 255}));
                       EXPECT_EQ(c.lineColor, (Color{1, 2, 3, 4}));
                   }},
        ConfigCase{"ColoursWithoutFourPiecesFallBack",
                   "backgroundColor=1,2,3,4\nbackgroundColor=255,255,255\nlineColor=1,2,3,4\nlineColor=1,2,3,4,",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.backgroundColor, opaqueBlack);
                       // A final comma starts no piece: four pieces.
                       EXPECT_EQ(c.lineColor, (Color{1, 2, 3, 4}));
                   }},
        ConfigCase{"ColoursWithFivePiecesFallBack", "lineColor=1,2,3,4,5\nbackgroundColor=9,9,9,9,",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.lineColor, opaqueWhite);
                       EXPECT_EQ(c.backgroundColor, (Color{9, 9, 9, 9}));
                   }},
        ConfigCase{"ListLinesAppend", "depths=1,2\ndepths=3\ndepthAngles=1,,2,\ndepthLines=4,x,6",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.depths, (std::vector<float>{1, 2, 3}));
                       EXPECT_EQ(c.depthAngles, (std::vector<std::int32_t>{1, 0, 2}));
                       EXPECT_EQ(c.depthLines, (std::vector<std::int32_t>{4, 0, 6}));
                   }},
        ConfigCase{"ShortDepthLinesAreFilledWithTen", "depthAngles=30,60\ndepthLines=5",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.depthAngles, (std::vector<std::int32_t>{30, 60}));
                       EXPECT_EQ(c.depthLines, (std::vector<std::int32_t>{5, 10}));
                   }},
        ConfigCase{"ShortDepthAnglesAreFilledWithZero", "depthLines=1,2,3",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.depthAngles, (std::vector<std::int32_t>{0, 0, 0})); }},
        ConfigCase{"AValueEndsAtItsFirstEquals", "textDone=Bye=now",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.textDone, "Bye"); }},
        ConfigCase{"ABareEqualsChangesNothing", "textDone=\nblocksPerRun=\nbackgroundColor=\ndepths=",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.textDone, defaults.textDone);
                       EXPECT_EQ(c.blocksPerRun, 9);
                       EXPECT_EQ(c.backgroundColor, opaqueBlack);
                       EXPECT_TRUE(c.depths.empty());
                   }},
        ConfigCase{"TwoEqualsGiveAnEmptyValue",
                   "backgroundColor=1,2,3,4\ntextDone==\nblocksPerRun==\nmode==\ndepths==\nbackgroundColor==",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.textDone, "");
                       EXPECT_EQ(c.blocksPerRun, 1);
                       EXPECT_EQ(c.mode, COMBI);
                       EXPECT_TRUE(c.depths.empty());
                       EXPECT_EQ(c.backgroundColor, opaqueBlack);
                   }},
        ConfigCase{"KeysAreExact", "#display=MONITOR\n display=MONITOR\ndisplay =MONITOR\ndisplay= MONITOR\n"
                                   "Display=MONITOR\n=MONITOR\ndisplay",
                   [](const ZOTConfig& c) { EXPECT_EQ(c.display, VIVE); }},
        ConfigCase{"TextsAreVerbatim", "textWelcome= Hello\\nWorld %%NUMBER%% \ntextInputAge=Age (years):",
                   [](const ZOTConfig& c) {
                       EXPECT_EQ(c.textWelcome, " Hello\\nWorld %%NUMBER%% ");
                       EXPECT_EQ(c.textInputAge, "Age (years):");
                   }},
        ConfigCase{"RandomSeedIsOptional", "randomSeed=4294967295",
                   [](const ZOTConfig& c) {
                       EXPECT_FALSE(defaults.randomSeed.has_value());
                       EXPECT_EQ(c.randomSeed, 4294967295u);
                   }},
        ConfigCase{"UnusableRandomSeedsAreIgnored", "randomSeed=-1\nrandomSeed=4294967296\nrandomSeed=x",
                   [](const ZOTConfig& c) { EXPECT_FALSE(c.randomSeed.has_value()); }}),
    [](const testing::TestParamInfo<ConfigCase>& info) { return std::string(info.param.name); });

TEST(ConfigFile, CrLfLineEndsReadLikeLf)
{
    const std::string lf = readFile(fixtures / "full.cfg");
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string lfEcho;
    std::string crlfEcho;
    const ZOTConfig fromLf = fromText(lf, &lfEcho);
    const ZOTConfig fromCrlf = fromText(crlf, &crlfEcho);
    EXPECT_EQ(crlfEcho, lfEcho);
    EXPECT_EQ(fromCrlf.textDone, "Bye");
    EXPECT_EQ(fromCrlf.textInputAge, fromLf.textInputAge);
    EXPECT_EQ(fromCrlf.randomSeed, fromLf.randomSeed);
    EXPECT_EQ(fromCrlf.refreshRate, fromLf.refreshRate);
}

TEST(ConfigFile, EchoesEverySettingAfterTheWarning)
{
    std::ostringstream console;
    const ZOTConfig config(fixtures / "full.cfg", console);
    EXPECT_EQ(console.str(), readFile(fixtures / "full.echo"));
    // Read, but not echoed:
    EXPECT_EQ(config.refreshRate, 59.94f);
    EXPECT_EQ(config.reportTextSize, 2.5f);
    EXPECT_FALSE(config.subjectInput);
    EXPECT_EQ(config.backgroundColor, (Color{44, 0, 255, 255}));
    EXPECT_EQ(config.lineColor, opaqueWhite);
    EXPECT_EQ(config.randomSeed, 12345u);
    EXPECT_EQ(config.textWelcome, defaults.textWelcome);
    EXPECT_EQ(config.textInputAge, "");
}

TEST(ConfigFile, MissingFileLeavesTheDefaultsAndStillEchoes)
{
    std::ostringstream console;
    const ZOTConfig config(fixtures / "no such file.cfg", console);
    EXPECT_EQ(console.str(), "\n##############################\nZOT Options\ndisplay = 0\nmode = 2\nblocksPerRun = 9\n"
                             "trialsPerBlock = 36\npracticeBlock = 1\nsize = 6\nradius = 15\nyRoot = 0\n"
                             "zDepth = -70\nsizeMonitor = 5\nradiusMonitor = 15\nfixCrossSize = 5\n\n"
                             "ZOT Render Options\nshowFPS = 0\nconsoleDebugInfo = 0\ndebugQuad = 0\nfullscreen = 0\n\n"
                             "ZOT Depth Perception Options\nenableDepthPerception = 0\ndepthAngles = \n"
                             "depthLines = \ndepths = \n##############################\n\n");
    EXPECT_EQ(config.refreshRate, 90.0f);
    EXPECT_TRUE(config.subjectInput);
}

TEST(ConfigFile, WarnsAboutAnUnusableSeedBeforeTheEcho)
{
    std::string console;
    fromText("randomSeed=-5", &console);
    EXPECT_EQ(console.rfind("WARNING > randomSeed \"-5\" is not a number from 0 to 4294967295; the calendar time "
                            "seeds the random generator\n\n###",
                            0),
              0u)
        << console;
}

} // namespace
