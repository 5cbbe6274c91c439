#include "SimPlatform.h"

#include <windows.h>

#include <cstdint>

#define XR_NO_PROTOTYPES
#define XR_USE_GRAPHICS_API_OPENGL
#define XR_USE_PLATFORM_WIN32
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

namespace xrsim {

bool hasGlBinding(const void* next)
{
    for (auto* header = static_cast<const XrBaseInStructure*>(next); header != nullptr; header = header->next) {
        if (header->type == XR_TYPE_GRAPHICS_BINDING_OPENGL_WIN32_KHR) {
            const auto* binding = reinterpret_cast<const XrGraphicsBindingOpenGLWin32KHR*>(header);
            return binding->hDC != nullptr && binding->hGLRC != nullptr;
        }
    }
    return false;
}

void* glProcAddress(const char* name)
{
    // wglGetProcAddress knows only what opengl32.dll does not export itself
    // (everything after GL 1.1); some drivers answer 1, 2, 3 or -1 for "no".
    const auto address = reinterpret_cast<std::intptr_t>(wglGetProcAddress(name));
    if (address != 0 && address != 1 && address != 2 && address != 3 && address != -1)
        return reinterpret_cast<void*>(address);
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("opengl32.dll"), name));
}

bool glContextCurrent()
{
    return wglGetCurrentContext() != nullptr;
}

} // namespace xrsim
