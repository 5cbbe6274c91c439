#include "TvaFit.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace {

constexpr double notFitted = std::numeric_limits<double>::quiet_NaN();
// Below this a report is treated as impossible; keeps the log finite for the search.
constexpr double smallestProbability = 1e-300;

// The search runs on unbounded-looking, well-scaled coordinates:
// log C, t0 (ms), logit wLeft, log alpha, and the softmax logits of P(K = 1..6)
// against P(K = 0).
enum Coordinate { logC, t0, logitWLeft, logAlpha, firstLogit, coordinateCount = firstLogit + 6 };

struct ReportCount {
    PlaceSet reported;
    int trials;
};

// All trials of one display at one exposure: the encoding terms are computed
// once for them per evaluation.
struct DisplayExposure {
    int display;
    double exposureMs;
    std::vector<ReportCount> reports;
};

struct Problem {
    std::vector<TvaDisplay> displays;
    std::vector<DisplayExposure> groups;
    bool fitAlpha = false;
    bool fitWLeft = false;
    double t0Max = 0.0;
};

Problem groupTrials(const std::vector<ScoredTrial>& trials)
{
    Problem problem;
    std::map<std::tuple<PlaceSet, PlaceSet, double>, std::map<PlaceSet, int>> grouped;
    double shortestCorrect = std::numeric_limits<double>::infinity();
    double longest = 0.0;
    for (const ScoredTrial& trial : trials) {
        ++grouped[{trial.display.targets, trial.display.distractors, trial.exposureMs}][trial.reported];
        if (trial.reported != 0)
            shortestCorrect = std::min(shortestCorrect, trial.exposureMs);
        longest = std::max(longest, trial.exposureMs);
        const PlaceSet shown = trial.display.shown();
        problem.fitAlpha |= trial.display.targets != 0 && trial.display.distractors != 0;
        problem.fitWLeft |= (shown & leftPlaces) != 0 && (shown & ~leftPlaces) != 0;
    }
    for (const auto& [key, reports] : grouped) {
        const TvaDisplay display{std::get<0>(key), std::get<1>(key)};
        auto known = std::find(problem.displays.begin(), problem.displays.end(), display);
        if (known == problem.displays.end())
            known = problem.displays.insert(known, display);
        DisplayExposure group{static_cast<int>(known - problem.displays.begin()), std::get<2>(key), {}};
        for (const auto& [reported, count] : reports)
            group.reports.push_back({reported, count});
        problem.groups.push_back(std::move(group));
    }
    // A correct report at exposure T means t0 < T. Kept a hair below, where the
    // likelihood is still finite.
    const double bound = std::isfinite(shortestCorrect) ? shortestCorrect : longest;
    problem.t0Max = std::max(bound - 0.01, 0.01);
    return problem;
}

double logLikelihood(const Problem& problem, const TvaParameters& params)
{
    std::vector<PlaceRates> rates;
    rates.reserve(problem.displays.size());
    for (const TvaDisplay& display : problem.displays)
        rates.push_back(tvaRates(params, display));
    double sum = 0.0;
    for (const DisplayExposure& group : problem.groups) {
        const TvaDisplay& display = problem.displays[group.display];
        const EncodingTerms terms =
            encodingTerms(rates[group.display], display.shown(), group.exposureMs - params.t0Ms);
        const auto sets = encodedSetDistribution(terms, params.pK);
        for (const ReportCount& report : group.reports)
            sum += report.trials *
                   std::log(std::max(reportProbability(sets, display, report.reported), smallestProbability));
    }
    return sum;
}

TvaParameters decode(const std::array<double, coordinateCount>& x)
{
    TvaParameters params;
    params.C = std::exp(x[logC]);
    params.t0Ms = x[t0];
    params.wLeft = 1.0 / (1.0 + std::exp(-x[logitWLeft]));
    params.alpha = std::exp(x[logAlpha]);
    double total = 1.0;
    params.pK[0] = 1.0;
    for (int k = 1; k <= 6; ++k)
        total += params.pK[k] = std::exp(x[firstLogit + k - 1]);
    for (double& p : params.pK)
        p /= total;
    return params;
}

std::array<double, coordinateCount> encode(const TvaParameters& params)
{
    std::array<double, coordinateCount> x{};
    x[logC] = std::log(params.C);
    x[t0] = params.t0Ms;
    x[logitWLeft] = std::log(params.wLeft / (1.0 - params.wLeft));
    x[logAlpha] = std::log(params.alpha);
    for (int k = 1; k <= 6; ++k)
        x[firstLogit + k - 1] = std::log(params.pK[k] / params.pK[0]);
    return x;
}

// The coordinates the search moves; the others stay where the start put them.
struct Search {
    const Problem* problem;
    std::vector<int> free;
    std::array<double, coordinateCount> full{};
    std::array<double, coordinateCount> lower{}, upper{};
    int evaluations = 0;
    double bestValue = std::numeric_limits<double>::infinity();
    std::array<double, coordinateCount> best{};

