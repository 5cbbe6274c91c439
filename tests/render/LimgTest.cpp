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
    for (auto [width, height] : {std::pair{1u, 1u}, {0u, 0u}, {3u, 2u}, {2u, 5u}}) {
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

struct BadCase {
    const char* name;
    std::string bytes;
    LimgFault fault;
};

void PrintTo(const BadCase& c, std::ostream* out)
{
    *out << c.name;
}

class LimgBadFile : public testing::TestWithParam<BadCase> {};

TEST_P(LimgBadFile, IsRejectedWithoutAllocatingForMissingPixels)
{
    std::istringstream in(GetParam().bytes);
    AllocationProbe probe;
    const LimgRead read = readLimg(in);
    const std::size_t largestAllocation = probe.largest();

    EXPECT_EQ(read.fault, GetParam().fault);
    EXPECT_TRUE(read.image.pixels.empty());
    EXPECT_LE(largestAllocation, GetParam().bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LimgBadFile,
    testing::Values(BadCase{"NoBytes", "", LimgFault::badHeader},
                    BadCase{"SevenBytes", std::string(7, '\x01'), LimgFault::badHeader},
                    BadCase{"NoPixels", encodeLimgHeader(1, 1), LimgFault::badData},
                    BadCase{"OneByteShort", encodeLimgHeader(2, 2) + std::string(15, 'x'), LimgFault::badData},
                    BadCase{"ProductOverflowsSigned32", encodeLimgHeader(65536, 65536) + "abcd",
                            LimgFault::badData},
                    BadCase{"ProductOverflows64", encodeLimgHeader(0xFFFFFFFF, 0xFFFFFFFF) + "abcd",
                            LimgFault::badData},
                    BadCase{"WideRowOfNothing", encodeLimgHeader(0xFFFFFFFF, 1) + "abcd", LimgFault::badData}),
    [](const auto& info) { return info.param.name; });

TEST(Limg, PixelByteCountOverflowsOnlyPast64Bits)
{
    EXPECT_EQ(limgPixelBytes(65536, 65536), std::uint64_t(1) << 34);
    EXPECT_EQ(limgPixelBytes(0x40000000, 0x80000000), std::uint64_t(1) << 63);
    EXPECT_EQ(limgPixelBytes(0x80000000, 0x80000000), std::nullopt);
    EXPECT_EQ(limgPixelBytes(0xFFFFFFFF, 0xFFFFFFFF), std::nullopt);
}

} // namespace
