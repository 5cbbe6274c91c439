#include "TvaModel.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

// Letters in a set of places (without a popcount instruction to count on).
constexpr std::array<std::uint8_t, tvaSets> setSizes = [] {
    std::array<std::uint8_t, tvaSets> sizes{};
    for (PlaceSet set = 1; set < tvaSets; ++set)
        sizes[set] = static_cast<std::uint8_t>(sizes[set & (set - 1)] + 1);
    return sizes;
}();

int count(PlaceSet set)
{
    return setSizes[set];
}

double rateSum(const PlaceRates& rates, PlaceSet set)
{
    double sum = 0.0;
    for (int p = 0; p < tvaPlaces; ++p)
        if (set & (1u << p))
            sum += rates[p];
    return sum;
}

// P(an exponential race of total rate V has finished by tau) / V, which tends
// to tau as V goes to 0.
double finishedOverRate(double totalRate, double tauMs)
{
    if (totalRate * tauMs < 1e-300)
        return tauMs;
    return -std::expm1(-totalRate * tauMs) / totalRate;
}

bool subsetOf(PlaceSet set, PlaceSet of)
{
    return (set & ~of) == 0;
}

} // namespace

PlaceRates tvaRates(const TvaParameters& params, const TvaDisplay& display)
{
    std::array<double, tvaPlaces> weight{};
    double total = 0.0;
    for (int p = 0; p < tvaPlaces; ++p) {
        const PlaceSet place = 1u << p;
        if (!(display.shown() & place))
            continue;
        weight[p] = (leftPlaces & place) ? params.wLeft : 1.0 - params.wLeft;
        if (display.distractors & place)
            weight[p] *= params.alpha;
        total += weight[p];
    }
    PlaceRates rates{};
    if (total > 0.0)
        for (int p = 0; p < tvaPlaces; ++p)
            rates[p] = params.C / 1000.0 * weight[p] / total;
    return rates;
}

double encodedSetProbability(const PlaceRates& rates, PlaceSet shown, PlaceSet encoded, int k, double tauMs)
{
    if (!subsetOf(encoded, shown))
        return 0.0;
    if (tauMs <= 0.0)
        return encoded == 0 ? 1.0 : 0.0;
    const int size = count(encoded);
    if (size > k)
        return 0.0;
    if (encoded == 0)
        return k > 0 ? std::exp(-tauMs * rateSum(rates, shown)) : 1.0;
    if (size < k || encoded == shown) {
        double p = 1.0;
        for (int i = 0; i < tvaPlaces; ++i) {
            const PlaceSet place = 1u << i;
            if (encoded & place)
                p *= -std::expm1(-rates[i] * tauMs);
            else if (shown & place)
                p *= std::exp(-rates[i] * tauMs);
        }
        return p;
    }
    // |M| = K < |S|: the last of M to finish (x) does so before tau, and before
    // any item outside M; the rest of M is summed out by inclusion-exclusion.
    const double outside = rateSum(rates, shown & ~encoded);
    double p = 0.0;
    for (int x = 0; x < tvaPlaces; ++x) {
        if (!(encoded & (1u << x)))
            continue;
        const PlaceSet others = encoded & ~(1u << x);
        for (PlaceSet j = others;; j = (j - 1) & others) {
            const double v = rates[x] + rateSum(rates, j) + outside;
            p += (count(j) % 2 ? -1.0 : 1.0) * rates[x] * finishedOverRate(v, tauMs);
            if (j == 0)
                break;
        }
    }
    return p;
}

double EncodingTerms::probability(PlaceSet encoded, int k) const
{
    if (!subsetOf(encoded, shown))
        return 0.0;
    const int size = count(encoded);
    if (size > k)
        return 0.0;
    if (size < k || encoded == shown)
        return unlimited[encoded];
    return capacityFull[encoded];
}

