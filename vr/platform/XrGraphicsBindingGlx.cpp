#include "XrGraphicsBinding.h"

#include <GL/glx.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#define GLFW_EXPOSE_NATIVE_GLX
#include <GLFW/glfw3native.h>

#define XR_USE_PLATFORM_XLIB
#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

namespace {

class GlxBinding final : public XrGraphicsBinding {
public:
    explicit GlxBinding(const XrGraphicsBindingOpenGLXlibKHR& binding)
        : binding_(binding)
    {
    }

    const void* chain() const override { return &binding_; }

private:
    XrGraphicsBindingOpenGLXlibKHR binding_;
};

} // namespace

std::unique_ptr<XrGraphicsBinding> XrGraphicsBinding::forWindow(GLFWwindow* window, std::string& error)
{
    Display* display = glfwGetX11Display();
    const GLXContext context = window != nullptr ? glfwGetGLXContext(window) : nullptr;
    if (display == nullptr || context == nullptr) {
        error = "the window has no GLX context";
        return nullptr;
    }
    GLXDrawable drawable = glfwGetGLXWindow(window);
    if (drawable == 0)
        drawable = glfwGetX11Window(window);

    // GLFW does not hand out the context's FBConfig; GLX finds it by its id.
    int configId = 0;
    int screen = 0;
    if (glXQueryContext(display, context, GLX_FBCONFIG_ID, &configId) != Success
        || glXQueryContext(display, context, GLX_SCREEN, &screen) != Success) {
        error = "GLX does not describe the window's context";
        return nullptr;
    }
    const int attributes[] = {GLX_FBCONFIG_ID, configId, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes, &count);
    if (configs == nullptr || count < 1) {
        if (configs != nullptr)
            XFree(configs);
        error = "GLX has no FBConfig with the context's id " + std::to_string(configId);
        return nullptr;
    }
    const GLXFBConfig config = configs[0];
    XFree(configs);
    int visualId = 0;
    glXGetFBConfigAttrib(display, config, GLX_VISUAL_ID, &visualId);

    XrGraphicsBindingOpenGLXlibKHR binding{XR_TYPE_GRAPHICS_BINDING_OPENGL_XLIB_KHR};
    binding.xDisplay = display;
    binding.visualid = static_cast<std::uint32_t>(visualId);
    binding.glxFBConfig = config;
    binding.glxDrawable = drawable;
    binding.glxContext = context;
    return std::make_unique<GlxBinding>(binding);
}
