#pragma once

// A small observer that runs the model forwards, so the fit can be tested on
// files whose true parameters are known.

#include "DatFile.h"
#include "TvaParameters.h"

#include <random>
#include <string>
#include <vector>

/// A trial of zot's design at 90 Hz: 18 whole-report trials (each exposure
/// three times), 12 two-target trials on one half (alone and among distractors)
/// and 6 across the halves per block of 36, the cross pairs rotating over three
/// blocks. Letters are drawn without repeats.
std::vector<DatTrial> designedTrials(int blocks, std::mt19937& random);

/// The report of an observer with these parameters: K drawn from pK, each shown
/// letter finished at t0 + Exp(v), the first min(K, shown) finished before the
/// exposure ends are encoded, their targets typed in random order.
std::string simulatedReport(const TvaParameters& params, const DatTrial& trial, std::mt19937& random);

/// designedTrials with the observer's reports.
DatSession simulatedSession(const TvaParameters& params, int blocks, unsigned seed);

/// The text of a result file holding these sessions: count line, records with
/// the trailing tab.
std::string datText(const std::vector<DatSession>& sessions);
