// libFuzzer harness: any bytes as a LIMG file. The reader must never crash or
// allocate more than the file supplies; a picture it accepts is exactly the
// file's header and the pixel block it announces.
#include "Limg.h"

#include "FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    const LimgRead read = readLimg(in);
    if (read.fault != LimgFault::none) {
        require(read.image.pixels.empty(), "a rejected file left pixels behind");
        require(size < 8 || read.fault == LimgFault::badData, "a complete header was called bad");
        return 0;
    }
    const LimgImage& image = read.image;
    require(size >= 8, "a file shorter than its header was accepted");
    require(image.pixels.size() == std::uint64_t{image.width} * image.height * 4,
            "the pixel count differs from width x height x 4");
    require(8 + image.pixels.size() <= size, "more pixels than the file holds");
    require(encodeLimg(image) == bytes.substr(0, 8 + image.pixels.size()),
            "the picture differs from the file's header and pixel block");
    return 0;
}
