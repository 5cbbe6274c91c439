#include "CaptureStdout.h"
#include "GlTest.h"
#include "Limg.h"
#include "Quad.h"
#include "Shader.h"
#include "TempDir.h"
#include "Texture.h"

#include <gtest/gtest.h>

namespace {

constexpr Rgba red{255, 0, 0, 255};
constexpr Rgba green{0, 255, 0, 255};
constexpr Rgba blue{0, 0, 255, 255};
constexpr Rgba white{255, 255, 255, 255};
constexpr Rgba black{0, 0, 0, 255};
constexpr Rgba background{64, 64, 64, 255};
constexpr Rgba clear{0, 0, 0, 0};

/// A 4 × 4 picture of four 2 × 2 blocks; sampled at a block's centre, linear
/// filtering sees only that block. The first rows (top) hold red and green.
LimgImage quadrants()
{
    const Rgba blocks[2][2] = {{red, green}, {white, clear}};
    LimgImage image{4, 4, {}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const Rgba p = blocks[y / 2][x / 2];
            image.pixels.insert(image.pixels.end(), {p.r, p.g, p.b, p.a});
        }
    return image;
}

class QuadDrawing : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        captureStdout([&] { program = buildProgram("shaders/shader2D.vs", "shaders/shader2D.fs"); });
        ASSERT_TRUE(writeLimg(dir.path() / "quadrants.limg", quadrants()));
        captureStdout([&] { picture = loadLimg(dir.file("quadrants.limg")); });
        whiteTexture = makeWhiteTexture();
    }

    /// Draws quad alone into a 40 × 40 target and reads it back.
    template <class Quad>
    Pixels drawQuad(Quad& quad, const Matrix4& mvp, Tint tint = {})
    {
        return drawAlone(40, 40, background, program.get(), mvp, tint, [&] { quad.draw(); });
    }

    /// The colours at the centres of the four quarters of a 40 × 40 picture:
    /// top-left, top-right, bottom-left, bottom-right.
    static std::vector<Rgba> quarters(const Pixels& pixels)
    {
        return {pixels.at(10, 10), pixels.at(30, 10), pixels.at(10, 30), pixels.at(30, 30)};
    }

    TempDir dir;
    GlProgram program;
    GlTexture picture;
    GlTexture whiteTexture;
    const Matrix4 window = screenProjection(40, 40);
};

TEST_F(QuadDrawing, NormalQuadShowsTheFirstRowAtTheTopOfTheWindowFlippedAtTheBottom)
{
    TexturedQuad normal(0, 0, 40, 40, picture.get(), false);
    EXPECT_EQ(quarters(drawQuad(normal, window)), (std::vector<Rgba>{red, green, white, background}));
    TexturedQuad flipped(0, 0, 40, 40, picture.get(), true);
    EXPECT_EQ(quarters(drawQuad(flipped, window)), (std::vector<Rgba>{white, background, red, green}));
    // A tint multiplies the picture.
    EXPECT_EQ(quarters(drawQuad(normal, window, {1, 0, 0})), (std::vector<Rgba>{red, black, red, background}));
}

TEST_F(QuadDrawing, QuadCoversItsRectangleInWindowPixels)
{
    // Top-left corner (10, 5), 20 wide and 10 high, y growing downwards.
    TexturedQuad quad(10, 5, 20, 10, whiteTexture.get(), false);
    const Pixels pixels = drawQuad(quad, window, {0, 0, 1});
    EXPECT_EQ(pixels.at(10, 5), blue);
    EXPECT_EQ(pixels.at(29, 14), blue);
    EXPECT_EQ(pixels.at(9, 10), background);
    EXPECT_EQ(pixels.at(30, 10), background);
    EXPECT_EQ(pixels.at(20, 4), background);
    EXPECT_EQ(pixels.at(20, 15), background);
}

TEST_F(QuadDrawing, NewTextureShowsOnTheNextDrawAndWhiteTakesTheTint)
{
    TexturedQuad quad(0, 0, 40, 40, picture.get(), false);
    drawQuad(quad, window);
    quad.setTexture(whiteTexture.get());
    EXPECT_EQ(quarters(drawQuad(quad, window, {0, 0, 1})), (std::vector<Rgba>(4, blue)));
}

TEST_F(QuadDrawing, FlippedQuadInSceneSpaceShowsTheFirstRowOnTop)
{
    // With the identity, scene y grows upwards across the whole target.
    const Matrix4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    TexturedQuad3D quad(-1, -1, 0.5f, 2, 2, picture.get(), true);
    EXPECT_EQ(quarters(drawQuad(quad, identity)), (std::vector<Rgba>{red, green, white, background}));
}

TEST_F(QuadDrawing, QuadLeavesItsTextureToItsOwner)
{
    {
        TexturedQuad quad(0, 0, 40, 40, picture.get(), false);
        TexturedQuad3D quad3D(0, 0, 0, 1, 1, picture.get(), false);
        drawQuad(quad, window);
        drawQuad(quad3D, window);
    }
    EXPECT_EQ(glIsTexture(picture.get()), GL_TRUE);
}

} // namespace
