// zotdata run as the build runs it: failures must stop the build with a clear message.
#include "TempDir.h"
#include "platform/TestPlatform.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

TEST(ZotdataCommandLine, FailuresStopTheRunWithAClearMessageBeforeAnythingIsWritten) {
    TempDir folder;
    std::ofstream(folder.path() / "taken") << "a file where the run folder should be";
    std::ofstream(folder.path() / "notes.ttf") << "not a font";
    const auto badFont = [&](const char* name) { return "zotdata: ERROR: font file \"" + folder.file(name) + "\""; };
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
        const char* reason;
    } cases[] = {
        {{}, 2, "usage: zotdata <run folder>", ""},
        {{folder.file("taken")}, 1, "zotdata: ERROR: cannot create the folder", ""},
        {{folder.file("run"), "--letter-font", folder.file("LiberationSans-Bold.ttf")}, 1,
         badFont("LiberationSans-Bold.ttf"), "not found"},
        {{folder.file("run"), "--cross-font", folder.file("LiberationMono-Bold.ttf")}, 1,
         badFont("LiberationMono-Bold.ttf"), "not found"},
        {{folder.file("run"), "--text-font", folder.file("DejaVuSans.ttf")}, 1, badFont("DejaVuSans.ttf"), "not found"},
        {{folder.file("run"), "--text-font", folder.file("notes.ttf")}, 1, badFont("notes.ttf"), "cannot be read"},
    };
    for (const auto& c : cases) {
        const CommandOutcome outcome = runCommand(ZOTDATA_TOOL, c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
        EXPECT_NE(outcome.output.find(c.message), std::string::npos) << outcome.output;
        EXPECT_NE(outcome.output.find(c.reason), std::string::npos) << outcome.output;
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "run")) << outcome.output;
    }
}

}
