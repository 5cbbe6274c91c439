#include "SimState.h"

#include "LimgWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace xrsim {

namespace {

Runtime state;

bool flagSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

void warn(const std::string& text)
{
    std::fprintf(stderr, "%s > %s\n", runtimeName, text.c_str());
    std::fflush(stderr);
}

} // namespace

Settings Settings::fromEnvironment()
{
    Settings settings;
    if (const char* dir = std::getenv("ZOT_XRSIM_CAPTURE_DIR"); dir != nullptr && *dir != '\0')
        settings.captureDir = dir;
    settings.captureEveryFrame = flagSet("ZOT_XRSIM_CAPTURE_EVERY_FRAME");
    settings.printStats = flagSet("ZOT_XRSIM_STATS");
    if (const char* frames = std::getenv("ZOT_XRSIM_EXIT_AFTER_FRAMES"); frames != nullptr && *frames != '\0') {
        char* end = nullptr;
        const unsigned long long count = std::strtoull(frames, &end, 10);
        if (*end == '\0' && frames[0] != '-')
            settings.exitAfterFrames = count;
        else
            warn(std::string("ignoring ZOT_XRSIM_EXIT_AFTER_FRAMES=") + frames + " (not a frame count)");
    }
    return settings;
}

Runtime& runtime()
{
    return state;
}

void resetRuntime()
{
    state = Runtime{};
}

bool validInstance(XrInstance instance)
{
    return instance != XR_NULL_HANDLE && instance == state.instance;
}

Session* findSession(XrSession handle)
{
    return handle != XR_NULL_HANDLE && state.session && state.session->handle == handle ? state.session.get()
                                                                                       : nullptr;
}

Swapchain* findSwapchain(XrSwapchain handle, Session** owner)
{
    if (!state.session)
        return nullptr;
    const auto found = state.session->swapchains.find(handle);
    if (found == state.session->swapchains.end())
        return nullptr;
    if (owner != nullptr)
        *owner = state.session.get();
    return &found->second;
}

XrTime toXrTime(VsyncClock::TimePoint time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

XrTime now()
{
    return toXrTime(std::chrono::steady_clock::now());
}

void changeState(Session& session, XrSessionState newState)
{
    session.state = newState;
    XrEventDataBuffer buffer{XR_TYPE_EVENT_DATA_BUFFER};
    auto* event = reinterpret_cast<XrEventDataSessionStateChanged*>(&buffer);
    *event = {XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED};
    event->session = session.handle;
    event->state = newState;
    event->time = now();
    state.events.push_back(buffer);
}

void capture(Session& session)
{
    session.capturePending = false;
    const std::filesystem::path& dir = state.settings.captureDir;
    if (dir.empty() || session.shownFrame == 0)
        return;
    if (!SimGl::contextCurrent()) {
        warn("no GL context current, frame " + std::to_string(session.shownFrame) + " not captured");
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(dir, error);

    const char* names[2] = {"left.limg", "right.limg"};
    for (int eye = 0; eye < 2; ++eye) {
        const ShownImage& shown = session.shown[static_cast<std::size_t>(eye)];
        const auto found = session.swapchains.find(shown.swapchain);
        if (found == session.swapchains.end() || shown.index >= found->second.textures.size())
            continue;
        const Swapchain& swapchain = found->second;
        const auto pixels = session.gl.readTexture(swapchain.textures[shown.index],
                                                   static_cast<GLsizei>(swapchain.width),
                                                   static_cast<GLsizei>(swapchain.height));
        const auto path = dir / names[eye];
        if (!writeLimgFromBottomUp(path, swapchain.width, swapchain.height, pixels))
            warn("could not write " + path.string());
    }
    const auto framePath = dir / "frame.txt";
    std::ofstream frameFile(framePath, std::ios::trunc);
    frameFile << session.shownFrame << '\n';
    if (!frameFile.flush())
        warn("could not write " + framePath.string());
}

void finishSession(Session& session)
{
    if (session.capturePending)
        capture(session);
    if (state.settings.printStats && !session.statsPrinted) {
        std::fprintf(stderr, "%s > frames submitted: %llu, frames missed: %llu\n", runtimeName,
                     static_cast<unsigned long long>(session.framesSubmitted),
                     static_cast<unsigned long long>(session.framesMissed));
        std::fflush(stderr);
        session.statsPrinted = true;
    }
}

void releaseSwapchain(Session& session, Swapchain& swapchain)
{
    // Without a current context the names cannot be deleted; the context's
    // destruction frees them.
    if (!swapchain.textures.empty() && SimGl::contextCurrent())
        session.gl.deleteTextures(static_cast<GLsizei>(swapchain.textures.size()), swapchain.textures.data());
    swapchain.textures.clear();
}

} // namespace xrsim
