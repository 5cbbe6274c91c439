#include "FitCommand.h"
#include "FitReport.h"
#include "SimulatedSession.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::size_t occurrences(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TvaFitResult someFit()
{
    TvaFitResult fit;
    fit.params.C = 42.25;
    fit.params.pK = capacityAround(3.5);
    fit.params.t0Ms = 12.5;
    fit.alphaFitted = true;
    fit.wLeftFitted = true;
    fit.trials = 6;
    return fit;
}

// A hand-made session whose observed means are easy to work out.
ReportSession handMade()
{
    ReportSession report;
    report.session.fileName = "logs/<7>.dat";
    report.session.trials = {
        {1, 11, "ABDEFG", "000000", "-"},   {1, 11, "ABDEFG", "000000", "AB"},
        {6, 200, "ABDEFG", "000000", "ABDE"},
        {7, 78, "HJ0000", "000000", "HJ"},  {7, 78, "HJ0000", "000000", "-"},
        {22, 78, "H00J00", "0KL0MN", "J"},
    };
    for (const DatTrial& trial : report.session.trials)
        report.fittedExposureMs.push_back(trial.exposureMs);
    report.fit = someFit();
    report.timing.problem = "no usable timing file logs/<7>_timing.dat";
    return report;
}

TEST(FitReport, ShowsTheFitAndTheObservedMeans)
{
    const std::string html = fitReportHtml({handMade()});
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("logs/&lt;7&gt;.dat, session 1"), std::string::npos);
    EXPECT_EQ(html.find("<7>"), std::string::npos);
    EXPECT_NE(html.find("<td>42.2</td>"), std::string::npos) << "C";
    EXPECT_NE(html.find("<td>3.50</td>"), std::string::npos) << "mean K";
    // 11 ms: 0 and 2 letters, mean 1, SE = sd / sqrt(2) = 1.41 / 1.41.
    EXPECT_NE(html.find("11 ms: 1.00 ± 1.00 (2 trials)"), std::string::npos);
    EXPECT_NE(html.find("200 ms: 4.00 ± 0.00 (1 trials)"), std::string::npos);
    // Two targets on the right half, alone: 2 of 4 reported.
    EXPECT_NE(html.find("observed 0.500 ± 0.250 (4 targets)"), std::string::npos);
    // Across the halves with distractors: the left target J reported, the right H not.
    EXPECT_EQ(occurrences(html, "observed 1.000 ± 0.000 (1 targets)"), 1u);
    EXPECT_EQ(occurrences(html, "observed 0.000 ± 0.000 (1 targets)"), 1u);
    EXPECT_NE(html.find("no usable timing file logs/&lt;7&gt;_timing.dat"), std::string::npos);
    EXPECT_EQ(occurrences(html, "<svg"), 3u) << "whole, partial, K; no timing chart";
}

TEST(FitReport, NeedsNothingFromOutside)
{
    const std::string html = fitReportHtml({handMade()});
    for (const char* fetch : {"src=", "href=", "<link", "<script", "@import", "url("})
        EXPECT_EQ(html.find(fetch), std::string::npos) << fetch;
    std::string withoutNamespace = std::regex_replace(html, std::regex("xmlns='http://www.w3.org/2000/svg'"), "");
    EXPECT_EQ(withoutNamespace.find("http"), std::string::npos);
}

TEST(FitReport, MarksTheTrialsWhoseTimingWasFlagged)
{
    ReportSession report = handMade();
    for (std::size_t i = 0; i < report.session.trials.size(); ++i) {
        TrialTiming timing;
        timing.trial = {0, static_cast<int>(i), report.session.trials[i].condition,
                        static_cast<int>(report.session.trials[i].exposureMs),
                        static_cast<int>(report.session.trials[i].exposureMs / 11.1 + 0.5)};
        timing.stimulusMs = report.session.trials[i].exposureMs;
        timing.stimulusPeriods = timing.trial.exposureFrames;
        report.timing.trials.push_back(timing);
    }
    report.timing.problem.clear();
    report.timing.trials[1].lateStimulus = 1;
    report.timing.trials[4].stimulusPeriods += 1.0;
    report.timing.trials[4].stimulusMs += 11.1;
    const std::string html = fitReportHtml({report});
    EXPECT_EQ(occurrences(html, "<svg"), 4u);
    EXPECT_NE(html.find("2 flagged"), std::string::npos);
    EXPECT_EQ(occurrences(html, ", flagged</title>"), 2u * 2u) << "ring and dot of each flagged trial";
    EXPECT_NE(html.find("trial 5 (block 0, trial 4): recorded 78 ms, achieved 89.1 ms, flagged"), std::string::npos);
}

TEST(FitReport, ZotfitWritesTheReportOrSaysWhyNot)
{
    TempDir dir;
    const std::string data =
        dir.write("ZOT_vive_1_1.dat", datText({simulatedSession(observerOf("50,3,10,0.5,0.5"), 1, 9)}));
    std::ostringstream out, err;
    ASSERT_EQ(runFitCommand({"--report", dir.file("report.html"), data}, out, err), 0) << err.str();
    std::ifstream written(dir.file("report.html"));
    std::stringstream html;
    html << written.rdbuf();
    EXPECT_NE(html.str().find("ZOT_vive_1_1.dat, session 1"), std::string::npos);
    EXPECT_NE(html.str().find("</html>"), std::string::npos);

    std::ostringstream out2, err2;
    EXPECT_EQ(runFitCommand({"--report", dir.file("no/such/folder/r.html"), data}, out2, err2), 1);
    EXPECT_NE(err2.str().find("could not write the report"), std::string::npos);
}

} // namespace
