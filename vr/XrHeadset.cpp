#include "XrHeadset.h"

#include "XrCheck.h"
#include "XrSwapchainFormat.h"
#include "platform/XrGraphicsBinding.h"

#include <GL/glew.h>
#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr_platform.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

constexpr float nearZ = 0.1f;
constexpr float farZ = 5000.0f;
constexpr XrViewConfigurationType stereo = XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;
constexpr XrPosef identityPose{{0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f}};

// How long teardown waits for the runtime to let a running session stop.
constexpr auto stopTimeout = std::chrono::seconds(1);

bool offers(const std::vector<XrExtensionProperties>& extensions, const char* name)
{
    for (const auto& extension : extensions)
        if (std::strcmp(extension.extensionName, name) == 0)
            return true;
    return false;
}

} // namespace

// Runs an OpenXR call and keeps its text with the result when it fails.
#define XR_TRY(call) succeeded((call), #call)
// The same for calls made every frame: failures are printed as warnings.
#define XR_REPORT(call) report((call), #call)

bool XrHeadset::succeeded(XrResult result, const char* callText)
{
    if (XR_SUCCEEDED(result))
        return true;
    failure_ = xrCallFailure(instance_, result, callText);
    return false;
}

bool XrHeadset::report(XrResult result, const char* callText)
{
    if (XR_SUCCEEDED(result))
        return true;
    const std::string message = xrCallFailure(instance_, result, callText);
    // Each failure once: a call failing every frame would flood the console.
    if (message != lastReported_) {
        std::fprintf(stderr, "WARNING: OpenXR %s\n", message.c_str());
        lastReported_ = message;
    }
    // Nothing will come of this session or instance any more; closing the
    // window is the only way on.
    if (result == XR_ERROR_SESSION_LOST || result == XR_ERROR_INSTANCE_LOST) {
        running_ = false;
        closeRequested_ = true;
    }
    return false;
}

bool XrHeadset::startRuntime(std::uint32_t& renderWidth, std::uint32_t& renderHeight)
{
    XrResult result = XR_SUCCESS;
    auto failed = [&] {
        std::fprintf(stderr, "OpenXR Initialization Error: %s\n", xrResultName(instance_, result).c_str());
        return false;
    };

    std::uint32_t count = 0;
    if (XR_FAILED(result = xrEnumerateInstanceExtensionProperties(nullptr, 0, &count, nullptr)))
        return failed();
    std::vector<XrExtensionProperties> offered(count, {XR_TYPE_EXTENSION_PROPERTIES});
    if (XR_FAILED(result = xrEnumerateInstanceExtensionProperties(nullptr, count, &count, offered.data())))
        return failed();
    refreshRateOffered_ = offers(offered, XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);

    std::vector<const char*> extensions{XR_KHR_OPENGL_ENABLE_EXTENSION_NAME};
    if (refreshRateOffered_)
        extensions.push_back(XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);
    XrInstanceCreateInfo createInfo{XR_TYPE_INSTANCE_CREATE_INFO};
    std::strcpy(createInfo.applicationInfo.applicationName, "ZOT");
    std::strcpy(createInfo.applicationInfo.engineName, "ZOT");
    createInfo.applicationInfo.applicationVersion = 1;
    // 1.0 is what loaders and runtimes of the 1.0 line all accept.
    createInfo.applicationInfo.apiVersion = XR_MAKE_VERSION(1, 0, 0);
    createInfo.enabledExtensionCount = static_cast<std::uint32_t>(extensions.size());
    createInfo.enabledExtensionNames = extensions.data();
    if (XR_FAILED(result = xrCreateInstance(&createInfo, &instance_)))
        return failed();

    XrSystemGetInfo systemInfo{XR_TYPE_SYSTEM_GET_INFO};
    systemInfo.formFactor = XR_FORM_FACTOR_HEAD_MOUNTED_DISPLAY;
    if (XR_FAILED(result = xrGetSystem(instance_, &systemInfo, &systemId_)))
        return failed();
    XrInstanceProperties instanceProperties{XR_TYPE_INSTANCE_PROPERTIES};
    if (XR_FAILED(result = xrGetInstanceProperties(instance_, &instanceProperties)))
        return failed();
    XrSystemProperties systemProperties{XR_TYPE_SYSTEM_PROPERTIES};
    if (XR_FAILED(result = xrGetSystemProperties(instance_, systemId_, &systemProperties)))
        return failed();

    if (XR_FAILED(result = xrEnumerateViewConfigurationViews(instance_, systemId_, stereo, 0, &count, nullptr)))
        return failed();
    std::vector<XrViewConfigurationView> views(count, {XR_TYPE_VIEW_CONFIGURATION_VIEW});
    if (XR_FAILED(result = xrEnumerateViewConfigurationViews(instance_, systemId_, stereo, count, &count,
                                                             views.data())))
        return failed();
    // Both eyes share one size; the larger recommendation serves both.
    for (const auto& view : views) {
        width_ = std::max(width_, view.recommendedImageRectWidth);
        height_ = std::max(height_, view.recommendedImageRectHeight);
    }
    if (views.size() != 2 || width_ == 0 || height_ == 0) {
        result = XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
        return failed();
    }

    renderWidth = width_;
    renderHeight = height_;
    // The refresh rate can only be asked of a session; until then it is the
    // usual 90 Hz (createSession prints the real one when it differs).
    std::fprintf(stderr, "HMD: %s '%s' #%s (%d x %d @ %g Hz)\n", systemProperties.systemName,
                 instanceProperties.runtimeName, std::to_string(systemId_).c_str(), static_cast<int>(width_),
                 static_cast<int>(height_), static_cast<double>(frequency_));
    return true;
}

