#pragma once

#include "DatFile.h"
#include "TvaModel.h"

/// A trial record as the model sees it.
struct ScoredTrial {
    TvaDisplay display;
    double exposureMs = 0.0;
    /// The target places whose letter was typed.
    PlaceSet reported = 0;
    /// Typed letters that are not targets of the trial, and repeats of a target
    /// already typed.
    int errors = 0;
};

ScoredTrial scoreTrial(const DatTrial& trial);
