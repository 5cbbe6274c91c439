#pragma once

#include "SimulatedObserver.h"
#include "TvaParameters.h"
#include "ZOTExperiment.h"

#include <cstdint>
#include <string>

class Clock;
class ExperimentScreen;

/// Answers every trial of a session in place of a person, so a whole session
/// runs unattended (piloting a set-up, soak tests, simulated data). It acts only
/// through the keyboard handler, like the keyboard: in the report screen it types
/// what a simulated observer saw and presses space once the lock-out is over; a
/// text screen it leaves with space after it has been up for a moment. The
/// result files are therefore exactly those of a person, plus one history line
/// that says who answered.
class Autopilot {
public:
    /// How long a text screen stays up before the autopilot presses space, and
    /// the end screen before the session counts as over.
    static constexpr std::int32_t TEXT_SCREEN_MS = 1000;

    /// Drives experiment, whose run must exist, through screen; clock is the one
    /// the experiment stamps with. Writes the history line "Autopilot: " +
    /// autopilotText(parameters) at once. All objects are observed.
    Autopilot(ZOTExperiment& experiment, ExperimentScreen& screen, Clock& clock, const TvaParameters& parameters,
              std::uint64_t seed);

    /// Acts on the screen of the moment. Call once per displayed frame, after the
    /// frame's timeline update. True once the end screen has been up for
    /// TEXT_SCREEN_MS: the session is over.
    bool onFrame();

private:
    void answer();

    ZOTExperiment* experiment_;
    ExperimentScreen* screen_;
    Clock* clock_;
    SimulatedObserver observer_;
    ExperimentState shown_;
    std::int32_t shownSince_;
    bool answered_ = false;
};

/// The parameters as the console and the history name them:
/// "C=40 K=3.5 t0=15 alpha=0.5 wLeft=0.5" (K is the mean capacity, t0 in ms).
std::string autopilotText(const TvaParameters& parameters);