bool XrHeadset::createSession(GLFWwindow* window)
{
    auto failed = [&] {
        std::fprintf(stderr, "OpenXR session initialization failed. %s\n", failure_.c_str());
        return false;
    };
    if (instance_ == XR_NULL_HANDLE || session_ != XR_NULL_HANDLE) {
        failure_ = "The runtime is not started, or a session exists already.";
        return failed();
    }

    // The runtime names the GL versions it works with, and insists on being asked.
    PFN_xrGetOpenGLGraphicsRequirementsKHR getRequirements = nullptr;
    if (!XR_TRY(xrGetInstanceProcAddr(instance_, "xrGetOpenGLGraphicsRequirementsKHR",
                                      reinterpret_cast<PFN_xrVoidFunction*>(&getRequirements))))
        return failed();
    XrGraphicsRequirementsOpenGLKHR requirements{XR_TYPE_GRAPHICS_REQUIREMENTS_OPENGL_KHR};
    if (!XR_TRY(getRequirements(instance_, systemId_, &requirements)))
        return failed();
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    const XrVersion contextVersion = XR_MAKE_VERSION(major, minor, 0);
    if (contextVersion < requirements.minApiVersionSupported) {
        failure_ = "The GL context has version " + std::to_string(major) + "." + std::to_string(minor)
            + "; the runtime needs at least " + std::to_string(XR_VERSION_MAJOR(requirements.minApiVersionSupported))
            + "." + std::to_string(XR_VERSION_MINOR(requirements.minApiVersionSupported)) + ".";
        return failed();
    }

    const auto binding = XrGraphicsBinding::forWindow(window, failure_);
    if (!binding)
        return failed();
    XrSessionCreateInfo sessionInfo{XR_TYPE_SESSION_CREATE_INFO};
    sessionInfo.next = binding->chain();
    sessionInfo.systemId = systemId_;
    if (!XR_TRY(xrCreateSession(instance_, &sessionInfo, &session_)))
        return failed();

    if (refreshRateOffered_) {
        PFN_xrGetDisplayRefreshRateFB getRefreshRate = nullptr;
        float rate = 0.0f;
        if (XR_REPORT(xrGetInstanceProcAddr(instance_, "xrGetDisplayRefreshRateFB",
                                            reinterpret_cast<PFN_xrVoidFunction*>(&getRefreshRate)))
            && XR_REPORT(getRefreshRate(session_, &rate)) && rate > 0.0f && rate != frequency_) {
            frequency_ = rate;
            std::fprintf(stderr, "HMD: display refresh rate %g Hz\n", static_cast<double>(frequency_));
        }
    }

    // Head-locked: the scene moves with the head, as the eye pictures are drawn.
    XrReferenceSpaceCreateInfo spaceInfo{XR_TYPE_REFERENCE_SPACE_CREATE_INFO};
    spaceInfo.referenceSpaceType = XR_REFERENCE_SPACE_TYPE_VIEW;
    spaceInfo.poseInReferenceSpace = identityPose;
    if (!XR_TRY(xrCreateReferenceSpace(session_, &spaceInfo, &viewSpace_)))
        return failed();
    if (!createSwapchains())
        return failed();

    pollEvents();
    return true;
}

