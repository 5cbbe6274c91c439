#include "ObserverSetting.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

/// The whole piece as one finite number, blanks around it allowed.
std::optional<double> strictNumber(const std::string& piece)
{
    const char* begin = piece.c_str();
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return std::nullopt;
    return value;
}

} // namespace

std::optional<ObserverSetting> parseObserverSetting(const std::string& text, std::string& problem)
{
    static constexpr std::array<const char*, 5> names = {"C", "K", "t0", "alpha", "wLeft"};
    std::array<double, 5> values{};
    std::istringstream stream(text);
    std::string piece;
    std::size_t count = 0;
    while (std::getline(stream, piece, ',')) {
        if (count == values.size()) {
            ++count;
            break;
        }
        const std::optional<double> number = strictNumber(piece);
        if (!number) {
            problem = std::string(names[count]) + " \"" + piece + "\" is not a number";
            return std::nullopt;
        }
        values[count++] = *number;
    }
    if (count != values.size()) {
        problem = "five numbers C,K,t0,alpha,wLeft are needed";
        return std::nullopt;
    }
    const auto [C, K, t0, alpha, wLeft] = values;
    if (!(C > 0))
        problem = "C must be above 0 letters per second";
    else if (K < 0 || K > 6)
        problem = "K must lie from 0 to 6";
    else if (t0 < 0)
        problem = "t0 must be 0 ms or more";
    else if (alpha < 0)
        problem = "alpha must be 0 or more";
    else if (wLeft < 0 || wLeft > 1)
        problem = "wLeft must lie from 0 to 1";
    else
        problem.clear();
    if (!problem.empty())
        return std::nullopt;

    return ObserverSetting{C, K, t0, alpha, wLeft};
}

std::string observerSettingText(const ObserverSetting& setting)
{
    std::ostringstream text;
    text << "C=" << setting.C << " K=" << setting.K << " t0=" << setting.t0Ms << " alpha=" << setting.alpha
         << " wLeft=" << setting.wLeft;
    return text.str();
}
