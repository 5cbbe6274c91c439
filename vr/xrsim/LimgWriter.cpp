#include "LimgWriter.h"

#include <array>
#include <fstream>

namespace xrsim {

namespace {

std::array<std::uint8_t, 4> littleEndian(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

} // namespace

bool writeLimgFromBottomUp(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height,
                           const std::vector<std::uint8_t>& bottomUpRgba)
{
    const std::size_t rowBytes = std::size_t{width} * 4;
    if (bottomUpRgba.size() < rowBytes * height)
        return false;

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const auto write = [&](const void* bytes, std::size_t count) {
        file.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    };
    write(littleEndian(width).data(), 4);
    write(littleEndian(height).data(), 4);
    for (std::uint32_t row = height; file && row-- > 0;)
        write(bottomUpRgba.data() + row * rowBytes, rowBytes);
    file.close();
    return !file.fail();
}

} // namespace xrsim
