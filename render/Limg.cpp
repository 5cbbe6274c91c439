#include "Limg.h"

#include <array>
#include <fstream>
#include <istream>
#include <limits>

namespace {

constexpr std::size_t headerBytes = 8;

std::uint32_t readLittleEndian32(const unsigned char* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

void appendLittleEndian32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

/// Bytes left between the read position and the end, or nothing if the stream
/// cannot tell.
std::optional<std::uint64_t> bytesLeft(std::istream& in)
{
    const std::streampos here = in.tellg();
    if (here == std::streampos(-1))
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streampos end = in.tellg();
    in.seekg(here);
    if (end == std::streampos(-1) || !in || end < here)
        return std::nullopt;
    return static_cast<std::uint64_t>(end - here);
}

} // namespace

std::optional<std::uint64_t> limgPixelBytes(std::uint32_t width, std::uint32_t height)
{
    // width × height always fits in 64 bits; the factor 4 may not.
    const std::uint64_t pixels = std::uint64_t(width) * height;
    if (pixels > std::numeric_limits<std::uint64_t>::max() / 4)
        return std::nullopt;
    return pixels * 4;
}

bool readLimgHeader(std::istream& in, std::uint32_t& width, std::uint32_t& height)
{
    std::array<unsigned char, headerBytes> header{};
    in.read(reinterpret_cast<char*>(header.data()), headerBytes);
    if (in.gcount() != static_cast<std::streamsize>(headerBytes))
        return false;
    width = readLittleEndian32(header.data());
    height = readLittleEndian32(header.data() + 4);
    return true;
}

LimgRead readLimg(std::istream& in)
{
    LimgImage image;
    if (!readLimgHeader(in, image.width, image.height))
        return {LimgFault::badHeader, {}};

    const std::optional<std::uint64_t> wanted = limgPixelBytes(image.width, image.height);
    const std::optional<std::uint64_t> held = bytesLeft(in);
    if (!wanted || !held || *wanted > *held)
        return {LimgFault::badData, {}};

    image.pixels.resize(static_cast<std::size_t>(*wanted));
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(*wanted));
    if (static_cast<std::uint64_t>(in.gcount()) != *wanted)
        return {LimgFault::badData, {}};
    return {LimgFault::none, std::move(image)};
}

LimgRead readLimgFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {LimgFault::cannotOpen, {}};
    return readLimg(in);
}

std::string limgFaultMessage(LimgFault fault, const std::string& path)
{
    switch (fault) {
    case LimgFault::none:
        return {};
    case LimgFault::cannotOpen:
        return "ERROR: unable to read file \"" + path + "\"";
    case LimgFault::badHeader:
        return "ERROR: unable to read header of file \"" + path + "\"";
    case LimgFault::badData:
        // Unlike the two above: no "ERROR: " prefix and no quotes.
        return "unable to read data " + path;
    }
    return {};
}

std::string encodeLimgHeader(std::uint32_t width, std::uint32_t height)
{
    std::string bytes;
    appendLittleEndian32(bytes, width);
    appendLittleEndian32(bytes, height);
    return bytes;
}

std::string encodeLimg(const LimgImage& image)
{
    std::string bytes = encodeLimgHeader(image.width, image.height);
    bytes.append(reinterpret_cast<const char*>(image.pixels.data()), image.pixels.size());
    return bytes;
}

bool writeLimg(const std::filesystem::path& path, const LimgImage& image)
{
    const std::optional<std::uint64_t> expected = limgPixelBytes(image.width, image.height);
    if (!expected || *expected != image.pixels.size())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string header = encodeLimgHeader(image.width, image.height);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    out.close();
    return static_cast<bool>(out);
}
