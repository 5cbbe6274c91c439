#include "SimulatedSession.h"
#include "TvaFit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TvaParameters trueObserver()
{
    return observerOf("55,3.4,15,0.45,0.56");
}

std::vector<ScoredTrial> scored(const DatSession& session)
{
    std::vector<ScoredTrial> trials;
    for (const DatTrial& trial : session.trials)
        trials.push_back(scoreTrial(trial));
    return trials;
}

// 2916 trials (81 blocks) pin the parameters far more tightly than these bounds.
TEST(TvaFit, RecoversTheParametersOfALongSimulatedSession)
{
    const TvaParameters truth = trueObserver();
    const DatSession session = simulatedSession(truth, 81, 11);
    const TvaFitResult fit = fitTva(session);
    EXPECT_EQ(fit.trials, 2916);
    EXPECT_EQ(fit.errors, 0);
    EXPECT_TRUE(fit.alphaFitted);
    EXPECT_TRUE(fit.wLeftFitted);
    EXPECT_NEAR(fit.params.C, truth.C, 0.08 * truth.C);
    EXPECT_NEAR(fit.params.meanK(), truth.meanK(), 0.12);
    EXPECT_NEAR(fit.params.t0Ms, truth.t0Ms, 2.5);
    EXPECT_NEAR(fit.params.alpha, truth.alpha, 0.08);
    EXPECT_NEAR(fit.params.wLeft, truth.wLeft, 0.03);
    double sum = 0.0;
    for (double p : fit.params.pK)
        sum += p;
    EXPECT_NEAR(sum, 1.0, 1e-12);
}

// The fit of a normal session is the maximum: at least as likely as the truth,
// and no step of any single parameter does better.
TEST(TvaFit, EndsAtTheMaximumOfTheLikelihood)
{
    const DatSession session = simulatedSession(trueObserver(), 9, 3);
    const std::vector<ScoredTrial> trials = scored(session);
    const TvaFitResult fit = fitTva(trials);
    EXPECT_NEAR(fit.logLik, tvaLogLikelihood(trials, fit.params), 1e-9);
    EXPECT_GE(fit.logLik, tvaLogLikelihood(trials, trueObserver()));
    const double slack = 0.01;
    auto stepDoesBetter = [&](auto change) {
        TvaParameters p = fit.params;
        change(p);
        return tvaLogLikelihood(trials, p) > fit.logLik + slack;
    };
    for (double step : {-0.02, 0.02}) {
        EXPECT_FALSE(stepDoesBetter([&](TvaParameters& p) { p.C *= 1 + step; })) << "C " << step;
        EXPECT_FALSE(stepDoesBetter([&](TvaParameters& p) { p.t0Ms += 10 * step; })) << "t0 " << step;
        EXPECT_FALSE(stepDoesBetter([&](TvaParameters& p) { p.alpha *= 1 + step; })) << "alpha " << step;
        EXPECT_FALSE(stepDoesBetter([&](TvaParameters& p) { p.wLeft += step / 4; })) << "wLeft " << step;
        // Probability moved from K = k to K = k + 1 (or back), as much as there is.
        for (int k = 0; k < 6; ++k)
            EXPECT_FALSE(stepDoesBetter([&](TvaParameters& p) {
                const double moved = step > 0 ? std::min(p.pK[k], step / 4) : -std::min(p.pK[k + 1], -step / 4);
                p.pK[k] -= moved;
                p.pK[k + 1] += moved;
            })) << "K " << k << " to " << k + 1 << ", " << step;
    }
}

// One correct letter at 22 ms, where an observer with t0 = 35 ms sees nothing:
// the threshold must stay below 22 ms and the likelihood finite.
TEST(TvaFit, T0StaysBelowTheShortestExposureWithACorrectReport)
{
    TvaParameters slow = trueObserver();
    slow.t0Ms = 35.0;
    DatSession session = simulatedSession(slow, 9, 5);
    for (const DatTrial& trial : session.trials)
        ASSERT_TRUE(trial.exposureMs > 35.0 || trial.report == "-");
    for (DatTrial& trial : session.trials)
        if (trial.exposureMs == 22.0) {
            trial.report = std::string(1, trial.targets[0]);
            break;
        }
    const TvaFitResult fit = fitTva(session);
    EXPECT_NEAR(fit.t0LimitMs, 22.0, 0.1);
    EXPECT_LT(fit.params.t0Ms, 22.0);
    EXPECT_TRUE(std::isfinite(fit.logLik));
}

TEST(TvaFit, AlphaIsLeftOpenWithoutDistractorsAndNothingIsFittedWithoutTrials)
{
    DatSession session = simulatedSession(trueObserver(), 3, 8);
    std::erase_if(session.trials, [](const DatTrial& trial) { return trial.condition > 6; });
    const TvaFitResult whole = fitTva(session);
    EXPECT_FALSE(whole.alphaFitted);
    EXPECT_TRUE(whole.wLeftFitted);
    EXPECT_TRUE(std::isfinite(whole.params.C));

    const TvaFitResult none = fitTva(DatSession{});
    EXPECT_EQ(none.trials, 0);
    EXPECT_TRUE(std::isnan(none.params.C));
    EXPECT_TRUE(std::isnan(none.logLik));
}

} // namespace
