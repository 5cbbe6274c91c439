// zotsim as a lab runs it: refusals before anything is written, and sessions
// that a seed repeats.
#include "RunCommand.h"
#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

CommandOutcome runZotsim(const TempDir& folder, const std::string& arguments)
{
    return runCommand("cd '" + folder.path().string() + "' && '" + ZOTSIM_TOOL + "' " + arguments);
}

/// One column of a data file's records (from 1), one line each.
std::string column(const std::string& data, int field)
{
    std::istringstream lines(data);
    std::string line, result;
    std::getline(lines, line); // the count line
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string value;
        for (int i = 0; i < field; ++i)
            std::getline(fields, value, '\t');
        result += value + '\n';
    }
    return result;
}

const char* const DESIGN = "display=MONITOR\nrefreshRate=90\nmode=COMBI\nblocksPerRun=1\ntrialsPerBlock=12\n"
                           "practiceBlock=1\nrandomSeed=21\n";

TEST(Zotsim, RefusesBeforeWritingAnything)
{
    TempDir folder;
    folder.write("zot.cfg", DESIGN);
    std::filesystem::create_directory(folder.path() / "logs");
    folder.write("logs/ZOT_vive_S1_1_history.dat", "a subject's history\n");
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"", "no observer: give C,K,t0,alpha,wLeft or set autopilot in zot.cfg"},
        {"50,3", "observer \"50,3\": five numbers C,K,t0,alpha,wLeft are needed"},
        {"50,3,15,0.5,2", "wLeft must lie from 0 to 1"},
        {"50,3,15,0.5,0.5 --seed -4", "--seed \"-4\" is not a number from 0 to 4294967295"},
        {"50,3,15,0.5,0.5 --refresh 0", "--refresh \"0\" is not a rate from 20 to 1000 Hz"},
        {"50,3,15,0.5,0.5 --subject a/b", "--subject \"a/b\": letters, digits"},
        {"50,3,15,0.5,0.5 --sessions 3", "unknown option \"--sessions\""},
        {"50,3,15,0.5,0.5 --subject S1", "logs/ZOT_vive_S1_1_history.dat exists already"},
    };
    for (const auto& c : cases) {
        const CommandOutcome outcome = runZotsim(folder, c.arguments);
        EXPECT_EQ(outcome.exitCode, 2) << c.arguments;
        EXPECT_NE(outcome.output.find(c.message), std::string::npos) << c.arguments << "\n" << outcome.output;
        EXPECT_NE(outcome.output.find("usage: zotsim"), std::string::npos) << c.arguments;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "logs"), {}), 1);
    EXPECT_EQ(fileText(folder.path() / "logs/ZOT_vive_S1_1_history.dat"), "a subject's history\n");
}

TEST(Zotsim, ASeedRepeatsTheSessionAndTheObserverSeedOnlyTheReports)
{
    TempDir folder;
    folder.write("zot.cfg", DESIGN);
    const std::string observer = "40,3,12,0.4,0.55";
    for (const char* extra : {"--session 1", "--session 2 --logs other", "--session 3 --observer-seed 5"}) {
        const CommandOutcome outcome = runZotsim(folder, observer + " " + extra);
        ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
        EXPECT_NE(outcome.output.find("ZOTExperiment > random seed = 21"), std::string::npos);
    }
    const std::string first = fileText(folder.path() / "logs/ZOT_vive_sim_1.dat");
    const std::string again = fileText(folder.path() / "other/ZOT_vive_sim_2.dat");
    const std::string otherObserver = fileText(folder.path() / "logs/ZOT_vive_sim_3.dat");
    EXPECT_EQ(first.substr(0, 3), "12\n");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 13);
    EXPECT_EQ(first, again);
    for (int field : {1, 2, 3, 4})
        EXPECT_EQ(column(otherObserver, field), column(first, field));
    EXPECT_NE(column(otherObserver, 5), column(first, 5));
    const std::string practice = fileText(folder.path() / "logs/ZOT_vive_sim_1_practice.dat");
    EXPECT_EQ(std::count(practice.begin(), practice.end(), '\n'), 13);
    EXPECT_NE(fileText(folder.path() / "logs/ZOT_vive_sim_1_history.dat").find("\tAutopilot: C=40 K=3 t0=12 alpha=0.4 wLeft=0.55\n"),
              std::string::npos);
}

} // namespace
