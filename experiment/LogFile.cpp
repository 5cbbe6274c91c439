#include "LogFile.h"

#include "platform/DiskSync.h"

#include <cstdio>
#include <iostream>
#include <set>

namespace {

void warnOnce(const std::filesystem::path& path)
{
    static std::set<std::string> warned;
    if (warned.insert(path.string()).second)
        std::cerr << "WARNING > could not write to " << path.string() << std::endl;
}

bool isPlainNameCharacter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

} // namespace

bool appendLine(const std::filesystem::path& path, const std::string& line)
{
    // Text mode: the platform's line end, as every other text file of the program.
    std::FILE* file = std::fopen(path.string().c_str(), "a");
    if (!file) {
        warnOnce(path);
        return false;
    }
    bool ok = std::fputs(line.c_str(), file) >= 0 && std::fputc('\n', file) != EOF;
    ok = std::fflush(file) == 0 && ok;
    ok = flushToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        warnOnce(path);
    return ok;
}

std::string fileNamePart(const std::string& answer, const std::string& what, std::ostream& warnings)
{
    std::string safe = answer;
    for (char& c : safe)
        if (!isPlainNameCharacter(static_cast<unsigned char>(c)))
            c = '_';
    // "." and ".." are made of allowed characters but name folders.
    if (safe.empty() || safe == "." || safe == "..")
        safe = std::string(safe.empty() ? 1 : safe.size(), '_');
    if (safe != answer)
        warnings << "WARNING > " << what << " \"" << answer
                 << "\" contains characters that are not allowed in file names; the result files use \"" << safe
                 << "\"" << std::endl;
    return safe;
}
