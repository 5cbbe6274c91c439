// Start-up of the headset against the simulated runtime and against none.
// XR_RUNTIME_JSON names the simulated runtime's manifest (set by the build).

#include "ScopedEnv.h"
#include "TempDir.h"
#include "platform/TestPlatform.h"
#include "XrCheck.h"
#include "XrHeadset.h"

#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr_platform.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using testing::HasSubstr;

struct Startup {
    bool started = false;
    std::string messages; // standard error
};

/// Starts a headset's runtime and tears it down again.
Startup startAndStop(std::uint32_t& width, std::uint32_t& height)
{
    Startup startup;
    testing::internal::CaptureStderr();
    {
        XrHeadset headset;
        startup.started = headset.startRuntime(width, height);
    }
    startup.messages = testing::internal::GetCapturedStderr();
    return startup;
}

TEST(XrStartup, FindsTheSimulatedHeadsetAndItsEyeSize)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const Startup startup = startAndStop(width, height);
    ASSERT_TRUE(startup.started) << startup.messages;
    EXPECT_EQ(width, 1512u);
    EXPECT_EQ(height, 1680u);
    EXPECT_THAT(startup.messages, HasSubstr("HMD: ZOT Simulated HMD 'ZOT simulated runtime' #1 (1512 x 1680 @ 90 Hz)\n"));
}

TEST(XrStartup, WithoutARuntimeReportsTheErrorAndFailsCleanly)
{
    // No manifest at all, and one whose library is gone.
    for (const char* manifest : {static_cast<const char*>(nullptr),
                                 R"({"file_format_version": "1.0.0",)"
                                 R"( "runtime": {"library_path": "./libno_such_runtime.so"}})"}) {
        TempDir dir;
        if (manifest != nullptr)
            dir.write("zot_xrsim.json", manifest);
        const ScopedOpenXrRuntime runtime(dir.file("zot_xrsim.json"));
        ASSERT_TRUE(runtime.taken()) << "the registered OpenXR runtime could not be changed";

        std::uint32_t width = 7;
        std::uint32_t height = 7;
        const Startup startup = startAndStop(width, height);
        EXPECT_FALSE(startup.started);
        EXPECT_THAT(startup.messages, HasSubstr("OpenXR Initialization Error: XR_ERROR_"));
        EXPECT_THAT(startup.messages, testing::Not(HasSubstr("HMD: ")));
        EXPECT_EQ(width, 7u);
        EXPECT_EQ(height, 7u);
    }
}

// A raw instance of the simulated runtime, to ask it for entry points.
class RawInstance {
public:
    explicit RawInstance(bool withRefreshRate)
    {
        std::vector<const char*> extensions{XR_KHR_OPENGL_ENABLE_EXTENSION_NAME};
        if (withRefreshRate)
            extensions.push_back(XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);
        XrInstanceCreateInfo info{XR_TYPE_INSTANCE_CREATE_INFO};
        std::strcpy(info.applicationInfo.applicationName, "ZOT test");
        info.applicationInfo.apiVersion = XR_MAKE_VERSION(1, 0, 0);
        info.enabledExtensionCount = static_cast<std::uint32_t>(extensions.size());
        info.enabledExtensionNames = extensions.data();
        result = xrCreateInstance(&info, &instance);
    }
    ~RawInstance()
    {
        if (instance != XR_NULL_HANDLE)
            xrDestroyInstance(instance);
    }
    XrResult result = XR_SUCCESS;
    XrInstance instance = XR_NULL_HANDLE;
};

TEST(SimulatedRuntime, HandsOutOnlyWhatItHasAndWhatWasEnabled)
{
    struct Case {
        const char* name;
        bool withRefreshRate;
        XrResult expected;
    };
    for (const Case& c : {Case{"xrNoSuchFunctionZOT", true, XR_ERROR_FUNCTION_UNSUPPORTED},
                          Case{"xrGetVulkanGraphicsRequirementsKHR", true, XR_ERROR_FUNCTION_UNSUPPORTED},
                          Case{"xrGetDisplayRefreshRateFB", false, XR_ERROR_FUNCTION_UNSUPPORTED},
                          Case{"xrGetDisplayRefreshRateFB", true, XR_SUCCESS},
                          Case{"xrGetOpenGLGraphicsRequirementsKHR", false, XR_SUCCESS}}) {
        SCOPED_TRACE(testing::Message() << c.name << (c.withRefreshRate ? " with" : " without") << " refresh rate");
        const RawInstance raw(c.withRefreshRate);
        ASSERT_EQ(raw.result, XR_SUCCESS) << xrResultName(XR_NULL_HANDLE, raw.result);
        PFN_xrVoidFunction function = nullptr;
        const XrResult result = xrGetInstanceProcAddr(raw.instance, c.name, &function);
        EXPECT_EQ(result, c.expected) << xrResultName(raw.instance, result);
        EXPECT_EQ(function != nullptr, XR_SUCCEEDED(c.expected));
    }
}

TEST(SimulatedRuntime, RefusesASecondInstanceAndAcceptsOneAfterTheFirstIsGone)
{
    {
        const RawInstance first(false);
        ASSERT_EQ(first.result, XR_SUCCESS);
        const RawInstance second(false);
        EXPECT_EQ(second.result, XR_ERROR_LIMIT_REACHED);
    }
    const RawInstance again(false);
    EXPECT_EQ(again.result, XR_SUCCESS);
}

TEST(XrResultName, NamesResultsWithAndWithoutAnInstance)
{
    const RawInstance raw(false);
    ASSERT_EQ(raw.result, XR_SUCCESS);
    for (const XrInstance instance : {XrInstance{XR_NULL_HANDLE}, raw.instance}) {
        EXPECT_EQ(xrResultName(instance, XR_ERROR_FORM_FACTOR_UNAVAILABLE), "XR_ERROR_FORM_FACTOR_UNAVAILABLE");
        EXPECT_EQ(xrResultName(instance, static_cast<XrResult>(-987654)), "XR_UNKNOWN_FAILURE_-987654");
    }
    EXPECT_EQ(xrCallFailure(raw.instance, XR_ERROR_SESSION_LOST, "xrWaitFrame(session)"),
              "xrWaitFrame(session): XR_ERROR_SESSION_LOST");
}

} // namespace
