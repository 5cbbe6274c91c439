// The pictures zotdata draws, read back from the files as the program would see them.
#include "GeneratedData.h"

#include <gtest/gtest.h>

#include <map>

namespace {

LimgPicture load(const std::filesystem::path& relative) { return readLimg(generatedData() / relative); }

// Tiles are centred when the ink box's middle is the tile's middle pixel boundary.
constexpr double TILE_MIDDLE = 49.5;

TEST(Pictures, HaveTheirSizeAndAreWhiteOnTransparent) {
    for (const PictureFile& file : programPictures()) {
        const LimgPicture picture = load(file.path);
        EXPECT_EQ(picture.width, file.width) << file.path;
        EXPECT_EQ(picture.height, file.height) << file.path;
        EXPECT_TRUE(picture.allWhite()) << file.path << ": coloured pixels would defeat the red and blue tint";
    }
    EXPECT_EQ(inkIn(load("letters_arial_68pt_100px_hcenter_vcenter/blank.limg"), 1).count, 0);
}

// Whether the ink box's corners (3 pixels in) and the tile's middle are inked:
// 'X' inked, '.' empty, '?' too close to an edge of the glyph to say. Telling
// neighbours in the alphabet apart shows each file holds its own letter.
const std::map<char, std::string> LETTER_PROBES{
    {'A', "..??."}, {'B', "X.X.X"}, {'D', "X.X.."}, {'E', "X?XXX"}, {'F', "XXX.?"}, {'G', "....."}, {'H', "XXXXX"},
    {'J', ".X..."}, {'K', "X?X?X"}, {'L', "X.XX."}, {'M', "XXXX."}, {'N', "XXXXX"}, {'O', "....."}, {'P', "X.X.?"},
    {'R', "X.X?X"}, {'S', "....X"}, {'T', "XX..X"}, {'U', "XX..."}, {'V', "??..."}, {'X', "????X"}};

TEST(Letters, StandCentredAndLargeInTheirTileAndLookLikeTheirLetter) {
    for (char letter : ALPHABET) {
        SCOPED_TRACE(std::string("letter ") + letter);
        const LimgPicture tile = load(letterFile(letter));
        const Ink ink = inkIn(tile, 128);
        EXPECT_NEAR(ink.centreX(), TILE_MIDDLE, 0.5);
        EXPECT_NEAR(ink.centreY(), TILE_MIDDLE, 0.5);
        EXPECT_GE(ink.height(), 70);
        EXPECT_LE(ink.height(), 90);
        EXPECT_GE(ink.width(), 45);
        // A margin keeps the letter clear of the quad's edge, where filtering would cut it.
        EXPECT_GE(ink.left, 5);
        EXPECT_LE(ink.right, 94);
        const std::pair<int, int> probes[] = {{ink.left + 3, ink.top + 3},    {ink.right - 3, ink.top + 3},
                                              {ink.left + 3, ink.bottom - 3}, {ink.right - 3, ink.bottom - 3},
                                              {49, 49}};
        const std::string& expected = LETTER_PROBES.at(letter);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (expected[i] != '?') {
                EXPECT_EQ(tile.alpha(probes[i].first, probes[i].second) >= 128, expected[i] == 'X') << "probe " << i;
            }
        }
    }
}

// Letters that probe alike (G and O, H and N) and masks must still be pictures of their own.
TEST(LettersAndMasks, DifferFromEachOther) {
    const auto expectAllDifferent = [](const std::vector<std::filesystem::path>& files, int leastPixels) {
        for (std::size_t i = 0; i < files.size(); ++i)
            for (std::size_t j = i + 1; j < files.size(); ++j)
                EXPECT_GE(clearlyDifferentPixels(load(files[i]), load(files[j])), leastPixels)
                    << files[i] << " and " << files[j] << " look alike";
    };
    std::vector<std::filesystem::path> letters;
    for (char letter : ALPHABET)
        letters.push_back(letterFile(letter));
    expectAllDifferent(letters, 500);
    std::vector<std::filesystem::path> masks;
    for (int number = 1; number <= 8; ++number)
        masks.push_back(maskFile(number));
    expectAllDifferent(masks, 1500);
}

