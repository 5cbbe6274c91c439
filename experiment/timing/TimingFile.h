#pragma once

#include <string>

/// Which trial a frame belongs to, in the experiment's own numbers.
struct TrialIdentity {
    /// The run's block index: -1 for the practice block, 0 for the first main block.
    int block = 0;
    /// The trial's index within its block, from 0.
    int trial = 0;
    int condition = 0;
    /// The exposure the planned frames give, in whole ms, as the data file records it.
    int exposureMs = 0;
    /// The planned stimulus frames.
    int exposureFrames = 0;

    bool operator==(const TrialIdentity&) const = default;
};

/// How the stamps of a trial were taken.
enum class StampSource {
    /// Read from the monotonic clock after the swap had completed.
    swap,
    /// From the swap counters of GLX_OML_sync_control (periods counted exactly).
    msc,
    /// Predicted display times of a headset runtime.
    predicted,
};

/// What one trial achieved on the display.
struct TrialTiming {
    TrialIdentity trial;
    /// From the first frame of a phase to the first frame of the next one; 0 for
    /// a phase that was never drawn.
    double fixationMs = 0.0;
    double stimulusMs = 0.0;
    double masksMs = 0.0;
    /// The stimulus duration in refresh periods of the configured rate (counted
    /// by the MSC when the stamps carry it).
    double stimulusPeriods = 0.0;
    /// Late frames whose extra time fell into each phase.
    int lateFixation = 0;
    int lateStimulus = 0;
    int lateMasks = 0;
    /// Refreshes missed from the first fixation frame to the first report frame.
    int droppedFrames = 0;
    StampSource source = StampSource::swap;
};

/// The first line of the timing file of a run: the tab-separated column names.
std::string timingHeaderLine();

/// One trial's line of the timing file, tab-separated, without the line end.
std::string timingLine(const TrialTiming& timing);

/// True when the trial's stimulus or masks contained a late frame, or the
/// stimulus lasted more than half a period longer or shorter than planned.
bool stimulusTimingFailed(const TrialTiming& timing);

/// The console warning for a trial whose stimulus timing failed, beginning
/// "WARNING > ", without the line end.
std::string stimulusTimingWarning(const TrialTiming& timing, double nominalPeriodMs);
