#pragma once

#include <string>
#include <vector>

/// The names of a session's result files inside the log folder:
/// "ZOT_vive_" + subject ID + "_" + session, then ".dat", "_practice.dat",
/// "_history.dat" or "_timing.dat".
///
/// Answers are written into the names so that no two pairs of answers share a
/// file and no name grows past what file systems allow:
/// - letters, digits, '.', '_' and '-' stay as they are, every other byte is
///   written %XX (upper-case hex), '%' itself included. Ordinary answers
///   therefore give exactly the names they always gave;
/// - in the session '_' is written %5F as well, and a session that reads like a
///   file's suffix ("practice", "history", "timing") has its first letter
///   written %XX, so the last '_' of a name always ends the subject ID and no
///   data file can pass for another subject's practice, history or timing file;
/// - a subject ID and session longer than 200 bytes together are cut to 191
///   bytes and end in '~' and 8 hex digits of a hash of the full answers.
struct ResultFileNames {
    std::string data;
    std::string practice;
    std::string history;
    std::string timing;
    /// One "WARNING > " line (without line end) for each way the names differ
    /// from the answers as typed; empty for ordinary answers.
    std::vector<std::string> warnings;
};

ResultFileNames resultFileNames(const std::string& subjectID, const std::string& session);

/// An answer as the history file and the console show it: control characters
/// (bytes below 32, and 127) are written \xNN, everything else as typed.
std::string printableAnswer(const std::string& answer);
