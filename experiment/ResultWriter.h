#pragma once

#include "platform/AppendFile.h"

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <map>
#include <set>
#include <string>

/// Writes the lines of the result files: whole lines or nothing, each one on
/// disk before the call returns, and no lost line goes unnoticed.
///
/// Every line is opened, written with a single write of the whole line and its
/// line end, flushed to disk and closed, so every finished line survives a
/// crash, a kill or a power cut. When the write fails or is short (a full
/// disk), the file is cut back to its length before, so no partial line ever
/// remains, and "ERROR > could not write to PATH: reason" goes to the error
/// stream; the session goes on and the line is counted as lost.
class ResultWriter {
public:
    explicit ResultWriter(ResultDisk& disk = systemDisk());
    /// errors receives the warnings and errors (standard error in the program).
    ResultWriter(ResultDisk& disk, std::ostream& errors);
    ResultWriter(const ResultWriter&) = delete;
    ResultWriter& operator=(const ResultWriter&) = delete;

    /// Appends line (without line end) to the file at path, creating the file
    /// when missing. The first line this writer appends to a file that does not
    /// end with a line end (its last line was torn by a crash or a full disk)
    /// is preceded by one, with a warning: the torn line is kept as it is and
    /// the new lines start on a line of their own. Returns false when the line
    /// was lost.
    bool appendLine(const std::filesystem::path& path, const std::string& line);

    /// Lines that could not be written, in all files.
    std::size_t linesLost() const;
    /// Prints the number of lost lines and the files they belong to, one line
    /// each beginning "ERROR > "; nothing when no line was lost.
    void reportLosses(std::ostream& out) const;

private:
    bool needsLineEndFirst(const std::filesystem::path& path) const;
    void lose(const std::filesystem::path& path, const std::string& reason);

    ResultDisk* disk_;
    std::ostream* errors_;
    /// Files this writer has written a whole line to: their ends are sound.
    std::set<std::string> sound_;
    std::map<std::string, std::size_t> lost_;
};

/// The writer of the program's session: the system's disk, errors on standard
/// error. The program reports its losses at the end.
ResultWriter& sessionResultWriter();
