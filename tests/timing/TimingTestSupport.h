#pragma once

#include "TrialTimingRecorder.h"
#include "PresentationClock.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

constexpr double period60Hz = 1e6 / 60.0;
constexpr int welcomeState = 7;

/// Feeds `frames` frames showing `state` to the recorder.
inline void playState(TrialTimingRecorder& recorder, PresentationClock& clock, int state, int frames,
                      const TrialIdentity& trial = {})
{
    for (int i = 0; i < frames; ++i)
        recorder.onFrame(clock.stampPresentedFrame(), state, trial);
}

/// One trial as the timeline draws it: fixation, stimulus, masks, then a few
/// report frames. Frames of the first fixation frame onwards are numbered from
/// the clock's current frame.
inline void playTrial(TrialTimingRecorder& recorder, PresentationClock& clock, const TrialIdentity& trial,
                      int fixationFrames = 60, int masksFrames = 30, int reportFrames = 10)
{
    playState(recorder, clock, DrawnState::fixation, fixationFrames, trial);
    playState(recorder, clock, DrawnState::stimulus, trial.exposureFrames, trial);
    playState(recorder, clock, DrawnState::masks, masksFrames, trial);
    playState(recorder, clock, DrawnState::report, reportFrames, trial);
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
