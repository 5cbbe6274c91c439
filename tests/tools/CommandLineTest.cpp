// zotdata run as the build runs it: failures must stop the build with a clear message.
#include "RunCommand.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

CommandOutcome runZotdata(const std::string& arguments) {
    return runCommand(std::string("'") + ZOTDATA_TOOL + "' " + arguments);
}

TEST(ZotdataCommandLine, FailuresStopTheRunWithAClearMessageBeforeAnythingIsWritten) {
    TempDir folder;
    std::ofstream(folder.path() / "taken") << "a file where the run folder should be";
    std::ofstream(folder.path() / "notes.ttf") << "not a font";
    const auto quoted = [&](const char* name) { return "'" + folder.file(name) + "'"; };
    const auto badFont = [&](const char* name) { return "zotdata: ERROR: font file \"" + folder.file(name) + "\""; };
    const struct {
        std::string arguments;
        int exitCode;
        std::string message;
        const char* reason;
    } cases[] = {
        {"", 2, "usage: zotdata <run folder>", ""},
        {quoted("taken"), 1, "zotdata: ERROR: cannot create the folder", ""},
        {quoted("run") + " --letter-font " + quoted("LiberationSans-Bold.ttf"), 1, badFont("LiberationSans-Bold.ttf"),
         "not found"},
        {quoted("run") + " --cross-font " + quoted("LiberationMono-Bold.ttf"), 1, badFont("LiberationMono-Bold.ttf"),
         "not found"},
        {quoted("run") + " --text-font " + quoted("DejaVuSans.ttf"), 1, badFont("DejaVuSans.ttf"), "not found"},
        {quoted("run") + " --text-font " + quoted("notes.ttf"), 1, badFont("notes.ttf"), "cannot be read"},
    };
    for (const auto& c : cases) {
        const CommandOutcome outcome = runZotdata(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(outcome.output.find(c.message), std::string::npos) << outcome.output;
        EXPECT_NE(outcome.output.find(c.reason), std::string::npos) << outcome.output;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "run")) << c.arguments;
    }
}

}
