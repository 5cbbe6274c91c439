#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#ifdef ZOTDATA_TESTS_WITH_EXPERIMENT
#include <ZOTTrial.h> // the program's own ALPHABET, so its letters are the ones checked
#else
inline constexpr std::string_view ALPHABET = "ABDEFGHJKLMNOPRSTUVX";
#endif

/// The data folder zotdata wrote for these tests (a CTest fixture runs it first).
inline std::filesystem::path generatedData() { return std::filesystem::path(ZOTDATA_GENERATED) / "data"; }

inline std::filesystem::path letterFile(char letter) {
    return std::filesystem::path("letters_arial_68pt_100px_hcenter_vcenter") / (std::string(1, letter) + ".limg");
}

inline std::filesystem::path maskFile(int number) {
    return std::filesystem::path("masks") / ("Mask" + std::to_string(number) + ".limg");
}

/// A picture the program loads from data/, with the size it must have.
struct PictureFile {
    std::filesystem::path path;
    int width;
    int height;
};

/// Every picture the program loads, by the names it loads them under.
std::vector<PictureFile> programPictures();

/// The bytes of a file; empty when it cannot be read.
std::string fileContents(const std::filesystem::path& path);
