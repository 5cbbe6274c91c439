#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the tests need of the operating system beyond the standard library.
// One implementation per platform in platform/, chosen by the build.

/// Sets an environment variable of this process, or removes it with nullopt.
void setEnvironment(const std::string& name, const std::optional<std::string>& value);

/// Sets an environment variable unless it is set already.
void setEnvironmentDefault(const std::string& name, const std::string& value);

/// The bytes a text-mode stream writes for "\n": LF on Linux, CR LF on Windows.
std::string_view textLineEnd();

/// text with every "\n" written as the platform's text mode writes it: what a
/// text file holding text holds on disk.
std::string onDisk(std::string_view text);

/// True when this process runs elevated (a high integrity level on Windows,
/// as every process under wine does). Windows' OpenXR loader then ignores
/// XR_RUNTIME_JSON and takes the registered runtime.
bool processIsElevated();

/// The lines of a text file's bytes, split at the platform's line ends, which
/// are dropped: any other line end stays in the line.
std::vector<std::string> linesOnDisk(std::string_view bytes);

/// The manifest of the runtime registered for the machine as the active
/// OpenXR runtime (Windows: HKLM\SOFTWARE\Khronos\OpenXR\1, ActiveRuntime),
/// nullopt when none is. Where the loader reads no registry, always nullopt.
std::optional<std::string> registeredOpenXrRuntime();

/// Registers manifest as the machine's active OpenXR runtime, or removes the
/// registration with nullopt. Where the loader reads no registry, returns
/// false and changes nothing.
bool registerOpenXrRuntime(const std::optional<std::string>& manifest);

struct CommandOutcome {
    int exitCode = -1;
    std::string output; ///< standard output and standard error together
};

/// Everything left to read from a stream (a child's output pipe).
std::string readToEnd(std::FILE* stream);

/// Runs program with arguments (each passed as one argument, whatever it
/// holds) in the working directory given (by default this process's), and
/// waits for it.
CommandOutcome runCommand(const std::string& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingDirectory = {});
