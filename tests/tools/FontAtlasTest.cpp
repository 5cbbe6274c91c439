// The text atlas and its widths table, read back as the program's font loader sees them.
#include "GeneratedData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

const LimgPicture& atlas() {
    static const LimgPicture picture = readLimg(generatedData() / "verdana16_white.limg");
    return picture;
}

const std::vector<int>& widths() {
    static const std::vector<int> table = [] {
        std::ifstream in(generatedData() / "verdana16_widths.txt");
        return std::vector<int>(std::istream_iterator<int>(in), std::istream_iterator<int>());
    }();
    return table;
}

// Character code c lives in column c % 16 and row c / 16 of 16-pixel tiles, row 0
// at the top; the ink box is given within the tile.
Ink ink(unsigned char code) {
    const int left = code % 16 * 16;
    const int top = code / 16 * 16;
    Ink ink = inkIn(atlas(), {left, top, left + 16, top + 16}, 1);
    ink.left -= left;
    ink.right -= left;
    ink.top -= top;
    ink.bottom -= top;
    return ink;
}

// The text shows only the first width pixels of a tile: all ink must lie there,
// and little empty space may follow it. Spaces advance without ink; control codes
// are empty and take no space.
TEST(FontAtlas, InkAndWidthsAgreeForEveryCharacter) {
    ASSERT_EQ(widths().size(), 256u);
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE("character code " + std::to_string(code));
        const Ink glyph = ink(static_cast<unsigned char>(code));
        const int width = widths()[code];
        if (code == ' ' || code == 0xa0) {
            EXPECT_EQ(glyph.count, 0);
            EXPECT_GE(width, 2);
            EXPECT_LE(width, 8);
        } else if ((code >= 32 && code <= 126) || code >= 160) {
            ASSERT_GT(glyph.count, 0);
            EXPECT_LE(width, 16);
            EXPECT_LT(glyph.right, width);
            EXPECT_LE(width - (glyph.right + 1), 3);
        } else {
            EXPECT_EQ(glyph.count, 0);
            EXPECT_EQ(width, 0);
        }
    }
}

// A glyph in the wrong tile shows by its place against the baseline.
TEST(FontAtlas, GlyphsShareOneBaselineAndAccentsStandAboveTheirLetter) {
    const int baseline = ink('H').bottom;
    for (unsigned char c : std::string("EHIMxnz0158.\xc9\xe9"))
        EXPECT_EQ(ink(c).bottom, baseline) << c;
    for (unsigned char c : std::string("gjpqy\xe7_"))
        EXPECT_GT(ink(c).bottom, baseline + 1) << c;
    for (unsigned char c : std::string("-'"))
        EXPECT_LT(ink(c).bottom, baseline - 1) << c;
    // Latin-1: the accented letters carry their accent above the plain one.
    EXPECT_LT(ink(0xe9).top, ink('e').top); // e acute
    EXPECT_LT(ink(0xc5).top, ink('A').top); // A ring
    EXPECT_LT(ink(0xff).top, ink('y').top); // y diaeresis
}

}
