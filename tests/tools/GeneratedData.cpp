#include "GeneratedData.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::vector<PictureFile> programPictures() {
    std::vector<PictureFile> pictures{
        {"letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg", 100, 100},
        {"letters_arial_68pt_100px_hcenter_vcenter/blank.limg", 100, 100},
        {"instructions_top.limg", 684, 491},
        {"instructions_bottom.limg", 684, 404},
        {"verdana16_white.limg", 256, 256},
    };
    for (char letter : ALPHABET)
        pictures.push_back({letterFile(letter), 100, 100});
    for (int number = 1; number <= 8; ++number)
        pictures.push_back({maskFile(number), 100, 100});
    return pictures;
}

std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool LimgPicture::allWhite() const {
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] != 255 || rgba[i + 1] != 255 || rgba[i + 2] != 255)
            return false;
    return true;
}

LimgPicture readLimg(const std::filesystem::path& path) {
    const std::string bytes = fileContents(path);
    auto u32 = [&](std::size_t at) {
        std::uint64_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        return value;
    };
    if (bytes.size() < 8 || bytes.size() != 8 + u32(0) * u32(4) * 4)
        throw std::runtime_error(path.string() + " is " + std::to_string(bytes.size()) +
                                 " bytes long, which its header does not announce");
    return {static_cast<int>(u32(0)), static_cast<int>(u32(4)), {bytes.begin() + 8, bytes.end()}};
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
