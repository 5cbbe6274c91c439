#pragma once

#include "GlName.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>

/// What text layout needs of a font: the advance width in atlas pixels of each
/// character code 0 to 255, and the side of one of the 16 × 16 atlas tiles.
struct FontMetrics {
    std::array<std::int32_t, 256> widths{};
    std::uint32_t tileSize = 16;
};

/// A bitmap font: an atlas of 16 × 16 character tiles (code c in column c mod 16,
/// row c div 16, row 0 at the first rows of the file) and its metrics.
struct Font {
    GlTexture texture;
    FontMetrics metrics;
};

inline constexpr std::uint32_t defaultFontTileSize = 16;

/// Reads up to 256 decimal integers separated by any white space; the k-th is
/// the width of code k. Reading stops at the first thing that is not an integer;
/// codes without a value get width 0.
std::array<std::int32_t, 256> readFontWidths(std::istream& in);

/// Loads the atlas (LIMG, with the loader's messages on failure) and the widths
/// file. A widths file that does not open prints
/// "Font > unable to read character widths "<path>"" and leaves all widths 0.
/// Always prints "default font tilesize = " and tileSize. Needs a GL context.
Font loadFont(const std::string& atlasPath, const std::string& widthsPath, std::uint32_t tileSize);

/// The two process-wide fonts: one for every Text3D (loaded first) and one for
/// every Text. The facade owns this object; while it lives, defaultFont3D() and
/// defaultFont2D() refer to its fonts. Texts made before it, or after it is gone,
/// draw with an empty font (texture 0, all widths 0).
class DefaultFonts {
public:
    DefaultFonts(const std::string& atlasPath, const std::string& widthsPath);
    ~DefaultFonts();
    DefaultFonts(const DefaultFonts&) = delete;
    DefaultFonts& operator=(const DefaultFonts&) = delete;

    const Font& font3D() const { return font3D_; }
    const Font& font2D() const { return font2D_; }

private:
    Font font3D_;
    Font font2D_;
};

const Font& defaultFont2D();
const Font& defaultFont3D();
