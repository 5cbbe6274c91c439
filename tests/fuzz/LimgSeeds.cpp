// Writes the LIMG seed files of the LIMG harness into the folder given: small
// pictures of the shapes the reader must take or refuse, so fuzzing starts
// from valid headers instead of searching for them.
#include "Limg.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

LimgImage picture(std::uint32_t width, std::uint32_t height)
{
    LimgImage image{width, height, {}};
    for (std::uint32_t i = 0; i < width * height * 4; ++i)
        image.pixels.push_back(static_cast<std::uint8_t>(i * 37));
    return image;
}

bool write(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: limg_seeds FOLDER\n");
        return 1;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const std::string full = encodeLimg(picture(3, 2));
    bool ok = write(folder / "empty.limg", encodeLimgHeader(0, 0)) &&
              write(folder / "one.limg", encodeLimg(picture(1, 1))) &&
              write(folder / "three-by-two.limg", full) &&
              write(folder / "tall.limg", encodeLimg(picture(1, 9))) &&
              write(folder / "short.limg", full.substr(0, full.size() - 5)) &&
              write(folder / "trailing.limg", full + "tail") &&
              write(folder / "huge-header.limg", encodeLimgHeader(0xFFFFFFFFu, 0xFFFFFFFFu) + "RGBA") &&
              write(folder / "header-only.limg", encodeLimgHeader(100, 100)) &&
              write(folder / "cut-header.limg", full.substr(0, 5));
    return ok ? 0 : 1;
}
