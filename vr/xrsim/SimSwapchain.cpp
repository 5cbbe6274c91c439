// GL swapchains of the simulated runtime: textures made in the application's
// context, handed out in turn, three per swapchain.

#include "SimState.h"

#include <algorithm>

namespace xrsim {

namespace {

// Preferred first: applications that write display-ready (gamma-encoded)
// colours keep them unchanged in an sRGB image.
constexpr GLenum offeredFormats[] = {GL_SRGB8_ALPHA8, GL_RGBA8};

bool formatOffered(std::int64_t format)
{
    return std::find(std::begin(offeredFormats), std::end(offeredFormats), format) != std::end(offeredFormats);
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateSwapchainFormats(XrSession handle, uint32_t capacity, uint32_t* count,
                                                         int64_t* formats)
{
    if (findSession(handle) == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    return enumerate(capacity, count, formats, std::vector<int64_t>(std::begin(offeredFormats), std::end(offeredFormats)));
}

XRAPI_ATTR XrResult XRAPI_CALL createSwapchain(XrSession handle, const XrSwapchainCreateInfo* info,
                                               XrSwapchain* swapchain)
{
    Session* session = findSession(handle);
    if (session == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || swapchain == nullptr || info->type != XR_TYPE_SWAPCHAIN_CREATE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (!formatOffered(info->format))
        return XR_ERROR_SWAPCHAIN_FORMAT_UNSUPPORTED;
    if (info->createFlags != 0 || info->sampleCount != 1 || info->faceCount != 1 || info->arraySize != 1
        || info->mipCount != 1)
        return XR_ERROR_FEATURE_UNSUPPORTED;
    if (info->width == 0 || info->height == 0 || info->width > maxSwapchainSize || info->height > maxSwapchainSize)
        return XR_ERROR_VALIDATION_FAILURE;
    // The textures belong to the application's context, which has to be current.
    if (!SimGl::contextCurrent())
        return XR_ERROR_GRAPHICS_DEVICE_INVALID;

    Swapchain created;
    created.format = static_cast<GLenum>(info->format);
    created.width = info->width;
    created.height = info->height;
    created.textures = session->gl.createTextures(imagesPerSwapchain, created.format,
                                                  static_cast<GLsizei>(info->width),
                                                  static_cast<GLsizei>(info->height));
    *swapchain = newHandle<XrSwapchain>();
    session->swapchains.emplace(*swapchain, std::move(created));
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL destroySwapchain(XrSwapchain handle)
{
    Session* session = nullptr;
    Swapchain* swapchain = findSwapchain(handle, &session);
    if (swapchain == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    // The last shown picture may live in this swapchain: read it back before it goes.
    const bool shownHere = session->shown[0].swapchain == handle || session->shown[1].swapchain == handle;
    if (session->capturePending && shownHere)
        capture(*session);
    releaseSwapchain(*session, *swapchain);
    session->swapchains.erase(handle);
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL enumerateSwapchainImages(XrSwapchain handle, uint32_t capacity, uint32_t* count,
                                                        XrSwapchainImageBaseHeader* images)
{
    Swapchain* swapchain = findSwapchain(handle);
    if (swapchain == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (count == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    const auto size = static_cast<uint32_t>(swapchain->textures.size());
    *count = size;
    if (capacity == 0)
        return XR_SUCCESS;
    if (capacity < size)
        return XR_ERROR_SIZE_INSUFFICIENT;
    if (images == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    auto* glImages = reinterpret_cast<XrSwapchainImageOpenGLKHR*>(images);
    for (uint32_t i = 0; i < size; ++i) {
        if (glImages[i].type != XR_TYPE_SWAPCHAIN_IMAGE_OPENGL_KHR)
            return XR_ERROR_VALIDATION_FAILURE;
        glImages[i].image = swapchain->textures[i];
    }
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL acquireSwapchainImage(XrSwapchain handle, const XrSwapchainImageAcquireInfo* info,
                                                     uint32_t* index)
{
    Swapchain* swapchain = findSwapchain(handle);
    if (swapchain == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if ((info != nullptr && info->type != XR_TYPE_SWAPCHAIN_IMAGE_ACQUIRE_INFO) || index == nullptr)
        return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.size() == swapchain->textures.size())
        return XR_ERROR_CALL_ORDER_INVALID;
    *index = swapchain->nextAcquire;
    swapchain->acquired.push_back(*index);
    swapchain->nextAcquire = (swapchain->nextAcquire + 1) % static_cast<uint32_t>(swapchain->textures.size());
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL waitSwapchainImage(XrSwapchain handle, const XrSwapchainImageWaitInfo* info)
{
    Swapchain* swapchain = findSwapchain(handle);
    if (swapchain == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info == nullptr || info->type != XR_TYPE_SWAPCHAIN_IMAGE_WAIT_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.empty() || swapchain->oldestWaited)
        return XR_ERROR_CALL_ORDER_INVALID;
    // The simulated compositor never holds an image, so it is ready at once.
    swapchain->oldestWaited = true;
    return XR_SUCCESS;
}

XRAPI_ATTR XrResult XRAPI_CALL releaseSwapchainImage(XrSwapchain handle, const XrSwapchainImageReleaseInfo* info)
{
    Swapchain* swapchain = findSwapchain(handle);
    if (swapchain == nullptr)
        return XR_ERROR_HANDLE_INVALID;
    if (info != nullptr && info->type != XR_TYPE_SWAPCHAIN_IMAGE_RELEASE_INFO)
        return XR_ERROR_VALIDATION_FAILURE;
    if (swapchain->acquired.empty() || !swapchain->oldestWaited)
        return XR_ERROR_CALL_ORDER_INVALID;
    swapchain->lastReleased = swapchain->acquired.front();
    swapchain->acquired.pop_front();
    swapchain->oldestWaited = false;
    return XR_SUCCESS;
}

} // namespace

void addSwapchainProcs(ProcTable& table)
{
    XRSIM_PROC(table, xrEnumerateSwapchainFormats, enumerateSwapchainFormats, nullptr);
    XRSIM_PROC(table, xrCreateSwapchain, createSwapchain, nullptr);
    XRSIM_PROC(table, xrDestroySwapchain, destroySwapchain, nullptr);
    XRSIM_PROC(table, xrEnumerateSwapchainImages, enumerateSwapchainImages, nullptr);
    XRSIM_PROC(table, xrAcquireSwapchainImage, acquireSwapchainImage, nullptr);
    XRSIM_PROC(table, xrWaitSwapchainImage, waitSwapchainImage, nullptr);
    XRSIM_PROC(table, xrReleaseSwapchainImage, releaseSwapchainImage, nullptr);
}

} // namespace xrsim
