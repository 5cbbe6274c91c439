// The headset's frame loop against the simulated runtime on a real GL context:
// GL state around a submitted eye, pacing, and the ways a session ends. What
// the eyes show is checked through the renderer (HeadsetRendererTest).

#include "GlName.h"
#include "GlTest.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "XrHeadset.h"

#include <GLFW/glfw3.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>

namespace {

constexpr int eyeWidth = 1512;
constexpr int eyeHeight = 1680;

/// An eye's off-screen target, as the renderer keeps one per eye.
struct EyeTarget {
    GlTexture colour = GlTexture::generate();
    GlFramebuffer framebuffer = GlFramebuffer::generate();

    EyeTarget()
    {
        glBindTexture(GL_TEXTURE_2D, colour.get());
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, eyeWidth, eyeHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.get());
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour.get(), 0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
};

class XrHeadsetGlTest : public GlTest {
protected:
    /// A headset with a running session on the test's context.
    std::unique_ptr<XrHeadset> startHeadset()
    {
        auto headset = std::make_unique<XrHeadset>();
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        testing::internal::CaptureStderr();
        const bool started = headset->startRuntime(width, height) && headset->createSession(glfwGetCurrentContext());
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(started) << messages;
        EXPECT_EQ(width, static_cast<std::uint32_t>(eyeWidth));
        EXPECT_EQ(height, static_cast<std::uint32_t>(eyeHeight));
        return started ? std::move(headset) : nullptr;
    }

    /// One frame as the renderer runs it: both eyes submitted.
    HeadsetFrame runFrame(XrHeadset& headset)
    {
        const HeadsetFrame frame = headset.beginFrame();
        if (frame.shouldRender)
            for (int eye = 0; eye < 2; ++eye)
                headset.submitEye(eye, eyes_[eye].framebuffer.get());
        headset.endFrame();
        return frame;
    }

    EyeTarget eyes_[2];
};

TEST_F(XrHeadsetGlTest, SubmittingAnEyeLeavesTheApplicationsGlStateAlone)
{
    auto headset = startHeadset();
    ASSERT_TRUE(headset);
    ASSERT_TRUE(headset->beginFrame().shouldRender);
    // The mirror blit reads from the right eye's framebuffer after it was submitted.
    glBindFramebuffer(GL_FRAMEBUFFER, eyes_[1].framebuffer.get());
    glEnable(GL_SCISSOR_TEST);
    headset->submitEye(1, eyes_[1].framebuffer.get());
    GLint read = 0;
    GLint draw = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    EXPECT_EQ(static_cast<GLuint>(read), eyes_[1].framebuffer.get());
    EXPECT_EQ(static_cast<GLuint>(draw), eyes_[1].framebuffer.get());
    EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    headset->submitEye(0, eyes_[0].framebuffer.get());
    headset->endFrame();
}

TEST_F(XrHeadsetGlTest, FramesArePacedAtNinetyHertz)
{
    auto headset = startHeadset();
    ASSERT_TRUE(headset);
    EXPECT_EQ(headset->displayFrequency(), 90.0f);
    // No pictures: what is timed is the runtime's pacing, not llvmpipe's blits.
    HeadsetFrame first = headset->beginFrame();
    headset->endFrame();
    const auto start = std::chrono::steady_clock::now();
    HeadsetFrame last;
    for (int i = 0; i < 45; ++i) {
        last = headset->beginFrame();
        headset->endFrame();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_GE(elapsed.count(), 0.49);
    EXPECT_NEAR(static_cast<double>(last.predictedDisplayPeriod), 1e9 / 90.0, 1e3);
    // Each frame is due one period after the one before, unless a tick was missed.
    const XrTime span = last.predictedDisplayTime - first.predictedDisplayTime;
    EXPECT_GE(span, 45 * last.predictedDisplayPeriod - 45);
    // The loop keeps to those ticks: it takes as long as they span. A tick
    // missed on a busy machine moves both alike; a runtime that slept past its
    // ticks would not.
    EXPECT_LE(elapsed.count(), static_cast<double>(span) / 1e9 + 0.05);
}

// The runtime ending the session is followed through the renderer
// (HeadsetRendererTest); here the program asks.
TEST_F(XrHeadsetGlTest, TheWindowShouldCloseOnceTheSessionStops)
{
    auto headset = startHeadset();
    ASSERT_TRUE(headset);
    int frames = 0;
    while (!headset->shouldClose() && frames < 20) {
        if (frames == 2)
            headset->requestExit();
        runFrame(*headset);
        ++frames;
    }
    EXPECT_EQ(frames, 3);
    // Once ended, the session gives no more frames to draw.
    EXPECT_FALSE(runFrame(*headset).shouldRender);
}

// The renderer draws straight into the runtime's images: what it draws is what
// the runtime shows (the simulated runtime keeps each shown picture), and
// outside a frame there is nothing to draw into.
TEST_F(XrHeadsetGlTest, EyesAreDrawnStraightIntoTheRuntimesImages)
{
    TempDir shown;
    ScopedEnv captureDir("ZOT_XRSIM_CAPTURE_DIR", shown.path().string());
    ScopedEnv everyFrame("ZOT_XRSIM_CAPTURE_EVERY_FRAME", "1");
    auto headset = startHeadset();
    ASSERT_TRUE(headset);
    EXPECT_EQ(headset->acquireEye(0), 0u);

    // More frames than a swapchain has images, so that every image is drawn.
    for (int frame = 0; frame < 5; ++frame) {
        SCOPED_TRACE(frame);
        const std::uint8_t level = static_cast<std::uint8_t>(40 * (frame + 1));
        ASSERT_TRUE(headset->beginFrame().shouldRender);
        for (int eye = 0; eye < 2; ++eye) {
            const GLuint target = headset->acquireEye(eye);
            ASSERT_NE(target, 0u);
            GLint depthType = GL_NONE;
            glBindFramebuffer(GL_FRAMEBUFFER, target);
            glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                                  GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &depthType);
            EXPECT_NE(depthType, GL_NONE) << "no depth buffer";
            glViewport(0, 0, eyeWidth, eyeHeight);
            // Left red, right blue, brighter each frame.
            glClearColor(eye == 0 ? level / 255.0f : 0.0f, 0.0f, eye == 1 ? level / 255.0f : 0.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            headset->releaseEye(eye);
        }
        headset->endFrame();
        for (int eye = 0; eye < 2; ++eye) {
            const std::array<std::uint8_t, 4> expected = {eye == 0 ? level : std::uint8_t{0}, 0,
                                                          eye == 1 ? level : std::uint8_t{0}, 255};
            std::ifstream picture(shown.path() / (eye == 0 ? "left.limg" : "right.limg"), std::ios::binary);
            picture.seekg(8 + (static_cast<std::streamoff>(eyeHeight / 2) * eyeWidth + eyeWidth / 2) * 4);
            std::array<std::uint8_t, 4> runtime{};
            picture.read(reinterpret_cast<char*>(runtime.data()), 4);
            EXPECT_EQ(runtime, expected) << "the runtime's picture of eye " << eye;

            std::array<std::uint8_t, 4> readBack{};
            glBindFramebuffer(GL_READ_FRAMEBUFFER, headset->eyeFramebuffer(eye));
            glReadPixels(eyeWidth / 2, eyeHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, readBack.data());
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            EXPECT_EQ(readBack, expected) << "eye " << eye << " read back";
        }
    }
}

} // namespace
