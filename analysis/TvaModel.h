#pragma once

#include "TvaParameters.h"

#include <array>

// The fixed-capacity independent race model of whole and partial report.
// Places are the six positions of the stimulus circle; a set of places is a
// bit mask (bit p for place p). Times are in ms, so rates are letters per ms.

constexpr int tvaPlaces = 6;
constexpr int tvaSets = 1 << tvaPlaces;
using PlaceSet = unsigned;
using PlaceRates = std::array<double, tvaPlaces>;

/// What a display showed where.
struct TvaDisplay {
    PlaceSet targets = 0;
    PlaceSet distractors = 0;

    PlaceSet shown() const { return targets | distractors; }
    bool operator==(const TvaDisplay&) const = default;
};

/// Places 3 to 5, the left half of the circle.
constexpr PlaceSet leftPlaces = 0b111000;

/// The processing rate of each shown place, letters per ms: C times the place's
/// attentional weight over the display's total weight; 0 where nothing is shown.
PlaceRates tvaRates(const TvaParameters& params, const TvaDisplay& display);

/// P(the encoded set is exactly `encoded` | K = k) for the places `shown` with
/// the given rates and effective exposure tau = T - t0 (ms), term by term as the
/// model states it. The reference for the tables below.
double encodedSetProbability(const PlaceRates& rates, PlaceSet shown, PlaceSet encoded, int k, double tauMs);

/// The two quantities from which every encoding probability of one display and
/// exposure follows, for all subsets M of the shown places at once:
/// `unlimited[M]` = P(exactly M finish before tau) without a capacity limit, and
/// `capacityFull[M]` = P(the first |M| items to finish are M, all before tau),
/// the case |M| = K < |S| (with capacityFull[{}] = 1, the case K = 0).
/// Each costs one exponential per subset instead of one per inclusion-exclusion term.
struct EncodingTerms {
    PlaceSet shown = 0;
    std::array<double, tvaSets> unlimited{};
    std::array<double, tvaSets> capacityFull{};

    /// P(encoded set = M | K = k).
    double probability(PlaceSet encoded, int k) const;
};

EncodingTerms encodingTerms(const PlaceRates& rates, PlaceSet shown, double tauMs);

/// P(encoded set = M) with K drawn from pK, for every subset M of the shown places.
std::array<double, tvaSets> encodedSetDistribution(const EncodingTerms& terms, const std::array<double, 7>& pK);

/// P(the report holds exactly the targets `reported`): the encoded sets that hold
/// those targets and any of the display's distractors.
double reportProbability(const std::array<double, tvaSets>& encodedSets, const TvaDisplay& display,
                         PlaceSet reported);

/// The same for the given parameters and exposure (ms).
double reportProbability(const TvaParameters& params, const TvaDisplay& display, double exposureMs,
                         PlaceSet reported);

/// P(encoded set = M) for the given parameters, display and exposure (ms).
std::array<double, tvaSets> encodedSetDistribution(const TvaParameters& params, const TvaDisplay& display,
                                                   double exposureMs);
