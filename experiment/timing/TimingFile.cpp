#include "TimingFile.h"

#include "FixedDecimals.h"

#include <cmath>

namespace {

// How far the achieved stimulus may stray from its planned frames before it
// is reported: less than half a period is stamp jitter, more is a frame.
constexpr double toleratedPeriods = 0.5;

const char* sourceName(StampSource source)
{
    switch (source) {
    case StampSource::msc:
        return "msc";
    case StampSource::predicted:
        return "predicted";
    case StampSource::swap:
        break;
    }
    return "swap";
}

} // namespace

std::string timingHeaderLine()
{
    return "block\ttrial\tcondition\texposureMs\texposureFrames\tfixationMs\tstimulusMs\tmasksMs\tstimulusPeriods\t"
           "lateFixation\tlateStimulus\tlateMasks\tdroppedFrames\tstamps";
}

std::string timingLine(const TrialTiming& timing)
{
    const TrialIdentity& trial = timing.trial;
    std::string line;
    for (const int value : {trial.block, trial.trial, trial.condition, trial.exposureMs, trial.exposureFrames})
        line += std::to_string(value) + '\t';
    for (const double ms : {timing.fixationMs, timing.stimulusMs, timing.masksMs})
        line += fixedDecimals(ms, 1) + '\t';
    line += fixedDecimals(timing.stimulusPeriods, 2) + '\t';
    for (const int count : {timing.lateFixation, timing.lateStimulus, timing.lateMasks, timing.droppedFrames})
        line += std::to_string(count) + '\t';
    line += sourceName(timing.source);
    return line;
}

bool stimulusTimingFailed(const TrialTiming& timing)
{
    return timing.lateStimulus > 0 || timing.lateMasks > 0 ||
           std::fabs(timing.stimulusPeriods - timing.trial.exposureFrames) > toleratedPeriods;
}

std::string stimulusTimingWarning(const TrialTiming& timing, double nominalPeriodMs)
{
    const TrialIdentity& trial = timing.trial;
    std::string text = "WARNING > ";
    text += trial.block < 0 ? std::string("practice block") : "block " + std::to_string(trial.block);
    text += ", trial " + std::to_string(trial.trial) + ": ";
    if (timing.lateStimulus > 0 || timing.lateMasks > 0)
        text += std::to_string(timing.lateStimulus) + " late frame(s) in the stimulus, " +
                std::to_string(timing.lateMasks) + " in the masks";
    else
        text += "the stimulus did not last its planned frames";
    text += "; stimulus planned " + std::to_string(trial.exposureFrames) + " frames (" +
            fixedDecimals(trial.exposureFrames * nominalPeriodMs, 1) + " ms), achieved " +
            fixedDecimals(timing.stimulusPeriods, 2) + " frames (" + fixedDecimals(timing.stimulusMs, 1) + " ms)";
    return text;
}
