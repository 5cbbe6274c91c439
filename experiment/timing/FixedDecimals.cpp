#include "FixedDecimals.h"

#include <charconv>

std::string fixedDecimals(double value, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "nan";
    return std::string(buffer, result.ptr);
}
