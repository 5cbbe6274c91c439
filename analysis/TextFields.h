#pragma once

#include <string>
#include <string_view>
#include <vector>

// Reading the whitespace-separated text files that zot writes, safe on any bytes.

/// Calls `line(number, text)` for each line of `text`, numbered from 1, without
/// its line end (LF or CR LF).
template <typename LineFunction>
void forEachLine(std::string_view text, LineFunction line)
{
    long long number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        line(++number, content);
    }
}

/// The fields of a line, split at blanks and tabs (a trailing tab gives no field).
/// Any other control character, a stray CR too, stays part of its field.
std::vector<std::string_view> splitFields(std::string_view line);

/// Plain digits only: no sign, no blanks, nothing after the number, no overflow.
bool wholeNumber(std::string_view field, int& value);
bool wholeNumber(std::string_view field, long long& value);

/// Digits with an optional fraction, and a minus sign where allowed.
bool decimalNumber(std::string_view field, double& value, bool allowSign);

/// A field as an error message shows it: quoted, printable, cut when long.
std::string quotedField(std::string_view field);

/// The whole content of a file; throws std::runtime_error naming the path
/// when it cannot be read.
std::string readWholeFile(const std::string& path);
