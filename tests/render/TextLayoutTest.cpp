#include "TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Glyph rectangle: x from left to right, y from the edge the glyph's top texel
// row is drawn at (top) to the other one (bottom).
struct Box {
    float left, right, top, bottom;
};

FontMetrics testFont()
{
    FontMetrics font;
    font.tileSize = 16;
    for (int c = 0; c < 256; ++c)
        font.widths[c] = 4 + c % 7;
    font.widths['A'] = 10;
    font.widths['B'] = 6;
    return font;
}

/// The glyph boxes of a mesh, checking that each glyph is two triangles in the
/// order (L,T) (L,B) (R,T) (R,T) (L,B) (R,B), with z on every vertex in 3-D.
std::vector<Box> boxesOf(const TextMesh& mesh, TextSpace space, float z = 0)
{
    const std::size_t n = space == TextSpace::screen2D ? 2 : 3;
    EXPECT_EQ(mesh.positions.size(), mesh.vertexCount() * n);
    EXPECT_EQ(mesh.vertexCount() % 6, 0u);
    std::vector<Box> boxes;
    for (std::size_t g = 0; g + 6 <= mesh.vertexCount(); g += 6) {
        auto x = [&](std::size_t v) { return mesh.positions[(g + v) * n]; };
        auto y = [&](std::size_t v) { return mesh.positions[(g + v) * n + 1]; };
        const Box box{x(0), x(2), y(0), y(1)};
        const float expectedX[6] = {box.left, box.left, box.right, box.right, box.left, box.right};
        const float expectedY[6] = {box.top, box.bottom, box.top, box.top, box.bottom, box.bottom};
        for (std::size_t v = 0; v < 6; ++v) {
            EXPECT_FLOAT_EQ(x(v), expectedX[v]) << "glyph " << g / 6 << " vertex " << v;
            EXPECT_FLOAT_EQ(y(v), expectedY[v]) << "glyph " << g / 6 << " vertex " << v;
            if (n == 3) {
                EXPECT_FLOAT_EQ(mesh.positions[(g + v) * n + 2], z);
            }
        }
        boxes.push_back(box);
    }
    return boxes;
}

TEST(TextLines, SplitAtBackslashN)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"A\\nB", {"A", "B"}},
        {"A\\n", {"A"}},
        {"\\nA", {"", "A"}},
        {"A\\n\\nB", {"A", "", "B"}},
        {"\\n", {""}},
        {"A\\B\\tn\\", {"A\\B\\tn\\"}},
        {"A\\\\nB", {"A\\", "B"}},
        {"A\nB", {"A\nB"}}, // a real line feed is an ordinary character
    };
    for (const Case& c : cases) {
        const std::vector<std::string_view> lines = splitTextLines(c.text);
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), c.lines) << "text: " << c.text;
    }
}

// Size 32 with tile 16 doubles the atlas widths: A is 20 wide, B 12.
constexpr TextAnchor screenAnchor{400, 300, 0};
constexpr TextSpace screen = TextSpace::screen2D;

TEST(TextLayout, PutsEachGlyphInItsBox)
{
    struct Case {
        const char* name;
        std::string text;
        TextSpace space;
        TextAnchor anchor;
        float size;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        {"LineAdvances", "AB", screen, screenAnchor, 32, {{384, 404, 284, 316}, {404, 416, 284, 316}}},
        {"TwoLinesEachCentred", "A\\nB", screen, screenAnchor, 32, {{390, 410, 268, 300}, {394, 406, 300, 332}}},
        // An odd number of lines: the middle line's centre is the anchor.
        {"ThreeLines", "A\\nB\\nAB", screen, screenAnchor, 32,
         {{390, 410, 252, 284}, {394, 406, 284, 316}, {384, 404, 316, 348}, {404, 416, 316, 348}}},
        {"LeadingBreakPutsTheLineBelowTheAnchor", "\\nA", screen, screenAnchor, 32, {{390, 410, 300, 332}}},
        {"OnlyBreaksDrawNothing", "\\n\\n", screen, screenAnchor, 32, {}},
        {"SceneGrowsUpwards", "A\\nB", TextSpace::scene3D, {0, 10, -70}, 6,
         {{-1.875f, 1.875f, 16, 10}, {-1.125f, 1.125f, 10, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextMesh mesh;
        layoutText(c.text, c.anchor, c.size, testFont(), c.space, mesh);
        const std::vector<Box> boxes = boxesOf(mesh, c.space, c.anchor.z);
        ASSERT_EQ(boxes.size(), c.boxes.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_FLOAT_EQ(boxes[i].left, c.boxes[i].left) << "glyph " << i;
            EXPECT_FLOAT_EQ(boxes[i].right, c.boxes[i].right) << "glyph " << i;
            EXPECT_FLOAT_EQ(boxes[i].top, c.boxes[i].top) << "glyph " << i;
            EXPECT_FLOAT_EQ(boxes[i].bottom, c.boxes[i].bottom) << "glyph " << i;
        }
    }
}

TEST(TextLayout, TextureCoordinatesCoverTheGlyphInItsTile)
{
    struct Case {
        unsigned char code;
        int column, row;
    };
    FontMetrics font;
    font.tileSize = 16;
    font.widths.fill(12);
    // 'A' and two Latin-1 codes, which a signed char would send outside the table.
    for (const Case& c : {Case{'A', 1, 4}, Case{0xE9, 9, 14}, Case{0xFF, 15, 15}}) {
        TextMesh mesh;
        layoutText(std::string(1, static_cast<char>(c.code)), {0, 0, 0}, 16, font, screen, mesh);
        ASSERT_EQ(mesh.vertexCount(), 6u);
        const float uLeft = c.column / 16.0f, uRight = uLeft + 12 / 16.0f / 16.0f;
        const float vTop = c.row / 16.0f, vBottom = vTop + 1 / 16.0f;
        const float expected[12] = {uLeft, vTop, uLeft, vBottom, uRight, vTop,
                                    uRight, vTop, uLeft, vBottom, uRight, vBottom};
        for (int i = 0; i < 12; ++i)
            EXPECT_FLOAT_EQ(mesh.texCoords[i], expected[i]) << "code " << int(c.code) << " value " << i;
    }
}

TEST(TextLayout, ReplacesThePreviousLayout)
{
    TextMesh mesh;
    layoutText("ABBA", screenAnchor, 32, testFont(), screen, mesh);
    layoutText("B", screenAnchor, 32, testFont(), screen, mesh);
    const std::vector<Box> boxes = boxesOf(mesh, screen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FLOAT_EQ(boxes[0].left, 394);
}

} // namespace
