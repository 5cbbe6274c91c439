#pragma once

// Sessions of zot's design answered by the simulated observer, so the fit can
// be tested on files whose true parameters are known.

#include "DatFile.h"
#include "SimulatedObserver.h"
#include "TvaParameters.h"

#include <random>
#include <string>
#include <vector>

/// A trial of zot's design at 90 Hz: 18 whole-report trials (each exposure
/// three times), 12 two-target trials on one half (alone and among distractors)
/// and 6 across the halves per block of 36, the cross pairs rotating over three
/// blocks. Letters are drawn without repeats.
std::vector<DatTrial> designedTrials(int blocks, std::mt19937& random);

/// The observer's report of the trial's display shown for exposureMs, as a
/// record writes it ("-" for none).
std::string recordedReport(SimulatedObserver& observer, const DatTrial& trial, double exposureMs);

/// An observer given as zot.cfg's autopilot key and zotsim take one:
/// "C,K,t0,alpha,wLeft".
TvaParameters observerOf(const std::string& text);

/// The number after "key": in a line of zotfit's JSON.
double jsonValue(const std::string& line, const std::string& key);

/// designedTrials with the reports of an observer with these parameters.
DatSession simulatedSession(const TvaParameters& params, int blocks, unsigned seed);

/// The text of a result file holding these sessions: count line, records with
/// the trailing tab.
std::string datText(const std::vector<DatSession>& sessions);
