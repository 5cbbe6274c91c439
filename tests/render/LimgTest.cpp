#include "Limg.h"

#include "AllocationProbe.h"
#include "LimgFixtures.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

LimgRead readBytes(const std::string& bytes)
{
    std::istringstream in(bytes);
    return readLimg(in);
}

TEST(Limg, ReadsBackWhatWasWritten)
{
    TempDir dir;
    for (auto [width, height] : {std::pair{0u, 0u}, {3u, 2u}, {2u, 5u}}) {
        const LimgImage written = patternedLimg(width, height);
        ASSERT_TRUE(writeLimg(dir.path() / "picture.limg", written));
        const LimgRead read = readLimgFile(dir.file("picture.limg"));
        ASSERT_EQ(read.fault, LimgFault::none) << width << " x " << height;
        EXPECT_EQ(read.image.width, width);
        EXPECT_EQ(read.image.height, height);
        EXPECT_EQ(read.image.pixels, written.pixels) << width << " x " << height;
    }
}

TEST(Limg, HeaderIsLittleEndianWidthThenHeight)
{
    const std::string header("\x03\x01\x00\x00\x02\x00\x00\x00", 8);
    const LimgRead read = readBytes(header + std::string(259 * 2 * 4, '\x80'));
    ASSERT_EQ(read.fault, LimgFault::none);
    EXPECT_EQ(read.image.width, 259u);
    EXPECT_EQ(read.image.height, 2u);
}

TEST(Limg, BadFileIsRejectedWithoutAllocatingForMissingPixels)
{
    struct Case {
        const char* name;
        std::string bytes;
        LimgFault fault;
    };
    for (const Case& c : {Case{"ShortHeader", std::string(7, '\x01'), LimgFault::badHeader},
                          Case{"OneByteShort", encodeLimgHeader(2, 2) + std::string(15, 'x'), LimgFault::badData},
                          Case{"ProductOverflowsSigned32", encodeLimgHeader(65536, 65536) + "abcd", LimgFault::badData},
                          Case{"ProductOverflows64", encodeLimgHeader(0xFFFFFFFF, 0xFFFFFFFF) + "abcd",
                               LimgFault::badData}}) {
        std::istringstream in(c.bytes);
        AllocationProbe probe;
        const LimgRead read = readLimg(in);
        const std::size_t largestAllocation = probe.largest();

        EXPECT_EQ(read.fault, c.fault) << c.name;
        EXPECT_TRUE(read.image.pixels.empty()) << c.name;
        EXPECT_LE(largestAllocation, c.bytes.size()) << c.name;
    }
}

TEST(Limg, PixelByteCountOverflowsOnlyPast64Bits)
{
    EXPECT_EQ(limgPixelBytes(65536, 65536), std::uint64_t(1) << 34);
    EXPECT_EQ(limgPixelBytes(0x40000000, 0x80000000), std::uint64_t(1) << 63);
    EXPECT_EQ(limgPixelBytes(0x80000000, 0x80000000), std::nullopt);
    EXPECT_EQ(limgPixelBytes(0xFFFFFFFF, 0xFFFFFFFF), std::nullopt);
}

} // namespace
