#include "Shader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string sourceOf(const std::string& file)
{
    std::istringstream in(file);
    return shaderSource(in);
}

TEST(ShaderSource, EveryLineIsPrecededByALineBreak)
{
    struct Case {
        const char* file;
        const char* source;
    };
    const Case cases[] = {
        {"", ""},
        {"a\nb", "\na\nb"},
        {"a\nb\n", "\na\nb"}, // a final line break changes nothing
        {"a\n\nb\n", "\na\n\nb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sourceOf(c.file), c.source) << "file: " << testing::PrintToString(std::string(c.file));
}

} // namespace
