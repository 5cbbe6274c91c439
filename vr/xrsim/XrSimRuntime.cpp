// ZOT simulated runtime: an OpenXR runtime that stands in for a headset, so the
// headset path of ZOT can be tried and tested on any desktop. The loader finds
// it through the manifest zot_xrsim.json:
//
//     XR_RUNTIME_JSON=$PWD/xrsim/zot_xrsim.json ./zot
//
// It shows one head-mounted display, "ZOT Simulated HMD", with the primary
// stereo view configuration: two 1512 x 1680 views with asymmetric fields of
// view, a fixed head, 90 Hz pacing in xrWaitFrame, GL swapchains (GL_SRGB8_ALPHA8
// or GL_RGBA8, three images, made in the context current at xrCreateSwapchain),
// the extensions XR_KHR_opengl_enable and XR_FB_display_refresh_rate.
//
// Environment, read at xrCreateInstance:
//   ZOT_XRSIM_CAPTURE_DIR=<folder>   Write the last picture shown in each eye as
//                                    <folder>/left.limg and right.limg (top row
//                                    first), and its frame number (1 = first frame
//                                    submitted) to <folder>/frame.txt. Written once,
//                                    when the session ends, so pacing is untouched.
//   ZOT_XRSIM_CAPTURE_EVERY_FRAME=1  With the capture folder: write at every
//                                    submitted frame instead. Slow (two full eye
//                                    read-backs a frame); frames will be missed.
//   ZOT_XRSIM_EXIT_AFTER_FRAMES=<n>  After n frames the runtime asks the
//                                    application to quit, as a user would from a
//                                    runtime's menu (session goes to STOPPING).
//   ZOT_XRSIM_STATS=1                When the session ends, print "ZOT simulated
//                                    runtime > frames submitted: <n>, frames
//                                    missed: <m>" on standard error. A frame is
//                                    missed when the application asks for its next
//                                    frame after the vsync tick it should have hit.
//
// Only xrNegotiateLoaderRuntimeInterface is exported. Everything else is reached
// through the xrGetInstanceProcAddr it hands out: were entry points exported
// under their API names, calls inside the library could bind to the loader's
// functions of the same name and recurse into themselves.

#include "SimState.h"

#include <string_view>

