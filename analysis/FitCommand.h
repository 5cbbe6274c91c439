#pragma once

#include <iosfwd>
#include <string>
#include <vector>

/// zotfit: reads the result files named in `args` (the arguments after the
/// program name), fits every session, and writes the table or JSON lines to
/// `out` and problems to `err`. Returns the exit code: 0 when every file was
/// read and every session with trials fitted, 1 when a file could not be read
/// or a report not written, 2 for a command line it does not understand.
int runFitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
