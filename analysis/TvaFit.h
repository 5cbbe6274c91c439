#pragma once

#include "DatFile.h"
#include "ScoredTrial.h"
#include "TvaParameters.h"

#include <vector>

struct TvaFitOptions {
    /// Deterministic starting points of the search; the best end point is then
    /// searched once more from itself.
    int starts = 4;
    /// Likelihood evaluations allowed per search.
    int maxEvaluations = 3000;
};

struct TvaFitResult {
    /// The maximum-likelihood parameters; all NaN without trials.
    TvaParameters params;
    /// False when no display showed targets with distractors: the data say
    /// nothing about alpha, which keeps its starting value.
    bool alphaFitted = false;
    /// False when no display showed letters on both halves of the circle.
    bool wLeftFitted = false;
    /// Natural log of the probability of the reported target sets.
    double logLik = 0.0;
    int trials = 0;
    /// Typed letters that were not targets of their trial (or repeated one).
    int errors = 0;
    /// The largest t0 searched, just below the shortest exposure at which a
    /// target was reported (ms).
    double t0LimitMs = 0.0;
    /// Likelihood evaluations spent over all searches.
    int evaluations = 0;
};

/// Fits the model to one session by maximum likelihood.
TvaFitResult fitTva(const DatSession& session, const TvaFitOptions& options = {});
TvaFitResult fitTva(const std::vector<ScoredTrial>& trials, const TvaFitOptions& options = {});

/// The log likelihood of the trials' reported target sets under the parameters.
double tvaLogLikelihood(const std::vector<ScoredTrial>& trials, const TvaParameters& params);
