#include "FitCommand.h"
#include "SimulatedSession.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun zotfit(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runFitCommand(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> jsonKeys(const std::string& line)
{
    std::vector<std::string> keys;
    const std::regex key("\"([A-Za-z0-9]+)\":");
    for (auto it = std::sregex_iterator(line.begin(), line.end(), key); it != std::sregex_iterator(); ++it)
        keys.push_back((*it)[1]);
    return keys;
}

TvaParameters observer()
{
    return observerOf("40,3,12,0.5,0.5");
}

TEST(FitCommand, JsonGivesOneLinePerSessionWithExactlyTheKeys)
{
    TempDir dir;
    DatSession first = simulatedSession(observer(), 3, 1);
    DatSession second = simulatedSession(observer(), 1, 2);
    // A second start cut short after whole-report trials only.
    std::erase_if(second.trials, [](const DatTrial& trial) { return trial.condition > 6; });
    second.trials.back().report = "ZZ";
    const std::string file = dir.write("ZOT_vive_7_1.dat", datText({first, second}));

    const CommandRun run = zotfit({"--json", file});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 2u) << run.out;
    // The path as a JSON string: a Windows path's backslashes are escaped.
    std::string fileInJson;
    for (char c : file)
        fileInJson += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::vector<std::string> expectedKeys = {"file", "session", "trials", "C",     "K",      "pK",
                                                   "t0",   "alpha",   "wLeft",  "logLik", "errors"};
    for (const std::string& line : out) {
        EXPECT_EQ(line.front(), '{');
        EXPECT_EQ(line.back(), '}');
        EXPECT_EQ(jsonKeys(line), expectedKeys) << line;
        EXPECT_NE(line.find("\"file\":\"" + fileInJson + "\""), std::string::npos) << line;
        EXPECT_TRUE(std::regex_search(line, std::regex("\"pK\":\\[([-0-9.e]+,){6}[-0-9.e]+\\]"))) << line;
    }
    EXPECT_EQ(jsonValue(out[0], "session"), 1);
    EXPECT_EQ(jsonValue(out[0], "trials"), 108);
    EXPECT_EQ(jsonValue(out[1], "session"), 2);
    EXPECT_EQ(jsonValue(out[1], "trials"), 18);  // 3 of each whole-report exposure
    EXPECT_EQ(jsonValue(out[1], "errors"), 2 - (second.trials.back().report.find_first_of(
                                                   second.trials.back().targets) != std::string::npos));
    EXPECT_GT(jsonValue(out[0], "C"), 0.0);
    EXPECT_LT(jsonValue(out[0], "logLik"), 0.0);
    // No distractors in the cut-short start: nothing tells alpha.
    EXPECT_NE(out[1].find("\"alpha\":null"), std::string::npos) << out[1];
}

TEST(FitCommand, ABadFileIsNamedAndTheOthersAreStillFitted)
{
    TempDir dir;
    const std::string good = dir.write("good.dat", datText({simulatedSession(observer(), 1, 4)}));
    const std::string bad = dir.write("bad.dat", "36\n1\t11\tABDEFG\t000000\tA\t\n1\t11\tABD\t000000\tA\t\n");
    const std::string empty = dir.write("empty.dat", "36\n");
    const CommandRun run = zotfit({bad, empty, good});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(bad + ":3: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(empty + ", session 1: no trials"), std::string::npos) << run.err;
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 2u) << run.out;
    EXPECT_NE(out[0].find("logLik"), std::string::npos);
    EXPECT_NE(out[1].find(good), std::string::npos);
}

// What logs/ZOT_vive_7_*.dat names: the result files and zot's history and
// timing files beside them. Only the result files are fitted, and the others
// are no failure.
TEST(FitCommand, HistoryAndTimingFilesAmongTheNamedOnesAreSkipped)
{
    TempDir dir;
    const std::string data = dir.write("ZOT_vive_7_1.dat", datText({simulatedSession(observer(), 1, 4)}));
    const std::string history = dir.write("ZOT_vive_7_1_history.dat", "0\tSubjectNumber: 7\n");
    const std::string timing = dir.write("ZOT_vive_7_1_timing.dat", "block\ttrial\n");
    const CommandRun run = zotfit({"--json", history, data, timing});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(lines(run.out).size(), 1u) << run.out;
    EXPECT_NE(run.err.find(history + ": zot's history file, not a result file; skipped"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(timing + ": zot's timing file, not a result file; skipped"), std::string::npos) << run.err;
}

TEST(FitCommand, ACommandLineItDoesNotUnderstandIsRefused)
{
    const std::vector<std::vector<std::string>> wrong = {
        {}, {"--json"}, {"--report"}, {"--exposure", "sideways", "a.dat"}, {"--verbose", "a.dat"}};
    for (const auto& args : wrong) {
        const CommandRun run = zotfit(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("usage: zotfit"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
