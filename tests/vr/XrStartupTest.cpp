// Start-up of the headset against the simulated runtime and against none.
// XR_RUNTIME_JSON names the simulated runtime's manifest (set by the build).

#include "ScopedEnv.h"
#include "TempDir.h"
#include "XrCheck.h"
#include "XrHeadset.h"

#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr_platform.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

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

struct MissingRuntimeCase {
    const char* name;
    const char* manifest; // written into the temporary folder as zot_xrsim.json, or none
};

void PrintTo(const MissingRuntimeCase& c, std::ostream* out)
{
    *out << c.name;
}

class XrStartupWithoutRuntime : public testing::TestWithParam<MissingRuntimeCase> {};

TEST_P(XrStartupWithoutRuntime, ReportsTheErrorAndFailsCleanly)
{
    TempDir dir;
    if (GetParam().manifest != nullptr)
        dir.write("zot_xrsim.json", GetParam().manifest);
    const ScopedEnv runtime("XR_RUNTIME_JSON", dir.file("zot_xrsim.json"));

    std::uint32_t width = 7;
    std::uint32_t height = 7;
    const Startup startup = startAndStop(width, height);
    EXPECT_FALSE(startup.started);
    EXPECT_THAT(startup.messages, HasSubstr("OpenXR Initialization Error: XR_ERROR_"));
    EXPECT_THAT(startup.messages, testing::Not(HasSubstr("HMD: ")));
    EXPECT_EQ(width, 7u);
    EXPECT_EQ(height, 7u);
}

INSTANTIATE_TEST_SUITE_P(
    Runtimes, XrStartupWithoutRuntime,
    testing::Values(MissingRuntimeCase{"noManifest", nullptr},
                    MissingRuntimeCase{"manifestWithoutLibrary",
                                       R"({"file_format_version": "1.0.0",)"
                                       R"( "runtime": {"library_path": "./libno_such_runtime.so"}})"},
                    MissingRuntimeCase{"brokenManifest", "{ this is not json"}),
    [](const auto& info) { return std::string(info.param.name); });

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

struct ProcCase {
    const char* name;
    bool withRefreshRate;
    XrResult expected;
};

void PrintTo(const ProcCase& c, std::ostream* out)
{
    *out << c.name;
}

class SimulatedRuntimeProcs : public testing::TestWithParam<ProcCase> {};

TEST_P(SimulatedRuntimeProcs, HandsOutOnlyWhatItHasAndWhatWasEnabled)
{
    const RawInstance raw(GetParam().withRefreshRate);
    ASSERT_EQ(raw.result, XR_SUCCESS) << xrResultName(XR_NULL_HANDLE, raw.result);
    PFN_xrVoidFunction function = nullptr;
    const XrResult result = xrGetInstanceProcAddr(raw.instance, GetParam().name, &function);
    EXPECT_EQ(result, GetParam().expected) << xrResultName(raw.instance, result);
    EXPECT_EQ(function != nullptr, XR_SUCCEEDED(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SimulatedRuntimeProcs,
    testing::Values(ProcCase{"xrNoSuchFunctionZOT", true, XR_ERROR_FUNCTION_UNSUPPORTED},
                    ProcCase{"xrGetVulkanGraphicsRequirementsKHR", true, XR_ERROR_FUNCTION_UNSUPPORTED},
                    ProcCase{"xrGetDisplayRefreshRateFB", false, XR_ERROR_FUNCTION_UNSUPPORTED},
                    ProcCase{"xrGetDisplayRefreshRateFB", true, XR_SUCCESS},
                    ProcCase{"xrGetOpenGLGraphicsRequirementsKHR", false, XR_SUCCESS},
                    ProcCase{"xrGetActionStatePose", false, XR_SUCCESS}),
    [](const auto& info) {
        return std::string(info.param.name) + (info.param.withRefreshRate ? "_withRefreshRate" : "");
    });

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