    double value(const std::vector<double>& x)
    {
        for (std::size_t i = 0; i < free.size(); ++i)
            full[free[i]] = x[i];
        ++evaluations;
        const double negative = -logLikelihood(*problem, decode(full));
        const double v = std::isfinite(negative) ? negative : 1e100;
        if (v < bestValue) {
            bestValue = v;
            best = full;
        }
        return v;
    }

    static double objective(const std::vector<double>& x, std::vector<double>&, void* data)
    {
        return static_cast<Search*>(data)->value(x);
    }

    void run(const std::array<double, coordinateCount>& start, int maxEvaluations)
    {
        full = start;
        std::vector<double> x, lb, ub, step;
        for (int i : free) {
            x.push_back(std::clamp(start[i], lower[i], upper[i]));
            lb.push_back(lower[i]);
            ub.push_back(upper[i]);
            step.push_back(std::min(i == t0 ? 4.0 : 0.5, (upper[i] - lower[i]) / 4.0));
        }
        if (x.empty()) {
            value(x);
            return;
        }
        nlopt::opt opt(nlopt::LN_BOBYQA, static_cast<unsigned>(x.size()));
        opt.set_lower_bounds(lb);
        opt.set_upper_bounds(ub);
        opt.set_initial_step(step);
        opt.set_min_objective(&Search::objective, this);
        opt.set_xtol_rel(1e-6);
        opt.set_ftol_abs(1e-7);
        opt.set_maxeval(maxEvaluations);
        double reached = 0.0;
        try {
            opt.optimize(x, reached);
        } catch (const std::exception&) {
            // Round-off stops and the like leave the best point found so far,
            // which value() keeps.
        }
    }
};

// Starting points spread over typical speeds and capacities; each has a smooth
// capacity distribution around its mean so that every softmax logit is finite.
std::array<double, coordinateCount> startingPoint(int index, double t0Max)
{
    static constexpr double speeds[] = {30.0, 60.0, 20.0, 100.0};
    static constexpr double capacities[] = {3.0, 4.0, 2.0, 5.0};
    static constexpr double thresholds[] = {0.3, 0.6, 0.1, 0.45};
    const int i = index % 4;
    TvaParameters params;
    params.C = speeds[i] * (1.0 + index / 4);
    params.t0Ms = thresholds[i] * t0Max;
    params.wLeft = 0.5;
    params.alpha = 0.5;
    double total = 0.0;
    for (int k = 0; k <= 6; ++k)
        total += params.pK[k] = std::exp(-0.5 * std::pow((k - capacities[i]) / 0.8, 2));
    for (double& p : params.pK)
        p /= total;
    return encode(params);
}

} // namespace

double tvaLogLikelihood(const std::vector<ScoredTrial>& trials, const TvaParameters& params)
{
    return logLikelihood(groupTrials(trials), params);
}

TvaFitResult fitTva(const std::vector<ScoredTrial>& trials, const TvaFitOptions& options)
{
    TvaFitResult result;
    result.trials = static_cast<int>(trials.size());
    for (const ScoredTrial& trial : trials)
        result.errors += trial.errors;
    if (trials.empty()) {
        result.params = TvaParameters{notFitted, {}, notFitted, notFitted, notFitted};
        result.params.pK.fill(notFitted);
        result.logLik = notFitted;
        return result;
    }

    const Problem problem = groupTrials(trials);
    Search search{&problem, {}, {}, {}, {}};
    search.lower = {std::log(0.5), 0.0, -6.0, std::log(1e-3)};
    search.upper = {std::log(1000.0), problem.t0Max, 6.0, std::log(10.0)};
    for (int k = 0; k < 6; ++k) {
        search.lower[firstLogit + k] = -12.0;
        search.upper[firstLogit + k] = 12.0;
    }
    for (int i = 0; i < coordinateCount; ++i)
        if ((i != logAlpha || problem.fitAlpha) && (i != logitWLeft || problem.fitWLeft))
            search.free.push_back(i);

    for (int start = 0; start < std::max(options.starts, 1); ++start)
        search.run(startingPoint(start, problem.t0Max), options.maxEvaluations);
    search.run(search.best, options.maxEvaluations);

    result.params = decode(search.best);
    result.alphaFitted = problem.fitAlpha;
    result.wLeftFitted = problem.fitWLeft;
    result.logLik = -search.bestValue;
    result.t0LimitMs = problem.t0Max;
    result.evaluations = search.evaluations;
    return result;
}

TvaFitResult fitTva(const DatSession& session, const TvaFitOptions& options)
{
    std::vector<ScoredTrial> trials;
    trials.reserve(session.trials.size());
    for (const DatTrial& trial : session.trials)
        trials.push_back(scoreTrial(trial));
    return fitTva(trials, options);
}
