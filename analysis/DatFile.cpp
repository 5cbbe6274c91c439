#include "DatFile.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

constexpr int places = 6;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// Only plain digits: no sign, no blanks, nothing after the number.
template <typename Number>
bool wholeNumber(std::string_view field, Number& value)
{
    if (field.empty() || field.front() < '0' || field.front() > '9')
        return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size();
}

// Digits with an optional fraction, and a minus sign where allowed.
bool decimalNumber(std::string_view field, double& value, bool allowSign)
{
    std::string_view digits = allowSign && !field.empty() && field.front() == '-' ? field.substr(1) : field;
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return false;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::fixed);
    return error == std::errc() && end == field.data() + field.size();
}

std::string shown(std::string_view field)
{
    constexpr std::size_t longest = 20;
    std::string text;
    for (char c : field.substr(0, longest))
        text += (c >= 0x20 && c < 0x7f) ? c : '?';
    if (field.size() > longest)
        text += "...";
    return "'" + text + "'";
}

class LineReader {
public:
    LineReader(const std::string& fileName, long long line) : fileName_(fileName), line_(line) {}

    [[noreturn]] void fail(const std::string& what) const
    {
        throw DatError(fileName_ + ":" + std::to_string(line_) + ": " + what);
    }

    std::string placesField(std::string_view field, const char* name) const
    {
        if (field.size() != places)
            fail(std::string("the ") + name + " " + shown(field) + " must have six places");
        for (char c : field)
            if (c != '0' && !isLetter(c))
                fail(std::string("the ") + name + " " + shown(field) + " may hold only A to Z and 0");
        return std::string(field);
    }

    DatTrial record(const std::vector<std::string_view>& fields) const
    {
        DatTrial trial;
        if (!wholeNumber(fields[0], trial.condition))
            fail("the condition " + shown(fields[0]) + " is not a whole number");
        if (!decimalNumber(fields[1], trial.exposureMs, false))
            fail("the exposure " + shown(fields[1]) + " is not a number of ms");
        trial.targets = placesField(fields[2], "targets");
        trial.distractors = placesField(fields[3], "distractors");
        std::string shownLetters;
        for (int p = 0; p < places; ++p) {
            char target = trial.targets[p], distractor = trial.distractors[p];
            if (target != '0' && distractor != '0')
                fail("place " + std::to_string(p) + " holds both a target and a distractor");
            char letter = target != '0' ? target : distractor;
            if (letter == '0')
                continue;
            if (shownLetters.find(letter) != std::string::npos)
                fail(std::string("the letter ") + letter + " is shown twice");
            shownLetters += letter;
        }
        std::string_view report = fields[4];
        if (report != "-")
            for (char c : report)
                if (!isLetter(c))
                    fail("the report " + shown(report) + " may hold only the letters A to Z, or - for none");
        trial.report = std::string(report);
        double depth = 0.0;
        if (fields.size() == 6 && !decimalNumber(fields[5], depth, true))
            fail("the depth " + shown(fields[5]) + " is not a number");
        return trial;
    }

private:
    const std::string& fileName_;
    long long line_;
};

} // namespace

std::vector<DatSession> parseDat(std::string_view text, const std::string& fileName)
{
    std::vector<DatSession> sessions;
    long long lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;

        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.empty())
            continue;
        LineReader reader(fileName, lineNumber);
        if (fields.size() == 1) {
            long long announced = 0;
            if (!wholeNumber(fields[0], announced))
                reader.fail("expected a count line (a whole number) or a trial record, found " + shown(fields[0]));
            DatSession session;
            session.fileName = fileName;
            session.number = static_cast<int>(sessions.size()) + 1;
            session.announced = announced;
            sessions.push_back(std::move(session));
            continue;
        }
        if (fields.size() < 5 || fields.size() > 6)
            reader.fail("a trial record has 5 fields (condition, exposure, targets, distractors, report) and an "
                        "optional depth; this line has " + std::to_string(fields.size()));
        if (sessions.empty())
            reader.fail("a trial record before the first count line");
        sessions.back().trials.push_back(reader.record(fields));
    }
    return sessions;
}

std::vector<DatSession> readDatFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw DatError(path + ": cannot open the file");
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw DatError(path + ": cannot read the file");
    return parseDat(text.view(), path);
}
