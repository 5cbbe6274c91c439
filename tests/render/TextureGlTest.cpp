#include "CaptureStdout.h"
#include "GlTest.h"
#include "Limg.h"
#include "LimgFixtures.h"
#include "TempDir.h"
#include "Texture.h"

#include <gtest/gtest.h>

namespace {

class LoadLimg : public GlTest {
protected:
    TempDir dir;
};

TEST_F(LoadLimg, TexelsMatchTheFileRowByRow)
{
    for (auto [width, height] : {std::pair{1u, 1u}, {3u, 2u}, {2u, 5u}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const LimgImage image = patternedLimg(width, height);
        ASSERT_TRUE(writeLimg(dir.path() / "picture.limg", image));

        std::string output;
        GlTexture texture;
        output = captureStdout([&] { texture = loadLimg(dir.file("picture.limg")); });
        EXPECT_EQ(output, "");
        ASSERT_NE(texture.get(), 0u);
        const Pixels texels = readTexture(texture.get());
        EXPECT_EQ(texels.width, static_cast<int>(width));
        EXPECT_EQ(texels.height, static_cast<int>(height));
        EXPECT_EQ(texels.rgba, image.pixels);
    }
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

struct FailureCase {
    const char* name;
    std::optional<std::string> bytes; // nothing: no file at all
    const char* message;              // %s stands for the path
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.name;
}

class LoadLimgFailure : public GlTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(LoadLimgFailure, PrintsItsLineAndGivesNameZero)
{
    TempDir dir;
    const std::string path = dir.file("bad.limg");
    if (GetParam().bytes)
        dir.write("bad.limg", *GetParam().bytes);

    GlTexture texture;
    const std::string output = captureStdout([&] { texture = loadLimg(path); });

    std::string expected = GetParam().message;
    expected.replace(expected.find("%s"), 2, path);
    EXPECT_EQ(output, expected + "\n");
    EXPECT_EQ(texture.get(), 0u);

    // The next file loads as usual.
    ASSERT_TRUE(writeLimg(dir.path() / "good.limg", patternedLimg(1, 1)));
    EXPECT_NE(loadLimg(dir.file("good.limg")).get(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LoadLimgFailure,
    testing::Values(
        FailureCase{"Missing", std::nullopt, "ERROR: unable to read file \"%s\""},
        FailureCase{"EmptyFile", "", "ERROR: unable to read header of file \"%s\""},
        FailureCase{"ShortHeader", std::string(7, '\x02'), "ERROR: unable to read header of file \"%s\""},
        FailureCase{"ShortData", encodeLimgHeader(2, 2) + std::string(15, '\x7f'), "unable to read data %s"},
        FailureCase{"HeaderOnly", encodeLimgHeader(1, 1), "unable to read data %s"},
        FailureCase{"HugeSize", encodeLimgHeader(65536, 65536) + "abcd", "unable to read data %s"},
        FailureCase{"OverflowingSize", encodeLimgHeader(0xFFFFFFFF, 0xFFFFFFFF) + "abcd", "unable to read data %s"}),
    [](const auto& info) { return info.param.name; });

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
