#pragma once

#include "Coverage.h"

#include <filesystem>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

/// Ink extent of an outline in pixels, y upwards from the baseline.
struct InkBox {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;

    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

/// One font file opened with FreeType, and the glyph loaded last. Pictures are made
/// by loading a glyph, moving and turning its outline, and filling it into a
/// Coverage; outline coordinates are pixels with y upwards from the picture's
/// bottom edge, the way FreeType's rasteriser counts them.
class FontFace {
public:
    /// Opens file. description names the font and where it comes from in messages
    /// (for example "Liberation Sans Bold, Debian package fonts-liberation").
    /// Throws std::runtime_error saying which file is missing or unreadable.
    FontFace(const std::filesystem::path& file, const std::string& description);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    /// Sets the size of the em square in pixels for the glyphs loaded next.
    void setPixelSize(double pixels);

    /// Loads the glyph of code point c at the current size. Hinted outlines are
    /// fitted to the pixel grid, which keeps small text crisp; unhinted ones keep
    /// the designed shape for large letters that are moved by fractions of a pixel
    /// or turned. Throws when the font has no glyph for c.
    void load(char32_t c, bool hinted);

    /// True when the loaded glyph has no outline (a space).
    bool blank() const;
    /// Horizontal advance of the loaded glyph in pixels.
    double advance() const;
    /// Exact ink extent of the loaded outline, as moved so far.
    InkBox ink() const;

    void translate(double dx, double dy);
    /// Applies the 2 x 2 matrix (xx xy / yx yy) to the outline around the origin.
    void transform(double xx, double xy, double yx, double yy);

    /// Fills the loaded outline into picture, touching only pixels inside clip.
    void fill(Coverage& picture, const PixelRect& clip) const;
    void fill(Coverage& picture) const;

    const std::string& description() const { return description_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::vector<char> bytes_; ///< the font file; FreeType reads it for the life of face_
    std::string description_;
};
