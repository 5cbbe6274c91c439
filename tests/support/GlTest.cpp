#include "GlTest.h"

#include "GlfwErrors.h"

#include <GLFW/glfw3.h>

#include <algorithm>

namespace {

GLFWwindow* window = nullptr;
// Never deleted: it lives as long as the context, which lives until the
// process ends.
GLuint vertexArray = 0;

bool createContext()
{
    reportGlfwErrors();
    if (!glfwInit())
        return false;
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    window = glfwCreateWindow(64, 64, "ZOT GL test", nullptr, nullptr);
    if (!window)
        return false;
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return false;
    // glewInit itself may leave GL_INVALID_ENUM behind in a core context.
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    return true;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Rgba& pixel)
{
    return out << "rgba(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ", " << int(pixel.a)
               << ")";
}

Rgba Pixels::at(int x, int y) const
{
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    return {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]};
}

void GlTest::SetUpTestSuite()
{
    static const bool created = createContext();
    (void)created;
}

void GlTest::SetUp()
{
    ASSERT_NE(window, nullptr) << "no OpenGL 4.1 core context: GL tests need an X display (scripts/test.sh gives them one with Xvfb)";
    ASSERT_NE(vertexArray, 0u) << "GLEW could not load the GL entry points";
    glfwMakeContextCurrent(window);
    glBindVertexArray(vertexArray);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(2);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    while (glGetError() != GL_NO_ERROR) {
    }
}

void GlTest::TearDown()
{
    if (window) {
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the test left a GL error";
    }
}

Pixels readTexture(GLuint texture)
{
    Pixels pixels;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &pixels.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &pixels.height);
    pixels.rgba.resize(static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (!pixels.rgba.empty())
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.rgba.data());
    return pixels;
}

RenderTarget::RenderTarget(int width, int height)
    : width_(width), height_(height), colour_(GlTexture::generate()), framebuffer_(GlFramebuffer::generate())
{
    glBindTexture(GL_TEXTURE_2D, colour_.get());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_.get(), 0);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glViewport(0, 0, width, height);
}

RenderTarget::~RenderTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RenderTarget::clear(Rgba colour)
{
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

Pixels RenderTarget::read() const
{
    Pixels bottomUp{width_, height_, std::vector<std::uint8_t>(static_cast<std::size_t>(width_) * height_ * 4)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.rgba.data());
    Pixels topDown = bottomUp;
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::copy_n(bottomUp.rgba.begin() + static_cast<std::ptrdiff_t>((height_ - 1 - y) * row), row,
                    topDown.rgba.begin() + static_cast<std::ptrdiff_t>(y * row));
    return topDown;
}

void useProgram(GLuint program, const Matrix4& mvp, Tint tint)
{
    glUseProgram(program);
    glUniformMatrix4fv(glGetUniformLocation(program, "M_mvp"), 1, GL_TRUE, mvp.data());
    glUniform3f(glGetUniformLocation(program, "color"), tint.r, tint.g, tint.b);
    glUniform1i(glGetUniformLocation(program, "sampler"), 0);
}

Pixels drawAlone(int width, int height, Rgba background, GLuint program, const Matrix4& mvp, Tint tint,
                 const std::function<void()>& draw)
{
    RenderTarget target(width, height);
    target.clear(background);
    useProgram(program, mvp, tint);
    draw();
    return target.read();
}
