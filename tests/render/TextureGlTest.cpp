#include "CaptureStdout.h"
#include "GlTest.h"
#include "Limg.h"
#include "LimgFixtures.h"
#include "TempDir.h"
#include "Texture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class LoadLimg : public GlTest {
protected:
    TempDir dir;
};

TEST_F(LoadLimg, TexelsMatchTheFileRowByRow)
{
    // Not square: swapped sides or rows show.
    const LimgImage image = patternedLimg(3, 2);
    ASSERT_TRUE(writeLimg(dir.path() / "picture.limg", image));
    GlTexture texture;
    EXPECT_EQ(captureStdout([&] { texture = loadLimg(dir.file("picture.limg")); }), "");
    ASSERT_NE(texture.get(), 0u);
    const Pixels texels = readTexture(texture.get());
    EXPECT_EQ(texels.width, 3);
    EXPECT_EQ(texels.height, 2);
    EXPECT_EQ(texels.rgba, image.pixels);
}

TEST_F(LoadLimg, EmptyPictureGivesAnEmptyTexture)
{
    ASSERT_TRUE(writeLimg(dir.path() / "empty.limg", {0, 0, {}}));
    const GlTexture texture = loadLimg(dir.file("empty.limg"));
    ASSERT_NE(texture.get(), 0u);
    const Pixels texels = readTexture(texture.get());
    EXPECT_EQ(texels.width, 0);
    EXPECT_EQ(texels.height, 0);
}

TEST_F(LoadLimg, FailurePrintsItsLineAndGivesNameZero)
{
    struct Case {
        std::optional<std::string> bytes; // nothing: no file at all
        const char* message;              // %s stands for the path
    };
    for (const Case& c : {Case{std::nullopt, "ERROR: unable to read file \"%s\""},
                          Case{std::string(7, '\x02'), "ERROR: unable to read header of file \"%s\""},
                          Case{encodeLimgHeader(2, 2) + std::string(15, '\x7f'), "unable to read data %s"},
                          Case{encodeLimgHeader(0xFFFFFFFF, 0xFFFFFFFF) + "abcd", "unable to read data %s"}}) {
        const std::string path = dir.file("bad.limg");
        std::filesystem::remove(path);
        if (c.bytes)
            dir.write("bad.limg", *c.bytes);

        GlTexture texture;
        const std::string output = captureStdout([&] { texture = loadLimg(path); });
        std::string expected = c.message;
        expected.replace(expected.find("%s"), 2, path);
        EXPECT_EQ(output, expected + "\n");
        EXPECT_EQ(texture.get(), 0u) << expected;
    }
    // The next file loads as usual.
    ASSERT_TRUE(writeLimg(dir.path() / "good.limg", patternedLimg(1, 1)));
    EXPECT_NE(loadLimg(dir.file("good.limg")).get(), 0u);
}

TEST_F(LoadLimg, SizeBeyondTheDriverIsReportedNotShownBlack)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    ASSERT_TRUE(writeLimg(dir.path() / "wide.limg", patternedLimg(static_cast<std::uint32_t>(maxSize) + 1, 1)));

    GlTexture texture;
    const std::string output = captureStdout([&] { texture = loadLimg(dir.file("wide.limg")); });
    EXPECT_EQ(output, "ERROR: unable to create texture from file \"" + dir.file("wide.limg") + "\"\n");
    EXPECT_EQ(texture.get(), 0u);
}

} // namespace
