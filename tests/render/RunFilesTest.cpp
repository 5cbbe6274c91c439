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

// The end-to-end refusals play a missing data/ or shaders/, a truncated letter
// and a short width table through the real program; these are the other faults.
TEST(RunFiles, EachFileThatCannotServeIsNamedWithItsReason)
{
    using Folder = const std::filesystem::path&;
    const std::string letterK = "data/letters_arial_68pt_100px_hcenter_vcenter/K.limg";
    const struct {
        const char* fault;
        std::function<void(Folder)> spoil;
        std::string path;
        std::string reason;
    } cases[] = {
        {"longer than announced", [&](Folder f) { writeFile(f / letterK, encodeLimgHeader(1, 1) + "12345"); },
         letterK, "announces 1 x 1 pixels but holds 13 bytes instead of 12 (cut off or damaged)"},
        {"header cut", [&](Folder f) { writeFile(f / letterK, "\x04"); }, letterK,
         "is shorter than the 8 bytes of a LIMG header (1 bytes)"},
        {"no pixels", [](Folder f) { writeFile(f / "data/masks/Mask3.limg", encodeLimgHeader(0, 0)); },
         "data/masks/Mask3.limg", "holds no picture (0 x 0 pixels)"},
        {"empty shader", [](Folder f) { writeFile(f / "shaders/shader2D.fs", "\n  \n"); }, "shaders/shader2D.fs",
         "is empty"},
        {"mask missing", [](Folder f) { std::filesystem::remove(f / "data/masks/Mask8.limg"); },
         "data/masks/Mask8.limg", "missing"},
        {"folder for a file", [](Folder f) {
             std::filesystem::remove(f / "data/instructions_top.limg");
             std::filesystem::create_directory(f / "data/instructions_top.limg");
         },
         "data/instructions_top.limg", "is not a file"},
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
        EXPECT_FALSE(problems[0].folderMissing);
    }
}

} // namespace
