#include "SwapCounters.h"

#include <GL/glx.h>

#define GLFW_EXPOSE_NATIVE_X11
#define GLFW_EXPOSE_NATIVE_GLX
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include <cstring>

namespace {

using GetSyncValues = Bool (*)(Display*, GLXDrawable, int64_t*, int64_t*, int64_t*);
GetSyncValues getSyncValues = nullptr;

bool readGlx(void* display, unsigned long drawable, std::int64_t& ust, std::int64_t& msc)
{
    int64_t u = 0, m = 0, sbc = 0;
    if (!getSyncValues(static_cast<Display*>(display), drawable, &u, &m, &sbc))
        return false;
    ust = u;
    msc = m;
    return true;
}

bool hasExtension(const char* list, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (const char* p = list; p && (p = std::strstr(p, name)); p += length)
        if ((p == list || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    return false;
}

} // namespace

SwapCounters::SwapCounters(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    if (!display || !window)
        return;
    if (!hasExtension(glXQueryExtensionsString(display, DefaultScreen(display)), "GLX_OML_sync_control"))
        return;
    getSyncValues = reinterpret_cast<GetSyncValues>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXGetSyncValuesOML")));
    if (!getSyncValues)
        return;
    display_ = display;
    drawable_ = glfwGetGLXWindow(window);
    read_ = readGlx;
}

bool SwapCounters::read(std::int64_t& ust, std::int64_t& msc) const
{
    return read_ && read_(display_, drawable_, ust, msc);
}
