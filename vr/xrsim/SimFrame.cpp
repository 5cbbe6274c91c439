// Frame pacing, view locations and frame submission of the simulated runtime.

#include "SimState.h"

#include <thread>

namespace xrsim {

namespace {

// The eyes sit half an interpupillary distance left and right of the head.
constexpr float halfIpd = 0.0315f;

// Wider towards the temple than towards the nose, and a little more down than
// up, as in real headsets, so that a swap of any two angles shows in a picture.
constexpr XrFovf leftEyeFov{-0.96f, 0.82f, 0.89f, -0.97f};
constexpr XrFovf rightEyeFov{-0.82f, 0.96f, 0.89f, -0.97f};

bool rendering(const Session& session)
{
    return session.state == XR_SESSION_STATE_VISIBLE || session.state == XR_SESSION_STATE_FOCUSED;
}

XRAPI_ATTR XrResult XRAPI_CALL waitFrame(XrSession handle, const XrFrameWaitInfo* info, XrFrameState* frameState)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if ((info != nullptr && info->type != XR_TYPE_FRAME_WAIT_INFO) || frameState == nullptr
        || frameState->type != XR_TYPE_FRAME_STATE)
        return XR_ERROR_VALIDATION_FAILURE;
    if (!session->running)
        return XR_ERROR_SESSION_NOT_RUNNING;

    const VsyncClock::Slot slot = session->vsync.next(std::chrono::steady_clock::now());
    if (slot.missed)
        ++session->framesMissed;
    std::this_thread::sleep_until(slot.wake);

