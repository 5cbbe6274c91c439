// Frame timing of the headset path: runs frames with trivial drawing (a clear
// per eye, the mirror blit, a buffer swap) against an OpenXR runtime, by default
// the simulated one, and prints how many display periods were missed, how long
// the per-frame work takes, and how long start-up takes to the first submitted
// frame. Needs an X display:
//
//     ../tests/support/with_xvfb.sh 1920x1080 ./tools/bench/zot_xr_bench [frames] [--no-submit]
//
// --no-submit leaves the GL work out (no clears, copies, mirror or swap): what
// is left is the pacing and the headset's own bookkeeping. --direct clears
// straight into the runtime's images and takes the mirror from the right eye's,
// as zot draws, instead of clearing targets of its own and copying them over.

#include "Spread.h"
#include "platform/TestPlatform.h"
#include "XrHeadset.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

/// Display periods skipped since the last frame: consecutive frames are one
/// period apart on the display, a larger step means a picture was shown twice.
int periodsSkipped(const HeadsetFrame& frame, XrTime& lastDisplay)
{
    int skipped = 0;
    if (lastDisplay != 0 && frame.predictedDisplayPeriod > 0) {
        const XrTime step = frame.predictedDisplayTime - lastDisplay;
        skipped = static_cast<int>((step + frame.predictedDisplayPeriod / 2) / frame.predictedDisplayPeriod) - 1;
    }
    lastDisplay = frame.predictedDisplayTime;
    return skipped;
}

/// How long after the runtime's vsync tick beginFrame returned: the sleep's
/// overshoot plus xrBeginFrame and locating the views. The simulated runtime
/// wakes a frame one period before its display time, on the steady clock.
double wakeLatencyMs(const HeadsetFrame& frame, Clock::time_point returned)
{
    const XrTime wake = frame.predictedDisplayTime - frame.predictedDisplayPeriod;
    const auto returnedNs = std::chrono::duration_cast<std::chrono::nanoseconds>(returned.time_since_epoch()).count();
    return static_cast<double>(returnedNs - wake) / 1e6;
}

struct EyeTarget {
    GLuint texture = 0;
    GLuint framebuffer = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int frames = 900;
    bool submit = true;
    bool direct = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-submit")
            submit = false;
        else if (std::string(argv[i]) == "--direct")
            direct = true;
        else
            frames = std::max(1, std::atoi(argv[i]));
    }
    setEnvironmentDefault("XR_RUNTIME_JSON", ZOT_XRSIM_MANIFEST);
    setEnvironmentDefault("ZOT_XRSIM_STATS", "1");

    const auto start = Clock::now();
    int exitCode = 0;
    if (!glfwInit())
        return 2;
    {
        XrHeadset headset;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        if (!headset.startRuntime(width, height)) {
            glfwTerminate();
            return 2;
        }
        const int mirrorWidth = static_cast<int>(width * 720 / height);
        const int mirrorHeight = 720;
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
        glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
        GLFWwindow* window = glfwCreateWindow(mirrorWidth, mirrorHeight, "ZOT bench", nullptr, nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "ERROR: could not open window with GLFW\n");
            glfwTerminate();
            return 2;
        }
        glfwMakeContextCurrent(window);
        glewExperimental = GL_TRUE;
        glewInit();
        while (glGetError() != GL_NO_ERROR) {
        }
        glfwSwapInterval(0);
        GLuint vertexArray = 0;
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);

        if (!headset.createSession(window)) {
            exitCode = 2;
        } else {
            EyeTarget eyes[2];
            for (EyeTarget& eye : eyes) {
                glGenTextures(1, &eye.texture);
                glBindTexture(GL_TEXTURE_2D, eye.texture);
                glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0,
                             GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
                glGenFramebuffers(1, &eye.framebuffer);
                glBindFramebuffer(GL_FRAMEBUFFER, eye.framebuffer);
                glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, eye.texture, 0);
            }

            std::vector<double> wakeLatencies, eyeTimes, endTimes, mirrorTimes, workTimes;
            double startupMs = -1.0;
            int missed = 0;
            int rendered = 0;
            XrTime lastDisplay = 0;
            for (int i = 0; i < frames && !headset.shouldClose(); ++i) {
                const HeadsetFrame frame = headset.beginFrame();
                const auto b = Clock::now();
                if (!submit) {
                    headset.endFrame();
                    const auto c = Clock::now();
                    if (frame.shouldRender) {
                        ++rendered;
                        if (startupMs < 0.0)
                            startupMs = milliseconds(c - start);
                        missed += periodsSkipped(frame, lastDisplay);
                        wakeLatencies.push_back(wakeLatencyMs(frame, b));
                        endTimes.push_back(milliseconds(c - b));
                    }
                    continue;
                }
                const auto mirror = [&](GLuint source) {
                    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
                    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
                    glViewport(0, 0, mirrorWidth, mirrorHeight);
                    glBlitFramebuffer(0, 0, static_cast<GLint>(width), static_cast<GLint>(height), 0, 0,
                                      mirrorWidth, mirrorHeight, GL_COLOR_BUFFER_BIT, GL_LINEAR);
                    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
                };
                for (int eye = 0; eye < 2; ++eye) {
                    const GLuint target = direct ? headset.acquireEye(eye) : eyes[eye].framebuffer;
                    glBindFramebuffer(GL_FRAMEBUFFER, target);
                    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
                    glClearColor(eye == 0 ? 0.8f : 0.1f, 0.2f, eye == 0 ? 0.1f : 0.8f, 1.0f);
                    glClear(GL_COLOR_BUFFER_BIT);
                    if (!direct) {
                        headset.submitEye(eye, eyes[eye].framebuffer);
                        continue;
                    }
                    if (eye == 1)
                        mirror(target);
                    headset.releaseEye(eye);
                }
                const auto c = Clock::now();
                headset.endFrame();
                const auto d = Clock::now();
                if (!direct)
                    mirror(eyes[1].framebuffer);
                glfwSwapBuffers(window);
                glfwPollEvents();
                const auto e = Clock::now();

                if (!frame.shouldRender)
                    continue;
                ++rendered;
                if (startupMs < 0.0)
                    startupMs = milliseconds(d - start);
                missed += periodsSkipped(frame, lastDisplay);
                wakeLatencies.push_back(wakeLatencyMs(frame, b));
                eyeTimes.push_back(milliseconds(c - b));
                endTimes.push_back(milliseconds(d - c));
                mirrorTimes.push_back(milliseconds(e - d));
                workTimes.push_back(milliseconds(e - b));
            }

            std::printf("frames rendered: %d, display periods missed: %d (frequency %g Hz)\n", rendered, missed,
                        static_cast<double>(headset.displayFrequency()));
            std::printf("start-up to the first %s frame: %.1f ms\n", submit ? "submitted" : "renderable", startupMs);
            printSpread("beginFrame return after the tick:", wakeLatencies);
            printSpread("two eyes cleared and submitted:", eyeTimes);
            printSpread(submit ? "endFrame:" : "endFrame (no layers):", endTimes);
            printSpread("mirror blit, swap, events:", mirrorTimes);
            printSpread("whole work after the wait:", workTimes);

            for (EyeTarget& eye : eyes) {
                glDeleteFramebuffers(1, &eye.framebuffer);
                glDeleteTextures(1, &eye.texture);
            }
        }
        glDeleteVertexArrays(1, &vertexArray);
        // The headset goes while the context is current; the window after it.
    }
    glfwTerminate();
    return exitCode;
}
