// libFuzzer harness: any bytes as zot.cfg. Reading must never crash or stop,
// and whatever the file says, the record keeps the promises every other part
// of the program relies on.
#include "ZOTConfig.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "config fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream console;
    const ZOTConfig config(file, console);
    require(config.blocksPerRun >= 1, "blocksPerRun below 1");
    require(config.trialsPerBlock >= 1, "trialsPerBlock below 1");
    require(config.depthAngles.size() == config.depthLines.size(), "depth lists of different lengths");
    require(config.display != VIVE || config.refreshRate == 90.0f, "the headset's rate is not 90 Hz");
    require(config.display == VIVE || config.display == MONITOR, "display outside its enumeration");
    require(config.mode == WHOLE || config.mode == PARTIAL || config.mode == COMBI, "mode outside its enumeration");
    return 0;
}
