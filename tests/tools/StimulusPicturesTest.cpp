// The pictures zotdata draws, read back from the files as the program would see them.
#include "GeneratedData.h"
#include "LimgPicture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>

void PrintTo(const PictureFile& file, std::ostream* out) { *out << file.path; }

namespace {

LimgPicture load(const std::filesystem::path& relative) { return readLimg(generatedData() / relative); }

// Tiles are centred when the ink box's middle is the tile's middle pixel boundary.
constexpr double TILE_MIDDLE = 49.5;

class PictureFiles : public testing::TestWithParam<PictureFile> {};

TEST_P(PictureFiles, HaveTheirSizeAndAreWhiteOnTransparent) {
    const LimgPicture picture = load(GetParam().path);
    EXPECT_EQ(picture.width, GetParam().width);
    EXPECT_EQ(picture.height, GetParam().height);
    EXPECT_TRUE(picture.allWhite()) << "coloured pixels would defeat the red and blue tint";
}

std::string testName(const std::filesystem::path& path) {
    std::string name = path.string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Data, PictureFiles, testing::ValuesIn(programPictures()),
                         [](const auto& info) { return testName(info.param.path); });

class Letters : public testing::TestWithParam<char> {};

TEST_P(Letters, StandCentredAndLargeInTheirTile) {
    const Ink ink = inkIn(load(letterFile(GetParam())), 128);
    EXPECT_NEAR(ink.centreX(), TILE_MIDDLE, 0.5);
    EXPECT_NEAR(ink.centreY(), TILE_MIDDLE, 0.5);
    EXPECT_GE(ink.height(), 70);
    EXPECT_LE(ink.height(), 90);
    EXPECT_GE(ink.width(), 45);
    // A margin keeps the letter clear of the quad's edge, where filtering would cut it.
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 94);
}

// Whether the ink box's corners (3 pixels in) and the tile's middle are inked:
// 'X' inked, '.' empty, '?' too close to an edge of the glyph to say. Telling
// neighbours in the alphabet apart shows each file holds its own letter.
const std::map<char, std::string> LETTER_PROBES{
    {'A', "..??."}, {'B', "X.X.X"}, {'D', "X.X.."}, {'E', "X?XXX"}, {'F', "XXX.?"}, {'G', "....."}, {'H', "XXXXX"},
    {'J', ".X..."}, {'K', "X?X?X"}, {'L', "X.XX."}, {'M', "XXXX."}, {'N', "XXXXX"}, {'O', "....."}, {'P', "X.X.?"},
    {'R', "X.X?X"}, {'S', "....X"}, {'T', "XX..X"}, {'U', "XX..."}, {'V', "??..."}, {'X', "????X"}};

TEST_P(Letters, LookLikeTheirLetter) {
    const LimgPicture tile = load(letterFile(GetParam()));
    const Ink ink = inkIn(tile, 128);
    const std::pair<int, int> probes[] = {{ink.left + 3, ink.top + 3},    {ink.right - 3, ink.top + 3},
                                          {ink.left + 3, ink.bottom - 3}, {ink.right - 3, ink.bottom - 3},
                                          {49, 49}};
    const std::string& expected = LETTER_PROBES.at(GetParam());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == '?')
            continue;
        EXPECT_EQ(tile.alpha(probes[i].first, probes[i].second) >= 128, expected[i] == 'X') << "probe " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Alphabet, Letters, testing::ValuesIn(ALPHABET.begin(), ALPHABET.end()),
                         [](const auto& info) { return std::string(1, info.param); });

TEST(LetterTiles, AreAllDifferent) {
    for (std::size_t i = 0; i < ALPHABET.size(); ++i) {
        for (std::size_t j = i + 1; j < ALPHABET.size(); ++j) {
            EXPECT_GE(clearlyDifferentPixels(load(letterFile(ALPHABET[i])), load(letterFile(ALPHABET[j]))), 500)
                << ALPHABET[i] << " and " << ALPHABET[j] << " look alike";
        }
    }
}

