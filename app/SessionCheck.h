#pragma once

#include "platform/AppendFile.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>

struct SubjectData;
struct ZOTConfig;

/// The most trials a run may hold, practice included: a larger run cannot be a
/// real session, and building it could exhaust the memory.
inline constexpr std::int64_t maxTrialsPerRun = 100000;

/// The check before the window opens, after the configuration echo and the
/// subject's answers: a session that could not show its stimuli or keep its
/// data must not start. Checks
/// - the size of the run (at most maxTrialsPerRun trials);
/// - every file the session loads from data/ and shaders/ (RunFiles);
/// - that the log folder can be made and each result file opened for appending.
/// Warnings about the result files' names go to console. When the session can
/// start, returns true and leaves the disk as it found it. Otherwise prints an
/// "ERROR > " line for each problem on errors, naming the path or setting and
/// the reason, then the line of sayNotStarted, and returns false; it leaves
/// no file behind either way.
bool sessionCanStart(const ZOTConfig& config, const SubjectData& subject, std::ostream& console,
                     std::ostream& errors, ResultDisk& disk = systemDisk(),
                     const std::filesystem::path& runFolder = ".", const std::filesystem::path& logFolder = "logs");

/// The last line of a start that was refused: "ERROR > the session was not
/// started; nothing was written". The program then ends with exit code 2.
void sayNotStarted(std::ostream& errors);
