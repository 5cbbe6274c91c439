#pragma once

#include "FrameRing.h"
#include "FrameStamp.h"
#include "ResultWriter.h"
#include "TimingFile.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <iosfwd>

/// The experiment states a trial passes through, as drawn (the values of
/// ExperimentState).
namespace DrawnState {
inline constexpr int fixation = 1;
inline constexpr int stimulus = 2;
inline constexpr int masks = 3;
inline constexpr int report = 4;
} // namespace DrawnState

/// Watches the stream of presented frames and measures what each trial really
/// showed. A trial is followed from its first fixation frame; when its first
/// report frame arrives, one line goes to the timing file and, when the stimulus
/// or masks held a late frame or the stimulus missed its planned length, one
/// warning to the console. A trial that never reaches its report (Escape) leaves
/// no line, like its record in the data file.
///
/// A late frame's extra time belongs to the frame before it, which stayed on
/// screen too long, so it counts in the phase that frame showed: a late first
/// mask frame lengthens the stimulus.
class TrialTimingRecorder {
public:
    /// Opens the timing file for a run: appends the header line (again when the
    /// file exists, so every start of the program begins its own table, like
    /// the count lines of the data files). refreshRate is the configured rate,
    /// which the phase lengths are counted in.
    TrialTimingRecorder(float refreshRate, std::filesystem::path timingFile, std::ostream& console,
                        std::size_t ringCapacity = FrameRing::defaultCapacity,
                        ResultWriter& writer = sessionResultWriter());

    /// Feeds one presented frame, once per frame right after its swap: its
    /// stamp, the experiment state it showed (1 to 10), and the trial it belongs
    /// to (read only while a trial is shown). Allocates nothing, except on the
    /// first report frame of a trial, which writes the trial's line.
    void onFrame(const FrameStamp& stamp, int stateDrawn, const TrialIdentity& trial);

    /// The most recent frames with their states and lateness.
    const FrameRing& frames() const { return frames_; }

private:
    void follow(const FrameRecord& frame, int previousState, const TrialIdentity& trial);
    void finishTrial(const FrameStamp& reportStamp);

    double periodMicroseconds_;
    std::filesystem::path timingFile_;
    std::ostream& console_;
    ResultWriter& writer_;
    FrameRing frames_;

    // The trial being followed: first stamps and late frames by drawn state.
    bool following_ = false;
    TrialIdentity trial_;
    int phase_ = 0;
    std::array<bool, 5> drawn_{};
    std::array<FrameStamp, 5> firstFrame_{};
    std::array<int, 4> late_{};
    int dropped_ = 0;
};
