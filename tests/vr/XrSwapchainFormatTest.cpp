#include "XrSwapchainFormat.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

// The eye pictures are copied byte for byte, so only 8-bit RGBA keeps their
// colours, and sRGB keeps them as the monitor shows them.
TEST(SwapchainFormat, PrefersSrgbThenPlainEightBitRgba)
{
    EXPECT_EQ(chooseSwapchainFormat({GL_RGBA16F, GL_RGBA8, GL_SRGB8_ALPHA8}), std::int64_t{GL_SRGB8_ALPHA8});
    EXPECT_EQ(chooseSwapchainFormat({GL_RGB10_A2, GL_RGBA8}), std::int64_t{GL_RGBA8});
    EXPECT_EQ(chooseSwapchainFormat({GL_RGBA16F, GL_RGB10_A2}), 0);
    EXPECT_EQ(chooseSwapchainFormat({}), 0);
}

} // namespace
