#include "XrSwapchainFormat.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FormatCase {
    const char* name;
    std::vector<std::int64_t> offered;
    std::int64_t chosen;
};

void PrintTo(const FormatCase& c, std::ostream* out)
{
    *out << c.name;
}

class SwapchainFormat : public testing::TestWithParam<FormatCase> {};

// The eye pictures are copied byte for byte, so only 8-bit RGBA keeps their
// colours, and sRGB keeps them as the monitor shows them.
TEST_P(SwapchainFormat, PrefersSrgbThenPlainEightBitRgba)
{
    EXPECT_EQ(chooseSwapchainFormat(GetParam().offered), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, SwapchainFormat,
    testing::Values(FormatCase{"srgbAfterOthers", {GL_RGBA16F, GL_RGBA8, GL_SRGB8_ALPHA8}, GL_SRGB8_ALPHA8},
                    FormatCase{"onlyLinear", {GL_RGB10_A2, GL_RGBA8}, GL_RGBA8},
                    FormatCase{"noEightBitRgba", {GL_RGBA16F, GL_RGB10_A2}, 0},
                    FormatCase{"nothingOffered", {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
