#include "TestPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

void setEnvironment(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

std::string_view textLineEnd()
{
    return "\n";
}

bool processIsElevated()
{
    // The loader reads XR_RUNTIME_JSON unless the program is set-user-ID,
    // which no test program is.
    return false;
}

std::optional<std::string> registeredOpenXrRuntime()
{
    return std::nullopt;
}

bool registerOpenXrRuntime(const std::optional<std::string>&)
{
    return false;
}

namespace {

// A word for sh, quoted so that nothing in it is special.
std::string shellWord(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CommandOutcome runCommand(const std::string& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingDirectory)
{
    std::string line = shellWord(program);
    if (!workingDirectory.empty())
        line = "cd " + shellWord(workingDirectory.string()) + " && " + line;
    for (const std::string& argument : arguments)
        line += " " + shellWord(argument);
    CommandOutcome outcome;
    FILE* pipe = popen((line + " 2>&1").c_str(), "r");
    if (!pipe)
        return outcome;
    outcome.output = readToEnd(pipe);
    const int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}