bool XrHeadset::createSwapchains()
{
    std::uint32_t count = 0;
    if (!XR_TRY(xrEnumerateSwapchainFormats(session_, 0, &count, nullptr)))
        return false;
    std::vector<std::int64_t> formats(count);
    if (!XR_TRY(xrEnumerateSwapchainFormats(session_, count, &count, formats.data())))
        return false;
    const std::int64_t format = chooseSwapchainFormat(formats);
    if (format == 0) {
        failure_ = "The runtime offers no 8-bit RGBA swapchain format.";
        return false;
    }

    for (EyeSwapchain& eye : swapchains_) {
        XrSwapchainCreateInfo info{XR_TYPE_SWAPCHAIN_CREATE_INFO};
        info.usageFlags = XR_SWAPCHAIN_USAGE_COLOR_ATTACHMENT_BIT | XR_SWAPCHAIN_USAGE_TRANSFER_DST_BIT;
        info.format = format;
        info.sampleCount = 1;
        info.width = width_;
        info.height = height_;
        info.faceCount = 1;
        info.arraySize = 1;
        info.mipCount = 1;
        if (!XR_TRY(xrCreateSwapchain(session_, &info, &eye.handle)))
            return false;
        if (!XR_TRY(xrEnumerateSwapchainImages(eye.handle, 0, &count, nullptr)))
            return false;
        std::vector<XrSwapchainImageOpenGLKHR> images(count, {XR_TYPE_SWAPCHAIN_IMAGE_OPENGL_KHR});
        if (!XR_TRY(xrEnumerateSwapchainImages(eye.handle, count, &count,
                                               reinterpret_cast<XrSwapchainImageBaseHeader*>(images.data()))))
            return false;
        eye.images.clear();
        for (const auto& image : images)
            eye.images.push_back(image.image);
        if (!createImageTargets(eye))
            return false;
    }
    return true;
}

// The eyes are drawn straight into the runtime's images: a framebuffer per image
// with a depth buffer of its own, made once, so a frame only binds one.
bool XrHeadset::createImageTargets(EyeSwapchain& eye)
{
    const auto width = static_cast<GLsizei>(width_);
    const auto height = static_cast<GLsizei>(height_);
    GLint drawBinding = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawBinding);
    bool complete = true;
    for (const std::uint32_t image : eye.images) {
        GLuint depth = 0;
        glGenTextures(1, &depth);
        eye.depths.push_back(depth);
        glBindTexture(GL_TEXTURE_2D, depth);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT32, width, height, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                     nullptr);
        GLuint framebuffer = 0;
        glGenFramebuffers(1, &framebuffer);
        eye.framebuffers.push_back(framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, image, 0);
        glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
        const GLenum status = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER);
        if (status != GL_FRAMEBUFFER_COMPLETE && complete) {
            // An incomplete target draws nothing: the subject would see a blank headset.
            char text[160];
            std::snprintf(text, sizeof text,
                          "The driver cannot draw into the runtime's %d x %d images (framebuffer status 0x%x).",
                          width, height, status);
            failure_ = text;
            complete = false;
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawBinding));
    return complete;
}

