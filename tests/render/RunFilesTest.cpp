#include "Limg.h"
#include "RunFiles.h"
#include "RunFolder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The files of the run folder as the program loads them: the pictures of the
// trial and the texts, the font, and the shaders of the display.
TEST(RunFiles, ASessionLoadsThePicturesTheFontAndItsDisplaysShaders)
{
    const std::vector<RunFile> monitor = sessionRunFiles(false);
    const std::vector<RunFile> headset = sessionRunFiles(true);
    // Fixation cross, blank, 20 letters, 8 masks, 2 instruction pages, atlas,
    // widths, 2 shaders.
    EXPECT_EQ(monitor.size(), 36u);
    EXPECT_EQ(headset.size(), 36u);
    const auto holds = [](const std::vector<RunFile>& files, const std::string& path) {
        return std::any_of(files.begin(), files.end(), [&](const RunFile& f) { return f.path == path; });
    };
    for (const char* path : {"data/letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg",
                             "data/letters_arial_68pt_100px_hcenter_vcenter/blank.limg",
                             "data/letters_arial_68pt_100px_hcenter_vcenter/A.limg",
                             "data/letters_arial_68pt_100px_hcenter_vcenter/X.limg", "data/masks/Mask1.limg",
                             "data/masks/Mask8.limg", "data/instructions_top.limg", "data/instructions_bottom.limg",
                             "data/verdana16_white.limg", "data/verdana16_widths.txt"}) {
        EXPECT_TRUE(holds(monitor, path)) << path;
        EXPECT_TRUE(holds(headset, path)) << path;
    }
    EXPECT_TRUE(holds(monitor, "shaders/shader2D.vs") && holds(monitor, "shaders/shader2D.fs"));
    EXPECT_TRUE(holds(headset, "shaders/simple.vs") && holds(headset, "shaders/simple.fs"));
    EXPECT_FALSE(holds(monitor, "shaders/simple.vs"));
}

TEST(RunFiles, EachFileThatCannotServeIsNamedWithItsReason)
{
    using Folder = const std::filesystem::path&;
    const std::string letterK = "data/letters_arial_68pt_100px_hcenter_vcenter/K.limg";
    const struct {
        const char* fault;
        std::function<void(Folder)> spoil;
        std::string path;
        std::string reason;
        bool folderMissing;
    } cases[] = {
        {"started elsewhere", [](Folder f) { std::filesystem::remove_all(f / "data"); }, "data/",
         "no such folder here", true},
        {"no shaders", [](Folder f) { std::filesystem::remove_all(f / "shaders"); }, "shaders/",
         "no such folder here", true},
        {"truncated letter", [&](Folder f) { writeFile(f / letterK, encodeLimgHeader(4, 4) + std::string(40, 'x')); },
         letterK, "announces 4 x 4 pixels but holds 48 bytes instead of 72 (cut off or damaged)", false},
        {"longer than announced", [&](Folder f) { writeFile(f / letterK, encodeLimgHeader(1, 1) + "12345"); },
         letterK, "announces 1 x 1 pixels but holds 13 bytes instead of 12 (cut off or damaged)", false},
        {"header cut", [&](Folder f) { writeFile(f / letterK, "\x04"); }, letterK,
         "is shorter than the 8 bytes of a LIMG header (1 bytes)", false},
        {"no pixels", [](Folder f) { writeFile(f / "data/masks/Mask3.limg", encodeLimgHeader(0, 0)); },
         "data/masks/Mask3.limg", "holds no picture (0 x 0 pixels)", false},
        {"50-byte widths", [](Folder f) { writeFile(f / "data/verdana16_widths.txt", "9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9"); },
         "data/verdana16_widths.txt", "holds 25 character widths where 256 are needed", false},
        {"empty shader", [](Folder f) { writeFile(f / "shaders/shader2D.fs", "\n  \n"); }, "shaders/shader2D.fs",
         "is empty", false},
        {"mask missing", [](Folder f) { std::filesystem::remove(f / "data/masks/Mask8.limg"); },
         "data/masks/Mask8.limg", "missing", false},
        {"folder for a file", [](Folder f) {
             std::filesystem::remove(f / "data/instructions_top.limg");
             std::filesystem::create_directory(f / "data/instructions_top.limg");
         },
         "data/instructions_top.limg", "is not a file", false},
    };
    {
        TempDir sound;
        writeSoundRunFolder(sound.path());
        EXPECT_TRUE(checkRunFiles(sessionRunFiles(false), sound.path()).empty());
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir folder;
        writeSoundRunFolder(folder.path());
        c.spoil(folder.path());
        const std::vector<RunFileProblem> problems = checkRunFiles(sessionRunFiles(false), folder.path());
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].path, c.path);
        EXPECT_EQ(problems[0].reason, c.reason);
        EXPECT_EQ(problems[0].folderMissing, c.folderMissing);
    }
}

} // namespace
