#include "GlyphTiles.h"

double pixelSizeForInkHeight(FontFace& font, char32_t c, double inkHeight) {
    constexpr double probe = 100.0;
    font.setPixelSize(probe);
    font.load(c, false);
    return probe * inkHeight / font.ink().height();
}

Coverage centredGlyphTile(FontFace& font, char32_t c) {
    font.load(c, false);
    const InkBox ink = font.ink();
    font.translate(TILE_SIZE / 2.0 - (ink.left + ink.right) / 2, TILE_SIZE / 2.0 - (ink.bottom + ink.top) / 2);
    Coverage tile(TILE_SIZE, TILE_SIZE);
    font.fill(tile);
    return tile;
}
