#include "GlfwErrors.h"

#include <GLFW/glfw3.h>

#include <cstdio>

namespace {

void printGlfwError(int code, const char* description)
{
    // Called from inside GLFW, possibly before any stream is set up: plain stdio.
    std::fprintf(stderr, "ERROR > GLFW: %s (GLFW error 0x%08X)\n", description ? description : "no description",
                 static_cast<unsigned>(code));
    std::fflush(stderr);
}

} // namespace

void reportGlfwErrors()
{
    glfwSetErrorCallback(printGlfwError);
}
