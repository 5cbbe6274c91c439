// The sample zot.cfg that the build puts into the run folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifdef ZOTDATA_TESTS_WITH_CONFIG
#include <ZOTConfig.h>
#endif

namespace {

std::vector<std::string> sampleLines() {
    std::ifstream in(ZOT_SAMPLE_CONFIG);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool isComment(const std::string& line) { return !line.empty() && line[0] == '#'; }

TEST(SampleConfig, EverySettingIsAPlainKeyValueLineUnderAComment) {
    const std::vector<std::string> lines = sampleLines();
    ASSERT_FALSE(lines.empty());
    std::set<std::string> keys;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || isComment(line))
            continue;
        SCOPED_TRACE(line);
        const std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos);
        ASSERT_GT(equals, 0u);
        // The program takes blanks as part of the key or value.
        EXPECT_NE(line[0], ' ');
        EXPECT_NE(line[equals - 1], ' ');
        EXPECT_FALSE(equals + 1 < line.size() && line[equals + 1] == ' ');
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_TRUE(i > 0 && isComment(lines[i - 1])) << "no comment above";
        EXPECT_TRUE(keys.insert(line.substr(0, equals)).second) << "set twice";
    }
}

TEST(SampleConfig, ListsEveryKey) {
    const std::vector<std::string> lines = sampleLines();
    const char* const keys[] = {
        "display", "refreshRate", "mode", "blocksPerRun", "trialsPerBlock", "practiceBlock", "size", "radius",
        "yRoot", "zDepth", "sizeMonitor", "radiusMonitor", "fixCrossSize", "reportTextSize", "backgroundColor",
        "showFPS", "consoleDebugInfo", "debugQuad", "fullscreen", "subjectInput", "enableDepthPerception",
        "depthAngles", "depthLines", "lineColor", "depths", "textWelcome", "textBeforeBlock", "textAfterBlock",
        "textDone", "textInputSubjectID", "textInputSubjectCode", "textInputSession", "textInputAge",
        "textInputGender", "textInputHandedness", "textInputVisionaid", "randomSeed"};
    for (const std::string key : keys) {
        const bool listed = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.starts_with(key + "=") || line.starts_with("#" + key + "=");
        });
        EXPECT_TRUE(listed) << key;
    }
}

#ifdef ZOTDATA_TESTS_WITH_CONFIG
TEST(SampleConfig, RunsAShortWholeReportSessionOnTheMonitor) {
    std::ostringstream console;
    const ZOTConfig sample(ZOT_SAMPLE_CONFIG, console);
    std::istringstream nothing;
    std::ostringstream ignored;
    const ZOTConfig defaults(nothing, ignored);

    EXPECT_EQ(console.str().find("WARNING"), std::string::npos) << console.str();
    EXPECT_EQ(sample.display, MONITOR);
    EXPECT_LT(sample.refreshRate, 0) << "the monitor's own rate";
    EXPECT_EQ(sample.mode, WHOLE);
    EXPECT_EQ(sample.blocksPerRun, 1);
    EXPECT_EQ(sample.trialsPerBlock, 6);
    EXPECT_TRUE(sample.practiceBlock);
    EXPECT_FALSE(sample.randomSeed.has_value());
    // The rest shows the built-in values, so the sample documents them truly.
    EXPECT_EQ(sample.sizeMonitor, defaults.sizeMonitor);
    EXPECT_EQ(sample.radiusMonitor, defaults.radiusMonitor);
    EXPECT_EQ(sample.fixCrossSize, defaults.fixCrossSize);
    EXPECT_EQ(sample.backgroundColor, defaults.backgroundColor);
    EXPECT_TRUE(sample.depths.empty() && sample.depthAngles.empty() && sample.depthLines.empty());
    const std::string ZOTConfig::*texts[] = {
        &ZOTConfig::textWelcome,        &ZOTConfig::textBeforeBlock,      &ZOTConfig::textAfterBlock,
        &ZOTConfig::textDone,           &ZOTConfig::textInputSubjectID,   &ZOTConfig::textInputSubjectCode,
        &ZOTConfig::textInputSession,   &ZOTConfig::textInputAge,         &ZOTConfig::textInputGender,
        &ZOTConfig::textInputHandedness, &ZOTConfig::textInputVisionaid};
    for (auto text : texts)
        EXPECT_EQ(sample.*text, defaults.*text);
}
#endif

}
