#include "TextLayout.h"

namespace {

float lineWidth(std::string_view line, float scale, const FontMetrics& font)
{
    float width = 0;
    for (char c : line)
        width += scale * static_cast<float>(font.widths[static_cast<unsigned char>(c)]);
    return width;
}

} // namespace

std::vector<std::string_view> splitTextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i + 1 < text.size()) {
        if (text[i] == '\\' && text[i + 1] == 'n') {
            lines.push_back(text.substr(start, i - start));
            i += 2;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

void layoutText(std::string_view text, TextAnchor anchor, float size, const FontMetrics& font, TextSpace space,
                TextMesh& mesh)
{
    const bool screen = space == TextSpace::screen2D;
    const std::size_t components = screen ? 2 : 3;
    mesh.positions.clear();
    mesh.texCoords.clear();
    mesh.positions.reserve(text.size() * 6 * components);
    mesh.texCoords.reserve(text.size() * 6 * 2);

    const std::vector<std::string_view> lines = splitTextLines(text);
    const float tile = static_cast<float>(font.tileSize);
    const float scale = size / tile;
    const float halfBlock = static_cast<float>(lines.size()) * size / 2;
    constexpr float tileUv = 1.0f / 16;

    for (std::size_t j = 0; j < lines.size(); ++j) {
        const float offset = static_cast<float>(j) * size;
        // Text on the monitor grows down the screen, in the headset up the scene.
        const float top = screen ? anchor.y - halfBlock + offset : anchor.y + halfBlock - offset;
        const float bottom = screen ? top + size : top - size;
        float cursor = anchor.x - lineWidth(lines[j], scale, font) / 2;

        for (char byte : lines[j]) {
            const unsigned char c = static_cast<unsigned char>(byte);
            const float atlasWidth = static_cast<float>(font.widths[c]);
            const float left = cursor;
            const float right = cursor + scale * atlasWidth;
            cursor = right;
            const float uLeft = static_cast<float>(c % 16) * tileUv;
            const float vTop = static_cast<float>(c / 16) * tileUv;
            const float uRight = uLeft + atlasWidth / tile * tileUv;
            const float vBottom = vTop + tileUv;

            const float corners[6][4] = {
                {left, top, uLeft, vTop},         {left, bottom, uLeft, vBottom},
                {right, top, uRight, vTop},       {right, top, uRight, vTop},
                {left, bottom, uLeft, vBottom},   {right, bottom, uRight, vBottom},
            };
            for (const auto& corner : corners) {
                mesh.positions.push_back(corner[0]);
                mesh.positions.push_back(corner[1]);
                if (!screen)
                    mesh.positions.push_back(anchor.z);
                mesh.texCoords.push_back(corner[2]);
                mesh.texCoords.push_back(corner[3]);
            }
        }
    }
}
