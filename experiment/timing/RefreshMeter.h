#pragma once

#include "FrameRing.h"
#include "FrameStamp.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>

struct RefreshMeterSettings {
    /// Frames ignored at the start, while the driver and compositor settle.
    int warmUpFrames = 10;
    /// Intervals needed before a steady rate counts as measured.
    std::size_t minimumIntervals = 30;
    /// The rate counts as measured once the intervals' SD is below this.
    double settledSdMicroseconds = 1000.0;
    /// Measuring stops this long after the first measured frame, settled or not.
    std::int64_t timeLimitMicroseconds = 3'000'000;
    /// The statistics cover at most this many of the most recent intervals.
    std::size_t windowIntervals = 120;
};

/// What the refresh check found.
struct RefreshMeasurement {
    IntervalStatistics intervals;
    /// 1e6 / mean interval; 0 when fewer than one interval was measured.
    double measuredRate = 0.0;
    /// The SD fell below the threshold (as opposed to running out of time).
    bool settled = false;
    /// The stamps were predicted display times, not measurements.
    bool predicted = false;
};

/// The start-up check of the display's real refresh rate. Fed one stamp per
/// presented frame while the first text screen shows; it never waits itself, so
/// the frame loop runs on undisturbed. When the measurement is done it writes its
/// report once: the measured rate beside the configured one, warnings when they
/// disagree or the swaps are not paced at all, and the exposure table.
class RefreshMeter {
public:
    RefreshMeter(float configuredRate, std::ostream& out, RefreshMeterSettings settings = {});

    /// Feeds one presented frame; feed every frame from start-up on until
    /// finished(). Returns true for the frame that completed the measurement
    /// (the report has then been written); allocates nothing before.
    bool addFrame(const FrameStamp& stamp);
    /// Ends the measurement now with what has been measured and writes the
    /// report, unless it was already written: for a loop that ends early.
    void finish();
    bool finished() const { return finished_; }
    RefreshMeasurement measurement() const;

private:
    float configuredRate_;
    std::ostream& out_;
    RefreshMeterSettings settings_;
    FrameRing window_;
    int framesSeen_ = 0;
    std::int64_t firstMeasured_ = 0;
    bool settled_ = false;
    bool finished_ = false;
};

/// The report of a refresh check, written to `out` line by line.
void writeRefreshReport(const RefreshMeasurement& measurement, float configuredRate, const RefreshMeterSettings& settings,
                        std::ostream& out);
