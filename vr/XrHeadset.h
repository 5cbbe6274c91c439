#pragma once

#include "XrProjection.h"

#include <openxr/openxr.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct GLFWwindow;

/// What the renderer needs to draw one headset frame.
struct HeadsetFrame {
    /// False when the runtime will not show this frame (the session is not
    /// running or not visible): the eyes need not be drawn, and submitEye and
    /// endFrame submit nothing.
    bool shouldRender = false;
    /// Each eye's projection (0 left, 1 right) for near 0.1 and far 5000,
    /// row-major. The scene is fixed to the head, so this is the whole
    /// model-view-projection. When the views could not be located: the last
    /// located frame's, all zero before the first.
    std::array<ProjectionMatrix, 2> projections{};
    /// The runtime's prediction of when this frame reaches the display, and of
    /// the display period, in nanoseconds of the runtime's clock (XrTime).
    /// Predictions, not measurements.
    XrTime predictedDisplayTime = 0;
    XrDuration predictedDisplayPeriod = 0;
};

/// The headset, reached through an OpenXR runtime. In order of use:
/// startRuntime before the window exists (the window's size comes from it),
/// createSession once the window's GL context is current, then per frame
/// beginFrame, the eye pictures drawn and handed over with submitEye, endFrame.
/// The runtime's session states are followed inside; shouldClose tells when the
/// window should close. Destroy it while the GL context is still current: the
/// runtime's swapchain images belong to that context.
class XrHeadset {
public:
    XrHeadset() = default;
    /// Ends a running session and releases everything in reverse order of creation.
    ~XrHeadset();
    XrHeadset(const XrHeadset&) = delete;
    XrHeadset& operator=(const XrHeadset&) = delete;

    /// Creates the instance (OpenXR 1.0 with XR_KHR_opengl_enable) and finds the
    /// head-mounted display; sets the recommended per-eye size. Prints "HMD: ..."
    /// on standard error, or "OpenXR Initialization Error: <result>" and returns
    /// false, after which only destruction is left.
    bool startRuntime(std::uint32_t& renderWidth, std::uint32_t& renderHeight);

    /// Creates the session on the window's GL context (current on this thread),
    /// a head-locked reference space and one swapchain per eye. On failure prints
    /// "OpenXR session initialization failed. <reason>" on standard error and
    /// returns false.
    bool createSession(GLFWwindow* window);

    /// Follows the runtime's events, then waits for the runtime's next frame
    /// (this is the frame pacing), begins it and locates the eyes. When the
    /// session is not running it waits one display period instead.
    HeadsetFrame beginFrame();

    /// Acquires the eye's next swapchain image (eye 0 is the left eye) and
    /// returns the framebuffer that draws into it: the image as colour
    /// attachment 0 and a depth buffer of its own, at the render size. Nothing
    /// is bound. 0 when nothing is to be drawn: no frame begun, the runtime
    /// does not want this one, or the image could not be had (said once).
    unsigned int acquireEye(int eye);
    /// Hands the image acquired for the eye back to the runtime, to be shown
    /// by endFrame. Does nothing when acquireEye gave 0.
    void releaseEye(int eye);
    /// Copies the colour picture of framebuffer (a GL framebuffer name, read from
    /// its colour attachment 0, at the render size) into the eye's swapchain
    /// image: acquireEye, a copy, releaseEye. The application's framebuffer
    /// bindings are left as they were.
    void submitEye(int eye, unsigned int framebuffer);
    /// The framebuffer of the image last drawn for the eye (0 before the
    /// first). Once released the image is the runtime's; reading it back is for
    /// checks only, and it keeps the picture until the image comes round again.
    unsigned int eyeFramebuffer(int eye) const;

    /// Ends the frame: shows both eyes in one projection layer when both were
    /// submitted and the runtime wanted them, otherwise nothing. Then follows
    /// the runtime's events.
    void endFrame();

    /// Asks the runtime to end the session; shouldClose follows once it has.
    void requestExit();

    /// True once the runtime has ended the session or is about to: the window
    /// should close.
    bool shouldClose() const { return closeRequested_; }

    /// The display's refresh rate in Hz: from XR_FB_display_refresh_rate once a
    /// session exists and the runtime offers it, else 90.
    float displayFrequency() const { return frequency_; }

private:
    struct EyeSwapchain {
        XrSwapchain handle = XR_NULL_HANDLE;
        std::vector<std::uint32_t> images;       // GL texture names, owned by the runtime
        std::vector<unsigned int> framebuffers;  // one per image: the image and depths[i]
        std::vector<unsigned int> depths;        // depth textures of ours, one per image
        int acquired = -1;                       // the image acquired and not yet released
        int lastDrawn = -1;
    };

    bool succeeded(XrResult result, const char* callText);
    bool report(XrResult result, const char* callText);
    bool createSwapchains();
    bool createImageTargets(EyeSwapchain& eye);
    void releaseImageTargets();
    void pollEvents();
    void handleSessionState(XrSessionState state);
    bool locateViews();
    void copyIntoImage(unsigned int source, unsigned int target) const;
    void endRunningSession();

    XrInstance instance_ = XR_NULL_HANDLE;
    XrSystemId systemId_ = XR_NULL_SYSTEM_ID;
    bool refreshRateOffered_ = false;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    float frequency_ = 90.0f;

    XrSession session_ = XR_NULL_HANDLE;
    XrSpace viewSpace_ = XR_NULL_HANDLE;
    std::array<EyeSwapchain, 2> swapchains_{};

    XrSessionState sessionState_ = XR_SESSION_STATE_UNKNOWN;
    bool running_ = false;
    bool closeRequested_ = false;

    bool frameBegun_ = false;
    bool shouldRender_ = false;
    XrTime displayTime_ = 0;
    std::array<XrView, 2> views_{};
    std::array<bool, 2> submitted_{};
    std::array<ProjectionMatrix, 2> projections_{};

    std::string failure_;      // the last failed call, for start-up messages
    std::string lastReported_; // the last frame-time failure printed, to print each once
};
