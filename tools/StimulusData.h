#pragma once

#include <filesystem>
#include <vector>

/// The fonts the pictures are drawn from; the defaults are where Debian's
/// fonts-liberation and fonts-dejavu-core install them.
struct FontFiles {
    std::filesystem::path letters = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
    std::filesystem::path cross = "/usr/share/fonts/truetype/liberation/LiberationMono-Bold.ttf";
    std::filesystem::path text = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
};

/// Writes every picture and table the program loads from "data/" into
/// runFolder/data, under the names the program looks for, and returns the
/// paths written. All fonts are opened before the first file is written, so a
/// missing font leaves the folder untouched. Throws std::runtime_error with a
/// message naming the font or file at fault.
std::vector<std::filesystem::path> writeStimulusData(const std::filesystem::path& runFolder, const FontFiles& fonts);
