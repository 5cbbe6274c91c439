#include "FitReport.h"

#include "ScoredTrial.h"
#include "SvgChart.h"
#include "TvaModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

const std::string observedColor = "#1f5fbf";
const std::string predictedColor = "#e07b00";
const std::string flaggedColor = "#d62728";
const std::string nominalColor = "#888888";

std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return "–";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

int letters(PlaceSet set)
{
    int n = 0;
    for (int p = 0; p < tvaPlaces; ++p)
        n += (set >> p) & 1;
    return n;
}

bool isWholeReport(const TvaDisplay& display)
{
    return display.distractors == 0 && letters(display.targets) > 2;
}

// Mean and standard error of the mean.
struct Mean {
    double sum = 0.0, squares = 0.0;
    int n = 0;

    void add(double value)
    {
        sum += value;
        squares += value * value;
        ++n;
    }
    double mean() const { return n ? sum / n : 0.0; }
    double error() const
    {
        if (n < 2)
            return 0.0;
        const double variance = std::max(0.0, (squares - sum * sum / n) / (n - 1));
        return std::sqrt(variance / n);
    }
};

// P(encoded set = M) per display and exposure, computed once.
class Predictions {
public:
    explicit Predictions(const TvaParameters& params) : params_(params) {}

    const std::array<double, tvaSets>& sets(const TvaDisplay& display, double exposureMs)
    {
        const auto key = std::make_tuple(display.targets, display.distractors, exposureMs);
        auto found = cache_.find(key);
        if (found == cache_.end())
            found = cache_.emplace(key, encodedSetDistribution(params_, display, exposureMs)).first;
        return found->second;
    }

    double placeReported(const TvaDisplay& display, double exposureMs, int place)
    {
        const auto& p = sets(display, exposureMs);
        double sum = 0.0;
        for (PlaceSet m = 0; m < tvaSets; ++m)
            if (m & (1u << place))
                sum += p[m];
        return sum;
    }

    double expectedScore(const TvaDisplay& display, double exposureMs)
    {
        const auto& p = sets(display, exposureMs);
        double sum = 0.0;
        for (PlaceSet m = 0; m < tvaSets; ++m)
            sum += letters(m & display.targets) * p[m];
        return sum;
    }

private:
    TvaParameters params_;
    std::map<std::tuple<PlaceSet, PlaceSet, double>, std::array<double, tvaSets>> cache_;
};

std::vector<double> ticks(double max, double step)
{
    std::vector<double> t;
    for (double v = 0.0; v <= max + 1e-9; v += step)
        t.push_back(v);
    return t;
}

double niceStep(double span)
{
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0, 100.0, 200.0, 250.0, 500.0, 1000.0})
        if (span / step <= 8)
            return step;
    return span / 8;
}

std::string parameterTable(const ReportSession& report)
{
    const TvaFitResult& fit = report.fit;
    const TvaParameters& p = fit.params;
    std::string rows;
    auto row = [&](const std::string& name, const std::string& value, const std::string& meaning) {
        rows += "<tr><th>" + name + "</th><td>" + value + "</td><td>" + meaning + "</td></tr>";
    };
    row("C", fixed(p.C, 1), "processing speed, letters per second");
    row("K", fixed(p.meanK(), 2), "VSTM capacity, the mean of the fitted distribution");
    row("t<sub>0</sub>", fixed(p.t0Ms, 1),
        "perception threshold, ms (searched up to " + fixed(fit.t0LimitMs, 1) + ")");
    row("&alpha;", fit.alphaFitted ? fixed(p.alpha, 3) : "not fitted",
        fit.alphaFitted ? "distractor weight relative to a target" : "no display showed distractors");
    row("w<sub>left</sub>", fit.wLeftFitted ? fixed(p.wLeft, 3) : "not fitted",
        "attentional weight of the left half (places 3&ndash;5)");
    std::string pK;
    for (int k = 0; k < 7; ++k)
        pK += (k ? " " : "") + fixed(p.pK[k], 3);
    row("p(K = 0&hellip;6)", pK, "fitted capacity distribution");
    row("log likelihood", fixed(fit.logLik, 2), "of the reported target sets");
    row("trials", std::to_string(fit.trials), "records in the session");
    row("errors", std::to_string(fit.errors), "typed letters that were not targets, or repeated one");
    row("exposures", report.achievedExposures ? "achieved" : "recorded",
        report.achievedExposures ? "stimulus durations measured in the timing file" : "as the data file records them");
    return "<table>" + rows + "</table>";
}

