// The baseline for the frame-loop benchmark: a window like zot's (same size,
// hints and swap interval) whose loop only clears and swaps. Prints how long
// after its start the first frame was presented, and its frame rate.
//
//   bare_loop [seconds] [width] [height] [finish]
//
// With "finish" every frame waits for its swap (glFinish), as zot does to
// time-stamp its frames.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

// Taken during static initialisation, as zot takes its clock's origin.
static const auto processStart = std::chrono::steady_clock::now();

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const int width = argc > 2 ? std::atoi(argv[2]) : 1920;
    const int height = argc > 3 ? std::atoi(argv[3]) : 1080;
    const bool finish = argc > 4 && std::string(argv[4]) == "finish";

    if (!glfwInit())
        return 2;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(width, height, "bare", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        return 2;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    glewInit();
    glfwSwapInterval(1);
    glClearColor(0.f, 0.f, 0.f, 1.f);

    long frames = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (!glfwWindowShouldClose(window)) {
        glClear(GL_COLOR_BUFFER_BIT);
        glfwSwapBuffers(window);
        if (finish || frames == 0)
            glFinish();
        if (frames == 0) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                                  processStart);
            std::printf("first frame presented %lld ms after start\n", static_cast<long long>(ms.count()));
            std::fflush(stdout);
        }
        glfwPollEvents();
        ++frames;
        if (std::chrono::steady_clock::now() >= end)
            break;
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld frames in %.3f s: %.1f FPS, %.3f ms per frame\n", frames, elapsed, frames / elapsed,
                1000.0 * elapsed / frames);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}
