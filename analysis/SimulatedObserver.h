#pragma once

#include "ObserverSetting.h"
#include "TvaParameters.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

/// The observer of a setting (zot.cfg's autopilot key, zotsim's argument): its
/// mean K split between the two whole numbers around it (3.4 gives P(3) = 0.6,
/// P(4) = 0.4).
TvaParameters observerParameters(const ObserverSetting& setting);

/// A person as the race model describes one: the fit's model run forward. For
/// each display it draws a capacity K from `pK`; every displayed letter finishes
/// processing at t0 + Exp(v), with v = C · w / Σw over the displayed places (w is
/// wLeft on places 3-5 and 1 - wLeft on places 0-2, times alpha for a
/// distractor); the first min(K, shown) letters that finish before the exposure
/// ends are encoded, and the encoded targets are reported once each, in random
/// order.
///
/// The observer has its own generator, seeded at construction: it never draws
/// from the program's one generator, so the trial lists of a seed stay the same
/// with and without it, and a seed repeats its reports on every platform.
class SimulatedObserver {
public:
    SimulatedObserver(const TvaParameters& parameters, std::uint64_t seed);

    /// The letters typed for one display, upper case. targets and distractors are
    /// six characters each, as a trial record writes them ('0' where the place
    /// holds no such letter); exposureMs is the exposure of the display.
    std::string report(std::string_view targets, std::string_view distractors, double exposureMs);

    const TvaParameters& parameters() const { return parameters_; }

private:
    /// Uniform on [0, 1), from 53 bits of the generator.
    double uniform();

    TvaParameters parameters_;
    // The engine's sequence is fixed by the standard; the distributions of
    // <random> are not, so the draws are made here from its raw output.
    std::mt19937_64 generator_;
};
