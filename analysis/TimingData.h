#pragma once

#include "DatFile.h"
#include "TimingFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The trial lines after one header line of a timing file.
struct TimingSession {
    std::vector<TrialTiming> trials;
};

/// Reads a timing file's text: each header line starts a session. A line that
/// is neither a header nor a trial line throws DatError naming the file and line.
std::vector<TimingSession> parseTimingFile(std::string_view text, const std::string& fileName);

/// The timing file that zot writes beside a data or practice file
/// (logs/ZOT_vive_ID_S.dat and logs/ZOT_vive_ID_S_practice.dat give
/// logs/ZOT_vive_ID_S_timing.dat); empty for a name not ending in ".dat".
std::string timingPathBeside(const std::string& datPath);

/// True for the practice file's name.
bool isPracticeFile(const std::string& datPath);

/// The kind of zot's own file beside the result files that path names ("history"
/// or "timing"), empty for any other name: those files are not result files.
std::string companionFileKind(const std::string& datPath);

/// The timing line of each trial of a session, or why there is none.
struct TimingMatch {
    std::vector<TrialTiming> trials;
    std::string problem;

    bool matched() const { return problem.empty(); }
};

/// Session k of a data file (or practice file) belongs to session k of the
/// timing file, whose main-block lines (practice lines) follow its records one
/// by one with the same condition and exposure. The timing file may hold one
/// more line at the end: a trial whose report was cut short by Escape.
TimingMatch matchTiming(const DatSession& session, const std::vector<TimingSession>& timing, bool practice);
