// libFuzzer harness: any bytes as zot.cfg. Reading must never crash or stop,
// and whatever the file says, the record keeps the promises every other part
// of the program relies on.
#include "ZOTConfig.h"

#include "FuzzRequire.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream console;
    const ZOTConfig config(file, console);
    require(config.blocksPerRun >= 1, "blocksPerRun below 1");
    require(config.trialsPerBlock >= 1, "trialsPerBlock below 1");
    require(config.depthAngles.size() == config.depthLines.size(), "depth lists of different lengths");
    require(config.display != VIVE || config.refreshRate == 90.0f, "the headset's rate is not 90 Hz");
    // A rate a display can have, or 0 and below for the monitor's own.
    require(std::isfinite(config.refreshRate) &&
                (config.refreshRate <= 0.0f || (config.refreshRate >= 20.0f && config.refreshRate <= 1000.0f)),
            "refreshRate no display can have");
    for (float length : {config.size, config.radius, config.sizeMonitor, config.radiusMonitor, config.fixCrossSize,
                         config.reportTextSize})
        require(std::isfinite(length) && length > 0.0f, "a size or radius that is not above 0");
    require(config.display == VIVE || config.display == MONITOR, "display outside its enumeration");
    require(config.mode == WHOLE || config.mode == PARTIAL || config.mode == COMBI, "mode outside its enumeration");
    return 0;
}
