#include "SwapCounters.h"

// Windows offers no per-window swap counters through WGL; the frames are
// stamped by the clock after the swap alone (the timing file's stamps column
// then says "swap").
SwapCounters::SwapCounters(GLFWwindow*)
{
}

bool SwapCounters::read(std::int64_t&, std::int64_t&) const
{
    return false;
}
