// What the build leaves in the ready-to-run folder.
#include "GeneratedData.h"

#include <gtest/gtest.h>

namespace {

const std::filesystem::path RUN = ZOT_RUN_DIR;

TEST(RunFolder, HoldsEveryDataFileTheProgramLoadsAndAConfiguration) {
    for (const PictureFile& picture : programPictures())
        EXPECT_TRUE(std::filesystem::is_regular_file(RUN / "data" / picture.path)) << picture.path;
    EXPECT_TRUE(std::filesystem::is_regular_file(RUN / "data" / "verdana16_widths.txt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(RUN / "zot.cfg"));
}

TEST(RunFolder, HoldsTheCurrentShaders) {
    for (const auto& entry : std::filesystem::directory_iterator(ZOT_SHADER_SOURCES)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".vs" && extension != ".fs")
            continue;
        const std::filesystem::path copy = RUN / "shaders" / entry.path().filename();
        EXPECT_TRUE(std::filesystem::is_regular_file(copy)) << copy;
        EXPECT_TRUE(fileContents(copy) == fileContents(entry.path())) << copy << " is out of date";
    }
}

}
