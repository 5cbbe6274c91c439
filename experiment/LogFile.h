#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

/// Appends one line (a line end is added) to the text file at path: open for
/// appending, write, flush to disk, close. Nothing stays open between calls, so
/// every finished line survives a crash, a kill or a power cut.
/// A line that cannot be written prints "WARNING > could not write to " and the
/// path on standard error (the first failure per path) and returns false; the
/// caller goes on.
bool appendLine(const std::filesystem::path& path, const std::string& line);

/// The part of a result file name that comes from a subject's answer. Answers made
/// only of letters, digits, '-', '_' and '.' (and not "." or "..") are used as
/// typed; any other character becomes '_', so no answer can name a file outside
/// the log folder. When the answer had to change, a warning naming `what` and
/// both spellings is written to `warnings`.
std::string fileNamePart(const std::string& answer, const std::string& what, std::ostream& warnings);
