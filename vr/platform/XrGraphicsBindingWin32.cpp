#include "XrGraphicsBinding.h"

#include <windows.h>

#define XR_USE_PLATFORM_WIN32
#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

namespace {

class WglBinding final : public XrGraphicsBinding {
public:
    explicit WglBinding(const XrGraphicsBindingOpenGLWin32KHR& binding)
        : binding_(binding)
    {
    }

    const void* chain() const override { return &binding_; }

private:
    XrGraphicsBindingOpenGLWin32KHR binding_;
};

} // namespace

std::unique_ptr<XrGraphicsBinding> XrGraphicsBinding::forWindow(GLFWwindow*, std::string& error)
{
    // The window's context is current, so WGL names its device context and itself.
    const HDC deviceContext = wglGetCurrentDC();
    const HGLRC context = wglGetCurrentContext();
    if (deviceContext == nullptr || context == nullptr) {
        error = "the window has no current WGL context";
        return nullptr;
    }
    XrGraphicsBindingOpenGLWin32KHR binding{XR_TYPE_GRAPHICS_BINDING_OPENGL_WIN32_KHR};
    binding.hDC = deviceContext;
    binding.hGLRC = context;
    return std::make_unique<WglBinding>(binding);
}
