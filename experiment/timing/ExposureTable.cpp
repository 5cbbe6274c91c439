#include "ExposureTable.h"

#include <cmath>

FramedExposure frameExposure(int nominalMs, float refreshRate)
{
    // Single precision on purpose: the condition table computes it this way, and
    // a double would round differently at exact halves.
    const float frameDuration = 1000.0f / refreshRate;
    FramedExposure exposure;
    exposure.frames = static_cast<int>(std::lroundf(static_cast<float>(nominalMs) / frameDuration));
    exposure.milliseconds = static_cast<int>(std::lroundf(static_cast<float>(exposure.frames) * frameDuration));
    return exposure;
}
