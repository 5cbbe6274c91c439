// The sample zot.cfg that the build puts into the run folder.
#include "GeneratedData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#ifdef ZOTDATA_TESTS_WITH_CONFIG
#include <ZOTConfig.h>
#endif

namespace {

const char* const KEYS[] = {
    "display", "refreshRate", "mode", "blocksPerRun", "trialsPerBlock", "practiceBlock", "size", "radius", "yRoot",
    "zDepth", "sizeMonitor", "radiusMonitor", "fixCrossSize", "reportTextSize", "backgroundColor", "showFPS",
    "consoleDebugInfo", "debugQuad", "fullscreen", "subjectInput", "enableDepthPerception", "depthAngles",
    "depthLines", "lineColor", "depths", "textWelcome", "textBeforeBlock", "textAfterBlock", "textDone",
    "textInputSubjectID", "textInputSubjectCode", "textInputSession", "textInputAge", "textInputGender",
    "textInputHandedness", "textInputVisionaid", "randomSeed", "autopilot"};

// The program takes blanks as part of the key or value, so a setting must be a
// plain key=value line; each has a comment above it.
TEST(SampleConfig, ListsEveryKeyOnceAsAPlainLineUnderAComment) {
    std::istringstream sample(fileContents(ZOT_SAMPLE_CONFIG));
    std::set<std::string> listed;
    std::string previous;
    for (std::string line; std::getline(sample, line); previous = line) {
        const std::string setting = line.starts_with("#") ? line.substr(1) : line;
        const std::size_t equals = setting.find('=');
        const std::string key = setting.substr(0, equals);
        if (equals == std::string::npos || std::find(std::begin(KEYS), std::end(KEYS), key) == std::end(KEYS))
            continue; // comment text
        SCOPED_TRACE(line);
        EXPECT_TRUE(listed.insert(key).second) << "listed twice";
        EXPECT_FALSE(setting.size() > equals + 1 && setting[equals + 1] == ' ');
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_TRUE(previous.starts_with("#")) << "no comment above";
    }
    EXPECT_EQ(listed.size(), std::size(KEYS));
}

#ifdef ZOTDATA_TESTS_WITH_CONFIG
TEST(SampleConfig, RunsAShortWholeReportSessionOnTheMonitorWithTheBuiltInValuesOtherwise) {
    std::ostringstream console;
    const ZOTConfig sample(ZOT_SAMPLE_CONFIG, console);
    std::istringstream shortSession("display=MONITOR\nmode=WHOLE\nblocksPerRun=1\ntrialsPerBlock=6\npracticeBlock=1");
    std::ostringstream expectedEcho;
    const ZOTConfig expected(shortSession, expectedEcho);
    EXPECT_EQ(console.str(), expectedEcho.str()) << "no warning, and the echoed settings";
    EXPECT_LT(sample.refreshRate, 0) << "the monitor's own rate";
    EXPECT_FALSE(sample.randomSeed.has_value());
    EXPECT_FALSE(sample.autopilot.has_value()) << "a person answers";
    EXPECT_EQ(sample.backgroundColor, expected.backgroundColor);
    for (auto text : {&ZOTConfig::textWelcome, &ZOTConfig::textBeforeBlock, &ZOTConfig::textAfterBlock,
                      &ZOTConfig::textDone, &ZOTConfig::textInputSubjectID, &ZOTConfig::textInputSubjectCode,
                      &ZOTConfig::textInputSession, &ZOTConfig::textInputAge, &ZOTConfig::textInputGender,
                      &ZOTConfig::textInputHandedness, &ZOTConfig::textInputVisionaid})
        EXPECT_EQ(sample.*text, expected.*text);
}
#endif

}
