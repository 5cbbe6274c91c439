#pragma once

#include <cstdint>
#include <vector>

/// The swapchain format for the eye pictures among those a runtime offers, or 0
/// when none will do. The eye targets hold display-ready (gamma-encoded) 8-bit
/// colours, as a monitor's framebuffer does, and they are copied into the
/// swapchain byte for byte. A runtime reads the bytes of GL_SRGB8_ALPHA8 as
/// gamma-encoded, so that format shows them as on the monitor; GL_RGBA8 would be
/// read as linear and shown too bright, and is taken only when sRGB is missing.
std::int64_t chooseSwapchainFormat(const std::vector<std::int64_t>& offered);