namespace {

// The loader's negotiation interface (as the OpenXR loader documents it, interface
// version 1); the installed headers do not carry it.
enum XrLoaderInterfaceStructs {
    XR_LOADER_INTERFACE_STRUCT_UNINTIALIZED = 0,
    XR_LOADER_INTERFACE_STRUCT_LOADER_INFO,
    XR_LOADER_INTERFACE_STRUCT_API_LAYER_REQUEST,
    XR_LOADER_INTERFACE_STRUCT_RUNTIME_REQUEST,
    XR_LOADER_INTERFACE_STRUCT_API_LAYER_CREATE_INFO,
    XR_LOADER_INTERFACE_STRUCT_API_LAYER_NEXT_INFO,
};

constexpr std::uint32_t loaderInfoStructVersion = 1;
constexpr std::uint32_t runtimeInfoStructVersion = 1;
constexpr std::uint32_t loaderRuntimeInterfaceVersion = 1;
// Loaders of the 1.0 line refuse a runtime that claims a newer API.
constexpr XrVersion runtimeApiVersion = XR_MAKE_VERSION(1, 0, 0);

struct XrNegotiateLoaderInfo {
    XrLoaderInterfaceStructs structType;
    std::uint32_t structVersion;
    std::size_t structSize;
    std::uint32_t minInterfaceVersion;
    std::uint32_t maxInterfaceVersion;
    XrVersion minApiVersion;
    XrVersion maxApiVersion;
};

struct XrNegotiateRuntimeRequest {
    XrLoaderInterfaceStructs structType;
    std::uint32_t structVersion;
    std::size_t structSize;
    std::uint32_t runtimeInterfaceVersion;
    XrVersion runtimeApiVersion;
    PFN_xrGetInstanceProcAddr getInstanceProcAddr;
};

// Patch versions do not change the interface.
XrVersion majorMinor(XrVersion version)
{
    return XR_MAKE_VERSION(XR_VERSION_MAJOR(version), XR_VERSION_MINOR(version), 0);
}

// Without an instance only these may be asked for.
bool globalFunction(std::string_view name)
{
    return name == "xrEnumerateInstanceExtensionProperties" || name == "xrEnumerateApiLayerProperties"
        || name == "xrCreateInstance";
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateApiLayerProperties(uint32_t capacity, uint32_t* count,
                                                           XrApiLayerProperties* properties)
{
    return xrsim::enumerate(capacity, count, properties, std::vector<XrApiLayerProperties>{});
}

const xrsim::ProcTable& procTable()
{
    static const xrsim::ProcTable table = [] {
        xrsim::ProcTable built;
        XRSIM_PROC(built, xrEnumerateApiLayerProperties, enumerateApiLayerProperties, nullptr);
        xrsim::addInstanceProcs(built);
        xrsim::addSessionProcs(built);
        xrsim::addFrameProcs(built);
        xrsim::addSwapchainProcs(built);
        xrsim::addInputProcs(built);
        return built;
    }();
    return table;
}

bool extensionEnabled(std::string_view extension)
{
    const xrsim::Runtime& state = xrsim::runtime();
    return (extension == XR_KHR_OPENGL_ENABLE_EXTENSION_NAME && state.openGlEnabled)
        || (extension == XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME && state.refreshRateEnabled);
}

XRAPI_ATTR XrResult XRAPI_CALL getInstanceProcAddr(XrInstance instance, const char* name,
                                                   PFN_xrVoidFunction* function)
{
    if (name == nullptr || function == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    *function = nullptr;
    const std::string_view wanted = name;
    if (wanted == "xrGetInstanceProcAddr") {
        *function = reinterpret_cast<PFN_xrVoidFunction>(&getInstanceProcAddr);
        return XR_SUCCESS;
    }
    const auto& table = procTable();
    const auto found = table.find(std::string(wanted));
    if (found == table.end())
        return XR_ERROR_FUNCTION_UNSUPPORTED;
    if (instance == XR_NULL_HANDLE ? !globalFunction(wanted) : !xrsim::validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (found->second.extension != nullptr && !extensionEnabled(found->second.extension))
        return XR_ERROR_FUNCTION_UNSUPPORTED;
    *function = found->second.function;
    return XR_SUCCESS;
}

} // namespace

extern "C" XRSIM_EXPORT XrResult
xrNegotiateLoaderRuntimeInterface(const XrNegotiateLoaderInfo* loaderInfo, XrNegotiateRuntimeRequest* runtimeRequest)
{
    if (loaderInfo == nullptr || runtimeRequest == nullptr
        || loaderInfo->structType != XR_LOADER_INTERFACE_STRUCT_LOADER_INFO
        || loaderInfo->structVersion != loaderInfoStructVersion || loaderInfo->structSize != sizeof(XrNegotiateLoaderInfo)
        || runtimeRequest->structType != XR_LOADER_INTERFACE_STRUCT_RUNTIME_REQUEST
        || runtimeRequest->structVersion != runtimeInfoStructVersion
        || runtimeRequest->structSize != sizeof(XrNegotiateRuntimeRequest))
        return XR_ERROR_INITIALIZATION_FAILED;
    if (loaderInfo->minInterfaceVersion > loaderRuntimeInterfaceVersion
        || loaderInfo->maxInterfaceVersion < loaderRuntimeInterfaceVersion
        || majorMinor(loaderInfo->minApiVersion) > majorMinor(runtimeApiVersion)
        || majorMinor(loaderInfo->maxApiVersion) < majorMinor(runtimeApiVersion))
        return XR_ERROR_INITIALIZATION_FAILED;
    runtimeRequest->runtimeInterfaceVersion = loaderRuntimeInterfaceVersion;
    runtimeRequest->runtimeApiVersion = runtimeApiVersion;
    runtimeRequest->getInstanceProcAddr = &getInstanceProcAddr;
    return XR_SUCCESS;
}
