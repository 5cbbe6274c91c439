#include "StimulusData.h"

#include "FontAtlas.h"
#include "GlyphTiles.h"
#include "InstructionPages.h"
#include "Masks.h"

#include <stdexcept>
#include <string>

namespace {

// Letters stand this tall in their tiles (the height of a capital H).
constexpr double LETTER_CAP_HEIGHT = 74;
// The fixation cross is small against the letters but plainly visible.
constexpr double CROSS_HEIGHT = 30;

constexpr int PAGE_WIDTH = 684;
constexpr int TOP_PAGE_HEIGHT = 491;
constexpr int BOTTOM_PAGE_HEIGHT = 404;

class Writer {
public:
    explicit Writer(const std::filesystem::path& runFolder) : data_(runFolder / "data") {}

    std::filesystem::path path(const std::string& name) {
        std::filesystem::path file = data_ / name;
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        if (error)
            throw std::runtime_error("cannot create the folder \"" + file.parent_path().string() +
                                     "\": " + error.message());
        written_.push_back(file);
        return file;
    }

    void limg(const std::string& name, const Coverage& picture) { writeLimg(path(name), picture); }

    std::vector<std::filesystem::path> written() const { return written_; }

private:
    std::filesystem::path data_;
    std::vector<std::filesystem::path> written_;
};

}

std::vector<std::filesystem::path> writeStimulusData(const std::filesystem::path& runFolder, const FontFiles& fonts) {
    FontFace letterFont(fonts.letters, "Liberation Sans Bold, Debian package fonts-liberation");
    FontFace crossFont(fonts.cross, "Liberation Mono Bold, Debian package fonts-liberation");
    FontFace textFont(fonts.text, "DejaVu Sans, Debian package fonts-dejavu-core");
    Writer writer(runFolder);

    const std::string letters = "letters_arial_68pt_100px_hcenter_vcenter/";
    letterFont.setPixelSize(pixelSizeForInkHeight(letterFont, 'H', LETTER_CAP_HEIGHT));
    for (char letter : ALPHABET)
        writer.limg(letters + letter + ".limg", centredGlyphTile(letterFont, static_cast<unsigned char>(letter)));
    writer.limg(letters + "blank.limg", Coverage(TILE_SIZE, TILE_SIZE));

    crossFont.setPixelSize(pixelSizeForInkHeight(crossFont, '+', CROSS_HEIGHT));
    writer.limg("letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg", centredGlyphTile(crossFont, '+'));

    for (int number = 1; number <= MASK_COUNT; ++number)
        writer.limg("masks/Mask" + std::to_string(number) + ".limg", makeMask(letterFont, number));

    writer.limg("instructions_top.limg",
                drawInstructionPage(taskPage(), PAGE_WIDTH, TOP_PAGE_HEIGHT, letterFont, textFont));
    writer.limg("instructions_bottom.limg",
                drawInstructionPage(keysPage(), PAGE_WIDTH, BOTTOM_PAGE_HEIGHT, letterFont, textFont));

    const FontAtlas atlas = makeFontAtlas(textFont);
    writer.limg("verdana16_white.limg", atlas.image);
    writeWidths(writer.path("verdana16_widths.txt"), atlas.widths);
    return writer.written();
}
