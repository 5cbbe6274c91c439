// The text atlas and its widths table, read back as the program's font loader sees them.
#include "GeneratedData.h"
#include "LimgPicture.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

namespace {

constexpr int TILE = 16;

bool printable(int code) { return (code >= 32 && code <= 126) || (code >= 160 && code <= 255); }
bool blank(int code) { return code == ' ' || code == 0xa0; }

class FontAtlas : public testing::Test {
protected:
    static void SetUpTestSuite() {
        atlas = readLimg(generatedData() / "verdana16_white.limg");
        std::ifstream in(generatedData() / "verdana16_widths.txt");
        std::string word;
        while (in >> word)
            widthWords.push_back(word);
    }

    // Character code c lives in column c % 16 and row c / 16, row 0 at the top.
    static Ink tileInk(int code) {
        const int left = code % 16 * TILE;
        const int top = code / 16 * TILE;
        Ink ink = inkIn(atlas, {left, top, left + TILE, top + TILE}, 1);
        ink.left -= left;
        ink.right -= left;
        ink.top -= top;
        ink.bottom -= top;
        return ink;
    }
    static int width(int code) { return std::stoi(widthWords.at(code)); }
    static Ink ink(unsigned char c) { return tileInk(c); }

    static inline LimgPicture atlas;
    static inline std::vector<std::string> widthWords;
};

TEST_F(FontAtlas, WidthsTableHolds256Numbers) {
    ASSERT_EQ(widthWords.size(), 256u);
    for (const std::string& word : widthWords)
        EXPECT_EQ(word.find_first_not_of("0123456789"), std::string::npos) << word;
}

TEST_F(FontAtlas, PrintableCharactersHaveInkWithinTheirWidth) {
    ASSERT_EQ(widthWords.size(), 256u);
    for (int code = 0; code < 256; ++code) {
        if (!printable(code) || blank(code))
            continue;
        SCOPED_TRACE("character code " + std::to_string(code));
        const Ink glyph = tileInk(code);
        ASSERT_GT(glyph.count, 0);
        EXPECT_LE(width(code), TILE);
        // The text shows only the first width pixels of a tile: all ink must lie
        // there, and little empty space may follow it.
        EXPECT_LT(glyph.right, width(code));
        EXPECT_LE(width(code) - (glyph.right + 1), 3);
    }
}

TEST_F(FontAtlas, SpacesAdvanceWithoutInk) {
    for (int code : {0x20, 0xa0}) {
        EXPECT_EQ(tileInk(code).count, 0) << code;
        EXPECT_GE(width(code), 2) << code;
        EXPECT_LE(width(code), 8) << code;
    }
}

TEST_F(FontAtlas, ControlCodesAreEmptyAndTakeNoSpace) {
    for (int code = 0; code < 256; ++code) {
        if (printable(code))
            continue;
        EXPECT_EQ(tileInk(code).count, 0) << code;
        EXPECT_EQ(width(code), 0) << code;
    }
}

TEST_F(FontAtlas, CharactersShareOneBaseline) {
    const int baseline = ink('H').bottom;
    for (unsigned char c : std::string("EHIMxnz0158\xc9\xe9"))
        EXPECT_EQ(ink(c).bottom, baseline) << c;
    for (unsigned char c : std::string("gjpqy\xe7_"))
        EXPECT_GT(ink(c).bottom, baseline + 1) << c;
}

// Shapes that tell characters apart, so a glyph in the wrong tile shows.
TEST_F(FontAtlas, GlyphsHaveTheShapeOfTheirCharacter) {
    const int baseline = ink('H').bottom;
    const Ink bar = ink('|');
    EXPECT_GE(bar.height(), 3 * bar.width());
    const Ink dash = ink('-');
    EXPECT_GT(dash.width(), dash.height());
    EXPECT_LT(dash.bottom, baseline - 1);
    const Ink dot = ink('.');
    EXPECT_LE(dot.width(), 3);
    EXPECT_EQ(dot.bottom, baseline);
    const Ink quote = ink('\'');
    EXPECT_LE(quote.top, ink('H').top);
    EXPECT_LT(quote.bottom, baseline - 3);
    // Latin-1: the accented letters carry their accent above the plain one.
    EXPECT_LT(ink(0xe9).top, ink('e').top);  // e acute
    EXPECT_LT(ink(0xc5).top, ink('A').top);  // A ring
    EXPECT_LT(ink(0xff).top, ink('y').top);  // y diaeresis
}

}
