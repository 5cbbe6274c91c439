#include "SwapClock.h"

#include <GL/glew.h>

FrameStamp SwapClock::stampPresentedFrame()
{
    // The swap is only queued when glfwSwapBuffers returns; the stamp must
    // describe the frame on the display, not the command.
    glFinish();
    FrameStamp stamp = steadyFrameStamp();
    stamp.hasSyncCounters = counters_.read(stamp.ust, stamp.msc);
    return stamp;
}
