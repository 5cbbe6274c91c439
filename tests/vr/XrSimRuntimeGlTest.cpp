// The simulated runtime refuses the application mistakes real runtimes refuse,
// so that the headset code passing against it means something.

#include "GlTest.h"
#include "platform/XrGraphicsBinding.h"

#include <GLFW/glfw3.h>
#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

#include <cstring>
#include <memory>
#include <ostream>

namespace {

constexpr XrViewConfigurationType stereo = XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO;

/// Instance, session and one swapchain of the simulated runtime, made with the
/// raw API so each step can be left out or done in the wrong order.
class RawSession : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        const char* extensions[] = {XR_KHR_OPENGL_ENABLE_EXTENSION_NAME};
        XrInstanceCreateInfo info{XR_TYPE_INSTANCE_CREATE_INFO};
        std::strcpy(info.applicationInfo.applicationName, "ZOT test");
        info.applicationInfo.apiVersion = XR_MAKE_VERSION(1, 0, 0);
        info.enabledExtensionCount = 1;
        info.enabledExtensionNames = extensions;
        ASSERT_EQ(xrCreateInstance(&info, &instance), XR_SUCCESS);
        XrSystemGetInfo systemInfo{XR_TYPE_SYSTEM_GET_INFO};
        systemInfo.formFactor = XR_FORM_FACTOR_HEAD_MOUNTED_DISPLAY;
        ASSERT_EQ(xrGetSystem(instance, &systemInfo, &system), XR_SUCCESS);
        std::string error;
        binding = XrGraphicsBinding::forWindow(glfwGetCurrentContext(), error);
        ASSERT_TRUE(binding) << error;
    }

    void TearDown() override
    {
        if (swapchain != XR_NULL_HANDLE)
            xrDestroySwapchain(swapchain);
        if (space != XR_NULL_HANDLE)
            xrDestroySpace(space);
        if (session != XR_NULL_HANDLE)
            xrDestroySession(session);
        if (instance != XR_NULL_HANDLE)
            xrDestroyInstance(instance);
        GlTest::TearDown();
    }

    XrResult queryRequirements()
    {
        PFN_xrGetOpenGLGraphicsRequirementsKHR getRequirements = nullptr;
        xrGetInstanceProcAddr(instance, "xrGetOpenGLGraphicsRequirementsKHR",
                              reinterpret_cast<PFN_xrVoidFunction*>(&getRequirements));
        XrGraphicsRequirementsOpenGLKHR requirements{XR_TYPE_GRAPHICS_REQUIREMENTS_OPENGL_KHR};
        return getRequirements(instance, system, &requirements);
    }

    XrResult createSession()
    {
        XrSessionCreateInfo info{XR_TYPE_SESSION_CREATE_INFO};
        info.next = binding->chain();
        info.systemId = system;
        return xrCreateSession(instance, &info, &session);
    }

    /// A begun session with a view space and one 64 × 64 swapchain.
    void startSession()
    {
        ASSERT_EQ(queryRequirements(), XR_SUCCESS);
        ASSERT_EQ(createSession(), XR_SUCCESS);
        XrSessionBeginInfo beginInfo{XR_TYPE_SESSION_BEGIN_INFO};
        beginInfo.primaryViewConfigurationType = stereo;
        ASSERT_EQ(xrBeginSession(session, &beginInfo), XR_SUCCESS);
        XrReferenceSpaceCreateInfo spaceInfo{XR_TYPE_REFERENCE_SPACE_CREATE_INFO};
        spaceInfo.referenceSpaceType = XR_REFERENCE_SPACE_TYPE_VIEW;
        spaceInfo.poseInReferenceSpace.orientation.w = 1.0f;
        ASSERT_EQ(xrCreateReferenceSpace(session, &spaceInfo, &space), XR_SUCCESS);
        XrSwapchainCreateInfo swapchainInfo{XR_TYPE_SWAPCHAIN_CREATE_INFO};
        swapchainInfo.format = GL_SRGB8_ALPHA8;
        swapchainInfo.sampleCount = swapchainInfo.faceCount = swapchainInfo.arraySize = swapchainInfo.mipCount = 1;
        swapchainInfo.width = swapchainInfo.height = 64;
        ASSERT_EQ(xrCreateSwapchain(session, &swapchainInfo, &swapchain), XR_SUCCESS);
    }

    XrResult waitAndBegin()
    {
        XrFrameState state{XR_TYPE_FRAME_STATE};
        if (const XrResult result = xrWaitFrame(session, nullptr, &state); XR_FAILED(result))
            return result;
        displayTime = state.predictedDisplayTime;
        return xrBeginFrame(session, nullptr);
    }

    /// Ends the frame with one projection layer showing the swapchain in both eyes.
    XrResult endWithLayer()
    {
        XrCompositionLayerProjectionView views[2];
        for (auto& view : views) {
            view = {XR_TYPE_COMPOSITION_LAYER_PROJECTION_VIEW};
            view.pose.orientation.w = 1.0f;
            view.subImage.swapchain = swapchain;
            view.subImage.imageRect = {{0, 0}, {64, 64}};
        }
        XrCompositionLayerProjection layer{XR_TYPE_COMPOSITION_LAYER_PROJECTION};
        layer.space = space;
        layer.viewCount = 2;
        layer.views = views;
        const auto* header = reinterpret_cast<const XrCompositionLayerBaseHeader*>(&layer);
        XrFrameEndInfo info{XR_TYPE_FRAME_END_INFO};
        info.displayTime = displayTime;
        info.environmentBlendMode = XR_ENVIRONMENT_BLEND_MODE_OPAQUE;
        info.layerCount = 1;
        info.layers = &header;
        return xrEndFrame(session, &info);
    }

    XrResult acquireAndRelease(bool wait)
    {
        std::uint32_t index = 0;
        if (const XrResult result = xrAcquireSwapchainImage(swapchain, nullptr, &index); XR_FAILED(result))
            return result;
        XrSwapchainImageWaitInfo waitInfo{XR_TYPE_SWAPCHAIN_IMAGE_WAIT_INFO};
        waitInfo.timeout = XR_INFINITE_DURATION;
        if (wait)
            if (const XrResult result = xrWaitSwapchainImage(swapchain, &waitInfo); XR_FAILED(result))
                return result;
        return xrReleaseSwapchainImage(swapchain, nullptr);
    }

