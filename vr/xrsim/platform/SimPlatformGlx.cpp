#include "SimPlatform.h"

#include <GL/glx.h>

#define XR_NO_PROTOTYPES
#define XR_USE_GRAPHICS_API_OPENGL
#define XR_USE_PLATFORM_XLIB
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

namespace xrsim {

bool hasGlBinding(const void* next)
{
    for (auto* header = static_cast<const XrBaseInStructure*>(next); header != nullptr; header = header->next) {
        if (header->type == XR_TYPE_GRAPHICS_BINDING_OPENGL_XLIB_KHR) {
            const auto* binding = reinterpret_cast<const XrGraphicsBindingOpenGLXlibKHR*>(header);
            return binding->xDisplay != nullptr && binding->glxContext != nullptr;
        }
    }
    return false;
}

void* glProcAddress(const char* name)
{
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

bool glContextCurrent()
{
    return glXGetCurrentContext() != nullptr;
}

} // namespace xrsim