std::string wholeReportChart(const ReportSession& report, Predictions& predictions)
{
    std::map<double, Mean> score, exposure;
    std::map<PlaceSet, int> displays;
    for (std::size_t i = 0; i < report.session.trials.size(); ++i) {
        const ScoredTrial trial = scoreTrial(report.session.trials[i]);
        if (!isWholeReport(trial.display))
            continue;
        const double recorded = report.session.trials[i].exposureMs;
        score[recorded].add(letters(trial.reported));
        exposure[recorded].add(report.fittedExposureMs[i]);
        ++displays[trial.display.targets];
    }
    if (score.empty())
        return "<p class='note'>No whole-report trials in this session.</p>";
    const PlaceSet targets =
        std::max_element(displays.begin(), displays.end(), [](auto& a, auto& b) { return a.second < b.second; })
            ->first;
    double longest = 0.0;
    for (const auto& [recorded, mean] : exposure)
        longest = std::max(longest, mean.mean());
    const double xMax = std::ceil(longest * 1.08 / 10.0) * 10.0;
    const int yMax = letters(targets);
    SvgChart chart("Whole report: letters reported against exposure", 520, 340, {0, xMax}, {0, double(yMax)});
    chart.axes("exposure (ms)", "letters reported", ticks(xMax, niceStep(xMax)), ticks(yMax, 1));
    std::vector<std::pair<double, double>> curve;
    for (int i = 0; i <= 200; ++i) {
        const double t = xMax * i / 200.0;
        curve.push_back({t, predictions.expectedScore({targets, 0}, t)});
    }
    chart.polyline(curve, predictedColor, 2.0);
    for (const auto& [recorded, mean] : score) {
        const double x = exposure[recorded].mean();
        chart.errorBar(x, mean.mean() - mean.error(), mean.mean() + mean.error(), observedColor);
        chart.dot(x, mean.mean(), 4.5, observedColor, observedColor,
                  fixed(recorded, 0) + " ms: " + fixed(mean.mean(), 2) + " ± " + fixed(mean.error(), 2) + " (" +
                      std::to_string(mean.n) + " trials)");
    }
    chart.legend({{observedColor, "observed mean ± SE"}, {predictedColor, "fitted"}});
    return chart.svg();
}

// Partial report by what the display held and where each target stood.
std::string partialReportChart(const ReportSession& report, Predictions& predictions)
{
    struct Category {
        Mean observed, predicted;
    };
    std::map<int, Category> categories;
    for (std::size_t i = 0; i < report.session.trials.size(); ++i) {
        const ScoredTrial trial = scoreTrial(report.session.trials[i]);
        if (isWholeReport(trial.display) || trial.display.targets == 0)
            continue;
        const bool distractors = trial.display.distractors != 0;
        const PlaceSet targets = trial.display.targets;
        const bool acrossHalves = (targets & leftPlaces) && (targets & ~leftPlaces);
        for (int p = 0; p < tvaPlaces; ++p) {
            if (!(targets & (1u << p)))
                continue;
            const bool left = leftPlaces & (1u << p);
            const int index = (distractors ? 4 : 0) + (acrossHalves ? 2 : 0) + (left ? 1 : 0);
            categories[index].observed.add((trial.reported >> p) & 1);
            categories[index].predicted.add(
                predictions.placeReported(trial.display, report.fittedExposureMs[i], p));
        }
    }
    if (categories.empty())
        return "<p class='note'>No partial-report trials in this session.</p>";
    // Under each bar the target's side and whether the other target stood on
    // the same half; under each group of four what else the display held.
    static const char* names[] = {"right\nsame", "left\nsame", "right\nsplit", "left\nsplit"};
    SvgChart chart("Partial report: share of targets reported, by display and side", 600, 340, {-0.6, 7.6}, {0, 1});
    chart.axes("", "targets reported", {}, ticks(1.0, 0.2));
    chart.groups({{1.5, "two targets alone"}, {5.5, "two targets and four distractors"}});
    std::vector<std::pair<double, std::string>> labels;
    for (const auto& [index, category] : categories) {
        const double x = index;
        labels.push_back({x, names[index % 4]});
        chart.bar(x, 0.6, category.predicted.mean(), predictedColor,
                  "predicted " + fixed(category.predicted.mean(), 3));
        const double p = category.observed.mean();
        const double se = std::sqrt(p * (1 - p) / category.observed.n);
        chart.errorBar(x, std::max(0.0, p - se), std::min(1.0, p + se), observedColor);
        chart.dot(x, p, 4.5, observedColor, "white",
                  "observed " + fixed(p, 3) + " ± " + fixed(se, 3) + " (" + std::to_string(category.observed.n) +
                      " targets)");
    }
    chart.categories(labels);
    chart.legend({{observedColor, "observed ± SE"}, {predictedColor, "predicted"}});
    return chart.svg();
}

