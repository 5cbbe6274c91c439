#include "DatFile.h"

#include "TextFields.h"

namespace {

constexpr int places = 6;

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
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
            fail(std::string("the ") + name + " " + quotedField(field) + " must have six places");
        for (char c : field)
            if (c != '0' && !isLetter(c))
                fail(std::string("the ") + name + " " + quotedField(field) + " may hold only A to Z and 0");
        return std::string(field);
    }

    DatTrial record(const std::vector<std::string_view>& fields) const
    {
        DatTrial trial;
        if (!wholeNumber(fields[0], trial.condition))
            fail("the condition " + quotedField(fields[0]) + " is not a whole number");
        if (!decimalNumber(fields[1], trial.exposureMs, false))
            fail("the exposure " + quotedField(fields[1]) + " is not a number of ms");
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
                    fail("the report " + quotedField(report) + " may hold only the letters A to Z, or - for none");
        trial.report = std::string(report);
        double depth = 0.0;
        if (fields.size() == 6 && !decimalNumber(fields[5], depth, true))
            fail("the depth " + quotedField(fields[5]) + " is not a number");
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
    forEachLine(text, [&](long long lineNumber, std::string_view line) {
        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.empty())
            return;
        LineReader reader(fileName, lineNumber);
        if (fields.size() == 1) {
            long long announced = 0;
            if (!wholeNumber(fields[0], announced))
                reader.fail("expected a count line (a whole number) or a trial record, found " +
                            quotedField(fields[0]));
            DatSession session;
            session.fileName = fileName;
            session.number = static_cast<int>(sessions.size()) + 1;
            session.announced = announced;
            sessions.push_back(std::move(session));
            return;
        }
        if (fields.size() < 5 || fields.size() > 6)
            reader.fail("a trial record has 5 fields (condition, exposure, targets, distractors, report) and an "
                        "optional depth; this line has " + std::to_string(fields.size()));
        if (sessions.empty())
            reader.fail("a trial record before the first count line");
        sessions.back().trials.push_back(reader.record(fields));
    });
    return sessions;
}

std::vector<DatSession> readDatFile(const std::string& path)
{
    std::string text;
    try {
        text = readWholeFile(path);
    } catch (const std::runtime_error& error) {
        throw DatError(error.what());
    }
    return parseDat(text, path);
}
