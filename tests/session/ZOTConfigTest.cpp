#include "TempDir.h"
#include "ZOTConfig.h"

#include <gtest/gtest.h>

#include <fstream>
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

const Color opaqueBlack = {0, 0, 0, 255};
const Color opaqueWhite = {255, 255, 255, 255};

// Numbers are read as a formatted stream reads them from the start of the value.
// full.cfg holds further cases ("12abc", " 40", "true", "1e1", 300 as a colour component).
TEST(ConfigValues, NumbersReadLikeAStream)
{
    const std::pair<const char*, int> counts[] = {{"-3", 1}, {"0", 1}, {" \t+7", 7}, {"abc", 1}, {"99999999999", 1},
                                                  {"", 9}, {"=", 1}}; // bare '=' changes nothing, "==" is empty
    for (auto [value, expected] : counts)
        EXPECT_EQ(fromText(std::string("blocksPerRun=") + value).blocksPerRun, expected) << value;
    const std::pair<const char*, bool> flags[] = {{"0", false}, {"-1", true}, {"x", false}};
    for (auto [value, expected] : flags)
        EXPECT_EQ(fromText(std::string("practiceBlock=") + value).practiceBlock, expected) << value;
    const std::pair<const char*, float> floats[] = {{"2.5cm", 2.5f}, {"abc", 0.0f}, {"-.5", -0.5f}};
    for (auto [value, expected] : floats)
        EXPECT_EQ(fromText(std::string("yRoot=") + value).yRoot, expected) << value;
}

TEST(ConfigValues, EnumerationsAndKeysMatchExactly)
{
    const struct {
        const char* file;
        Display display;
        Mode mode;
    } cases[] = {
        {"display=MONITOR\ndisplay=HMD", VIVE, COMBI},
        {"display=MONITOR\ndisplay=monitor\nmode=WHOLE\nmode=whole\nmode=WHOLE \nmode==", MONITOR, WHOLE},
        {"mode=PARTIAL", VIVE, PARTIAL},
        {"#display=MONITOR\n display=MONITOR\ndisplay =MONITOR\ndisplay= MONITOR\nDisplay=MONITOR\n=MONITOR\ndisplay",
         VIVE, COMBI},
    };
    for (const auto& c : cases) {
        const ZOTConfig config = fromText(c.file);
        EXPECT_EQ(config.display, c.display) << c.file;
        EXPECT_EQ(config.mode, c.mode) << c.file;
    }
}

TEST(ConfigValues, ColoursNeedExactlyFourPieces)
{
    const struct {
        const char* file;
        Color background;
        Color line;
    } cases[] = {
        {"backgroundColor=1,2,3,4\nbackgroundColor=255,255,255\nlineColor=1,2,3,4\nlineColor=1,2,3,4,5", opaqueBlack,
         opaqueWhite},
        {"backgroundColor=9,9,9,9,\nlineColor=-1,256,3,4,", {9, 9, 9, 9}, {255, 0, 3, 4}}, // a final comma starts no piece
        {"backgroundColor=1,2,3,4\nbackgroundColor==\nbackgroundColor=", opaqueBlack, opaqueWhite},
    };
    for (const auto& c : cases) {
        const ZOTConfig config = fromText(c.file);
        EXPECT_EQ(config.backgroundColor, c.background) << c.file;
        EXPECT_EQ(config.lineColor, c.line) << c.file;
    }
}