std::string capacityChart(const TvaParameters& params)
{
    SvgChart chart("Fitted VSTM capacity: P(K = k)", 340, 300, {-0.6, 6.6}, {0, 1});
    chart.axes("k", "probability", ticks(6, 1), ticks(1.0, 0.2));
    for (int k = 0; k < 7; ++k) {
        chart.bar(k, 0.7, params.pK[k], observedColor, "P(K = " + std::to_string(k) + ") = " + fixed(params.pK[k], 3));
        if (params.pK[k] >= 0.005)
            chart.label(k, params.pK[k] + 0.03, fixed(params.pK[k], 2));
    }
    chart.polyline({{params.meanK(), 0}, {params.meanK(), 0.95}}, predictedColor, 2, true);
    chart.label(params.meanK(), 0.96, "mean K = " + fixed(params.meanK(), 2));
    return chart.svg();
}

std::string timingChart(const ReportSession& report)
{
    if (!report.timing.matched())
        return "<p class='note'>Recorded against achieved exposure: " + escapeHtml(report.timing.problem) + ".</p>";
    const std::vector<TrialTiming>& timing = report.timing.trials;
    double longest = 0.0;
    for (std::size_t i = 0; i < timing.size(); ++i)
        longest = std::max({longest, timing[i].stimulusMs, report.session.trials[i].exposureMs});
    const double n = static_cast<double>(timing.size());
    const double yMax = std::ceil(longest * 1.08 / 10.0) * 10.0;
    int flagged = 0;
    for (const TrialTiming& t : timing)
        flagged += stimulusTimingFailed(t);
    SvgChart chart("Stimulus duration per trial: recorded (grey) and achieved (blue); " + std::to_string(flagged) +
                       " flagged (red)",
                   900, 320, {0, n + 1}, {0, yMax});
    chart.axes("trial", "stimulus (ms)", ticks(n, niceStep(n)), ticks(yMax, niceStep(yMax)));
    for (std::size_t i = 0; i < timing.size(); ++i) {
        const double x = static_cast<double>(i + 1);
        const double recorded = report.session.trials[i].exposureMs;
        chart.tick(x, 0.9, recorded, nominalColor);
        const bool failed = stimulusTimingFailed(timing[i]);
        const std::string tip = "trial " + std::to_string(i + 1) + " (block " + std::to_string(timing[i].trial.block) +
                                ", trial " + std::to_string(timing[i].trial.trial) + "): recorded " +
                                fixed(recorded, 0) + " ms, achieved " + fixed(timing[i].stimulusMs, 1) + " ms" +
                                (failed ? ", flagged" : "");
        if (failed)
            chart.dot(x, timing[i].stimulusMs, 6.5, "none", flaggedColor, tip);
        chart.dot(x, timing[i].stimulusMs, 2.2, observedColor, observedColor, tip);
    }
    chart.legend({{nominalColor, "recorded"}, {observedColor, "achieved"}, {flaggedColor, "flagged"}});
    return chart.svg();
}

constexpr const char* style = R"(
body { font: 14px/1.4 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; color: #222; margin: 24px; }
h1 { font-size: 22px; } h2 { font-size: 18px; margin-top: 36px; border-top: 1px solid #ccc; padding-top: 16px; }
table { border-collapse: collapse; margin: 8px 0 16px; }
th, td { text-align: left; padding: 3px 12px 3px 0; border-bottom: 1px solid #eee; vertical-align: top; }
td:nth-child(2) { font-variant-numeric: tabular-nums; font-weight: bold; }
.charts { display: flex; flex-wrap: wrap; gap: 12px 28px; align-items: flex-start; }
figure { margin: 0; } figcaption { font-weight: bold; margin-bottom: 4px; }
svg text { font-size: 12px; fill: #333; } svg .small { font-size: 11px; } svg .title { font-size: 13px; }
svg .axis { stroke: #444; stroke-width: 1; } svg .grid { stroke: #e4e4e4; stroke-width: 1; }
.note { color: #666; font-style: italic; }
)";

} // namespace

std::string fitReportHtml(const std::vector<ReportSession>& sessions)
{
    std::string html = "<!DOCTYPE html>\n<html lang='en'><head><meta charset='utf-8'><title>zotfit report</title><style>" +
                       std::string(style) + "</style></head><body><h1>TVA fit</h1>";
    html += "<p>Fixed-capacity independent race model of whole and partial report, fitted by maximum likelihood to "
            "each session of the files below.</p>";
    for (const ReportSession& report : sessions) {
        html += "<h2>" + escapeHtml(report.session.fileName) + ", session " + std::to_string(report.session.number) +
                "</h2>";
        Predictions predictions(report.fit.params);
        html += "<div class='charts'>" + parameterTable(report) + capacityChart(report.fit.params) + "</div>";
        html += "<div class='charts'>" + wholeReportChart(report, predictions) +
                partialReportChart(report, predictions) + "</div>";
        html += "<div class='charts'>" + timingChart(report) + "</div>";
    }
    return html + "</body></html>\n";
}
