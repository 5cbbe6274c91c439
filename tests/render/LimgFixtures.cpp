#include "LimgFixtures.h"

LimgImage patternedLimg(std::uint32_t width, std::uint32_t height)
{
    LimgImage image{width, height, {}};
    image.pixels.resize(std::size_t(width) * height * 4);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return image;
}
