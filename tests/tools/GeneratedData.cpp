#include "GeneratedData.h"

#include <fstream>
#include <iterator>

std::vector<PictureFile> programPictures() {
    std::vector<PictureFile> pictures{
        {"letters_couriernew_18ptbold_100px_hcenter_vcenter/+.limg", 100, 100},
        {"letters_arial_68pt_100px_hcenter_vcenter/blank.limg", 100, 100},
        {"instructions_top.limg", 684, 491},
        {"instructions_bottom.limg", 684, 404},
        {"verdana16_white.limg", 256, 256},
    };
    for (char letter : ALPHABET)
        pictures.push_back({letterFile(letter), 100, 100});
    for (int number = 1; number <= 8; ++number)
        pictures.push_back({maskFile(number), 100, 100});
    return pictures;
}

std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
