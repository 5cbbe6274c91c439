// The headset's frame loop against the simulated runtime on a real GL context:
// pictures submitted per eye, pacing, and the ways a session ends.

#include "GlName.h"
#include "GlTest.h"
#include "Limg.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "XrHeadset.h"

#include <GLFW/glfw3.h>

#include <chrono>
#include <fstream>
#include <functional>
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

void clearRect(Rgba colour, int x, int y, int width, int height)
{
    glScissor(x, y, width, height);
    glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

/// Upper half one colour, lower half another, and the lower-left quarter a
/// third: any flip or mirror of the picture moves a colour. The values are
/// off 0 and 255 so that an sRGB conversion on the way would change them.
struct EyePicture {
    Rgba top, bottom, bottomLeft;

    void draw(const EyeTarget& target) const
    {
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer.get());
        glViewport(0, 0, eyeWidth, eyeHeight);
        glEnable(GL_SCISSOR_TEST);
        clearRect(bottom, 0, 0, eyeWidth, eyeHeight / 2);
        clearRect(bottomLeft, 0, 0, eyeWidth / 2, eyeHeight / 2);
        clearRect(top, 0, eyeHeight / 2, eyeWidth, eyeHeight / 2);
        glDisable(GL_SCISSOR_TEST);
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

    /// One frame as the renderer runs it: both eyes drawn and submitted.
    HeadsetFrame runFrame(XrHeadset& headset, const std::function<void(int)>& drawEye = {})
    {
        const HeadsetFrame frame = headset.beginFrame();
        if (frame.shouldRender) {
            for (int eye = 0; eye < 2; ++eye) {
                if (drawEye)
                    drawEye(eye);
                headset.submitEye(eye, eyes_[eye].framebuffer.get());
            }
        }
        headset.endFrame();
        return frame;
    }

    EyeTarget eyes_[2];
};

void expectPicture(const LimgImage& image, const EyePicture& picture)
{
    ASSERT_EQ(image.width, static_cast<std::uint32_t>(eyeWidth));
    ASSERT_EQ(image.height, static_cast<std::uint32_t>(eyeHeight));
    auto at = [&](int x, int y) {
        const std::size_t i = (static_cast<std::size_t>(y) * eyeWidth + static_cast<std::size_t>(x)) * 4;
        return Rgba{image.pixels[i], image.pixels[i + 1], image.pixels[i + 2], image.pixels[i + 3]};
    };
    // Row 0 of the file is the top of the picture.
    EXPECT_EQ(at(10, 0), picture.top);
    EXPECT_EQ(at(eyeWidth - 10, 10), picture.top);
    EXPECT_EQ(at(eyeWidth - 10, eyeHeight - 1), picture.bottom);
    EXPECT_EQ(at(10, eyeHeight - 1), picture.bottomLeft);
    EXPECT_EQ(at(eyeWidth / 2 - 1, eyeHeight / 2), picture.bottomLeft);
    EXPECT_EQ(at(eyeWidth / 2, eyeHeight / 2), picture.bottom);
    EXPECT_EQ(at(eyeWidth / 2 - 1, eyeHeight / 2 - 1), picture.top);
}

TEST_F(XrHeadsetGlTest, EachEyeShowsItsOwnPictureTheRightWayUp)
{
    TempDir capture;
    const ScopedEnv captureDir("ZOT_XRSIM_CAPTURE_DIR", capture.path().string());
    const EyePicture pictures[2] = {
        {{200, 60, 30, 255}, {30, 200, 60, 255}, {90, 90, 140, 255}},
        {{40, 50, 210, 255}, {220, 210, 40, 255}, {120, 30, 170, 255}},
    };
    int framesShown = 0;
    {
        auto headset = startHeadset();
        ASSERT_TRUE(headset);
        for (int i = 0; i < 3; ++i)
            framesShown += runFrame(*headset, [&](int eye) { pictures[eye].draw(eyes_[eye]); }).shouldRender;
        // The runtime writes the last pictures when the session ends.
    }
    ASSERT_EQ(framesShown, 3);

    const LimgRead left = readLimgFile(capture.file("left.limg"));
    const LimgRead right = readLimgFile(capture.file("right.limg"));
    ASSERT_EQ(left.fault, LimgFault::none);
    ASSERT_EQ(right.fault, LimgFault::none);
    {
        SCOPED_TRACE("left eye");
        expectPicture(left.image, pictures[0]);
    }
    {
        SCOPED_TRACE("right eye");
        expectPicture(right.image, pictures[1]);
    }
    std::ifstream frameFile(capture.file("frame.txt"));
    int frameNumber = 0;
    frameFile >> frameNumber;
    EXPECT_EQ(frameNumber, 3);
}

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
    EXPECT_LE(elapsed.count(), 0.75);
    EXPECT_NEAR(static_cast<double>(last.predictedDisplayPeriod), 1e9 / 90.0, 1e3);
    // Each frame is due one period after the one before, unless a tick was missed.
    EXPECT_GE(last.predictedDisplayTime - first.predictedDisplayTime, 45 * last.predictedDisplayPeriod - 45);
}

struct ExitCase {
    const char* name;
    const char* exitAfterFrames; // ZOT_XRSIM_EXIT_AFTER_FRAMES, or none
    int requestExitAfter;        // frames before the program asks to quit, or -1
    int closedAfter;             // frames after which shouldClose turns true
};

void PrintTo(const ExitCase& c, std::ostream* out)
{
    *out << c.name;
}

class XrHeadsetExit : public XrHeadsetGlTest, public testing::WithParamInterface<ExitCase> {};

TEST_P(XrHeadsetExit, TheWindowShouldCloseOnceTheSessionStops)
{
    const ExitCase& exitCase = GetParam();
    const ScopedEnv exitAfter("ZOT_XRSIM_EXIT_AFTER_FRAMES",
                              exitCase.exitAfterFrames ? std::optional<std::string>(exitCase.exitAfterFrames)
                                                       : std::nullopt);
    auto headset = startHeadset();
    ASSERT_TRUE(headset);
    int frames = 0;
    while (!headset->shouldClose() && frames < 20) {
        if (frames == exitCase.requestExitAfter)
            headset->requestExit();
        runFrame(*headset);
        ++frames;
    }
    EXPECT_EQ(frames, exitCase.closedAfter);
    // Once ended, the session gives no more frames to draw.
    EXPECT_FALSE(runFrame(*headset).shouldRender);
}

INSTANTIATE_TEST_SUITE_P(Ways, XrHeadsetExit,
                         testing::Values(ExitCase{"runtimeAsksAfterFiveFrames", "5", -1, 5},
                                         ExitCase{"programAsksAfterTwoFrames", nullptr, 2, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
