// The simulated observer against the race model's own probabilities, worked out
// by hand for displays where they have a closed form.
#include "SimulatedObserver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

TvaParameters observer(double C, double meanK, double t0, double alpha, double wLeft)
{
    TvaParameters p;
    p.C = C;
    p.pK = capacityAround(meanK);
    p.t0Ms = t0;
    p.alpha = alpha;
    p.wLeft = wLeft;
    return p;
}

constexpr int DRAWS = 20000;

TEST(SimulatedObserver, ReportsAsOftenAsTheRaceModelPredicts)
{
    const double e = std::exp(1.0);
    const struct {
        const char* what;
        TvaParameters parameters;
        const char* targets;
        const char* distractors;
        double exposureMs;
        // An event counted per display, and its probability under the model.
        bool (*event)(const std::string& typed);
        double probability;
    } cases[] = {
        // One letter, v = C: P = 1 - exp(-C (T - t0)) = 1 - e^-2.
        {"one target", observer(50, 6, 10, 0.5, 0.5), "A00000", "000000", 50,
         [](const std::string& t) { return t == "A"; }, 1 - std::pow(e, -2)},
        // No time after the threshold: nothing is ever seen.
        {"exposure at t0", observer(50, 6, 10, 0.5, 0.5), "A00000", "000000", 10,
         [](const std::string& t) { return !t.empty(); }, 0.0},
        // K = 1 and two targets: the first of two races with rates summing to C
        // must finish in time, 1 - exp(-40 * 0.030) = 1 - e^-1.2.
        {"capacity one, two targets", observer(40, 1, 10, 0.5, 0.5), "AB0000", "000000", 40,
         [](const std::string& t) { return t.size() == 1; }, 1 - std::pow(e, -1.2)},
        // K = 1, everything finishes: the first finisher is a target with
        // probability 2 / (2 + 4 alpha).
        {"distractors take the one place", observer(40, 1, 10, 0.25, 0.5), "AB0000", "00DEFG", 5000,
         [](const std::string& t) { return t.size() == 1; }, 2.0 / 3.0},
        // K = 1 on a whole report: the first letter comes from the left (places
        // 3-5) with probability wLeft.
        {"left weight", observer(40, 1, 10, 0.5, 0.8), "ABDEFG", "000000", 5000,
         [](const std::string& t) { return t == "E" || t == "F" || t == "G"; }, 0.8},
        // Mean K 2.5, everything finishes: P(K = 3) = 0.5.
        {"capacity split", observer(40, 2.5, 10, 0.5, 0.5), "ABDEFG", "000000", 5000,
         [](const std::string& t) { return t.size() == 3; }, 0.5},
        // K = 6, six letters at 10/s each for 50 ms: a given letter in 1 - e^-0.5.
        {"unlimited capacity", observer(60, 6, 10, 0.5, 0.5), "ABDEFG", "000000", 60,
         [](const std::string& t) { return t.find('D') != std::string::npos; }, 1 - std::pow(e, -0.5)},
    };
    for (const auto& c : cases) {
        SimulatedObserver simulated(c.parameters, 17);
        int count = 0;
        for (int i = 0; i < DRAWS; ++i)
            count += c.event(simulated.report(c.targets, c.distractors, c.exposureMs));
        const double p = c.probability;
        const double allowed = 4.5 * std::sqrt(p * (1 - p) / DRAWS);
        EXPECT_NEAR(count / double(DRAWS), p, allowed) << c.what;
    }
}

TEST(SimulatedObserver, TypesEachSeenTargetOnceInRandomOrder)
{
    // Everything finishes and there is room for all: the six targets, once each.
    // The left letters mostly finish first, but the typing order owes nothing to
    // that: each place is typed first equally often.
    SimulatedObserver simulated(observer(40, 6, 10, 0.5, 0.9), 5);
    int firstAtPlace[6] = {};
    const std::string targets = "ABDEFG";
    for (int i = 0; i < 6000; ++i) {
        const std::string typed = simulated.report(targets, "000000", 1e6);
        ASSERT_EQ(std::set<char>(typed.begin(), typed.end()), std::set<char>(targets.begin(), targets.end()));
        ASSERT_EQ(typed.size(), 6u);
        ++firstAtPlace[targets.find(typed[0])];
    }
    for (int count : firstAtPlace)
        EXPECT_NEAR(count, 1000, 4.5 * std::sqrt(6000 * (1.0 / 6) * (5.0 / 6)));

    // Distractors are never typed.
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(simulated.report("000000", "ABDEFG", 5000), "");
}

TEST(SimulatedObserver, ASeedRepeatsItsReports)
{
    const TvaParameters p = observer(30, 3.5, 15, 0.4, 0.45);
    SimulatedObserver a(p, 99), b(p, 99), other(p, 100);
    std::string fromA, fromB, fromOther;
    for (int i = 0; i < 200; ++i) {
        fromA += a.report("ABDEFG", "000000", 80) + "|";
        fromB += b.report("ABDEFG", "000000", 80) + "|";
        fromOther += other.report("ABDEFG", "000000", 80) + "|";
    }
    EXPECT_EQ(fromA, fromB);
    EXPECT_NE(fromA, fromOther);
}

} // namespace