// Before the swapchains go: their images must not stay attached to framebuffers
// of ours.
void XrHeadset::releaseImageTargets()
{
    for (EyeSwapchain& eye : swapchains_) {
        if (!eye.framebuffers.empty())
            glDeleteFramebuffers(static_cast<GLsizei>(eye.framebuffers.size()), eye.framebuffers.data());
        if (!eye.depths.empty())
            glDeleteTextures(static_cast<GLsizei>(eye.depths.size()), eye.depths.data());
        eye.framebuffers.clear();
        eye.depths.clear();
        eye.lastDrawn = -1;
    }
}

void XrHeadset::pollEvents()
{
    while (instance_ != XR_NULL_HANDLE) {
        XrEventDataBuffer event{XR_TYPE_EVENT_DATA_BUFFER};
        const XrResult result = xrPollEvent(instance_, &event);
        if (result != XR_SUCCESS) {
            report(result, "xrPollEvent");
            return;
        }
        switch (event.type) {
        case XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED: {
            const auto& changed = reinterpret_cast<const XrEventDataSessionStateChanged&>(event);
            if (changed.session == session_)
                handleSessionState(changed.state);
            break;
        }
        case XR_TYPE_EVENT_DATA_INSTANCE_LOSS_PENDING:
            closeRequested_ = true;
            break;
        case XR_TYPE_EVENT_DATA_DISPLAY_REFRESH_RATE_CHANGED_FB:
            frequency_ = reinterpret_cast<const XrEventDataDisplayRefreshRateChangedFB&>(event).toDisplayRefreshRate;
            std::fprintf(stderr, "HMD: display refresh rate %g Hz\n", static_cast<double>(frequency_));
            break;
        default:
            break;
        }
    }
}

void XrHeadset::handleSessionState(XrSessionState state)
{
    sessionState_ = state;
    switch (state) {
    case XR_SESSION_STATE_READY: {
        XrSessionBeginInfo beginInfo{XR_TYPE_SESSION_BEGIN_INFO};
        beginInfo.primaryViewConfigurationType = stereo;
        if (XR_TRY(xrBeginSession(session_, &beginInfo))) {
            running_ = true;
        } else {
            std::fprintf(stderr, "OpenXR session initialization failed. %s\n", failure_.c_str());
            closeRequested_ = true;
        }
        break;
    }
    case XR_SESSION_STATE_STOPPING:
        XR_REPORT(xrEndSession(session_));
        running_ = false;
        closeRequested_ = true;
        break;
    case XR_SESSION_STATE_EXITING:
    case XR_SESSION_STATE_LOSS_PENDING:
        closeRequested_ = true;
        break;
    default:
        break;
    }
}

HeadsetFrame XrHeadset::beginFrame()
{
    pollEvents();
    HeadsetFrame frame;
    frame.projections = projections_;
    if (!running_) {
        // No frames to wait for: keep the loop near the display's pace anyway.
        std::this_thread::sleep_for(std::chrono::duration<float>(1.0f / frequency_));
        return frame;
    }

    XrFrameWaitInfo waitInfo{XR_TYPE_FRAME_WAIT_INFO};
    XrFrameState frameState{XR_TYPE_FRAME_STATE};
    if (!XR_REPORT(xrWaitFrame(session_, &waitInfo, &frameState)))
        return frame;
    XrFrameBeginInfo beginInfo{XR_TYPE_FRAME_BEGIN_INFO};
    if (!XR_REPORT(xrBeginFrame(session_, &beginInfo)))
        return frame;

    frameBegun_ = true;
    displayTime_ = frameState.predictedDisplayTime;
    submitted_ = {false, false};
    shouldRender_ = frameState.shouldRender == XR_TRUE && locateViews();

    frame.shouldRender = shouldRender_;
    frame.projections = projections_;
    frame.predictedDisplayTime = frameState.predictedDisplayTime;
    frame.predictedDisplayPeriod = frameState.predictedDisplayPeriod;
    return frame;
}

