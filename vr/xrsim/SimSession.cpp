// Session life cycle, events and reference spaces of the simulated runtime.

#include "platform/SimPlatform.h"
#include "SimState.h"

#include <algorithm>

namespace xrsim {

void requestStop(Session& session)
{
    // Through every state in between, as a real runtime does when the user
    // quits from its menu.
    session.exitRequested = true;
    if (session.state == XR_SESSION_STATE_FOCUSED)
        changeState(session, XR_SESSION_STATE_VISIBLE);
    if (session.state == XR_SESSION_STATE_VISIBLE)
        changeState(session, XR_SESSION_STATE_SYNCHRONIZED);
    if (session.state != XR_SESSION_STATE_STOPPING)
        changeState(session, XR_SESSION_STATE_STOPPING);
}

namespace {

XRAPI_ATTR XrResult XRAPI_CALL createSession(XrInstance instance, const XrSessionCreateInfo* info,
                                             XrSession* session)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || session == nullptr || info->type != XR_TYPE_SESSION_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    Runtime& state = runtime();
    if (info->systemId != hmdSystemId)
        return XR_ERROR_SYSTEM_INVALID;
    if (!state.graphicsRequirementsQueried)
        return XR_ERROR_GRAPHICS_REQUIREMENTS_CALL_MISSING;
    if (!hasGlBinding(info->next))
        return XR_ERROR_GRAPHICS_DEVICE_INVALID;
    if (state.session)
        return XR_ERROR_LIMIT_REACHED;

