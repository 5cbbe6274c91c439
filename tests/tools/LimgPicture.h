#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

/// A LIMG file read back byte by byte, independently of the tool that wrote it.
struct LimgPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t alpha(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
    /// True when every pixel's colour is white, whatever its alpha.
    bool allWhite() const;
};

/// Reads path; throws std::runtime_error when it is missing or its length does
/// not match its header.
LimgPicture readLimg(const std::filesystem::path& path);

/// Pixels from (left, top) inclusive to (right, bottom) exclusive.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

/// The pixels of an area whose alpha reaches a threshold, and their bounding box.
struct Ink {
    int count = 0;
    int left = 0;
    int top = 0;
    int right = -1; ///< inclusive
    int bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
};

Ink inkIn(const LimgPicture& picture, const Area& area, std::uint8_t threshold);
Ink inkIn(const LimgPicture& picture, std::uint8_t threshold);

/// Number of pixels whose alpha differs by more than 128 between two pictures of one size.
int clearlyDifferentPixels(const LimgPicture& a, const LimgPicture& b);
