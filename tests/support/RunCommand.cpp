#include "RunCommand.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

CommandOutcome runCommand(const std::string& command)
{
    CommandOutcome outcome;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return outcome;
    std::array<char, 512> buffer;
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
        outcome.output.append(buffer.data(), read);
    const int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}
