// Instance, system and view-configuration entry points of the simulated runtime.

#include "SimState.h"

#include <openxr/openxr_reflection.h>

#include <cstdio>
#include <string_view>

namespace xrsim {

namespace {

struct OfferedExtension {
    const char* name;
    std::uint32_t version;
};

constexpr OfferedExtension offeredExtensions[] = {
    {XR_KHR_OPENGL_ENABLE_EXTENSION_NAME, XR_KHR_opengl_enable_SPEC_VERSION},
    {XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME, XR_FB_display_refresh_rate_SPEC_VERSION},
};

bool offered(std::string_view name)
{
    for (const auto& extension : offeredExtensions)
        if (name == extension.name)
            return true;
    return false;
}

XrResult checkSystem(XrInstance instance, XrSystemId systemId)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    return systemId == hmdSystemId ? XR_SUCCESS : XR_ERROR_SYSTEM_INVALID;
}

/// The headset's only view configuration is the primary stereo one.
XrResult checkStereo(XrInstance instance, XrSystemId systemId, XrViewConfigurationType type)
{
    if (const XrResult result = checkSystem(instance, systemId); XR_FAILED(result))
        return result;
    return type == XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO ? XR_SUCCESS : XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateInstanceExtensionProperties(const char* layerName,
                                                                     uint32_t capacity, uint32_t* count,
                                                                     XrExtensionProperties* properties)
{
    if (layerName != nullptr)
        return XR_ERROR_API_LAYER_NOT_PRESENT;
    std::vector<XrExtensionProperties> values;
    for (const auto& extension : offeredExtensions) {
        XrExtensionProperties value{XR_TYPE_EXTENSION_PROPERTIES};
        copyName(value.extensionName, extension.name);
        value.extensionVersion = extension.version;
        values.push_back(value);
    }
    if (properties != nullptr)
        for (uint32_t i = 0; i < capacity; ++i)
            if (properties[i].type != XR_TYPE_EXTENSION_PROPERTIES)
                return XR_ERROR_VALIDATION_FAILURE;
    return enumerate(capacity, count, properties, values);
}

XRAPI_ATTR XrResult XRAPI_CALL createInstance(const XrInstanceCreateInfo* info, XrInstance* instance)
{
    if (info == nullptr || instance == nullptr || info->type != XR_TYPE_INSTANCE_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    const XrVersion version = info->applicationInfo.apiVersion;
    if (XR_VERSION_MAJOR(version) != 1 || XR_VERSION_MINOR(version) != 0)
        return XR_ERROR_API_VERSION_UNSUPPORTED;
    for (uint32_t i = 0; i < info->enabledExtensionCount; ++i)
        if (!offered(info->enabledExtensionNames[i]))
            return XR_ERROR_EXTENSION_NOT_PRESENT;
    if (runtime().instance != XR_NULL_HANDLE)
        return XR_ERROR_LIMIT_REACHED;

    resetRuntime();
    Runtime& state = runtime();
    state.settings = Settings::fromEnvironment();
    for (uint32_t i = 0; i < info->enabledExtensionCount; ++i) {
        const std::string_view name = info->enabledExtensionNames[i];
        state.openGlEnabled |= name == XR_KHR_OPENGL_ENABLE_EXTENSION_NAME;
        state.refreshRateEnabled |= name == XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME;
    }
    state.instance = newHandle<XrInstance>();
    *instance = state.instance;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL destroyInstance(XrInstance instance)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    Runtime& state = runtime();
    if (state.session) {
        finishSession(*state.session);
        for (auto& [handle, swapchain] : state.session->swapchains)
            releaseSwapchain(*state.session, swapchain);
    }
    resetRuntime();
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL getInstanceProperties(XrInstance instance, XrInstanceProperties* properties)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (properties == nullptr || properties->type != XR_TYPE_INSTANCE_PROPERTIES)
        return XR_ERROR_VALIDATION_FAILURE;
    properties->runtimeVersion = XR_MAKE_VERSION(1, 0, 0);
    copyName(properties->runtimeName, runtimeName);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL resultToString(XrInstance instance, XrResult value, char buffer[XR_MAX_RESULT_STRING_SIZE])
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    switch (value) {
#define XRSIM_RESULT_NAME(name, number) \
    case name: \
        std::snprintf(buffer, XR_MAX_RESULT_STRING_SIZE, "%s", #name); \
        return XR_SUCCESS;
        XR_LIST_ENUM_XrResult(XRSIM_RESULT_NAME)
#undef XRSIM_RESULT_NAME
    default:
        std::snprintf(buffer, XR_MAX_RESULT_STRING_SIZE, "XR_UNKNOWN_%s_%d", value < 0 ? "FAILURE" : "SUCCESS",
                      static_cast<int>(value));
        return XR_SUCCESS;
    }
}

XRAPI_ATTR XrResult XRAPI_CALL structureTypeToString(XrInstance instance, XrStructureType value,
                                                     char buffer[XR_MAX_STRUCTURE_NAME_SIZE])
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    switch (value) {
#define XRSIM_TYPE_NAME(name, number) \
    case name: \
        std::snprintf(buffer, XR_MAX_STRUCTURE_NAME_SIZE, "%s", #name); \
        return XR_SUCCESS;
        XR_LIST_ENUM_XrStructureType(XRSIM_TYPE_NAME)
#undef XRSIM_TYPE_NAME
    default:
        std::snprintf(buffer, XR_MAX_STRUCTURE_NAME_SIZE, "XR_UNKNOWN_STRUCTURE_TYPE_%d", static_cast<int>(value));
        return XR_SUCCESS;
    }
}

XRAPI_ATTR XrResult XRAPI_CALL getSystem(XrInstance instance, const XrSystemGetInfo* info, XrSystemId* systemId)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || systemId == nullptr || info->type != XR_TYPE_SYSTEM_GET_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (info->formFactor != XR_FORM_FACTOR_HEAD_MOUNTED_DISPLAY)
        return XR_ERROR_FORM_FACTOR_UNSUPPORTED;
    *systemId = hmdSystemId;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL getSystemProperties(XrInstance instance, XrSystemId systemId,
                                                   XrSystemProperties* properties)
{
    if (const XrResult result = checkSystem(instance, systemId); XR_FAILED(result))
        return result;
    if (properties == nullptr || properties->type != XR_TYPE_SYSTEM_PROPERTIES)
        return XR_ERROR_VALIDATION_FAILURE;
    properties->systemId = hmdSystemId;
    properties->vendorId = 0;
    copyName(properties->systemName, systemName);
    properties->graphicsProperties = {maxSwapchainSize, maxSwapchainSize, maxLayerCount};
    properties->trackingProperties = {XR_TRUE, XR_TRUE};
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateEnvironmentBlendModes(XrInstance instance, XrSystemId systemId,
                                                              XrViewConfigurationType type, uint32_t capacity,
                                                              uint32_t* count, XrEnvironmentBlendMode* modes)
{
    if (const XrResult result = checkStereo(instance, systemId, type); XR_FAILED(result))
        return result;
    return enumerate(capacity, count, modes, std::vector{XR_ENVIRONMENT_BLEND_MODE_OPAQUE});
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateViewConfigurations(XrInstance instance, XrSystemId systemId,
                                                           uint32_t capacity, uint32_t* count,
                                                           XrViewConfigurationType* types)
{
    if (const XrResult result = checkSystem(instance, systemId); XR_FAILED(result))
        return result;
    return enumerate(capacity, count, types, std::vector{XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO});
}

XRAPI_ATTR XrResult XRAPI_CALL getViewConfigurationProperties(XrInstance instance, XrSystemId systemId,
                                                              XrViewConfigurationType type,
                                                              XrViewConfigurationProperties* properties)
{
    if (const XrResult result = checkStereo(instance, systemId, type); XR_FAILED(result))
        return result;
    if (properties == nullptr || properties->type != XR_TYPE_VIEW_CONFIGURATION_PROPERTIES)
        return XR_ERROR_VALIDATION_FAILURE;
    properties->viewConfigurationType = type;
    properties->fovMutable = XR_FALSE;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateViewConfigurationViews(XrInstance instance, XrSystemId systemId,
                                                               XrViewConfigurationType type, uint32_t capacity,
                                                               uint32_t* count, XrViewConfigurationView* views)
{
    if (const XrResult result = checkStereo(instance, systemId, type); XR_FAILED(result))
        return result;
    XrViewConfigurationView view{XR_TYPE_VIEW_CONFIGURATION_VIEW};
    view.recommendedImageRectWidth = view.maxImageRectWidth = eyeWidth;
    view.recommendedImageRectHeight = view.maxImageRectHeight = eyeHeight;
    view.recommendedSwapchainSampleCount = view.maxSwapchainSampleCount = 1;
    return enumerate(capacity, count, views, std::vector{view, view});
}

XRAPI_ATTR XrResult XRAPI_CALL stringToPath(XrInstance instance, const char* text, XrPath* path)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (text == nullptr || path == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    if (text[0] != '/' || std::string_view(text).size() >= XR_MAX_PATH_LENGTH)
        return XR_ERROR_PATH_FORMAT_INVALID;
    auto& paths = runtime().paths;
    for (std::size_t i = 0; i < paths.size(); ++i)
        if (paths[i] == text) {
            *path = i + 1;
            return XR_SUCCESS;
        }
    paths.emplace_back(text);
    *path = paths.size();
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL pathToString(XrInstance instance, XrPath path, uint32_t capacity, uint32_t* count,
                                            char* buffer)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    const auto& paths = runtime().paths;
    if (path == XR_NULL_PATH || path > paths.size())
        return XR_ERROR_PATH_INVALID;
    const std::string& text = paths[path - 1];
    std::vector<char> characters(text.begin(), text.end());
    characters.push_back('\0');
    return enumerate(capacity, count, buffer, characters);
}

XRAPI_ATTR XrResult XRAPI_CALL getOpenGLGraphicsRequirements(XrInstance instance, XrSystemId systemId,
                                                             XrGraphicsRequirementsOpenGLKHR* requirements)
{
    if (const XrResult result = checkSystem(instance, systemId); XR_FAILED(result))
        return result;
    if (requirements == nullptr || requirements->type != XR_TYPE_GRAPHICS_REQUIREMENTS_OPENGL_KHR)
        return XR_ERROR_VALIDATION_FAILURE;
    requirements->minApiVersionSupported = XR_MAKE_VERSION(3, 3, 0);
    requirements->maxApiVersionSupported = XR_MAKE_VERSION(4, 6, 0);
    runtime().graphicsRequirementsQueried = true;
    return XR_SUCCESS;
}

} // namespace

void addInstanceProcs(ProcTable& table)
{
    XRSIM_PROC(table, xrEnumerateInstanceExtensionProperties, enumerateInstanceExtensionProperties, nullptr);
    XRSIM_PROC(table, xrCreateInstance, createInstance, nullptr);
    XRSIM_PROC(table, xrDestroyInstance, destroyInstance, nullptr);
    XRSIM_PROC(table, xrGetInstanceProperties, getInstanceProperties, nullptr);
    XRSIM_PROC(table, xrResultToString, resultToString, nullptr);
    XRSIM_PROC(table, xrStructureTypeToString, structureTypeToString, nullptr);
    XRSIM_PROC(table, xrGetSystem, getSystem, nullptr);
    XRSIM_PROC(table, xrGetSystemProperties, getSystemProperties, nullptr);
    XRSIM_PROC(table, xrEnumerateEnvironmentBlendModes, enumerateEnvironmentBlendModes, nullptr);
    XRSIM_PROC(table, xrEnumerateViewConfigurations, enumerateViewConfigurations, nullptr);
    XRSIM_PROC(table, xrGetViewConfigurationProperties, getViewConfigurationProperties, nullptr);
    XRSIM_PROC(table, xrEnumerateViewConfigurationViews, enumerateViewConfigurationViews, nullptr);
    XRSIM_PROC(table, xrStringToPath, stringToPath, nullptr);
    XRSIM_PROC(table, xrPathToString, pathToString, nullptr);
    XRSIM_PROC(table, xrGetOpenGLGraphicsRequirementsKHR, getOpenGLGraphicsRequirements,
               XR_KHR_OPENGL_ENABLE_EXTENSION_NAME);
}

} // namespace xrsim