public:
    // Application mistakes, and the right way, one call each.
    XrResult beginWithoutWait() { return xrBeginFrame(session, nullptr); }
    XrResult endWithoutBegin()
    {
        XrFrameState state{XR_TYPE_FRAME_STATE};
        xrWaitFrame(session, nullptr, &state);
        displayTime = state.predictedDisplayTime;
        return endWithLayer();
    }
    XrResult layerWithoutImage() { return XR_FAILED(waitAndBegin()) ? XR_ERROR_RUNTIME_FAILURE : endWithLayer(); }
    XrResult releaseWithoutWait() { return acquireAndRelease(false); }
    XrResult endSessionWhileRunning() { return xrEndSession(session); }
    XrResult correctFrame()
    {
        if (XR_FAILED(waitAndBegin()) || XR_FAILED(acquireAndRelease(true)))
            return XR_ERROR_RUNTIME_FAILURE;
        return endWithLayer();
    }

protected:
    XrInstance instance = XR_NULL_HANDLE;
    XrSystemId system = XR_NULL_SYSTEM_ID;
    std::unique_ptr<XrGraphicsBinding> binding;
    XrSession session = XR_NULL_HANDLE;
    XrSpace space = XR_NULL_HANDLE;
    XrSwapchain swapchain = XR_NULL_HANDLE;
    XrTime displayTime = 0;
};

TEST_F(RawSession, ASessionNeedsTheGraphicsRequirementsAskedFirst)
{
    EXPECT_EQ(createSession(), XR_ERROR_GRAPHICS_REQUIREMENTS_CALL_MISSING);
    ASSERT_EQ(queryRequirements(), XR_SUCCESS);
    EXPECT_EQ(createSession(), XR_SUCCESS);
}

struct MistakeCase {
    const char* name;
    XrResult (RawSession::*mistake)();
    XrResult expected;
};

void PrintTo(const MistakeCase& c, std::ostream* out)
{
    *out << c.name;
}

class RuntimeRefuses : public RawSession, public testing::WithParamInterface<MistakeCase> {};

TEST_P(RuntimeRefuses, ApplicationMistakes)
{
    ASSERT_NO_FATAL_FAILURE(startSession());
    EXPECT_EQ((this->*GetParam().mistake)(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, RuntimeRefuses,
    testing::Values(MistakeCase{"beginFrameWithoutWait", &RawSession::beginWithoutWait, XR_ERROR_CALL_ORDER_INVALID},
                    MistakeCase{"endFrameWithoutBegin", &RawSession::endWithoutBegin, XR_ERROR_CALL_ORDER_INVALID},
                    MistakeCase{"layerWithoutReleasedImage", &RawSession::layerWithoutImage, XR_ERROR_LAYER_INVALID},
                    MistakeCase{"releaseWithoutWait", &RawSession::releaseWithoutWait, XR_ERROR_CALL_ORDER_INVALID},
                    MistakeCase{"endSessionBeforeStopping", &RawSession::endSessionWhileRunning,
                                XR_ERROR_SESSION_NOT_STOPPING},
                    // The same steps in the right order are accepted.
                    MistakeCase{"correctFrame", &RawSession::correctFrame, XR_SUCCESS}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
