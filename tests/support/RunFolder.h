#pragma once

#include <filesystem>

/// Fills folder with every file a monitor or headset session loads (data/ and
/// shaders/), each sound and small: 4 × 4 pictures, 256 widths, shader sources.
void writeSoundRunFolder(const std::filesystem::path& folder);
