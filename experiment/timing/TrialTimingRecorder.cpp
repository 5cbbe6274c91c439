#include "TrialTimingRecorder.h"

#include "DropDetection.h"

#include <ostream>
#include <system_error>

namespace {

bool isTimedPhase(int state)
{
    return state >= DrawnState::fixation && state <= DrawnState::masks;
}

StampSource sourceOf(const FrameStamp& stamp)
{
    if (stamp.predicted)
        return StampSource::predicted;
    return stamp.hasSyncCounters ? StampSource::msc : StampSource::swap;
}

} // namespace

TrialTimingRecorder::TrialTimingRecorder(float refreshRate, std::filesystem::path timingFile, std::ostream& console,
                                         std::size_t ringCapacity, ResultWriter& writer)
    : periodMicroseconds_(refreshRate > 0.0f ? 1e6 / refreshRate : 0.0)
    , timingFile_(std::move(timingFile))
    , console_(console)
    , writer_(writer)
    , frames_(ringCapacity)
{
    // The experiment makes the log folder too; making it here keeps the file
    // independent of the order of start-up. A failure shows up in the write.
    std::error_code ignored;
    if (timingFile_.has_parent_path())
        std::filesystem::create_directories(timingFile_.parent_path(), ignored);
    writer_.appendLine(timingFile_, timingHeaderLine());
}

void TrialTimingRecorder::onFrame(const FrameStamp& stamp, int stateDrawn, const TrialIdentity& trial)
{
    FrameRecord frame;
    frame.stamp = stamp;
    frame.state = stateDrawn;
    int previousState = 0;
    if (!frames_.empty()) {
        const FrameRecord& previous = frames_.fromNewest(0);
        previousState = previous.state;
        frame.lateness = judgeFrame(previous.stamp, stamp, periodMicroseconds_);
    }
    frames_.push(frame);
    follow(frame, previousState, trial);
}

void TrialTimingRecorder::follow(const FrameRecord& frame, int previousState, const TrialIdentity& trial)
{
    if (following_ && frame.lateness.late && isTimedPhase(previousState)) {
        ++late_[previousState];
        dropped_ += frame.lateness.droppedFrames;
    }

    const int state = frame.state;
    if (state == DrawnState::fixation && (previousState != DrawnState::fixation || trial != trial_)) {
        following_ = true;
        trial_ = trial;
        phase_ = state;
        drawn_ = {};
        late_ = {};
        dropped_ = 0;
        drawn_[state] = true;
        firstFrame_[state] = frame.stamp;
        return;
    }
    if (!following_ || state == phase_)
        return;
    // Phases only move forwards within a trial; anything else is not a trial
    // this recorder can vouch for.
    if (state < phase_ || state > DrawnState::report) {
        following_ = false;
        return;
    }
    phase_ = state;
    drawn_[state] = true;
    firstFrame_[state] = frame.stamp;
    if (state == DrawnState::report) {
        following_ = false;
        finishTrial(frame.stamp);
    }
}

void TrialTimingRecorder::finishTrial(const FrameStamp& reportStamp)
{
    TrialTiming timing;
    timing.trial = trial_;
    timing.source = sourceOf(reportStamp);

    // Each phase lasts from its first frame to the first frame of the next phase
    // that was drawn; a phase of 0 frames lasts 0.
    std::array<double, 4> durationMs{};
    std::array<const FrameStamp*, 4> nextFirst{};
    for (int phase = DrawnState::fixation; phase <= DrawnState::masks; ++phase) {
        if (!drawn_[phase])
            continue;
        int next = phase + 1;
        while (!drawn_[next])
            ++next;
        nextFirst[phase] = &firstFrame_[next];
        durationMs[phase] = static_cast<double>(firstFrame_[next].microseconds - firstFrame_[phase].microseconds) / 1000.0;
    }
    timing.fixationMs = durationMs[DrawnState::fixation];
    timing.stimulusMs = durationMs[DrawnState::stimulus];
    timing.masksMs = durationMs[DrawnState::masks];

    if (const FrameStamp* end = nextFirst[DrawnState::stimulus]) {
        const FrameStamp& begin = firstFrame_[DrawnState::stimulus];
        if (begin.hasSyncCounters && end->hasSyncCounters)
            timing.stimulusPeriods = static_cast<double>(end->msc - begin.msc);
        else if (periodMicroseconds_ > 0.0)
            timing.stimulusPeriods = timing.stimulusMs * 1000.0 / periodMicroseconds_;
    }
    timing.lateFixation = late_[DrawnState::fixation];
    timing.lateStimulus = late_[DrawnState::stimulus];
    timing.lateMasks = late_[DrawnState::masks];
    timing.droppedFrames = dropped_;

    // A lost line has been reported and counted; the next trial tries again.
    writer_.appendLine(timingFile_, timingLine(timing));
    if (stimulusTimingFailed(timing))
        console_ << stimulusTimingWarning(timing, periodMicroseconds_ / 1000.0) << std::endl;
}
