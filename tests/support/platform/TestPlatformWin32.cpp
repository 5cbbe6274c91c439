#include "TestPlatform.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

void setEnvironment(const std::string& name, const std::optional<std::string>& value)
{
    // An empty value removes the variable.
    _putenv_s(name.c_str(), value ? value->c_str() : "");
}

std::string_view textLineEnd()
{
    return "\r\n";
}

bool processIsElevated()
{
    // The loader's own test: the integrity level of the process token.
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::string buffer(size, '\0');
    bool high = false;
    if (size > 0 && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
        const DWORD count = *GetSidSubAuthorityCount(label->Label.Sid);
        high = *GetSidSubAuthority(label->Label.Sid, count - 1) >= SECURITY_MANDATORY_HIGH_RID;
    }
    CloseHandle(token);
    return high;
}

namespace {

// A word for cmd.exe and the program's argument parser: in double quotes,
// with the quotes and the backslashes before them escaped.
std::string commandWord(const std::string& word)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"')
                quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

} // namespace

CommandOutcome runCommand(const std::string& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingDirectory)
{
    std::string line = commandWord(program);
    if (!workingDirectory.empty())
        line = "cd /d " + commandWord(workingDirectory.string()) + " && " + line;
    for (const std::string& argument : arguments)
        line += " " + commandWord(argument);
    // cmd.exe drops the first and the last quote of a line that starts with
    // one; the outer pair keeps the words' own quotes intact.
    CommandOutcome outcome;
    FILE* pipe = _popen(("\"" + line + " 2>&1\"").c_str(), "rb");
    if (!pipe)
        return outcome;
    outcome.output = readToEnd(pipe);
    outcome.exitCode = _pclose(pipe);
    return outcome;
}
