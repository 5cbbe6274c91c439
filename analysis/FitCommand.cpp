#include "FitCommand.h"

#include "DatFile.h"
#include "FitOutput.h"
#include "TvaFit.h"

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

} // namespace

int runFitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (!parseArguments(args, options, err))
        return 2;
    int status = 0;
    if (!options.json)
        out << fitTableHeader() << '\n';
    for (const std::string& file : options.files) {
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
        for (const DatSession& session : sessions) {
            if (session.trials.empty()) {
                err << "zotfit: " << file << ", session " << session.number << ": no trials, nothing to fit"
                    << std::endl;
                continue;
            }
            const TvaFitResult fit = fitTva(session);
            out << (options.json ? fitJsonLine(session, fit) : fitTableRow(session, fit)) << std::endl;
        }
    }
    return status;
}
