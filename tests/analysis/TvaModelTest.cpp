#include "SimulatedSession.h"
#include "TvaModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {

constexpr PlaceSet place(int p)
{
    return 1u << p;
}

// Rates in letters per ms, as the model's formulas take them.
PlaceRates ratesPerMs(std::initializer_list<std::pair<int, double>> placeRates)
{
    PlaceRates rates{};
    for (auto [p, v] : placeRates)
        rates[p] = v;
    return rates;
}

TEST(TvaModel, RatesShareCBetweenTheShownPlacesByWeight)
{
    // Whole report, wLeft 0.6: total weight 3 * 0.6 + 3 * 0.4 = 3.
    const PlaceRates whole = tvaRates(observerOf("60.0,3,0,0.5,0.6"), {0b111111, 0});
    for (int p = 0; p < 6; ++p)
        EXPECT_NEAR(whole[p], (p >= 3 ? 0.6 : 0.4) / 3.0 * 0.060, 1e-15) << p;

    // Targets at 0 and 1 (right), distractors at 2 (right) and 3 to 5 (left),
    // alpha 0.5: total 0.4 + 0.4 + 0.2 + 3 * 0.3 = 1.9.
    const PlaceRates partial = tvaRates(observerOf("38.0,3,0,0.5,0.6"), {0b000011, 0b111100});
    const double expected[] = {0.4, 0.4, 0.2, 0.3, 0.3, 0.3};
    for (int p = 0; p < 6; ++p)
        EXPECT_NEAR(partial[p], expected[p] / 1.9 * 0.038, 1e-15) << p;

    // A place that shows nothing races with nothing.
    EXPECT_EQ(tvaRates(observerOf("50,3,0,0.5,0.5"), {place(4), 0})[2], 0.0);
    EXPECT_NEAR(tvaRates(observerOf("50,3,0,0.5,0.5"), {place(4), 0})[4], 0.050, 1e-15);
}

// Hand-computable cases: P(encoded set = M | K) for one and for two letters.
TEST(TvaModel, OneAndTwoLetterProbabilitiesHaveTheirClosedForms)
{
    const double v1 = 0.03, v2 = 0.011, tau = 47.0;
    const PlaceRates one = ratesPerMs({{2, v1}});
    const PlaceRates two = ratesPerMs({{0, v1}, {5, v2}});
    const PlaceSet a = place(0), b = place(5), both = a | b;
    const double e1 = std::exp(-v1 * tau), e2 = std::exp(-v2 * tau);
    const double sumRace = 1.0 - std::exp(-(v1 + v2) * tau);
    struct Case {
        const char* what;
        const PlaceRates& rates;
        PlaceSet shown, encoded;
        int k;
        double expected;
    } cases[] = {
        {"one letter, K 1, encoded", one, place(2), place(2), 1, 1.0 - e1},
        {"one letter, K 4, encoded", one, place(2), place(2), 4, 1.0 - e1},
        {"one letter, K 1, missed", one, place(2), 0, 1, e1},
        {"one letter, K 0, never encoded", one, place(2), place(2), 0, 0.0},
        {"one letter, K 0, empty for sure", one, place(2), 0, 0, 1.0},
        {"two, K 1, first wins before tau", two, both, a, 1, v1 / (v1 + v2) * sumRace},
        {"two, K 1, second wins before tau", two, both, b, 1, v2 / (v1 + v2) * sumRace},
        {"two, K 1, none before tau", two, both, 0, 1, e1 * e2},
        {"two, K 1, both cannot fit", two, both, both, 1, 0.0},
        {"two, K 2, only the first", two, both, a, 2, (1.0 - e1) * e2},
        {"two, K 2, both", two, both, both, 2, (1.0 - e1) * (1.0 - e2)},
        {"two, K 6, both", two, both, both, 6, (1.0 - e1) * (1.0 - e2)},
        {"a letter that was not shown", two, both, place(3), 2, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(encodedSetProbability(c.rates, c.shown, c.encoded, c.k, tau), c.expected, 1e-14) << c.what;
        EXPECT_NEAR(encodingTerms(c.rates, c.shown, tau).probability(c.encoded, c.k), c.expected, 1e-14) << c.what;
    }
}

TEST(TvaModel, NothingIsEncodedWhenTheExposureEndsBeforeT0)
{
    const PlaceRates rates = ratesPerMs({{0, 0.02}, {1, 0.02}, {3, 0.01}});
    for (double tau : {0.0, -5.0})
        for (int k = 0; k <= 6; ++k)
            for (PlaceSet m : {0u, place(0), place(0) | place(3)}) {
                const double expected = m == 0 ? 1.0 : 0.0;
                EXPECT_EQ(encodedSetProbability(rates, 0b001011, m, k, tau), expected);
                EXPECT_EQ(encodingTerms(rates, 0b001011, tau).probability(m, k), expected);
            }
}

// The tables the fit uses against the model's formula term by term, and every
// distribution summing to 1, over displays, speeds and exposures.
TEST(TvaModel, EncodingTablesMatchTheFormulaAndSumToOne)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> rate(0.0005, 0.08), tau(0.5, 250.0);
    const PlaceSet displays[] = {0b111111, 0b000011, 0b100100, 0b111110, 0b000001};
    for (PlaceSet shown : displays)
        for (int draw = 0; draw < 20; ++draw) {
            PlaceRates rates{};
            for (int p = 0; p < 6; ++p)
                rates[p] = (shown & place(p)) ? rate(random) : 0.0;
            const double t = tau(random);
            const EncodingTerms terms = encodingTerms(rates, shown, t);
            for (int k = 0; k <= 6; ++k) {
                double sum = 0.0;
                for (PlaceSet m = 0; m < tvaSets; ++m) {
                    const double p = terms.probability(m, k);
                    ASSERT_NEAR(p, encodedSetProbability(rates, shown, m, k, t), 1e-13)
                        << "shown " << shown << " M " << m << " K " << k << " tau " << t;
                    ASSERT_GE(p, -1e-15);
                    sum += p;
                }
                EXPECT_NEAR(sum, 1.0, 1e-12) << "shown " << shown << " K " << k << " tau " << t;
            }
        }
}

