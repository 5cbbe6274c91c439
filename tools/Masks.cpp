#include "Masks.h"

#include "GlyphTiles.h"
#include "SplitMix.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// A mask must cover the letter shown before it at the same place. Letters stand
// inside the middle 80 x 80 pixels of their tile; fragments are added until that
// area is densely inked and has no gap wide enough to show a whole letter stroke,
// while the gaps that remain keep it a pattern rather than a white square.
constexpr PixelRect LETTER_AREA{10, 10, 90, 90};
constexpr double DENSE_SHARE = 0.84;
constexpr std::uint8_t DENSE_ALPHA = 224;
// Half the side of the widest gap allowed, in pixels; letter strokes are about 14 wide.
constexpr int WIDEST_GAP = 4;
// Guards the loop should a replacement font have tiny glyphs.
constexpr int MOST_FRAGMENTS = 600;

struct Pixel {
    int x;
    int y;
};

// How far each pixel is from the nearest densely inked one, counting a
// diagonal step as one, so that a gap of side 2n + 1 has a pixel at distance n.
std::vector<int> gapDistances(const Coverage& mask) {
    const int w = mask.width;
    const int h = mask.height;
    std::vector<int> distance(static_cast<std::size_t>(w) * h);
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : distance[y * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            distance[y * w + x] = mask.at(x, y) >= DENSE_ALPHA
                                      ? 0
                                      : 1 + std::min({at(x - 1, y), at(x - 1, y - 1), at(x, y - 1), at(x + 1, y - 1)});
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x)
            distance[y * w + x] = std::min(
                {distance[y * w + x], 1 + at(x + 1, y), 1 + at(x + 1, y + 1), 1 + at(x, y + 1), 1 + at(x - 1, y + 1)});
    return distance;
}

struct Gaps {
    double denseShare = 0;
    int widest = 0;
    std::vector<Pixel> widestCentres;
};

Gaps gapsInLetterArea(const Coverage& mask) {
    const std::vector<int> distance = gapDistances(mask);
    Gaps gaps;
    int dense = 0;
    for (int y = LETTER_AREA.top; y < LETTER_AREA.bottom; ++y) {
        for (int x = LETTER_AREA.left; x < LETTER_AREA.right; ++x) {
            const int d = distance[y * mask.width + x];
            dense += d == 0;
            if (d > gaps.widest)
                gaps.widestCentres.clear();
            if (d >= gaps.widest && d > 0) {
                gaps.widest = d;
                gaps.widestCentres.push_back({x, y});
            }
        }
    }
    gaps.denseShare = static_cast<double>(dense) /
                      ((LETTER_AREA.right - LETTER_AREA.left) * (LETTER_AREA.bottom - LETTER_AREA.top));
    return gaps;
}

}

Coverage makeMask(FontFace& font, int number) {
    SplitMix random(0x5a4f542d4d41534bull + static_cast<std::uint64_t>(number));
    Coverage mask(TILE_SIZE, TILE_SIZE);
    for (int fragment = 0; fragment < MOST_FRAGMENTS; ++fragment) {
        const Gaps gaps = gapsInLetterArea(mask);
        if (gaps.denseShare >= DENSE_SHARE && gaps.widest <= WIDEST_GAP)
            break;
        const char letter = ALPHABET[random.below(ALPHABET.size())];
        font.setPixelSize(random.uniform(0.35, 0.8) * TILE_SIZE);
        font.load(static_cast<unsigned char>(letter), false);
        const InkBox ink = font.ink();
        font.translate(-(ink.left + ink.right) / 2, -(ink.bottom + ink.top) / 2);
        const double angle = random.uniform(0, 2 * std::numbers::pi);
        font.transform(std::cos(angle), -std::sin(angle), std::sin(angle), std::cos(angle));
        // Every other fragment is centred in one of the widest gaps left, which
        // closes them sooner than scattering alone; the others land anywhere,
        // reaching beyond the tile so that only a piece of the letter shows.
        if (fragment % 2 == 0) {
            const Pixel target = gaps.widestCentres[random.below(gaps.widestCentres.size())];
            font.translate(target.x + 0.5, TILE_SIZE - target.y - 0.5);
        } else {
            font.translate(random.uniform(-0.1, 1.1) * TILE_SIZE, random.uniform(-0.1, 1.1) * TILE_SIZE);
        }
        font.fill(mask);
    }
    return mask;
}
