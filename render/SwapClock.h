#pragma once

#include "PresentationClock.h"
#include "platform/SwapCounters.h"

struct GLFWwindow;

/// Stamps the frames of a window: waits until the swap has been carried out
/// (glFinish), then reads the monotonic clock and, where the display offers
/// them, its swap counters. Needs the window's GL context current.
class SwapClock final : public PresentationClock {
public:
    explicit SwapClock(GLFWwindow* window) : counters_(window) {}
    FrameStamp stampPresentedFrame() override;
    bool hasSyncCounters() const { return counters_.available(); }

private:
    SwapCounters counters_;
};