bool XrHeadset::locateViews()
{
    XrViewLocateInfo locateInfo{XR_TYPE_VIEW_LOCATE_INFO};
    locateInfo.viewConfigurationType = stereo;
    locateInfo.displayTime = displayTime_;
    locateInfo.space = viewSpace_;
    XrViewState viewState{XR_TYPE_VIEW_STATE};
    views_ = {XrView{XR_TYPE_VIEW}, XrView{XR_TYPE_VIEW}};
    std::uint32_t count = 0;
    if (!XR_REPORT(xrLocateViews(session_, &locateInfo, &viewState, 2, &count, views_.data())) || count != 2)
        return false;
    // Without a known orientation the pictures would be shown in the wrong place.
    if ((viewState.viewStateFlags & XR_VIEW_STATE_ORIENTATION_VALID_BIT) == 0)
        return false;
    for (std::size_t eye = 0; eye < 2; ++eye)
        projections_[eye] = projectionFromFov(views_[eye].fov, nearZ, farZ);
    return true;
}

unsigned int XrHeadset::acquireEye(int eye)
{
    if (!frameBegun_ || !shouldRender_ || eye < 0 || eye > 1)
        return 0;
    EyeSwapchain& swapchain = swapchains_[static_cast<std::size_t>(eye)];
    if (swapchain.acquired >= 0)
        return swapchain.framebuffers[static_cast<std::size_t>(swapchain.acquired)];
    XrSwapchainImageAcquireInfo acquireInfo{XR_TYPE_SWAPCHAIN_IMAGE_ACQUIRE_INFO};
    std::uint32_t index = 0;
    if (!XR_REPORT(xrAcquireSwapchainImage(swapchain.handle, &acquireInfo, &index)))
        return 0;
    XrSwapchainImageWaitInfo waitInfo{XR_TYPE_SWAPCHAIN_IMAGE_WAIT_INFO};
    waitInfo.timeout = XR_INFINITE_DURATION;
    if (!XR_REPORT(xrWaitSwapchainImage(swapchain.handle, &waitInfo)) || index >= swapchain.framebuffers.size()) {
        // Acquired but not usable: hand it back so the swapchain keeps turning.
        XrSwapchainImageReleaseInfo releaseInfo{XR_TYPE_SWAPCHAIN_IMAGE_RELEASE_INFO};
        xrReleaseSwapchainImage(swapchain.handle, &releaseInfo);
        return 0;
    }
    swapchain.acquired = static_cast<int>(index);
    return swapchain.framebuffers[index];
}

void XrHeadset::releaseEye(int eye)
{
    if (eye < 0 || eye > 1)
        return;
    EyeSwapchain& swapchain = swapchains_[static_cast<std::size_t>(eye)];
    if (swapchain.acquired < 0)
        return;
    XrSwapchainImageReleaseInfo releaseInfo{XR_TYPE_SWAPCHAIN_IMAGE_RELEASE_INFO};
    submitted_[static_cast<std::size_t>(eye)] = XR_REPORT(xrReleaseSwapchainImage(swapchain.handle, &releaseInfo));
    swapchain.lastDrawn = swapchain.acquired;
    swapchain.acquired = -1;
}

void XrHeadset::submitEye(int eye, unsigned int framebuffer)
{
    const unsigned int target = acquireEye(eye);
    if (target == 0)
        return;
    copyIntoImage(framebuffer, target);
    releaseEye(eye);
}

unsigned int XrHeadset::eyeFramebuffer(int eye) const
{
    if (eye < 0 || eye > 1)
        return 0;
    const EyeSwapchain& swapchain = swapchains_[static_cast<std::size_t>(eye)];
    return swapchain.lastDrawn < 0 ? 0 : swapchain.framebuffers[static_cast<std::size_t>(swapchain.lastDrawn)];
}

