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

constexpr const char* openXrKey = "SOFTWARE\\Khronos\\OpenXR\\1";

} // namespace

std::optional<std::string> registeredOpenXrRuntime()
{
    DWORD size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, openXrKey, "ActiveRuntime", RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::string manifest(size, '\0');
    if (RegGetValueA(HKEY_LOCAL_MACHINE, openXrKey, "ActiveRuntime", RRF_RT_REG_SZ, nullptr, manifest.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    manifest.resize(manifest.find('\0'));
    return manifest;
}

bool registerOpenXrRuntime(const std::optional<std::string>& manifest)
{
    if (!manifest)
        return RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, openXrKey, "ActiveRuntime") == ERROR_SUCCESS;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, openXrKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool set = RegSetValueExA(key, "ActiveRuntime", 0, REG_SZ, reinterpret_cast<const BYTE*>(manifest->c_str()),
                                    static_cast<DWORD>(manifest->size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
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
