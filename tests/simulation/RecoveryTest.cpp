// Proof that the fit recovers known parameters: twenty simulated observers,
// drawn from the ranges labs meet, each play one session of zot's design at
// 90 Hz (nine COMBI blocks of 36, drawn by zot's own run generator) and are
// fitted from the text of their result file.
#include "DatFile.h"
#include "Random.h"
#include "SimulatedObserver.h"
#include "SubjectData.h"
#include "TestSupport.h"
#include "TvaFit.h"
#include "ZOTRun.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

struct Errors {
    std::vector<double> values;
    void add(double error) { values.push_back(error); }
    double mean() const
    {
        double sum = 0;
        for (double v : values)
            sum += v;
        return sum / static_cast<double>(values.size());
    }
    double sd() const
    {
        const double m = mean();
        double sum = 0;
        for (double v : values)
            sum += (v - m) * (v - m);
        return std::sqrt(sum / static_cast<double>(values.size() - 1));
    }
    double medianAbsolute() const
    {
        std::vector<double> a;
        for (double v : values)
            a.push_back(std::fabs(v));
        std::sort(a.begin(), a.end());
        return (a[a.size() / 2 - 1] + a[a.size() / 2]) / 2; // an even count
    }
};

TEST(Recovery, TwentyObserversOf324TrialsAt90HzAreRecovered)
{
    ZOTConfig config = configFrom("display=MONITOR\nrefreshRate=90\nmode=COMBI\nblocksPerRun=9\ntrialsPerBlock=36\n"
                                  "practiceBlock=0\n");
    ZOTTrial::init(config);
    TempDir scratch;
    std::mt19937_64 draws(2026);
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * static_cast<double>(draws() >> 11) * 0x1.0p-53;
    };

    Errors relativeC, absoluteC, t0, K, alpha, wLeft;
    for (int observer = 0; observer < 20; ++observer) {
        TvaParameters truth;
        truth.C = uniform(20, 80);
        truth.t0Ms = uniform(5, 30);
        truth.alpha = uniform(0.2, 0.8);
        truth.wLeft = uniform(0.4, 0.6);
        truth.pK = capacityAround(uniform(2.5, 4));

        const std::uint32_t seed = 1000 + observer;
        seedRandom(seed);
        const ZOTRun run(config, SubjectData{}, steadyClock(), scratch.path() / std::to_string(observer));
        SimulatedObserver simulated(truth, seed);
        std::string file = "324\n";
        for (int block = 0; block < 9; ++block)
            for (const ZOTTrial& trial : run.block(block)->trials)
                file += trialRecord(config, trial,
                                    simulated.report(lettersOfType(trial, TARGET), lettersOfType(trial, DISTRACTOR),
                                                     trial.exposureMs)) +
                        '\n';

        const std::vector<DatSession> sessions = parseDat(file, "observer " + std::to_string(observer));
        ASSERT_EQ(sessions.size(), 1u);
        const TvaFitResult fit = fitTva(sessions[0]);
        ASSERT_EQ(fit.trials, 324);
        EXPECT_EQ(fit.errors, 0);
        relativeC.add((fit.params.C - truth.C) / truth.C);
        absoluteC.add(fit.params.C - truth.C);
        t0.add(fit.params.t0Ms - truth.t0Ms);
        K.add(fit.params.meanK() - truth.meanK());
        alpha.add(fit.params.alpha - truth.alpha);
        wLeft.add(fit.params.wLeft - truth.wLeft);
    }

    // The table the README quotes: error = fitted - true, over the 20 observers.
    std::printf("parameter       bias        SD  median |error|\n");
    const struct {
        const char* name;
        const Errors& errors;
        double allowedMedian;
    } rows[] = {
        {"C (rel.)", relativeC, 0.15}, {"C (1/s)", absoluteC, INFINITY}, {"t0 (ms)", t0, 4.0},
        {"K", K, 0.2},                 {"alpha", alpha, 0.12},            {"wLeft", wLeft, 0.04},
    };
    for (const auto& row : rows) {
        std::printf("%-10s %9.3f %9.3f %9.3f\n", row.name, row.errors.mean(), row.errors.sd(),
                    row.errors.medianAbsolute());
        EXPECT_LE(row.errors.medianAbsolute(), row.allowedMedian) << row.name;
    }
}

} // namespace
