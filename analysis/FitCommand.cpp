#include "FitCommand.h"

#include "DatFile.h"
#include "FitOutput.h"
#include "FitReport.h"
#include "TimingData.h"
#include "TextFields.h"
#include "TvaFit.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>

namespace {

constexpr const char* usage =
    "usage: zotfit [--json] [--report OUT.html] [--exposure nominal|achieved] FILE.dat...";

struct Options {
    bool json = false;
    std::string report;
    bool achieved = false;
    std::vector<std::string> files;
};

// False with a message on err for anything it does not understand.
bool parseArguments(const std::vector<std::string>& args, Options& options, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--report" && hasValue) {
            options.report = args[++i];
        } else if (arg == "--exposure" && hasValue && (args[i + 1] == "nominal" || args[i + 1] == "achieved")) {
            options.achieved = args[++i] == "achieved";
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "zotfit: cannot use the argument '" << arg << "'\n" << usage << std::endl;
            return false;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty()) {
        err << "zotfit: no result file given\n" << usage << std::endl;
        return false;
    }
    return true;
}

// The timing file beside a result file, if there is one; a timing file that
// cannot be read is reported and treated as missing.
std::optional<std::vector<TimingSession>> timingBeside(const std::string& file, std::ostream& err)
{
    const std::string path = timingPathBeside(file);
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    try {
        return parseTimingFile(readWholeFile(path), path);
    } catch (const std::runtime_error& failure) {
        err << "zotfit: " << failure.what() << "; the timing file is not used" << std::endl;
        return std::nullopt;
    }
}

// The session with each record's exposure replaced by the stimulus duration its
// timing line measured.
DatSession withAchievedExposures(const DatSession& session, const TimingMatch& timing)
{
    DatSession achieved = session;
    for (std::size_t i = 0; i < achieved.trials.size(); ++i)
        achieved.trials[i].exposureMs = timing.trials[i].stimulusMs;
    return achieved;
}

bool writeReport(const std::string& path, const std::string& html, std::ostream& err)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << html;
    file.close();
    if (!file) {
        err << "zotfit: could not write the report " << path << std::endl;
        return false;
    }
    return true;
}

} // namespace

int runFitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (!parseArguments(args, options, err))
        return 2;
    int status = 0;
    std::vector<ReportSession> reports;
    if (!options.json)
        out << fitTableHeader() << '\n';
    for (const std::string& file : options.files) {
        // logs/ZOT_vive_7_*.dat names the history and timing files too.
        if (const std::string kind = companionFileKind(file); !kind.empty()) {
            err << "zotfit: " << file << ": zot's " << kind << " file, not a result file; skipped" << std::endl;
            continue;
        }
        std::vector<DatSession> sessions;
        try {
            sessions = readDatFile(file);
        } catch (const DatError& error) {
            err << "zotfit: " << error.what() << "; the file is not fitted" << std::endl;
            status = 1;
            continue;
        }
        if (sessions.empty())
            err << "zotfit: " << file << " holds no session" << std::endl;
        const std::optional<std::vector<TimingSession>> timing = timingBeside(file, err);
        for (const DatSession& session : sessions) {
            const std::string where = "zotfit: " + file + ", session " + std::to_string(session.number) + ": ";
            if (session.trials.empty()) {
                err << where << "no trials, nothing to fit" << std::endl;
                continue;
            }
            TimingMatch match;
            if (timing)
                match = matchTiming(session, *timing, isPracticeFile(file));
            else if (const std::string path = timingPathBeside(file); !path.empty())
                match.problem = "no usable timing file " + path;
            else
                match.problem = "no timing file beside a file whose name does not end in .dat";
            if (options.achieved && !match.matched()) {
                err << where << "cannot fit the achieved exposures: " << match.problem << "; the session is not fitted"
                    << std::endl;
                status = 1;
                continue;
            }
            const DatSession fitted = options.achieved ? withAchievedExposures(session, match) : session;
            const TvaFitResult fit = fitTva(fitted);
            out << (options.json ? fitJsonLine(session, fit) : fitTableRow(session, fit)) << std::endl;
            if (!options.report.empty()) {
                ReportSession report{session, {}, options.achieved, fit, std::move(match)};
                for (const DatTrial& trial : fitted.trials)
                    report.fittedExposureMs.push_back(trial.exposureMs);
                reports.push_back(std::move(report));
            }
        }
    }
    if (!options.report.empty() && !writeReport(options.report, fitReportHtml(reports), err))
        status = 1;
    return status;
}
