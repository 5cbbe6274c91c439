#include "FontFace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include FT_BBOX_H
#include FT_OUTLINE_H

namespace {

// FreeType counts outline coordinates in 1/64 pixel and matrices in 16.16.
constexpr double SUBPIXELS = 64.0;

FT_Pos toSubpixels(double pixels) { return static_cast<FT_Pos>(std::lround(pixels * SUBPIXELS)); }
FT_Fixed toFixed(double value) { return static_cast<FT_Fixed>(std::lround(value * 65536.0)); }

std::string hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02x", value);
    return text;
}

std::string codePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

struct SpanTarget {
    Coverage* picture;
};

// Spans arrive with y counted upwards from the bottom row of the picture.
void fillSpans(int y, int count, const FT_Span* spans, void* user) {
    Coverage& picture = *static_cast<SpanTarget*>(user)->picture;
    const int row = picture.height - 1 - y;
    if (row < 0 || row >= picture.height)
        return;
    for (int i = 0; i < count; ++i) {
        const int begin = std::max(0, static_cast<int>(spans[i].x));
        const int end = std::min(picture.width, spans[i].x + static_cast<int>(spans[i].len));
        for (int x = begin; x < end; ++x)
            picture.blend(x, row, spans[i].coverage);
    }
}

}

FontFace::FontFace(const std::filesystem::path& file, const std::string& description)
    : description_(description) {
    const std::string quoted = "\"" + file.string() + "\" (" + description + ")";
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(file, ignored))
        throw std::runtime_error("font file " + quoted + " not found");
    if (FT_Error error = FT_Init_FreeType(&library_))
        throw std::runtime_error("FreeType cannot start, error " + hex(error));
    // FreeType opens files by 8-bit name; the stream takes any path the
    // platform's file system does (wide names on Windows).
    std::ifstream stream(file, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    if (FT_Error error = FT_New_Memory_Face(library_, reinterpret_cast<const FT_Byte*>(bytes_.data()),
                                            static_cast<FT_Long>(bytes_.size()), 0, &face_)) {
        FT_Done_FreeType(library_);
        throw std::runtime_error("font file " + quoted + " cannot be read, FreeType error " + hex(error));
    }
    if (!FT_IS_SCALABLE(face_)) {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
        throw std::runtime_error("font file " + quoted + " holds no outline font");
    }
}

FontFace::~FontFace() {
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

void FontFace::setPixelSize(double pixels) {
    // At 72 dpi a point is a pixel, which allows fractional pixel sizes.
    if (FT_Error error = FT_Set_Char_Size(face_, 0, toSubpixels(pixels), 72, 72))
        throw std::runtime_error(description_ + ": cannot set size " + std::to_string(pixels) +
                                 ", FreeType error " + hex(error));
}

void FontFace::load(char32_t c, bool hinted) {
    const FT_UInt index = FT_Get_Char_Index(face_, c);
    if (index == 0)
        throw std::runtime_error(description_ + " has no glyph for " + codePoint(c));
    const FT_Int32 flags = FT_LOAD_NO_BITMAP | (hinted ? FT_LOAD_DEFAULT : FT_LOAD_NO_HINTING);
    if (FT_Error error = FT_Load_Glyph(face_, index, flags))
        throw std::runtime_error(description_ + ": cannot load glyph " + codePoint(c) +
                                 ", FreeType error " + hex(error));
}

bool FontFace::blank() const { return face_->glyph->outline.n_points == 0; }

double FontFace::advance() const { return face_->glyph->advance.x / SUBPIXELS; }

InkBox FontFace::ink() const {
    FT_BBox box;
    FT_Outline_Get_BBox(&face_->glyph->outline, &box);
    return {box.xMin / SUBPIXELS, box.yMin / SUBPIXELS, box.xMax / SUBPIXELS, box.yMax / SUBPIXELS};
}

void FontFace::translate(double dx, double dy) {
    FT_Outline_Translate(&face_->glyph->outline, toSubpixels(dx), toSubpixels(dy));
}

void FontFace::transform(double xx, double xy, double yx, double yy) {
    FT_Matrix matrix{toFixed(xx), toFixed(xy), toFixed(yx), toFixed(yy)};
    FT_Outline_Transform(&face_->glyph->outline, &matrix);
}

void FontFace::fill(Coverage& picture, const PixelRect& clip) const {
    SpanTarget target{&picture};
    FT_Raster_Params params{};
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = fillSpans;
    params.user = &target;
    // The clip box counts y upwards like the outline.
    params.clip_box = {clip.left, picture.height - clip.bottom, clip.right, picture.height - clip.top};
    if (FT_Error error = FT_Outline_Render(library_, &face_->glyph->outline, &params))
        throw std::runtime_error(description_ + ": cannot fill outline, FreeType error " + hex(error));
}

void FontFace::fill(Coverage& picture) const { fill(picture, {0, 0, picture.width, picture.height}); }
