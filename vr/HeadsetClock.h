#pragma once

#include "PresentationClock.h"
#include "XrHeadset.h"

#include <cstdint>

/// Stamps headset frames with the runtime's prediction of when each reaches the
/// display, rather than with the desktop mirror's buffer swap, which the subject
/// never sees. The runtime's clock has its own origin: the first stamped frame
/// is tied to the moment it is stamped, every later one lies exactly its
/// predicted distance after it. So intervals, and with them late and dropped
/// frames, are the runtime's own; absolute times are off by the runtime's
/// latency, the same for every frame of a session.
class HeadsetClock final : public PresentationClock {
public:
    /// frame is observed: the renderer's frame of the moment, read at each stamp.
    explicit HeadsetClock(const HeadsetFrame& frame) : frame_(frame) {}

    FrameStamp stampPresentedFrame() override;

private:
    const HeadsetFrame& frame_;
    XrTime originDisplayTime_ = 0;
    std::int64_t originMicroseconds_ = 0;
};
