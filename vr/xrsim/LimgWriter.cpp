#include "LimgWriter.h"

#include <array>
#include <cstdio>
#include <memory>

namespace xrsim {

namespace {

std::array<std::uint8_t, 4> littleEndian(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

bool writeLimgFromBottomUp(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height,
                           const std::vector<std::uint8_t>& bottomUpRgba)
{
    const std::size_t rowBytes = std::size_t{width} * 4;
    if (bottomUpRgba.size() < rowBytes * height)
        return false;

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    bool ok = std::fwrite(littleEndian(width).data(), 1, 4, file.get()) == 4
        && std::fwrite(littleEndian(height).data(), 1, 4, file.get()) == 4;
    for (std::uint32_t row = height; ok && row-- > 0;)
        ok = std::fwrite(bottomUpRgba.data() + row * rowBytes, 1, rowBytes, file.get()) == rowBytes;
    return std::fclose(file.release()) == 0 && ok;
}

} // namespace xrsim
