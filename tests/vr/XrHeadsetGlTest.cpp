// The headset's frame loop against the simulated runtime on a real GL context:
// GL state around a submitted eye, pacing, and the ways a session ends. What
// the eyes show is checked through the renderer (HeadsetRendererTest).

#include "GlName.h"
#include "GlTest.h"
#include "XrHeadset.h"

#include <GLFW/glfw3.h>

#include <chrono>
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

} // namespace
