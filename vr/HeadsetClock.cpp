#include "HeadsetClock.h"

FrameStamp HeadsetClock::stampPresentedFrame()
{
    // Without a prediction (no frame from the runtime yet) only our own clock is left.
    if (frame_.predictedDisplayTime == 0)
        return steadyFrameStamp();
    if (originDisplayTime_ == 0) {
        originDisplayTime_ = frame_.predictedDisplayTime;
        originMicroseconds_ = steadyMicroseconds();
    }
    FrameStamp stamp;
    stamp.predicted = true;
    stamp.microseconds = originMicroseconds_ + (frame_.predictedDisplayTime - originDisplayTime_) / 1000;
    return stamp;
}
