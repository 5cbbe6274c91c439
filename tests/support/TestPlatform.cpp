#include "TestPlatform.h"

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
