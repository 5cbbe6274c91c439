#include "TimingData.h"

#include "TextFields.h"

#include <cmath>

namespace {

constexpr std::string_view suffix = ".dat";
constexpr std::string_view practiceSuffix = "_practice.dat";

bool endsWith(const std::string& text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::optional<StampSource> stampSource(std::string_view name)
{
    if (name == "swap")
        return StampSource::swap;
    if (name == "msc")
        return StampSource::msc;
    if (name == "predicted")
        return StampSource::predicted;
    return std::nullopt;
}

std::optional<TrialTiming> timingLine(const std::vector<std::string_view>& fields)
{
    constexpr std::size_t columns = 14;
    if (fields.size() != columns)
        return std::nullopt;
    TrialTiming timing;
    TrialIdentity& trial = timing.trial;
    const bool practice = fields[0] == "-1";
    bool ok = (practice || wholeNumber(fields[0], trial.block)) && wholeNumber(fields[1], trial.trial) &&
              wholeNumber(fields[2], trial.condition) && wholeNumber(fields[3], trial.exposureMs) &&
              wholeNumber(fields[4], trial.exposureFrames) && decimalNumber(fields[5], timing.fixationMs, false) &&
              decimalNumber(fields[6], timing.stimulusMs, false) && decimalNumber(fields[7], timing.masksMs, false) &&
              decimalNumber(fields[8], timing.stimulusPeriods, false) && wholeNumber(fields[9], timing.lateFixation) &&
              wholeNumber(fields[10], timing.lateStimulus) && wholeNumber(fields[11], timing.lateMasks) &&
              wholeNumber(fields[12], timing.droppedFrames);
    const std::optional<StampSource> source = stampSource(fields[13]);
    if (!ok || !source)
        return std::nullopt;
    if (practice)
        trial.block = -1;
    timing.source = *source;
    return timing;
}

} // namespace

std::vector<TimingSession> parseTimingFile(std::string_view text, const std::string& fileName)
{
    const std::string headerLine = timingHeaderLine();
    const std::vector<std::string_view> header = splitFields(headerLine);
    std::vector<TimingSession> sessions;
    forEachLine(text, [&](long long lineNumber, std::string_view line) {
        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.empty())
            return;
        const std::string where = fileName + ":" + std::to_string(lineNumber) + ": ";
        if (fields == header) {
            sessions.emplace_back();
            return;
        }
        const std::optional<TrialTiming> timing = timingLine(fields);
        if (!timing)
            throw DatError(where + "not a line of the timing file (" + std::to_string(header.size()) +
                           " columns from block to stamps)");
        if (sessions.empty())
            throw DatError(where + "a trial line before the first header line");
        sessions.back().trials.push_back(*timing);
    });
    return sessions;
}

std::string timingPathBeside(const std::string& datPath)
{
    if (endsWith(datPath, practiceSuffix))
        return datPath.substr(0, datPath.size() - practiceSuffix.size()) + "_timing.dat";
    if (endsWith(datPath, suffix))
        return datPath.substr(0, datPath.size() - suffix.size()) + "_timing.dat";
    return {};
}

bool isPracticeFile(const std::string& datPath)
{
    return endsWith(datPath, practiceSuffix);
}

std::string companionFileKind(const std::string& datPath)
{
    for (const char* kind : {"history", "timing"})
        if (endsWith(datPath, std::string("_") + kind + ".dat"))
            return kind;
    return {};
}

TimingMatch matchTiming(const DatSession& session, const std::vector<TimingSession>& timing, bool practice)
{
    TimingMatch match;
    const std::string which = "session " + std::to_string(session.number);
    if (session.number < 1 || session.number > static_cast<int>(timing.size())) {
        match.problem = "the timing file has no " + which;
        return match;
    }
    for (const TrialTiming& line : timing[session.number - 1].trials)
        if ((line.trial.block < 0) == practice)
            match.trials.push_back(line);
    const std::size_t records = session.trials.size();
    if (match.trials.size() != records && match.trials.size() != records + 1) {
        match.problem = "the timing file's " + which + " has " + std::to_string(match.trials.size()) +
                        " trial lines for " + std::to_string(records) + " records";
        return match;
    }
    match.trials.resize(records);
    for (std::size_t i = 0; i < records; ++i) {
        const DatTrial& record = session.trials[i];
        const TrialIdentity& line = match.trials[i].trial;
        if (line.condition != record.condition || line.exposureMs != record.exposureMs) {
            match.problem = "record " + std::to_string(i + 1) + " of " + which + " (condition " +
                            std::to_string(record.condition) + ") does not match its timing line (condition " +
                            std::to_string(line.condition) + ")";
            return match;
        }
    }
    return match;
}
