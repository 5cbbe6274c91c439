#include "platform/TestPlatform.h"

#include <array>
#include <cstdlib>

std::string onDisk(std::string_view text)
{
    std::string bytes;
    for (char c : text) {
        if (c == '\n')
            bytes += textLineEnd();
        else
            bytes += c;
    }
    return bytes;
}

void setEnvironmentDefault(const std::string& name, const std::string& value)
{
    if (!std::getenv(name.c_str()))
        setEnvironment(name, value);
}

std::vector<std::string> linesOnDisk(std::string_view bytes)
{
    const std::string_view end = textLineEnd();
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t at = bytes.find(end);
        lines.emplace_back(bytes.substr(0, at));
        bytes.remove_prefix(at == std::string_view::npos ? bytes.size() : at + end.size());
    }
    return lines;
}

std::string readToEnd(std::FILE* stream)
{
    std::string text;
    std::array<char, 512> buffer;
    while (std::size_t read = std::fread(buffer.data(), 1, buffer.size(), stream))
        text.append(buffer.data(), read);
    return text;
}