void XrHeadset::copyIntoImage(unsigned int source, unsigned int target) const
{
    GLint readBinding = 0;
    GLint drawBinding = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readBinding);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawBinding);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    const GLboolean srgb = glIsEnabled(GL_FRAMEBUFFER_SRGB);
    // A blit is clipped by the scissor box and would encode into an sRGB image
    // with GL_FRAMEBUFFER_SRGB on; the bytes are to arrive as they are.
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_FRAMEBUFFER_SRGB);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    const auto width = static_cast<GLint>(width_);
    const auto height = static_cast<GLint>(height_);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readBinding));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawBinding));
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
    if (srgb)
        glEnable(GL_FRAMEBUFFER_SRGB);
}

void XrHeadset::endFrame()
{
    // An image still held cannot be shown, and the runtime wants it back.
    for (int eye = 0; eye < 2; ++eye)
        if (swapchains_[static_cast<std::size_t>(eye)].acquired >= 0) {
            releaseEye(eye);
            submitted_[static_cast<std::size_t>(eye)] = false;
        }
    if (frameBegun_) {
        std::array<XrCompositionLayerProjectionView, 2> views{};
        XrCompositionLayerProjection layer{XR_TYPE_COMPOSITION_LAYER_PROJECTION};
        std::vector<const XrCompositionLayerBaseHeader*> layers;
        if (shouldRender_ && submitted_[0] && submitted_[1]) {
            for (std::size_t eye = 0; eye < 2; ++eye) {
                views[eye] = {XR_TYPE_COMPOSITION_LAYER_PROJECTION_VIEW};
                views[eye].pose = views_[eye].pose;
                views[eye].fov = views_[eye].fov;
                views[eye].subImage.swapchain = swapchains_[eye].handle;
                views[eye].subImage.imageRect = {{0, 0}, {static_cast<std::int32_t>(width_), static_cast<std::int32_t>(height_)}};
                views[eye].subImage.imageArrayIndex = 0;
            }
            layer.space = viewSpace_;
            layer.viewCount = 2;
            layer.views = views.data();
            layers.push_back(reinterpret_cast<const XrCompositionLayerBaseHeader*>(&layer));
        }
        XrFrameEndInfo endInfo{XR_TYPE_FRAME_END_INFO};
        endInfo.displayTime = displayTime_;
        endInfo.environmentBlendMode = XR_ENVIRONMENT_BLEND_MODE_OPAQUE;
        endInfo.layerCount = static_cast<std::uint32_t>(layers.size());
        endInfo.layers = layers.data();
        XR_REPORT(xrEndFrame(session_, &endInfo));
        frameBegun_ = false;
        shouldRender_ = false;
    }
    pollEvents();
}

void XrHeadset::requestExit()
{
    if (running_ && sessionState_ != XR_SESSION_STATE_STOPPING)
        XR_REPORT(xrRequestExitSession(session_));
}

void XrHeadset::endRunningSession()
{
    if (!running_)
        return;
    requestExit();
    // The STOPPING state ends the session in handleSessionState.
    const auto deadline = std::chrono::steady_clock::now() + stopTimeout;
    while (running_ && std::chrono::steady_clock::now() < deadline) {
        pollEvents();
        if (running_)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

XrHeadset::~XrHeadset()
{
    if (session_ != XR_NULL_HANDLE)
        endRunningSession();
    releaseImageTargets();
    for (auto eye = swapchains_.rbegin(); eye != swapchains_.rend(); ++eye)
        if (eye->handle != XR_NULL_HANDLE)
            xrDestroySwapchain(eye->handle);
    if (viewSpace_ != XR_NULL_HANDLE)
        xrDestroySpace(viewSpace_);
    if (session_ != XR_NULL_HANDLE)
        xrDestroySession(session_);
    if (instance_ != XR_NULL_HANDLE)
        xrDestroyInstance(instance_);
}
