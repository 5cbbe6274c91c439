#include "AllocationProbe.h"
#include "CaptureStdout.h"
#include "Font.h"
#include "GlTest.h"
#include "Limg.h"
#include "Shader.h"
#include "TempDir.h"
#include "Text.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgba white{255, 255, 255, 255};
constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};
constexpr Rgba background{64, 64, 64, 255};

/// A 16 × 16-tile atlas of 16-pixel tiles where only 'A' (white) and 'B' (red)
/// have ink: the left 8 columns of their tiles. Both are 8 pixels wide.
LimgImage atlas()
{
    LimgImage image{256, 256, std::vector<std::uint8_t>(256 * 256 * 4, 0)};
    for (auto [code, colour] : {std::pair{'A', white}, std::pair{'B', red}})
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x) {
                const std::size_t at = ((std::size_t(code / 16) * 16 + y) * 256 + std::size_t(code % 16) * 16 + x) * 4;
                image.pixels[at] = colour.r;
                image.pixels[at + 1] = colour.g;
                image.pixels[at + 2] = colour.b;
                image.pixels[at + 3] = colour.a;
            }
    return image;
}

std::string widthsFile()
{
    std::string file;
    for (int c = 0; c < 256; ++c)
        file += (c == 'A' || c == 'B' ? "8" : "0") + std::string(c % 16 == 15 ? "\n" : " ");
    return file;
}

class TextDrawing : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        ASSERT_TRUE(writeLimg(dir.path() / "atlas.limg", atlas()));
        dir.write("widths.txt", widthsFile());
        captureStdout([&] {
            program = buildProgram("shaders/shader2D.vs", "shaders/shader2D.fs");
            font = loadFont(dir.file("atlas.limg"), dir.file("widths.txt"), 16);
        });
    }

    /// Draws text alone into a 100 × 80 target and reads it back.
    Pixels drawText(TextBlock& text, const Matrix4& mvp, Tint tint = {})
    {
        return drawAlone(100, 80, background, program.get(), mvp, tint, [&] { text.draw(); });
    }

    TempDir dir;
    GlProgram program;
    Font font;
    const Matrix4 window = screenProjection(100, 80);
};

TEST_F(TextDrawing, GlyphInksItsBoxAroundTheAnchor)
{
    // Size 32 doubles the 8 × 16 glyph: x 42 to 58, y 24 to 56.
    Text text("A", 50, 40, 32, font);
    const Pixels pixels = drawText(text, window);
    // The layout tests pin the box; here the mesh must reach the screen there.
    EXPECT_EQ(pixels.at(44, 26), white);
    EXPECT_EQ(pixels.at(56, 54), white);
    EXPECT_EQ(pixels.at(40, 40), background);
    EXPECT_EQ(pixels.at(50, 58), background);
    // The tint colours the ink.
    EXPECT_EQ(drawText(text, window, {0, 0, 1}).at(50, 40), blue);
}

TEST_F(TextDrawing, FirstLineIsOnTopInBothSpaces)
{
    Text flat("A\\nB", 50, 40, 32, font);
    const Pixels onScreen = drawText(flat, window);
    EXPECT_EQ(onScreen.at(50, 24), white);
    EXPECT_EQ(onScreen.at(50, 56), red);

    // With the identity, the scene's y grows upwards; a line is half the target.
    const Matrix4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Text3D deep("A\\nB", 0, 0, 0.5f, 1, font);
    const Pixels inScene = drawText(deep, identity);
    EXPECT_EQ(inScene.at(50, 20), white);
    EXPECT_EQ(inScene.at(50, 60), red);
}

TEST_F(TextDrawing, ChangedTextIsLaidOutAgain)
{
    Text text("", 50, 40, 32, font);
    EXPECT_EQ(drawText(text, window).at(50, 40), background);
    text.setText("A");
    EXPECT_EQ(drawText(text, window).at(50, 40), white);
    text.setText("AA"); // now x 34 to 66
    const Pixels wider = drawText(text, window);
    EXPECT_EQ(wider.at(36, 40), white);
    EXPECT_EQ(wider.at(64, 40), white);
    text.setText("");
    EXPECT_EQ(drawText(text, window).at(50, 40), background);
}

TEST_F(TextDrawing, UnchangedTextIsDrawnWithoutAllocating)
{
    Text text("AB\\nBA", 50, 40, 16, font);
    RenderTarget target(100, 80);
    useProgram(program.get(), window);
    text.draw();
    text.setText("AB\\nBA"); // the same text keeps its layout

    AllocationProbe probe;
    text.draw();
    text.draw();
    EXPECT_EQ(probe.largest(), 0u);
}

TEST_F(GlTest, LoadFontReportsWhatItCouldNotRead)
{
    struct Case {
        bool atlasThere;
        bool widthsThere;
        const char* output; // %a: atlas path, %w: widths path
    };
    for (const Case& c : {Case{true, true, "default font tilesize = 16\n"},
                          Case{true, false, "Font > unable to read character widths \"%w\"\ndefault font tilesize = 16\n"},
                          Case{false, true, "ERROR: unable to read file \"%a\"\ndefault font tilesize = 16\n"}}) {
        TempDir dir;
        const std::string atlasPath = dir.file("atlas.limg");
        const std::string widthsPath = dir.file("widths.txt");
        if (c.atlasThere) {
            ASSERT_TRUE(writeLimg(atlasPath, atlas()));
        }
        if (c.widthsThere)
            dir.write("widths.txt", widthsFile());

        Font font;
        const std::string output = captureStdout([&] { font = loadFont(atlasPath, widthsPath, 16); });
        std::string expected = c.output;
        if (const auto at = expected.find("%a"); at != std::string::npos)
            expected.replace(at, 2, atlasPath);
        if (const auto at = expected.find("%w"); at != std::string::npos)
            expected.replace(at, 2, widthsPath);
        EXPECT_EQ(output, expected);
        EXPECT_EQ(font.texture.get() != 0, c.atlasThere) << expected;
        EXPECT_EQ(font.metrics.widths['A'], c.widthsThere ? 8 : 0) << expected;
        EXPECT_EQ(font.metrics.tileSize, 16u);
    }
}

TEST_F(TextDrawing, DefaultFontsServeTextsWhileTheirOwnerLives)
{
    {
        std::unique_ptr<DefaultFonts> fonts;
        const std::string output =
            captureStdout([&] { fonts = std::make_unique<DefaultFonts>(dir.file("atlas.limg"), dir.file("widths.txt")); });
        EXPECT_EQ(output, "default font tilesize = 16\ndefault font tilesize = 16\n");
        EXPECT_NE(defaultFont2D().texture.get(), defaultFont3D().texture.get());

        Text text("A", 50, 40, 32);
        EXPECT_EQ(drawText(text, window).at(50, 40), white);
    }
    EXPECT_EQ(defaultFont2D().texture.get(), 0u);
    EXPECT_EQ(defaultFont3D().texture.get(), 0u);
}

} // namespace
