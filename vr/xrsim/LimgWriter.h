#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace xrsim {

/// Writes an RGBA picture as a LIMG file (u32 LE width and height, then the
/// rows). GL hands pixels back bottom row first while LIMG files start with the
/// top row, so the rows are written in reverse. Returns false when the file
/// could not be written completely.
bool writeLimgFromBottomUp(const std::filesystem::path& path, std::uint32_t width, std::uint32_t height,
                           const std::vector<std::uint8_t>& bottomUpRgba);

} // namespace xrsim