    frameState->predictedDisplayTime = toXrTime(slot.display);
    frameState->predictedDisplayPeriod = session->vsync.period().count();
    frameState->shouldRender = rendering(*session) ? XR_TRUE : XR_FALSE;
    session->waitedDisplayTime = frameState->predictedDisplayTime;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL beginFrame(XrSession handle, const XrFrameBeginInfo* info)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info != nullptr && info->type != XR_TYPE_FRAME_BEGIN_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (!session->running)
        return XR_ERROR_SESSION_NOT_RUNNING;
    if (!session->waitedDisplayTime)
        return XR_ERROR_CALL_ORDER_INVALID;
    const XrResult result = session->begunDisplayTime ? XR_FRAME_DISCARDED : XR_SUCCESS;
    session->begunDisplayTime = session->waitedDisplayTime;
    session->waitedDisplayTime.reset();
    return result;
}

/// Checks what a layer's view takes from a swapchain; on success `shown` names the image.
XrResult checkSubImage(Session& session, const XrSwapchainSubImage& subImage, ShownImage& shown)
{
    const auto found = session.swapchains.find(subImage.swapchain);
    if (found == session.swapchains.end())
        return XR_ERROR_HANDLE_INVALID;
    const Swapchain& swapchain = found->second;
    if (!swapchain.lastReleased)
        return XR_ERROR_LAYER_INVALID;
    if (subImage.imageArrayIndex != 0)
        return XR_ERROR_VALIDATION_FAILURE;
    const XrRect2Di& rect = subImage.imageRect;
    if (rect.offset.x < 0 || rect.offset.y < 0 || rect.extent.width <= 0 || rect.extent.height <= 0
        || static_cast<std::uint32_t>(rect.offset.x + rect.extent.width) > swapchain.width
        || static_cast<std::uint32_t>(rect.offset.y + rect.extent.height) > swapchain.height)
        return XR_ERROR_SWAPCHAIN_RECT_INVALID;
    shown = {subImage.swapchain, *swapchain.lastReleased};
    return XR_SUCCESS;
}

XrResult checkProjection(Session& session, const XrCompositionLayerProjection& layer,
                         std::array<ShownImage, 2>& shown)
{
    if (!session.spaces.contains(layer.space))
        return XR_ERROR_HANDLE_INVALID;
    if (layer.viewCount != 2 || layer.views == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    for (std::size_t eye = 0; eye < 2; ++eye) {
        const XrCompositionLayerProjectionView& view = layer.views[eye];
        if (view.type != XR_TYPE_COMPOSITION_LAYER_PROJECTION_VIEW)
            return XR_ERROR_VALIDATION_FAILURE;
        if (const XrResult result = checkSubImage(session, view.subImage, shown[eye]); XR_FAILED(result))
            return result;
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL endFrame(XrSession handle, const XrFrameEndInfo* info)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_FRAME_END_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (!session->running)
        return XR_ERROR_SESSION_NOT_RUNNING;
    if (!session->begunDisplayTime)
        return XR_ERROR_CALL_ORDER_INVALID;
    if (info->displayTime <= 0)
        return XR_ERROR_TIME_INVALID;
    if (info->environmentBlendMode != XR_ENVIRONMENT_BLEND_MODE_OPAQUE)
        return XR_ERROR_ENVIRONMENT_BLEND_MODE_UNSUPPORTED;
    if (info->layerCount > maxLayerCount)
        return XR_ERROR_LAYER_LIMIT_EXCEEDED;
    if (info->layerCount > 0 && info->layers == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;

    std::optional<std::array<ShownImage, 2>> projected;
    for (std::uint32_t i = 0; i < info->layerCount; ++i) {
        const XrCompositionLayerBaseHeader* layer = info->layers[i];
        if (layer == nullptr)
            return XR_ERROR_LAYER_INVALID;
        XrResult result = XR_ERROR_LAYER_INVALID;
        if (layer->type == XR_TYPE_COMPOSITION_LAYER_PROJECTION) {
            std::array<ShownImage, 2> shown{};
            result = checkProjection(*session, *reinterpret_cast<const XrCompositionLayerProjection*>(layer), shown);
            if (XR_SUCCEEDED(result) && !projected)
                projected = shown;
        } else if (layer->type == XR_TYPE_COMPOSITION_LAYER_QUAD) {
            // Accepted and not drawn: only the eye pictures are of interest here.
            ShownImage ignored;
            result = checkSubImage(*session, reinterpret_cast<const XrCompositionLayerQuad*>(layer)->subImage, ignored);
        }
        if (XR_FAILED(result))
            return result;
    }

    session->begunDisplayTime.reset();
    ++session->framesEnded;
    if (projected) {
        ++session->framesSubmitted;
        session->shown = *projected;
        session->shownFrame = session->framesSubmitted;
        session->capturePending = true;
        if (runtime().settings.captureEveryFrame)
            capture(*session);
    }
    const std::uint64_t exitAfter = runtime().settings.exitAfterFrames;
    if (exitAfter > 0 && session->framesEnded >= exitAfter && !session->exitRequested)
        requestStop(*session);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL locateViews(XrSession handle, const XrViewLocateInfo* info, XrViewState* viewState,
                                           uint32_t capacity, uint32_t* count, XrView* views)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_VIEW_LOCATE_INFO || viewState == nullptr
        || viewState->type != XR_TYPE_VIEW_STATE || count == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    if (info->viewConfigurationType != XR_VIEW_CONFIGURATION_TYPE_PRIMARY_STEREO)
        return XR_ERROR_VIEW_CONFIGURATION_TYPE_UNSUPPORTED;
    if (!session->spaces.contains(info->space))
        return XR_ERROR_HANDLE_INVALID;
    if (info->displayTime <= 0)
        return XR_ERROR_TIME_INVALID;

    *count = 2;
    if (capacity == 0)
        return XR_SUCCESS;
    if (capacity < 2)
        return XR_ERROR_SIZE_INSUFFICIENT;
    if (views == nullptr || views[0].type != XR_TYPE_VIEW || views[1].type != XR_TYPE_VIEW)
        return XR_ERROR_VALIDATION_FAILURE;
    viewState->viewStateFlags = XR_VIEW_STATE_ORIENTATION_VALID_BIT | XR_VIEW_STATE_POSITION_VALID_BIT
        | XR_VIEW_STATE_ORIENTATION_TRACKED_BIT | XR_VIEW_STATE_POSITION_TRACKED_BIT;
    views[0].pose = {{0.0f, 0.0f, 0.0f, 1.0f}, {-halfIpd, 0.0f, 0.0f}};
    views[0].fov = leftEyeFov;
    views[1].pose = {{0.0f, 0.0f, 0.0f, 1.0f}, {halfIpd, 0.0f, 0.0f}};
    views[1].fov = rightEyeFov;
    return XR_SUCCESS;
}

} // namespace

void addFrameProcs(ProcTable& table)
{
    XRSIM_PROC(table, xrWaitFrame, waitFrame, nullptr);
    XRSIM_PROC(table, xrBeginFrame, beginFrame, nullptr);
    XRSIM_PROC(table, xrEndFrame, endFrame, nullptr);
    XRSIM_PROC(table, xrLocateViews, locateViews, nullptr);
}

} // namespace xrsim