TEST(LetterTiles, BlankIsFullyTransparent) {
    EXPECT_EQ(inkIn(load("letters_arial_68pt_100px_hcenter_vcenter/blank.limg"), 1).count, 0);
}

TEST(FixationCross, IsACentredSymmetricCross) {
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

    long total = 0, leftRight = 0, upDown = 0;
    for (int y = 0; y < cross.height; ++y) {
        for (int x = 0; x < cross.width; ++x) {
            total += cross.alpha(x, y);
            leftRight += std::abs(cross.alpha(x, y) - cross.alpha(cross.width - 1 - x, y));
            upDown += std::abs(cross.alpha(x, y) - cross.alpha(x, cross.height - 1 - y));
        }
    }
    EXPECT_LE(leftRight, total / 20);
    EXPECT_LE(upDown, total / 20);
}

// The middle of a mask tile, where the letters stand.
constexpr Area LETTER_AREA{10, 10, 90, 90};

// Side of the largest square in area with no pixel above alpha 63.
int widestClearSquare(const LimgPicture& mask, const Area& area) {
    int widest = 0;
    for (int side = 1; side <= area.right - area.left; ++side) {
        bool found = false;
        for (int top = area.top; !found && top + side <= area.bottom; ++top)
            for (int left = area.left; !found && left + side <= area.right; ++left)
                found = inkIn(mask, {left, top, left + side, top + side}, 64).count == 0;
        if (!found)
            break;
        widest = side;
    }
    return widest;
}

class Masks : public testing::TestWithParam<int> {};

TEST_P(Masks, HideEveryLetterAtTheirPlace) {
    const LimgPicture mask = load(maskFile(GetParam()));
    for (char letter : ALPHABET) {
        const LimgPicture glyph = load(letterFile(letter));
        int ink = 0;
        int hidden = 0;
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                if (glyph.alpha(x, y) < 128)
                    continue;
                ++ink;
                hidden += mask.alpha(x, y) >= 192;
            }
        }
        EXPECT_GE(hidden, ink * 3 / 4) << "letter " << letter;
    }
}

TEST_P(Masks, AreAPatternWithoutWideGaps) {
    const LimgPicture mask = load(maskFile(GetParam()));
    const int clear = mask.width * mask.height - inkIn(mask, 64).count;
    EXPECT_GE(clear, mask.width * mask.height / 20) << "a solid square is no pattern";
    // Letter strokes are about 14 pixels wide; no gap may show one whole.
    EXPECT_LT(widestClearSquare(mask, LETTER_AREA), 10);
}

TEST_P(Masks, DifferFromEveryOtherMask) {
    for (int other = 1; other <= 8; ++other) {
        if (other == GetParam())
            continue;
        EXPECT_GE(clearlyDifferentPixels(load(maskFile(GetParam())), load(maskFile(other))), 1500) << "Mask" << other;
    }
}

INSTANTIATE_TEST_SUITE_P(Eight, Masks, testing::Range(1, 9),
                         [](const auto& info) { return "Mask" + std::to_string(info.param); });

struct Page {
    const char* file;
    int leastLines;
};

void PrintTo(const Page& page, std::ostream* out) { *out << page.file; }

class InstructionPages : public testing::TestWithParam<Page> {};

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

TEST_P(InstructionPages, HoldLinesOfTextInsideTheirMargins) {
    const LimgPicture page = load(GetParam().file);
    const int area = page.width * page.height;
    const Ink ink = inkIn(page, 128);
    EXPECT_GE(ink.count, area / 100);
    EXPECT_LE(ink.count, area * 3 / 10);
    EXPECT_GE(ink.left, 16);
    EXPECT_GE(ink.top, 16);
    EXPECT_LE(ink.right, page.width - 17);
    EXPECT_LE(ink.bottom, page.height - 17);
    EXPECT_GE(textLines(page), GetParam().leastLines);
}

INSTANTIATE_TEST_SUITE_P(TwoPages, InstructionPages,
                         testing::Values(Page{"instructions_top.limg", 8}, Page{"instructions_bottom.limg", 5}),
                         [](const auto& info) { return testName(info.param.file); });

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
