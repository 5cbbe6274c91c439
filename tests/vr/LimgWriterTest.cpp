#include "LimgWriter.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(LimgWriter, WritesTheHeaderThenTheTopRowFirst)
{
    TempDir dir;
    // 2 × 3 pixels as GL reads them back: the bottom row (pixel values 0x1n) first.
    const std::vector<std::uint8_t> bottomUp = {
        0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, // bottom row
        0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, // middle row
        0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, // top row
    };
    ASSERT_TRUE(xrsim::writeLimgFromBottomUp(dir.file("eye.limg"), 2, 3, bottomUp));

    const std::string expected = std::string("\x02\x00\x00\x00\x03\x00\x00\x00", 8)
        + "\x30\x31\x32\x33\x34\x35\x36\x37" + "\x20\x21\x22\x23\x24\x25\x26\x27"
        + "\x10\x11\x12\x13\x14\x15\x16\x17";
    EXPECT_EQ(fileBytes(dir.file("eye.limg")), expected);
}

TEST(LimgWriter, RefusesTooFewPixelsAndUnwritablePaths)
{
    TempDir dir;
    EXPECT_FALSE(xrsim::writeLimgFromBottomUp(dir.file("short.limg"), 2, 2, std::vector<std::uint8_t>(12)));
    EXPECT_FALSE(xrsim::writeLimgFromBottomUp(dir.path() / "missing" / "eye.limg", 1, 1, std::vector<std::uint8_t>(4)));
}

} // namespace
