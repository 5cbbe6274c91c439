#include "ResultFileNames.h"

#include <cstdint>

namespace {

// Both parts together; with "ZOT_vive_" and the longest suffix a name stays
// well below the 255 bytes file systems allow.
constexpr std::size_t maxAnswerBytes = 200;
constexpr std::size_t hashDigits = 8;

const char* const hexDigits = "0123456789ABCDEF";

bool keptAsTyped(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

void appendHexByte(std::string& out, unsigned char c)
{
    out += hexDigits[c >> 4];
    out += hexDigits[c & 0xF];
}

std::string percentEncoded(const std::string& answer, bool isSession)
{
    std::string name;
    for (const char byte : answer) {
        const auto c = static_cast<unsigned char>(byte);
        if (keptAsTyped(c) && !(isSession && c == '_')) {
            name += byte;
        } else {
            name += '%';
            appendHexByte(name, c);
        }
    }
    if (isSession && (name == "practice" || name == "history" || name == "timing")) {
        std::string escaped = "%";
        appendHexByte(escaped, static_cast<unsigned char>(name[0]));
        name = escaped + name.substr(1);
    }
    return name;
}

/// FNV-1a, 32 bits: the same on every platform and build.
std::uint32_t nameHash(const std::string& text)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string changedWarning(const char* what, const std::string& answer, const std::string& name)
{
    return std::string("WARNING > the ") + what + " \"" + printableAnswer(answer) + "\" appears as \"" + name +
           "\" in the result file names: %XX stands for a byte that a file name cannot carry safely or that would "
           "let two answers share a file";
}

} // namespace

ResultFileNames resultFileNames(const std::string& subjectID, const std::string& session)
{
    ResultFileNames names;
    const std::string id = percentEncoded(subjectID, false);
    const std::string sessionPart = percentEncoded(session, true);
    if (id != subjectID)
        names.warnings.push_back(changedWarning("subject ID", subjectID, id));
    if (sessionPart != session)
        names.warnings.push_back(changedWarning("session", session, sessionPart));

    std::string answers = id + "_" + sessionPart;
    if (answers.size() > maxAnswerBytes) {
        // The hash covers the full encoded answers, which stand for the answers
        // one to one. The cut never splits a %XX.
        const std::uint32_t hash = nameHash(answers);
        std::size_t cut = maxAnswerBytes - 1 - hashDigits;
        if (answers[cut - 1] == '%')
            cut -= 1;
        else if (answers[cut - 2] == '%')
            cut -= 2;
        answers.resize(cut);
        answers += '~';
        for (int shift = 28; shift >= 0; shift -= 4)
            answers += hexDigits[(hash >> shift) & 0xF];
        names.warnings.push_back("WARNING > the subject ID and session are too long for a file name; the result "
                                 "files are named \"ZOT_vive_" +
                                 answers +
                                 "...\" (cut, and ending in a hash of the full answers); the history file keeps "
                                 "the answers in full");
    }
    const std::string stem = "ZOT_vive_" + answers;
    names.data = stem + ".dat";
    names.practice = stem + "_practice.dat";
    names.history = stem + "_history.dat";
    names.timing = stem + "_timing.dat";
    return names;
}

std::string printableAnswer(const std::string& answer)
{
    std::string text;
    for (const char byte : answer) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 32 || c == 127) {
            text += "\\x";
            appendHexByte(text, c);
        } else {
            text += byte;
        }
    }
    return text;
}
