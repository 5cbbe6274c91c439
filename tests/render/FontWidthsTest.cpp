#include "Font.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::array<std::int32_t, 256> widthsOf(const std::string& file)
{
    std::istringstream in(file);
    return readFontWidths(in);
}

TEST(FontWidths, AnyWhiteSpaceSeparatesTheValues)
{
    const auto widths = widthsOf("3 4\n5\t\t6\r\n\n  7");
    EXPECT_EQ((std::vector<std::int32_t>(widths.begin(), widths.begin() + 6)),
              (std::vector<std::int32_t>{3, 4, 5, 6, 7, 0}));
}

TEST(FontWidths, ReadsAtMost256Values)
{
    std::string file;
    for (int k = 0; k < 300; ++k)
        file += std::to_string(k) + " ";
    const auto widths = widthsOf(file);
    EXPECT_EQ(widths[0], 0);
    EXPECT_EQ(widths[255], 255);
}

TEST(FontWidths, CodesWithoutAValueAreZero)
{
    for (const char* file : {"", "9 9 x 9", "9 9 99999999999 9"}) {
        const auto widths = widthsOf(file);
        EXPECT_EQ(widths[2], 0) << file;
        EXPECT_EQ(widths[3], 0) << file;
    }
}

} // namespace
