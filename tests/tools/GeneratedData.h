#pragma once

// Reading zotdata's files back byte by byte, independently of the tool that wrote them.

#include <cstdint>
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

struct LimgPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    std::uint8_t alpha(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
    /// True when every pixel's colour is white, whatever its alpha.
    bool allWhite() const;
};

/// Reads path; throws std::runtime_error when its length does not match its header.
LimgPicture readLimg(const std::filesystem::path& path);

/// Pixels from (left, top) inclusive to (right, bottom) exclusive.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

/// The pixels of an area whose alpha reaches a threshold, and their bounding box.
struct Ink {
    int count = 0;
    int left = 0;
    int top = 0;
    int right = -1; ///< inclusive
    int bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    double centreX() const { return (left + right) / 2.0; }
    double centreY() const { return (top + bottom) / 2.0; }
};

Ink inkIn(const LimgPicture& picture, const Area& area, std::uint8_t threshold);
Ink inkIn(const LimgPicture& picture, std::uint8_t threshold);

/// Number of pixels whose alpha differs by more than 128 between two pictures of one size.
int clearlyDifferentPixels(const LimgPicture& a, const LimgPicture& b);
