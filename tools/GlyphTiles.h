#pragma once

#include "Coverage.h"
#include "FontFace.h"

#include <string_view>

/// The letters the experiment shows, in the order of its letter textures.
inline constexpr std::string_view ALPHABET = "ABDEFGHJKLMNOPRSTUVX";

/// Side of a letter, cross and mask tile in pixels.
inline constexpr int TILE_SIZE = 100;

/// Pixel size at which glyph c of font stands inkHeight pixels tall.
double pixelSizeForInkHeight(FontFace& font, char32_t c, double inkHeight);

/// A TILE_SIZE tile with glyph c at the font's current size, its ink box centred
/// in the tile to a fraction of a pixel.
Coverage centredGlyphTile(FontFace& font, char32_t c);
