#pragma once

#include <openxr/openxr.h>

#include <string>
#include <string_view>

/// The name of an OpenXR result, such as "XR_ERROR_RUNTIME_UNAVAILABLE". With an
/// instance the runtime names it (it knows its extensions' results); without
/// one, or when it fails, the names the headers know are used, and a number
/// nobody knows comes out as "XR_UNKNOWN_FAILURE_<n>" or "XR_UNKNOWN_SUCCESS_<n>".
std::string xrResultName(XrInstance instance, XrResult result);

/// The message for a failed call: "<call text>: <result name>".
std::string xrCallFailure(XrInstance instance, XrResult result, std::string_view callText);