TEST(ConfigValues, ListLinesAppendAndDepthListsAreEqualised)
{
    const ZOTConfig lists = fromText("depths=1,2\ndepths=3\ndepths=\ndepths==\ndepthAngles=1,,2,\ndepthLines=4,x,6");
    EXPECT_EQ(lists.depths, (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(lists.depthAngles, (std::vector<std::int32_t>{1, 0, 2}));
    EXPECT_EQ(lists.depthLines, (std::vector<std::int32_t>{4, 0, 6}));
    EXPECT_EQ(fromText("depthLines=1,2,3").depthAngles, (std::vector<std::int32_t>{0, 0, 0}));
}

TEST(ConfigValues, RateAndTexts)
{
    EXPECT_EQ(fromText("refreshRate=60").refreshRate, 90.0f); // the headset runs at 90 Hz
    // The window replaces a negative rate by the monitor's own.
    EXPECT_EQ(fromText("refreshRate=-1\ndisplay=MONITOR").refreshRate, -1.0f);
    EXPECT_EQ(fromText("textWelcome= Hello\\nWorld %%NUMBER%% ").textWelcome, " Hello\\nWorld %%NUMBER%% ");
}

// A display refreshes 20 to 1000 times a second. A rate outside that would hold
// the fixation cross for ever or make every exposure 0 frames: the monitor's own
// rate is used instead (0 asks for it), with a warning naming the value.
TEST(ConfigValues, ARefreshRateNoDisplayHasGivesWayToTheMonitorsOwn)
{
    const struct {
        const char* value;
        float rate;
        const char* warned; // the value as the warning names it, or nothing
    } cases[] = {{"60", 60.0f, nullptr},      {"20", 20.0f, nullptr},        {"1000", 1000.0f, nullptr},
                 {"-1", -1.0f, nullptr},      {"1e30", 0.0f, "1e+30"},       {"0.0001", 0.0f, "0.0001"},
                 {"19.5", 0.0f, "19.5"},      {"1000.5", 0.0f, "1000.5"}};
    for (const auto& c : cases) {
        std::string console;
        EXPECT_EQ(fromText(std::string("display=MONITOR\nrefreshRate=") + c.value, &console).refreshRate, c.rate)
            << c.value;
        const std::string warning = c.warned ? std::string("WARNING > refreshRate = ") + c.warned +
                                                   " is not a rate a display can have (20 to 1000 Hz); the monitor's "
                                                   "own rate is used (90 Hz when it reports none)\n"
                                             : "";
        EXPECT_EQ(console.substr(0, console.find("\n##")), warning + "") << c.value;
    }
    // The headset has its own rate; what the file says does not matter there.
    std::string console;
    EXPECT_EQ(fromText("refreshRate=1e30", &console).refreshRate, 90.0f);
    EXPECT_EQ(console.find("WARNING"), std::string::npos);
}

TEST(ConfigValues, SizesOfNothingKeepTheirValueWithAWarning)
{
    const struct {
        const char* line;
        float ZOTConfig::*field;
        float kept;
        const char* warning;
    } cases[] = {
        {"sizeMonitor=nan", &ZOTConfig::sizeMonitor, 5.0f, "WARNING > sizeMonitor=nan is not a size above 0; sizeMonitor stays 5"},
        {"radius=0", &ZOTConfig::radius, 15.0f, "WARNING > radius=0 is not a size above 0; radius stays 15"},
        {"fixCrossSize=-2", &ZOTConfig::fixCrossSize, 5.0f, "WARNING > fixCrossSize=-2 is not a size above 0; fixCrossSize stays 5"},
        {"reportTextSize=inf", &ZOTConfig::reportTextSize, 2.0f, "WARNING > reportTextSize=inf is not a size above 0; reportTextSize stays 2"},
        {"size=1e40", &ZOTConfig::size, 6.0f, "WARNING > size=1e40 is not a size above 0; size stays 6"},
        {"radiusMonitor=0.5", &ZOTConfig::radiusMonitor, 0.5f, ""},
    };
    for (const auto& c : cases) {
        std::string console;
        EXPECT_EQ(fromText(c.line, &console).*c.field, c.kept) << c.line;
        EXPECT_EQ(console.substr(0, console.find("\n##")), *c.warning ? std::string(c.warning) + "\n" : "")
            << c.line;
    }
}

TEST(ConfigValues, RandomSeedMustFit32BitsOrIsIgnoredWithAWarning)
{
    EXPECT_EQ(fromText("randomSeed=4294967295").randomSeed, 4294967295u);
    for (const std::string bad : {"-1", "4294967296", "x"}) {
        std::string console;
        EXPECT_FALSE(fromText("randomSeed=" + bad, &console).randomSeed.has_value()) << bad;
        EXPECT_EQ(console.rfind("WARNING > randomSeed \"" + bad +
                                    "\" is not a number from 0 to 4294967295; the calendar time seeds the random "
                                    "generator\n\n###",
                                0),
                  0u)
            << console;
    }
}

// Off unless the file names an observer; a value that names none leaves the
// session to a person and says so (also after an earlier good line).
TEST(ConfigValues, AutopilotNamesAnObserverOrStaysOffWithAWarning)
{
    std::string console;
    const ZOTConfig on = fromText("autopilot=40,3.5,12,0.4,0.45", &console);
    ASSERT_TRUE(on.autopilot.has_value());
    EXPECT_EQ(on.autopilot->C, 40);
    EXPECT_EQ(on.autopilot->K, 3.5);
    EXPECT_EQ(on.autopilot->t0Ms, 12);
    EXPECT_EQ(on.autopilot->alpha, 0.4);
    EXPECT_EQ(on.autopilot->wLeft, 0.45);
    EXPECT_EQ(console.find("WARNING"), std::string::npos);

    EXPECT_FALSE(fromText("").autopilot.has_value());
    const ZOTConfig off = fromText("autopilot=40,3.5,12,0.4,0.45\nautopilot=40,3.5,12,0.4\n", &console);
    EXPECT_FALSE(off.autopilot.has_value());
    EXPECT_EQ(console.rfind("WARNING > autopilot \"40,3.5,12,0.4\": five numbers C,K,t0,alpha,wLeft are needed; the "
                            "autopilot is off and a person answers\n",
                            0),
              0u)
        << console;
}

TEST(ConfigFile, EchoesEverySettingAfterTheWarningAlsoWithCrLfLineEnds)
{
    std::ostringstream console;
    const ZOTConfig config(fixtures / "full.cfg", console);
    EXPECT_EQ(console.str(), readFile(fixtures / "full.echo"));
    std::string crlf;
    for (char c : readFile(fixtures / "full.cfg"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string crlfEcho;
    EXPECT_EQ(fromText(crlf, &crlfEcho).textWelcome, config.textWelcome);
    EXPECT_EQ(crlfEcho, console.str());
    // Read, but not echoed:
    EXPECT_EQ(config.refreshRate, 59.94f);
    EXPECT_EQ(config.reportTextSize, 2.5f);
    EXPECT_FALSE(config.subjectInput);
    EXPECT_EQ(config.backgroundColor, (Color{44, 0, 255, 255}));
    EXPECT_EQ(config.lineColor, opaqueWhite);
    EXPECT_EQ(config.randomSeed, 12345u);
    EXPECT_EQ(config.textDone, "Bye");
    EXPECT_EQ(config.textWelcome, fromText("").textWelcome);
    EXPECT_EQ(config.textInputAge, "");
}

TEST(ConfigFile, AByteOrderMarkBeforeTheFirstKeyIsSkipped)
{
    const ZOTConfig config = fromText("\xEF\xBB\xBF" "display=MONITOR\r\nmode=WHOLE\r\n");
    EXPECT_EQ(config.display, MONITOR);
    EXPECT_EQ(config.mode, WHOLE);
    // Only at the start of the file: elsewhere the bytes belong to the key.
    EXPECT_EQ(fromText("mode=WHOLE\n\xEF\xBB\xBF" "display=MONITOR").display, VIVE);
}

TEST(ConfigFile, AFileThatCannotBeReadWarnsAndLeavesTheDefaults)
{
    TempDir folder;
    const std::filesystem::path file = folder.path() / "zot.cfg";
    std::filesystem::create_directory(file);
    std::ostringstream console;
    const ZOTConfig config(file, console);
    std::ostringstream defaults;
    const ZOTConfig missing(folder.path() / "absent.cfg", defaults);
    EXPECT_EQ(console.str(), "WARNING > " + file.string() + " is a folder, not a file; every setting keeps its default\n" +
                                 defaults.str());
    EXPECT_EQ(config.display, VIVE);
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
    EXPECT_TRUE(config.subjectInput);
    EXPECT_FALSE(config.randomSeed.has_value()); // the calendar time seeds the generator
}

} // namespace
