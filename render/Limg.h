#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

/// A LIMG picture: an 8-byte header (width, then height, unsigned 32-bit
/// little-endian) followed by width × height RGBA pixels, 4 bytes each, rows one
/// after another. The first row is the one GL places at v = 0, which the quads
/// show at the top of the picture.
struct LimgImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

/// Why a LIMG file could not be used.
enum class LimgFault {
    none,
    cannotOpen,
    badHeader, ///< fewer than 8 bytes
    badData,   ///< the pixel block overflows or is longer than what the file holds
};

struct LimgRead {
    LimgFault fault = LimgFault::none;
    LimgImage image; ///< empty unless fault is none
};

/// Bytes of the pixel block of a width × height picture, or nothing when the
/// count does not fit in 64 bits.
std::optional<std::uint64_t> limgPixelBytes(std::uint32_t width, std::uint32_t height);

/// Reads the 8-byte header (width, then height) from the current position of
/// in; false when fewer than 8 bytes are left.
bool readLimgHeader(std::istream& in, std::uint32_t& width, std::uint32_t& height);

/// Reads one LIMG picture from the current position of a seekable stream (a file
/// or a string stream). The header's byte count is checked against what the
/// stream still holds before any pixel memory is allocated, so a damaged or
/// hostile header can never make the reader allocate more than the file supplies.
/// Bytes after the pixel block are ignored.
LimgRead readLimg(std::istream& in);

/// Opens path (used unchanged, relative to the working directory) and reads it.
LimgRead readLimgFile(const std::string& path);

/// The console line for a fault, without the line end ("" for none).
std::string limgFaultMessage(LimgFault fault, const std::string& path);

/// The 8 header bytes announcing a width × height picture.
std::string encodeLimgHeader(std::uint32_t width, std::uint32_t height);

/// The file bytes of image (header and pixels as they are).
std::string encodeLimg(const LimgImage& image);

/// Writes image to path; false if the pixel count does not match the size or the
/// file cannot be written.
bool writeLimg(const std::filesystem::path& path, const LimgImage& image);
