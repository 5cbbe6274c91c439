#pragma once

#include "DatFile.h"
#include "TimingData.h"
#include "TvaFit.h"

#include <string>
#include <vector>

/// What the report shows of one session.
struct ReportSession {
    /// As read from the file, with the recorded exposures.
    DatSession session;
    /// The exposure each trial was fitted with (recorded or achieved), ms.
    std::vector<double> fittedExposureMs;
    bool achievedExposures = false;
    TvaFitResult fit;
    /// Each trial's timing line, or why there is none.
    TimingMatch timing;
};

/// One self-contained HTML page (inline SVG and style, nothing fetched) with a
/// section per session: the parameter table, whole-report score against
/// exposure with the fitted curve, partial report observed against predicted
/// by display type and side, the fitted K distribution, and the recorded
/// against the achieved stimulus durations when the timing file was found.
std::string fitReportHtml(const std::vector<ReportSession>& sessions);
