#include "Font.h"

#include "Texture.h"

#include <fstream>
#include <iostream>

namespace {

const DefaultFonts* currentDefaultFonts = nullptr;

// Holds no GL name, so it is safe to destroy after the context is gone.
const Font emptyFont{};

} // namespace

std::array<std::int32_t, 256> readFontWidths(std::istream& in)
{
    std::array<std::int32_t, 256> widths{};
    for (std::int32_t& width : widths)
        if (!(in >> width)) {
            width = 0; // a failed extraction may have stored a clamped value
            break;
        }
    return widths;
}

Font loadFont(const std::string& atlasPath, const std::string& widthsPath, std::uint32_t tileSize)
{
    Font font;
    font.metrics.tileSize = tileSize;
    font.texture = loadLimg(atlasPath);
    if (std::ifstream widths(widthsPath); widths)
        font.metrics.widths = readFontWidths(widths);
    else
        std::cout << "Font > unable to read character widths \"" << widthsPath << "\"" << std::endl;
    std::cout << "default font tilesize = " << tileSize << std::endl;
    return font;
}

DefaultFonts::DefaultFonts(const std::string& atlasPath, const std::string& widthsPath)
    : font3D_(loadFont(atlasPath, widthsPath, defaultFontTileSize)),
      font2D_(loadFont(atlasPath, widthsPath, defaultFontTileSize))
{
    currentDefaultFonts = this;
}

DefaultFonts::~DefaultFonts()
{
    if (currentDefaultFonts == this)
        currentDefaultFonts = nullptr;
}

const Font& defaultFont2D()
{
    return currentDefaultFonts ? currentDefaultFonts->font2D() : emptyFont;
}

const Font& defaultFont3D()
{
    return currentDefaultFonts ? currentDefaultFonts->font3D() : emptyFont;
}
