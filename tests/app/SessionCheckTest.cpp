#include "RunFolder.h"
#include "SessionCheck.h"
#include "TempDir.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

std::set<std::string> everything(const std::filesystem::path& folder)
{
    std::set<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        paths.insert(entry.path().lexically_relative(folder).string());
    return paths;
}

const std::string notStarted = "ERROR > the session was not started; nothing was written\n";

// A start is refused before the window for each thing that would cost the
// session its stimuli or its data; every refusal names the cause, ends with
// the not-started line, and leaves the folder exactly as it was. (The real
// program's refusals, from the wrong folder on, are played end to end.)
TEST(SessionCheck, RefusesAStartThatCouldNotShowOrKeepItsSession)
{
    using Folder = const std::filesystem::path&;
    const struct {
        const char* fault;
        std::string config;
        std::function<void(Folder)> spoil;
        std::function<void(PlayedDisk&)> disk;
        std::vector<std::string> errors; // lines that must be said, before the not-started line
    } cases[] = {
        {"nothing wrong", "", {}, {}, {}},
        {"exactly the most trials", "trialsPerBlock=1000\nblocksPerRun=100\npracticeBlock=0", {}, {}, {}},
        {"one block too many", "trialsPerBlock=1000\nblocksPerRun=100\npracticeBlock=1", {}, {},
         {"ERROR > zot.cfg asks for 101000 trials (trialsPerBlock = 1000 times blocksPerRun = 100, plus the practice "
          "block), more than the 100000 a run may hold; lower trialsPerBlock or blocksPerRun"}},
        {"read-only disk", "", {}, [](PlayedDisk& d) { d.refuseOpen = true; },
         {"ERROR > LOGS/ZOT_vive_0_0.dat: cannot be opened for appending: Read-only file system",
          "ERROR > LOGS/ZOT_vive_0_0_history.dat: cannot be opened for appending: Read-only file system",
          "ERROR > LOGS/ZOT_vive_0_0_timing.dat: cannot be opened for appending: Read-only file system",
          "ERROR > LOGS/ZOT_vive_0_0_practice.dat: cannot be opened for appending: Read-only file system"}},
        {"a folder in the history's place", "",
         [](Folder f) { std::filesystem::create_directories(f / "logs/ZOT_vive_0_0_history.dat"); }, {},
         {"ERROR > LOGS/ZOT_vive_0_0_history.dat: cannot be opened for appending: "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir run;
        writeSoundRunFolder(run.path());
        if (c.spoil)
            c.spoil(run.path());
        PlayedDisk disk;
        if (c.disk)
            c.disk(disk);
        const std::set<std::string> before = everything(run.path());
        std::ostringstream console;
        std::ostringstream errors;
        const bool starts = sessionCanStart(configFrom("display=MONITOR\npracticeBlock=1\n" + c.config), {}, console,
                                            errors, disk, run.path(), run.path() / "logs");

        EXPECT_EQ(starts, c.errors.empty());
        EXPECT_EQ(everything(run.path()), before);
        std::string said = errors.str();
        for (std::string line : c.errors) {
            // LOGS/NAME is the file in the run's log folder, as the platform writes paths.
            if (const auto at = line.find("LOGS/"); at != std::string::npos) {
                const auto end = line.find(':', at);
                const std::string name = line.substr(at + 5, end - at - 5);
                line.replace(at, end - at, (run.path() / "logs" / name).string());
            }
            const auto at = said.find(line);
            EXPECT_NE(at, std::string::npos) << said;
        }
        const bool endsNotStarted = said.size() >= notStarted.size() &&
                                    said.substr(said.size() - notStarted.size()) == notStarted;
        EXPECT_EQ(endsNotStarted, !c.errors.empty()) << said;
        EXPECT_EQ(console.str(), "");
    }
}

} // namespace