// Over the K distribution, and then over the reports of whole and partial report.
TEST(TvaModel, ReportProbabilitiesOfEveryDisplaySumToOne)
{
    const TvaDisplay displays[] = {{0b111111, 0}, {0b000011, 0}, {0b000011, 0b111100}, {0b100010, 0b011101}};
    TvaParameters params = observerOf("73.0,0,17.0,0.35,0.58");
    params.pK = {0.02, 0.08, 0.2, 0.3, 0.25, 0.1, 0.05};
    for (const TvaDisplay& display : displays)
        for (double exposure : {11.0, 17.5, 78.0, 200.0}) {
            double sum = 0.0;
            for (PlaceSet reported = 0; reported < tvaSets; ++reported)
                if ((reported & ~display.targets) == 0)
                    sum += reportProbability(params, display, exposure, reported);
                else
                    EXPECT_EQ(reportProbability(params, display, exposure, reported), 0.0);
            EXPECT_NEAR(sum, 1.0, 1e-12) << display.targets << "/" << display.distractors << " at " << exposure;
        }
}

// The simulated observer (the model run forwards: a race of exponential
// finishing times, cut at the exposure's end and at K) gives the report
// frequencies the formulas predict.
TEST(TvaModel, ReportProbabilitiesMatchTheSimulatedObserver)
{
    TvaParameters params = observerOf("45.0,0,12.0,0.4,0.6");
    params.pK = {0.05, 0.1, 0.25, 0.4, 0.2, 0, 0};
    const std::string targets = "0A00B0", distractors = "D0E00F";
    const TvaDisplay display{place(1) | place(4), place(0) | place(2) | place(5)};
    const double exposure = 78.0;

    SimulatedObserver simulated(params, 2024);
    std::map<PlaceSet, int> counts;
    const int runs = 200000;
    for (int run = 0; run < runs; ++run) {
        PlaceSet reported = 0;
        for (char letter : simulated.report(targets, distractors, exposure))
            reported |= place(static_cast<int>(targets.find(letter)));
        ++counts[reported];
    }
    for (PlaceSet reported : {0u, place(1), place(4), place(1) | place(4)}) {
        const double p = reportProbability(params, display, exposure, reported);
        const double observed = counts[reported] / double(runs);
        EXPECT_NEAR(observed, p, 4.5 * std::sqrt(p * (1 - p) / runs) + 1e-9) << "report " << reported;
    }
}

} // namespace
