#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

/// One generated picture. Every stimulus image is white and differs only in its
/// alpha, so the tools draw into a single 8-bit coverage channel and expand it to
/// RGBA when the file is written. Row 0 is the top row.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha;

    Coverage(int width, int height);

    std::uint8_t at(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }

    /// Lays coverage c over pixel (x, y) the way alpha blending would, so
    /// overlapping shapes add up without ever thinning out what is already there.
    void blend(int x, int y, std::uint8_t c);
};

/// A rectangle of pixels, top-left inclusive and bottom-right exclusive, y downwards.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// Writes the picture as a LIMG file: width and height as little-endian 32-bit
/// integers, then the rows from the top, each pixel white with its coverage as alpha.
/// Throws std::runtime_error naming the path when the file cannot be written.
void writeLimg(const std::filesystem::path& path, const Coverage& picture);
