#pragma once

#include <array>

/// The nominal exposures of the design, in milliseconds.
inline constexpr std::array<int, 6> nominalExposuresMs{10, 20, 50, 80, 140, 200};

/// A nominal exposure turned into whole display frames, and the milliseconds
/// those frames last.
struct FramedExposure {
    int frames = 0;
    int milliseconds = 0;
};

/// The rule of the condition table: the frame duration is 1000 / refreshRate;
/// frames = nominal / frame duration and ms = frames × frame duration, each
/// rounded half away from zero, all in single precision (so 50 ms at 90 Hz is
/// 5 frames and 56 ms).
FramedExposure frameExposure(int nominalMs, float refreshRate);
