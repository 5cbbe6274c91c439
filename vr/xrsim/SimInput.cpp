// The simulated headset has no controllers: action entry points accept what
// they are given and report inactive inputs, so an application that sets up
// input still runs.

#include "SimState.h"

namespace xrsim {

namespace {

template <typename Handle>
XrResult createObject(Handle* handle)
{
    if (handle == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    *handle = newHandle<Handle>();
    runtime().actionObjects.insert(reinterpret_cast<std::uint64_t>(*handle));
    return XR_SUCCESS;
}

template <typename Handle>
XrResult destroyObject(Handle handle)
{
    return runtime().actionObjects.erase(reinterpret_cast<std::uint64_t>(handle)) == 1 ? XR_SUCCESS
                                                                                       : XR_ERROR_HANDLE_INVALID;
}

template <typename Handle>
bool knownObject(Handle handle)
{
    return runtime().actionObjects.contains(reinterpret_cast<std::uint64_t>(handle));
}

XRAPI_ATTR XrResult XRAPI_CALL createActionSet(XrInstance instance, const XrActionSetCreateInfo* info,
                                               XrActionSet* actionSet)
{
    if (!validInstance(instance))
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_ACTION_SET_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    return createObject(actionSet);
}

XRAPI_ATTR XrResult XRAPI_CALL destroyActionSet(XrActionSet actionSet)
{
    return destroyObject(actionSet);
}

XRAPI_ATTR XrResult XRAPI_CALL createAction(XrActionSet actionSet, const XrActionCreateInfo* info, XrAction* action)
{
    if (!knownObject(actionSet))
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_ACTION_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    return createObject(action);
}

XRAPI_ATTR XrResult XRAPI_CALL destroyAction(XrAction action)
{
    return destroyObject(action);
}

XRAPI_ATTR XrResult XRAPI_CALL suggestInteractionProfileBindings(XrInstance instance,
                                                                 const XrInteractionProfileSuggestedBinding*)
{
    return validInstance(instance) ? XR_SUCCESS : XR_ERROR_HANDLE_INVALID;
}

XRAPI_ATTR XrResult XRAPI_CALL attachSessionActionSets(XrSession session, const XrSessionActionSetsAttachInfo*)
{
    return findSession(session) != nullptr ? XR_SUCCESS : XR_ERROR_HANDLE_INVALID;
}

XRAPI_ATTR XrResult XRAPI_CALL getCurrentInteractionProfile(XrSession session, XrPath,
                                                            XrInteractionProfileState* profile)
{
    if (findSession(session) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (profile == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    profile->interactionProfile = XR_NULL_PATH;
    return XR_SUCCESS;
}

/// Fills an action state with "inactive, nothing changed".
template <typename State>
XrResult inactiveState(XrSession session, State* state)
{
    if (findSession(session) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (state == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    const XrStructureType type = state->type;
    void* next = state->next;
    *state = State{};
    state->type = type;
    state->next = next;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL getActionStateBoolean(XrSession session, const XrActionStateGetInfo*,
                                                     XrActionStateBoolean* state)
{
    return inactiveState(session, state);
}

XRAPI_ATTR XrResult XRAPI_CALL getActionStateFloat(XrSession session, const XrActionStateGetInfo*,
                                                   XrActionStateFloat* state)
{
    return inactiveState(session, state);
}

XRAPI_ATTR XrResult XRAPI_CALL getActionStateVector2f(XrSession session, const XrActionStateGetInfo*,
                                                      XrActionStateVector2f* state)
{
    return inactiveState(session, state);
}

XRAPI_ATTR XrResult XRAPI_CALL getActionStatePose(XrSession session, const XrActionStateGetInfo*,
                                                  XrActionStatePose* state)
{
    return inactiveState(session, state);
}

XRAPI_ATTR XrResult XRAPI_CALL syncActions(XrSession session, const XrActionsSyncInfo*)
{
    return findSession(session) != nullptr ? XR_SUCCESS : XR_ERROR_HANDLE_INVALID;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateBoundSourcesForAction(XrSession session,
                                                              const XrBoundSourcesForActionEnumerateInfo*,
                                                              uint32_t capacity, uint32_t* count, XrPath* sources)
{
    if (findSession(session) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    return enumerate(capacity, count, sources, std::vector<XrPath>{});
}

XRAPI_ATTR XrResult XRAPI_CALL getInputSourceLocalizedName(XrSession session, const XrInputSourceLocalizedNameGetInfo*,
                                                           uint32_t capacity, uint32_t* count, char* buffer)
{
    if (findSession(session) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    return enumerate(capacity, count, buffer, std::vector<char>{'\0'});
}

XRAPI_ATTR XrResult XRAPI_CALL applyHapticFeedback(XrSession session, const XrHapticActionInfo*,
                                                   const XrHapticBaseHeader*)
{
    return findSession(session) != nullptr ? XR_SUCCESS : XR_ERROR_HANDLE_INVALID;
}

XRAPI_ATTR XrResult XRAPI_CALL stopHapticFeedback(XrSession session, const XrHapticActionInfo*)
{
    return findSession(session) != nullptr ? XR_SUCCESS : XR_ERROR_HANDLE_INVALID;
}

} // namespace

void addInputProcs(ProcTable& table)
{
    XRSIM_PROC(table, xrCreateActionSet, createActionSet, nullptr);
    XRSIM_PROC(table, xrDestroyActionSet, destroyActionSet, nullptr);
    XRSIM_PROC(table, xrCreateAction, createAction, nullptr);
    XRSIM_PROC(table, xrDestroyAction, destroyAction, nullptr);
    XRSIM_PROC(table, xrSuggestInteractionProfileBindings, suggestInteractionProfileBindings, nullptr);
    XRSIM_PROC(table, xrAttachSessionActionSets, attachSessionActionSets, nullptr);
    XRSIM_PROC(table, xrGetCurrentInteractionProfile, getCurrentInteractionProfile, nullptr);
    XRSIM_PROC(table, xrGetActionStateBoolean, getActionStateBoolean, nullptr);
    XRSIM_PROC(table, xrGetActionStateFloat, getActionStateFloat, nullptr);
    XRSIM_PROC(table, xrGetActionStateVector2f, getActionStateVector2f, nullptr);
    XRSIM_PROC(table, xrGetActionStatePose, getActionStatePose, nullptr);
    XRSIM_PROC(table, xrSyncActions, syncActions, nullptr);
    XRSIM_PROC(table, xrEnumerateBoundSourcesForAction, enumerateBoundSourcesForAction, nullptr);
    XRSIM_PROC(table, xrGetInputSourceLocalizedName, getInputSourceLocalizedName, nullptr);
    XRSIM_PROC(table, xrApplyHapticFeedback, applyHapticFeedback, nullptr);
    XRSIM_PROC(table, xrStopHapticFeedback, stopHapticFeedback, nullptr);
}

} // namespace xrsim
