#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

/// One trial record of a result file, its fields as the file holds them.
struct DatTrial {
    int condition = 0;
    /// The recorded exposure in ms (whole ms in zot's files; other programs may
    /// write decimals).
    double exposureMs = 0.0;
    /// Six places, positions 0 to 5: the letter where a place holds a target
    /// (distractor), else '0'.
    std::string targets;
    std::string distractors;
    /// The typed letters in typing order; "-" when nothing was typed.
    std::string report;
};

/// The trials after one count line.
struct DatSession {
    std::string fileName;
    /// 1 for the first count line of the file, and so on.
    int number = 1;
    /// The trials the count line announced; a session cut short holds fewer.
    long long announced = 0;
    std::vector<DatTrial> trials;
};

/// A line the reader cannot take; the message begins "FILE:LINE: ".
class DatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Reads a result file's text: every count line (one whole number) starts a new
/// session, then one record per line, `condition exposureMs targets distractors
/// report [depth]`, fields separated by blanks or tabs. A trailing tab, CR LF
/// line ends and blank lines are accepted; any other deviation throws DatError
/// naming `fileName` and the line. Safe on any bytes.
std::vector<DatSession> parseDat(std::string_view text, const std::string& fileName);

/// parseDat of the file at path; a file that cannot be read throws DatError.
std::vector<DatSession> readDatFile(const std::string& path);