EncodingTerms encodingTerms(const PlaceRates& rates, PlaceSet shown, double tauMs)
{
    EncodingTerms terms;
    terms.shown = shown;
    const double tau = std::max(tauMs, 0.0);

    // unlimited: each shown place finished or not, independently; built up place
    // by place over the subsets of the places done so far.
    terms.unlimited[0] = 1.0;
    PlaceSet done = 0;
    for (int p = 0; p < tvaPlaces; ++p) {
        const PlaceSet bit = 1u << p;
        if (!(shown & bit))
            continue;
        const double finished = -std::expm1(-rates[p] * tau), unfinished = std::exp(-rates[p] * tau);
        for (PlaceSet set = done;; set = (set - 1) & done) {
            terms.unlimited[set | bit] = terms.unlimited[set] * finished;
            terms.unlimited[set] *= unfinished;
            if (set == 0)
                break;
        }
        done |= bit;
    }

    // capacityFull[M] = sum over x in M and J in M - {x} of (-1)^|J| v_x g(v_x + v(J) + v(S - M)),
    // g(V) = (1 - e^(-tau V)) / V. With U = M - {x} - J, the set of M's items still
    // racing, the argument is v(S) - v(U), and the sum becomes
    //   (-1)^(|M| - 1) * sum over U strictly inside M of (-1)^|U| g(v(S) - v(U)) (v(M) - v(U)),
    // two subset sums over all M at once: one exponential per subset of S.
    std::array<double, tvaSets> rateOf{}, signedG{}, signedGRate{};
    for (PlaceSet set = 1; set < tvaSets; ++set)
        if (subsetOf(set, shown)) {
            const int low = std::countr_zero(set);
            rateOf[set] = rateOf[set & (set - 1)] + rates[low];
        }
    for (PlaceSet set = shown;; set = (set - 1) & shown) {
        if (set != shown) {
            signedG[set] = (count(set) % 2 ? -1.0 : 1.0) * finishedOverRate(rateOf[shown] - rateOf[set], tau);
            signedGRate[set] = signedG[set] * rateOf[set];
        }
        if (set == 0)
            break;
    }
    std::array<double, tvaSets> sumG = signedG, sumGRate = signedGRate;
    for (int p = 0; p < tvaPlaces; ++p) {
        const PlaceSet bit = 1u << p;
        if (!(shown & bit))
            continue;
        for (PlaceSet set = 0; set < tvaSets; ++set)
            if (set & bit) {
                sumG[set] += sumG[set ^ bit];
                sumGRate[set] += sumGRate[set ^ bit];
            }
    }
    terms.capacityFull[0] = 1.0;
    for (PlaceSet m = shown; m != 0; m = (m - 1) & shown) {
        const double inside = rateOf[m] * (sumG[m] - signedG[m]) - (sumGRate[m] - signedGRate[m]);
        terms.capacityFull[m] = tau > 0.0 ? (count(m) % 2 ? inside : -inside) : 0.0;
    }
    return terms;
}

std::array<double, tvaSets> encodedSetDistribution(const EncodingTerms& terms, const std::array<double, 7>& pK)
{
    // K above |M| leaves M limited only by time; K = |M| makes M the first to finish.
    std::array<double, 8> atLeast{};
    for (int k = 6; k >= 0; --k)
        atLeast[k] = atLeast[k + 1] + pK[k];
    std::array<double, tvaSets> sets{};
    for (PlaceSet m = terms.shown;; m = (m - 1) & terms.shown) {
        const int size = count(m);
        if (m == terms.shown)
            sets[m] = terms.unlimited[m] * atLeast[size];
        else
            sets[m] = terms.unlimited[m] * atLeast[size + 1] + terms.capacityFull[m] * pK[size];
        if (m == 0)
            break;
    }
    return sets;
}

double reportProbability(const std::array<double, tvaSets>& encodedSets, const TvaDisplay& display,
                         PlaceSet reported)
{
    if (!subsetOf(reported, display.targets))
        return 0.0;
    double p = 0.0;
    for (PlaceSet d = display.distractors;; d = (d - 1) & display.distractors) {
        p += encodedSets[reported | d];
        if (d == 0)
            break;
    }
    return p;
}

std::array<double, tvaSets> encodedSetDistribution(const TvaParameters& params, const TvaDisplay& display,
                                                   double exposureMs)
{
    const EncodingTerms terms =
        encodingTerms(tvaRates(params, display), display.shown(), exposureMs - params.t0Ms);
    return encodedSetDistribution(terms, params.pK);
}

double reportProbability(const TvaParameters& params, const TvaDisplay& display, double exposureMs,
                         PlaceSet reported)
{
    return reportProbability(encodedSetDistribution(params, display, exposureMs), display, reported);
}
