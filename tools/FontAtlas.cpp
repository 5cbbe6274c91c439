#include "FontAtlas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace {

constexpr int SMALLEST_SIZE = 6;

// Where one glyph goes in its tile, in whole pixels so the hinting survives.
struct Placement {
    int penX = 0;
    int width = 0;
};

Placement place(const FontFace& font) {
    const int advance = static_cast<int>(std::lround(font.advance()));
    if (font.blank())
        return {0, advance};
    const InkBox ink = font.ink();
    // A glyph that reaches left of its origin is moved right: the tile shows
    // nothing left of its edge.
    const int penX = std::max(0, -static_cast<int>(std::floor(ink.left)));
    const int inkRight = static_cast<int>(std::ceil(ink.right));
    return {penX, penX + std::max(advance, inkRight)};
}

// Baseline for pixelSize, or a negative value when some glyph does not fit.
int baselineFor(FontFace& font, int pixelSize) {
    font.setPixelSize(pixelSize);
    int top = std::numeric_limits<int>::min();
    int bottom = std::numeric_limits<int>::max();
    for (int code = 0; code < 256; ++code) {
        if (!isPrintableLatin1(code))
            continue;
        font.load(static_cast<char32_t>(code), true);
        if (place(font).width > ATLAS_TILE)
            return -1;
        if (font.blank())
            continue;
        const InkBox ink = font.ink();
        top = std::max(top, static_cast<int>(std::ceil(ink.top)));
        bottom = std::min(bottom, static_cast<int>(std::floor(ink.bottom)));
    }
    const int lineHeight = top - bottom;
    if (lineHeight > ATLAS_TILE)
        return -1;
    return top + (ATLAS_TILE - lineHeight) / 2;
}

}

bool isPrintableLatin1(int code) { return (code >= 32 && code <= 126) || (code >= 160 && code <= 255); }

FontAtlas makeFontAtlas(FontFace& font) {
    FontAtlas atlas;
    for (atlas.pixelSize = ATLAS_TILE; atlas.pixelSize >= SMALLEST_SIZE; --atlas.pixelSize) {
        atlas.baseline = baselineFor(font, atlas.pixelSize);
        if (atlas.baseline >= 0)
            break;
    }
    if (atlas.pixelSize < SMALLEST_SIZE)
        throw std::runtime_error(font.description() + " does not fit " + std::to_string(ATLAS_TILE) +
                                 "-pixel tiles at any readable size");

    const int height = atlas.image.height;
    for (int code = 0; code < 256; ++code) {
        if (!isPrintableLatin1(code))
            continue;
        font.load(static_cast<char32_t>(code), true);
        const Placement placement = place(font);
        atlas.widths[code] = placement.width;
        const int left = (code % 16) * ATLAS_TILE;
        const int top = (code / 16) * ATLAS_TILE;
        font.translate(left + placement.penX, height - (top + atlas.baseline));
        font.fill(atlas.image, {left, top, left + placement.width, top + ATLAS_TILE});
    }
    return atlas;
}

void writeWidths(const std::filesystem::path& path, const std::array<int, 256>& widths) {
    // LF line ends on every platform, so that the data folder is the same
    // file for file wherever it was drawn; the reader takes either.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t code = 0; code < widths.size(); ++code)
        out << widths[code] << (code % 16 == 15 ? '\n' : ' ');
    out.close();
    if (!out)
        throw std::runtime_error("cannot write \"" + path.string() + "\"");
}
