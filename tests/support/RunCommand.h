#pragma once

#include <string>

/// What a command line run by the shell left behind.
struct CommandOutcome {
    int exitCode = -1;  ///< -1 when it did not exit normally
    std::string output; ///< standard output and standard error together
};

/// Runs command through the shell and collects everything it wrote.
CommandOutcome runCommand(const std::string& command);
