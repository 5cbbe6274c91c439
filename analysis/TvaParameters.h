#pragma once

#include <array>

// The parameters of the Theory of Visual Attention as zot fits and simulates
// them: the fixed-capacity independent race model of whole and partial report.
struct TvaParameters {
    double C = 50.0;             // processing speed, letters per second
    std::array<double, 7> pK{};  // P(K = k) for k = 0..6; sums to 1
    double t0Ms = 10.0;          // perception threshold, ms
    double alpha = 0.5;          // distractor weight relative to a target
    double wLeft = 0.5;          // weight of places 3-5; places 0-2 have 1 - wLeft

    // Mean VSTM capacity, the K that is reported.
    double meanK() const {
        double k = 0.0;
        for (int i = 0; i < 7; ++i) k += i * pK[i];
        return k;
    }
};

// A capacity distribution with the given mean, split between the two whole
// numbers around it (mean 3.4 gives P(3) = 0.6, P(4) = 0.4).
inline std::array<double, 7> capacityAround(double meanK) {
    std::array<double, 7> p{};
    if (!(meanK > 0.0)) { p[0] = 1.0; return p; }
    if (meanK >= 6.0) { p[6] = 1.0; return p; }
    int low = static_cast<int>(meanK);
    double up = meanK - low;
    p[low] = 1.0 - up;
    if (up > 0.0) p[low + 1] = up;
    return p;
}
