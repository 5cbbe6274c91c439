#include "TextFields.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

template <typename Number>
bool plainDigits(std::string_view field, Number& value)
{
    if (field.empty() || field.front() < '0' || field.front() > '9')
        return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

} // namespace

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

bool wholeNumber(std::string_view field, int& value)
{
    return plainDigits(field, value);
}

bool wholeNumber(std::string_view field, long long& value)
{
    return plainDigits(field, value);
}

bool decimalNumber(std::string_view field, double& value, bool allowSign)
{
    const std::string_view digits = allowSign && !field.empty() && field.front() == '-' ? field.substr(1) : field;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    return error == std::errc() && end == field.data() + field.size();
}

std::string quotedField(std::string_view field)
{
    constexpr std::size_t longest = 20;
    std::string text;
    for (char c : field.substr(0, longest))
        text += (c >= 0x20 && c < 0x7f) ? c : '?';
    if (field.size() > longest)
        text += "...";
    return "'" + text + "'";
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot open the file");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw std::runtime_error(path + ": cannot read the file");
    return std::move(text).str();
}
