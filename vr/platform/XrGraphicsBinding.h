#pragma once

#include <memory>
#include <string>

struct GLFWwindow;

/// What ties an OpenXR session to the GL context of a window (XR_KHR_opengl_enable):
/// the one platform-specific piece of the headset code. GLX on Linux.
class XrGraphicsBinding {
public:
    /// The binding of the window's context, which must be current; null, with
    /// the reason in `error`, when the platform cannot describe the context.
    static std::unique_ptr<XrGraphicsBinding> forWindow(GLFWwindow* window, std::string& error);

    virtual ~XrGraphicsBinding() = default;

    /// The binding structure to chain into XrSessionCreateInfo::next; valid
    /// while this object lives.
    virtual const void* chain() const = 0;
};
