#include "XrCheck.h"

#include <openxr/openxr_reflection.h>

std::string xrResultName(XrInstance instance, XrResult result)
{
    if (instance != XR_NULL_HANDLE) {
        char name[XR_MAX_RESULT_STRING_SIZE] = {};
        if (XR_SUCCEEDED(xrResultToString(instance, result, name)) && name[0] != '\0')
            return name;
    }
    switch (result) {
#define ZOT_XR_RESULT_NAME(name, value) \
    case name: \
        return #name;
        XR_LIST_ENUM_XrResult(ZOT_XR_RESULT_NAME)
#undef ZOT_XR_RESULT_NAME
    default:
        return std::string(XR_FAILED(result) ? "XR_UNKNOWN_FAILURE_" : "XR_UNKNOWN_SUCCESS_")
            + std::to_string(static_cast<int>(result));
    }
}

std::string xrCallFailure(XrInstance instance, XrResult result, std::string_view callText)
{
    return std::string(callText) + ": " + xrResultName(instance, result);
}
