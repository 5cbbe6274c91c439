#pragma once

#include "PresentationClock.h"

#include <cstdint>
#include <map>

/// A display that refreshes with a fixed period, for tests and demos without a
/// screen. Frame n (counting stamps from 0) is shown on retrace n unless a script
/// says otherwise. Scripts are set up before the frames are played; stamping
/// allocates nothing.
class SimulatedVsyncClock final : public PresentationClock {
public:
    /// periodMicroseconds may be tiny to play swaps that nothing paces.
    explicit SimulatedVsyncClock(double periodMicroseconds, std::int64_t startMicroseconds = 0);

    /// Frame `frame` misses `periods` retraces, like a real dropped frame: its
    /// time and its MSC move on by that many periods, and every later frame keeps
    /// to the shifted grid.
    void presentLate(std::uint64_t frame, int periods);
    /// The stamp of frame `frame` is read `microseconds` late although the frame
    /// was shown on time (the program was busy after the swap); MSC and later
    /// frames are unaffected.
    void stampLate(std::uint64_t frame, std::int64_t microseconds);
    /// The program works this long before its next swap, on top of what it has
    /// worked since the last one. A swap issued after the retrace it was meant
    /// for is shown on a later one, as when a busy program misses its frames.
    void spend(std::int64_t microseconds);
    /// The time on this display's clock now: the last frame's retrace plus the
    /// work spent since.
    std::int64_t now() const;
    /// Play a server with GLX_OML_sync_control: stamps carry UST (= the retrace
    /// time) and MSC.
    void reportSyncCounters(bool on);
    /// Mark the stamps as predictions, like a headset runtime's display times.
    void reportPredictions(bool on);

    FrameStamp stampPresentedFrame() override;

private:
    std::int64_t retraceTime() const;

    double period_;
    std::int64_t start_;
    std::uint64_t frame_ = 0;
    std::int64_t retrace_ = 0;
    std::int64_t spent_ = 0;
    bool syncCounters_ = false;
    bool predictions_ = false;
    std::map<std::uint64_t, int> latePeriods_;
    std::map<std::uint64_t, std::int64_t> stampDelays_;
};
