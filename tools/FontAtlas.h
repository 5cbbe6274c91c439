#pragma once

#include "Coverage.h"
#include "FontFace.h"

#include <array>
#include <filesystem>

/// Side of one character tile in the text atlas, in pixels; the atlas holds
/// 16 x 16 tiles.
inline constexpr int ATLAS_TILE = 16;

/// The bitmap font of all on-screen text: character code c (a byte, read as
/// Latin-1) lives in column c % 16 and row c / 16, drawn from the tile's left
/// edge on a common baseline, and advances widths[c] pixels.
struct FontAtlas {
    Coverage image{16 * ATLAS_TILE, 16 * ATLAS_TILE};
    std::array<int, 256> widths{};
    /// Em size the glyphs were drawn at, and the baseline's distance from a tile's top.
    int pixelSize = 0;
    int baseline = 0;
};

/// True for the codes the atlas draws: printable ASCII and printable Latin-1.
bool isPrintableLatin1(int code);

/// Draws every printable character of font at the largest whole pixel size at
/// which all of them, accents and descenders included, fit their tiles.
/// Throws when the font lacks one of them or is too large even at a tiny size.
FontAtlas makeFontAtlas(FontFace& font);

/// Writes the widths as 16 lines of 16 decimal numbers.
void writeWidths(const std::filesystem::path& path, const std::array<int, 256>& widths);