    auto created = std::make_unique<Session>();
    if (!created->gl.load())
        return XR_ERROR_GRAPHICS_DEVICE_INVALID;
    created->handle = newHandle<XrSession>();
    state.session = std::move(created);
    changeState(*state.session, XR_SESSION_STATE_IDLE);
    changeState(*state.session, XR_SESSION_STATE_READY);
    *session = state.session->handle;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL destroySession(XrSession handle)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    finishSession(*session);
    for (auto& [swapchainHandle, swapchain] : session->swapchains)
        releaseSwapchain(*session, swapchain);
    Runtime& state = runtime();
    // Events of a destroyed session must not reach the application.
    std::erase_if(state.events, [handle](const XrEventDataBuffer& event) {
        return event.type == XR_TYPE_EVENT_DATA_SESSION_STATE_CHANGED
            && reinterpret_cast<const XrEventDataSessionStateChanged&>(event).session == handle;
    });
    state.session.reset();
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL beginSession(XrSession handle, const XrSessionBeginInfo* info)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_SESSION_BEGIN_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (info->primaryViewConfigurationType != XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO)
        return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    if (session->running)
        return XR_ERROR_SESSION_RUNNING;
    if (session->state != XR_SESSION_STATE_READY)
        return XR_ERROR_SESSION_NOT_READY;
    session->running = true;
    session->vsync.start(std::chrono::steady_clock::now());
    changeState(*session, XR_SESSION_STATE_SYNCHRONIZED);
    changeState(*session, XR_SESSION_STATE_VISIBLE);
    changeState(*session, XR_SESSION_STATE_FOCUSED);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL endSession(XrSession handle)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (!session->running)
        return XR_ERROR_SESSION_NOT_RUNNING;
    if (session->state != XR_SESSION_STATE_STOPPING)
        return XR_ERROR_SESSION_NOT_STOPPING;
    finishSession(*session);
    session->running = false;
    session->waitedDisplayTime.reset();
    session->begunDisplayTime.reset();
    changeState(*session, XR_SESSION_STATE_IDLE);
    // The only way into STOPPING here is a request to quit, so the session ends for good.
    changeState(*session, XR_SESSION_STATE_EXITING);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL requestExitSession(XrSession handle)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (!session->running)
        return XR_ERROR_SESSION_NOT_RUNNING;
    requestStop(*session);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL pollEvent(XrInstance instance, XrEventDataBuffer* buffer)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (buffer == nullptr || buffer->type != XR_TYPE_EVENT_DATA_BUFFER)
        return XR_ERROR_VALIDATION_FAILURE;
    auto& events = runtime().events;
    if (events.empty())
        return XR_EVENT_UNAVAILABLE;
    *buffer = events.front();
    events.pop_front();
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateReferenceSpaces(XrSession handle, uint32_t capacity, uint32_t* count,
                                                        XrReferenceSpaceType* types)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    return enumerate(capacity, count, types,
                     std::vector{XR_REFERENCE_SPACE_TYPE_VIEW, XR_REFERENCE_SPACE_TYPE_LOCAL,
                                 XR_REFERENCE_SPACE_TYPE_STAGE});
}

XRAPI_ATTR XrResult XRAPI_CALL createReferenceSpace(XrSession handle, const XrReferenceSpaceCreateInfo* info,
                                                    XrSpace* space)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || space == nullptr || info->type != XR_TYPE_REFERENCE_SPACE_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    switch (info->referenceSpaceType) {
    case XR_REFERENCE_SPACE_TYPE_VIEW:
    case XR_REFERENCE_SPACE_TYPE_LOCAL:
    case XR_REFERENCE_SPACE_TYPE_STAGE:
        break;
    default:
        return XR_ERROR_REFERENCE_SPACE_UNSUPPORTED;
    }
    *space = newHandle<XrSpace>();
    session->spaces.insert(*space);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL createActionSpace(XrSession handle, const XrActionSpaceCreateInfo* info,
                                                 XrSpace* space)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || space == nullptr || info->type != XR_TYPE_ACTION_SPACE_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    *space = newHandle<XrSpace>();
    session->spaces.insert(*space);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL getReferenceSpaceBoundsRect(XrSession handle, XrReferenceSpaceType, XrExtent2Df* bounds)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (bounds == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    *bounds = {0.0f, 0.0f};
    return XR_SPACE_BOUNDS_UNAVAILABLE;
}

/// Every space sits where every other one does: the simulated head never moves.
XRAPI_ATTR XrResult XRAPI_CALL locateSpace(XrSpace space, XrSpace baseSpace, XrTime time, XrSpaceLocation* location)
{
    Session* session = runtime().session.get();
    if (session == nullptr || !session->spaces.contains(space) || !session->spaces.contains(baseSpace))
        return XR_ERROR_HANDLE_INVALID;
    if (location == nullptr || location->type != XR_TYPE_SPACE_LOCATION)
        return XR_ERROR_VALIDATION_FAILURE;
    if (time <= 0)
        return XR_ERROR_TIME_INVALID;
    location->locationFlags = XR_SPACE_LOCATION_ORIENTATION_VALID_BIT | XR_SPACE_LOCATION_POSITION_VALID_BIT
        | XR_SPACE_LOCATION_ORIENTATION_TRACKED_BIT | XR_SPACE_LOCATION_POSITION_TRACKED_BIT;
    location->pose = {{0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f}};
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL destroySpace(XrSpace space)
{
    Session* session = runtime().session.get();
    if (session == nullptr || session->spaces.erase(space) == 0)
        return XR_ERROR_HANDLE_INVALID;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateDisplayRefreshRates(XrSession handle, uint32_t capacity, uint32_t* count,
                                                            float* rates)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    return enumerate(capacity, count, rates, std::vector{refreshRateHz});
}

XRAPI_ATTR XrResult XRAPI_CALL getDisplayRefreshRate(XrSession handle, float* rate)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (rate == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    *rate = refreshRateHz;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL requestDisplayRefreshRate(XrSession handle, float rate)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    // 0 asks for the runtime's default.
    return rate == 0.0f || rate == refreshRateHz ? XR_SUCCESS : XR_ERROR_DISPLAY_REFRESH_RATE_UNSUPPORTED_FB;
}

} // namespace

void addSessionProcs(ProcTable& table)
{
    XRSIM_PROC(table, xrCreateSession, createSession, nullptr);
    XRSIM_PROC(table, xrDestroySession, destroySession, nullptr);
    XRSIM_PROC(table, xrBeginSession, beginSession, nullptr);
    XRSIM_PROC(table, xrEndSession, endSession, nullptr);
    XRSIM_PROC(table, xrRequestExitSession, requestExitSession, nullptr);
    XRSIM_PROC(table, xrPollEvent, pollEvent, nullptr);
    XRSIM_PROC(table, xrEnumerateReferenceSpaces, enumerateReferenceSpaces, nullptr);
    XRSIM_PROC(table, xrCreateReferenceSpace, createReferenceSpace, nullptr);
    XRSIM_PROC(table, xrCreateActionSpace, createActionSpace, nullptr);
    XRSIM_PROC(table, xrGetReferenceSpaceBoundsRect, getReferenceSpaceBoundsRect, nullptr);
    XRSIM_PROC(table, xrLocateSpace, locateSpace, nullptr);
    XRSIM_PROC(table, xrDestroySpace, destroySpace, nullptr);
    XRSIM_PROC(table, xrEnumerateDisplayRefreshRatesFB, enumerateDisplayRefreshRates,
               XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);
    XRSIM_PROC(table, xrGetDisplayRefreshRateFB, getDisplayRefreshRate, XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);
    XRSIM_PROC(table, xrRequestDisplayRefreshRateFB, requestDisplayRefreshRate,
               XR_FB_DISPLAY_REFRESH_RATE_EXTENSION_NAME);
}

} // namespace xrsim
