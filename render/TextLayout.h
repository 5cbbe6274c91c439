#pragma once

#include "Font.h"

#include <string>
#include <string_view>
#include <vector>

/// Which way y grows, and how many floats a position has.
enum class TextSpace {
    screen2D, ///< the monitor's pixels: y downwards, positions (x, y)
    scene3D,  ///< the headset's scene: y upwards, positions (x, y, z)
};

/// Centre of the text block.
struct TextAnchor {
    float x = 0;
    float y = 0;
    float z = 0; ///< used only in scene3D
};

/// Triangles of laid-out text: 6 vertices per drawn character.
struct TextMesh {
    std::vector<float> positions; ///< 2 or 3 floats per vertex, by TextSpace
    std::vector<float> texCoords; ///< 2 floats per vertex
    std::size_t vertexCount() const { return texCoords.size() / 2; }
};

/// Splits text at each backslash followed by the letter n (two characters; a
/// real line feed is an ordinary character). A text ending in the sequence has
/// no empty last line; two sequences in a row give an empty line between.
std::vector<std::string_view> splitTextLines(std::string_view text);

/// Lays text out as glyph quads centred on anchor, replacing mesh's contents
/// (its storage is reused). size is the line height; a glyph is drawn at
/// size / tileSize times its atlas size, from the left of its tile, widths[c]
/// atlas pixels wide and the full tile high. Each line is centred on anchor.x by
/// itself and the block of lines is centred on anchor.y. Bytes are character
/// codes 0 to 255; every byte of a line, the space included, gives a quad.
void layoutText(std::string_view text, TextAnchor anchor, float size, const FontMetrics& font, TextSpace space,
                TextMesh& mesh);
