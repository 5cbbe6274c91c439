#include "Coverage.h"

#include <array>
#include <fstream>
#include <stdexcept>

Coverage::Coverage(int width, int height)
    : width(width), height(height), alpha(static_cast<std::size_t>(width) * height, 0) {}

void Coverage::blend(int x, int y, std::uint8_t c) {
    std::uint8_t& a = alpha[static_cast<std::size_t>(y) * width + x];
    a = static_cast<std::uint8_t>(a + c - (a * c + 127) / 255);
}

namespace {

void putU32(std::array<char, 8>& header, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        header[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

}

void writeLimg(const std::filesystem::path& path, const Coverage& picture) {
    std::array<char, 8> header{};
    putU32(header, 0, static_cast<std::uint32_t>(picture.width));
    putU32(header, 4, static_cast<std::uint32_t>(picture.height));
    std::vector<char> pixels;
    pixels.reserve(picture.alpha.size() * 4);
    for (std::uint8_t a : picture.alpha) {
        pixels.insert(pixels.end(), {'\xff', '\xff', '\xff', static_cast<char>(a)});
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(header.data(), header.size());
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write \"" + path.string() + "\"");
}
