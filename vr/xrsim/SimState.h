#pragma once

#define XR_NO_PROTOTYPES
#define XR_USE_GRAPHICS_API_OPENGL
#include <openxr/openxr.h>
#include <openxr/openxr_platform.h>

#include "SimGl.h"
#include "VsyncClock.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// State of the simulated runtime and the helpers its entry points share. The
// loader unloads the library at xrDestroyInstance, but the state is reset at
// every xrCreateInstance anyway, so nothing leaks from one instance into the next.
// One thread at a time is assumed, as in the program.

namespace xrsim {

inline constexpr char runtimeName[] = "ZOT simulated runtime";
inline constexpr char systemName[] = "ZOT Simulated HMD";
inline constexpr XrSystemId hmdSystemId = 1;
inline constexpr std::uint32_t eyeWidth = 1512;
inline constexpr std::uint32_t eyeHeight = 1680;
inline constexpr float refreshRateHz = 90.0f;
inline constexpr std::uint32_t imagesPerSwapchain = 3;
inline constexpr std::uint32_t maxSwapchainSize = 4096;
inline constexpr std::uint32_t maxLayerCount = 16;

/// Runtime settings read from the environment at xrCreateInstance.
struct Settings {
    std::filesystem::path captureDir;    // ZOT_XRSIM_CAPTURE_DIR
    bool captureEveryFrame = false;      // ZOT_XRSIM_CAPTURE_EVERY_FRAME
    std::uint64_t exitAfterFrames = 0;   // ZOT_XRSIM_EXIT_AFTER_FRAMES, 0 = never
    bool printStats = false;             // ZOT_XRSIM_STATS

    static Settings fromEnvironment();
};

struct Swapchain {
    GLenum format = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<GLuint> textures;
    std::uint32_t nextAcquire = 0;
    std::deque<std::uint32_t> acquired; // oldest first; only the oldest may be waited on and released
    bool oldestWaited = false;
    std::optional<std::uint32_t> lastReleased;
};

/// An image a projection layer showed, kept so the picture can be read back.
struct ShownImage {
    XrSwapchain swapchain = XR_NULL_HANDLE;
    std::uint32_t index = 0;
};

struct Session {
    XrSession handle = XR_NULL_HANDLE;
    XrSessionState state = XR_SESSION_STATE_UNKNOWN;
    bool running = false;
    bool exitRequested = false;
    SimGl gl;

    VsyncClock vsync{std::chrono::nanoseconds(static_cast<std::int64_t>(1e9 / refreshRateHz + 0.5))};
    std::optional<XrTime> waitedDisplayTime; // frame handed out by xrWaitFrame, not yet begun
    std::optional<XrTime> begunDisplayTime;  // frame begun, not yet ended

    std::uint64_t framesEnded = 0;
    std::uint64_t framesSubmitted = 0; // frames ended with a projection layer
    std::uint64_t framesMissed = 0;
    bool statsPrinted = false;

    std::array<ShownImage, 2> shown{};
    std::uint64_t shownFrame = 0; // 1-based number of the frame in `shown`, 0 = none yet
    bool capturePending = false;

    std::set<XrSpace> spaces;
    std::map<XrSwapchain, Swapchain> swapchains;
};

struct Runtime {
    XrInstance instance = XR_NULL_HANDLE;
    bool openGlEnabled = false;
    bool refreshRateEnabled = false;
    bool graphicsRequirementsQueried = false;
    Settings settings;
    std::uint64_t nextHandle = 0x5a07;
    std::deque<XrEventDataBuffer> events;
    std::unique_ptr<Session> session;
    std::vector<std::string> paths; // XrPath n names paths[n - 1]
    std::set<std::uint64_t> actionObjects;
};

Runtime& runtime();
void resetRuntime();

template <typename Handle>
Handle newHandle()
{
    return reinterpret_cast<Handle>(runtime().nextHandle++);
}

bool validInstance(XrInstance instance);
/// The live session with this handle, or null.
Session* findSession(XrSession handle);
/// The session's swapchain with this handle, or null (the session is set too).
Swapchain* findSwapchain(XrSwapchain handle, Session** owner = nullptr);

XrTime toXrTime(VsyncClock::TimePoint time);
XrTime now();

/// Queues a session state change for xrPollEvent and makes it the session's state.
void changeState(Session& session, XrSessionState state);

/// Steps a running session down to STOPPING, as when the user quits.
void requestStop(Session& session);
/// Reads back the last shown image of each eye into the capture folder.
void capture(Session& session);
/// Captures what is still pending and prints the statistics line once.
void finishSession(Session& session);
/// Deletes the swapchain's textures when a GL context is there to do it.
void releaseSwapchain(Session& session, Swapchain& swapchain);

/// The two-call idiom: with capacity 0 only the count is returned.
template <typename T>
XrResult enumerate(std::uint32_t capacity, std::uint32_t* count, T* out, const std::vector<T>& values)
{
    if (count == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    *count = static_cast<std::uint32_t>(values.size());
    if (capacity == 0)
        return XR_SUCCESS;
    if (capacity < values.size())
        return XR_ERROR_SIZE_INSUFFICIENT;
    if (out == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if constexpr (requires { out[i].next; }) {
            // Output structures keep the application's own extension chain.
            auto* next = out[i].next;
            out[i] = values[i];
            out[i].next = next;
        } else {
            out[i] = values[i];
        }
    }
    return XR_SUCCESS;
}

/// Copies text into a fixed-size name field, always terminated.
template <std::size_t N>
void copyName(char (&field)[N], const std::string& text)
{
    std::strncpy(field, text.c_str(), N - 1);
    field[N - 1] = '\0';
}

/// Entry points by API name, with the extension that must be enabled for them (null: core).
struct ProcEntry {
    PFN_xrVoidFunction function;
    const char* extension;
};
using ProcTable = std::map<std::string, ProcEntry>;

void addInstanceProcs(ProcTable& table);
void addSessionProcs(ProcTable& table);
void addFrameProcs(ProcTable& table);
void addSwapchainProcs(ProcTable& table);
void addInputProcs(ProcTable& table);

} // namespace xrsim

// Adds an entry point under its API name; the cast checks it against the API's signature.
#define XRSIM_PROC(table, name, function, extension) \
    (table)[#name] = {reinterpret_cast<PFN_xrVoidFunction>(static_cast<PFN_##name>(function)), extension}
