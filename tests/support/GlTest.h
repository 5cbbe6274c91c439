#pragma once

#include "GlName.h"
#include "Projection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

/// One RGBA8 pixel.
struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& pixel);

/// An RGBA8 picture held row by row, row 0 first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgba at(int x, int y) const;
};

/// Fixture for tests that need an OpenGL 4.1 core, forward-compatible context:
/// a hidden GLFW window with GLEW loaded, made once per test program and kept
/// current. Every test starts as the renderer facade leaves the context: a
/// vertex array bound, attributes 0 and 2 enabled, alpha blending on, texture
/// unit 0 active, no framebuffer bound. A test fails if it leaves a GL error.
/// Without an X display the tests fail with a hint to run them under xvfb-run.
class GlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};

/// Level 0 of texture, rows in upload order (the first row of a LIMG file first).
Pixels readTexture(GLuint texture);

/// An off-screen RGBA8 colour target, bound with a matching viewport from
/// construction on; unbinds itself when it goes.
class RenderTarget {
public:
    RenderTarget(int width, int height);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    void clear(Rgba colour);

    /// The picture as a person would see it: row 0 is the top row. (GL's rows
    /// run bottom-up.)
    Pixels read() const;

private:
    int width_;
    int height_;
    GlTexture colour_;
    GlFramebuffer framebuffer_;
};

/// The "color" a renderer sets; white leaves pictures unchanged.
struct Tint {
    float r = 1;
    float g = 1;
    float b = 1;
};

/// Makes program current with "M_mvp" = mvp, "color" = tint and "sampler" =
/// unit 0, as a renderer does before it draws.
void useProgram(GLuint program, const Matrix4& mvp, Tint tint = {});

/// Clears a width × height target to background, makes program current as
/// useProgram does, runs draw and reads the picture back (top row first).
Pixels drawAlone(int width, int height, Rgba background, GLuint program, const Matrix4& mvp, Tint tint,
                 const std::function<void()>& draw);
