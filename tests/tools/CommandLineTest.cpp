// zotdata run as the build runs it: failures must stop the build with a clear message.
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output; ///< standard output and standard error together
};

Outcome runZotdata(const std::string& arguments) {
    const std::string command = std::string("'") + ZOTDATA_TOOL + "' " + arguments + " 2>&1";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    std::array<char, 512> buffer;
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
        outcome.output.append(buffer.data(), read);
    const int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

struct BadFont {
    const char* name;
    const char* option;
    const char* fileName;
    const char* fileContents; ///< nullptr: the file does not exist
    const char* message;
};

void PrintTo(const BadFont& font, std::ostream* out) { *out << font.option << ' ' << font.fileName; }

class FontProblems : public testing::TestWithParam<BadFont> {};

TEST_P(FontProblems, FailTheRunBeforeAnythingIsWritten) {
    TempDir folder;
    const std::filesystem::path font = folder.path() / GetParam().fileName;
    if (GetParam().fileContents)
        std::ofstream(font) << GetParam().fileContents;
    const std::filesystem::path run = folder.path() / "run";

    const Outcome outcome = runZotdata(quoted(run) + " " + GetParam().option + " " + quoted(font));

    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("zotdata: ERROR: font file \"" + font.string() + "\""), std::string::npos)
        << outcome.output;
    EXPECT_NE(outcome.output.find(GetParam().message), std::string::npos) << outcome.output;
    EXPECT_FALSE(std::filesystem::exists(run / "data"));
}

INSTANTIATE_TEST_SUITE_P(
    EachFont, FontProblems,
    testing::Values(BadFont{"MissingLetterFont", "--letter-font", "LiberationSans-Bold.ttf", nullptr, "not found"},
                    BadFont{"MissingCrossFont", "--cross-font", "LiberationMono-Bold.ttf", nullptr, "not found"},
                    BadFont{"MissingTextFont", "--text-font", "DejaVuSans.ttf", nullptr, "not found"},
                    BadFont{"TextFileAsFont", "--text-font", "notes.ttf", "not a font", "cannot be read"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZotdataCommandLine, WithoutARunFolderPrintsUsage) {
    const Outcome outcome = runZotdata("");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.output.find("usage: zotdata <run folder>"), std::string::npos) << outcome.output;
}

TEST(ZotdataCommandLine, AFolderThatCannotBeMadeFailsTheRun) {
    TempDir folder;
    std::ofstream(folder.path() / "taken") << "a file where the run folder should be";
    const Outcome outcome = runZotdata(quoted(folder.path() / "taken"));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("zotdata: ERROR: cannot create the folder"), std::string::npos) << outcome.output;
}

}
