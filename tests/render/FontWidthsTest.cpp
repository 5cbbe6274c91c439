#include "Font.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

TEST(FontWidths, ValuesInOrderAnyWhiteSpaceMissingOnesZero)
{
    struct Case {
        const char* file;
        std::vector<std::int32_t> first;
    };
    const Case cases[] = {
        {"3 4\n5\t\t6\r\n\n  7", {3, 4, 5, 6, 7, 0}},
        {"", {0, 0, 0}},
        {"9 9 x 9", {9, 9, 0, 0}},            // reading stops at what is not a number
        {"9 9 99999999999 9", {9, 9, 0, 0}}, // nor is a value beyond 32 bits
    };
    for (const Case& c : cases) {
        std::istringstream in(c.file);
        const auto widths = readFontWidths(in);
        EXPECT_EQ(std::vector<std::int32_t>(widths.begin(), widths.begin() + std::ssize(c.first)), c.first)
            << testing::PrintToString(std::string(c.file));
    }
}

} // namespace
