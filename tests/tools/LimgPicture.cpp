#include "LimgPicture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

bool LimgPicture::allWhite() const {
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] != 255 || rgba[i + 1] != 255 || rgba[i + 2] != 255)
            return false;
    return true;
}

LimgPicture readLimg(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 8)
        throw std::runtime_error(path.string() + " has no whole header");
    auto u32 = [&](int at) {
        return static_cast<std::uint64_t>(bytes[at]) | static_cast<std::uint64_t>(bytes[at + 1]) << 8 |
               static_cast<std::uint64_t>(bytes[at + 2]) << 16 | static_cast<std::uint64_t>(bytes[at + 3]) << 24;
    };
    const std::uint64_t width = u32(0);
    const std::uint64_t height = u32(4);
    if (bytes.size() != 8 + width * height * 4)
        throw std::runtime_error(path.string() + " is " + std::to_string(bytes.size()) + " bytes long for " +
                                 std::to_string(width) + " x " + std::to_string(height) + " pixels");
    return {static_cast<int>(width), static_cast<int>(height), {bytes.begin() + 8, bytes.end()}};
}

Ink inkIn(const LimgPicture& picture, const Area& area, std::uint8_t threshold) {
    Ink ink;
    ink.left = area.right;
    ink.top = area.bottom;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (picture.alpha(x, y) < threshold)
                continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

Ink inkIn(const LimgPicture& picture, std::uint8_t threshold) {
    return inkIn(picture, {0, 0, picture.width, picture.height}, threshold);
}

int clearlyDifferentPixels(const LimgPicture& a, const LimgPicture& b) {
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            count += std::abs(a.alpha(x, y) - b.alpha(x, y)) > 128;
    return count;
}