TEST(FixationCross, IsACentredCross) {
    const LimgPicture cross = load("letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg");
    const Ink ink = inkIn(cross, 128);
    EXPECT_NEAR(ink.centreX(), TILE_MIDDLE, 0.5);
    EXPECT_NEAR(ink.centreY(), TILE_MIDDLE, 0.5);
    EXPECT_GE(ink.width(), 20);
    EXPECT_GE(ink.height(), 20);
    EXPECT_EQ(cross.alpha(49, 49), 255);
    EXPECT_EQ(cross.alpha(50, 50), 255);
    // Arms, not a block: the corners of its box stay empty.
    for (auto [x, y] : {std::pair{ink.left, ink.top}, {ink.right, ink.top}, {ink.left, ink.bottom}, {ink.right, ink.bottom}})
        EXPECT_EQ(cross.alpha(x, y), 0) << "corner " << x << ", " << y;
}

// Side of the largest square in the middle of a mask, where the letters stand,
// with no pixel above alpha 63.
int widestClearSquare(const LimgPicture& mask) {
    const auto clearSquareOf = [&](int side) {
        for (int top = 10; top + side <= 90; ++top)
            for (int left = 10; left + side <= 90; ++left)
                if (inkIn(mask, {left, top, left + side, top + side}, 64).count == 0)
                    return true;
        return false;
    };
    int side = 0;
    while (clearSquareOf(side + 1))
        ++side;
    return side;
}

TEST(Masks, HideEveryLetterAtTheirPlaceAndAreAPatternWithoutWideGaps) {
    for (int number = 1; number <= 8; ++number) {
        SCOPED_TRACE("Mask" + std::to_string(number));
        const LimgPicture mask = load(maskFile(number));
        for (char letter : ALPHABET) {
            const LimgPicture glyph = load(letterFile(letter));
            int ink = 0;
            int hidden = 0;
            for (std::size_t i = 3; i < glyph.rgba.size(); i += 4) {
                ink += glyph.rgba[i] >= 128;
                hidden += glyph.rgba[i] >= 128 && mask.rgba[i] >= 192;
            }
            EXPECT_GE(hidden, ink * 3 / 4) << "letter " << letter;
        }
        const int clear = mask.width * mask.height - inkIn(mask, 64).count;
        EXPECT_GE(clear, mask.width * mask.height / 20) << "a solid square is no pattern";
        // Letter strokes are about 14 pixels wide; no gap may show one whole.
        EXPECT_LT(widestClearSquare(mask), 10);
    }
}

// Rows with ink separated by empty rows: the lines of text on a page.
int textLines(const LimgPicture& page) {
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < page.height; ++y) {
        const bool inked = inkIn(page, {0, y, page.width, y + 1}, 128).count > 0;
        lines += inked && !inLine;
        inLine = inked;
    }
    return lines;
}

TEST(InstructionPages, HoldLinesOfTextInsideTheirMargins) {
    for (auto [file, leastLines] : {std::pair{"instructions_top.limg", 8}, {"instructions_bottom.limg", 5}}) {
        SCOPED_TRACE(file);
        const LimgPicture page = load(file);
        const int area = page.width * page.height;
        const Ink ink = inkIn(page, 128);
        EXPECT_GE(ink.count, area / 100);
        EXPECT_LE(ink.count, area * 3 / 10);
        EXPECT_GE(ink.left, 16);
        EXPECT_GE(ink.top, 16);
        EXPECT_LE(ink.right, page.width - 17);
        EXPECT_LE(ink.bottom, page.height - 17);
        EXPECT_GE(textLines(page), leastLines);
    }
}

TEST(GeneratedData, IsTheSameOnEveryRun) {
    const std::filesystem::path again = std::filesystem::path(ZOTDATA_GENERATED_AGAIN) / "data";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(generatedData())) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const auto relative = std::filesystem::relative(entry.path(), generatedData());
        EXPECT_TRUE(fileContents(entry.path()) == fileContents(again / relative)) << relative;
    }
    EXPECT_EQ(files, static_cast<int>(programPictures().size()) + 1) << "the pictures and the widths table";
}

}
