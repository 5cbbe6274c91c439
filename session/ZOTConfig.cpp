#include "ZOTConfig.h"

#include "ObserverSetting.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

// Keys are matched exactly: no blanks trimmed, case matters.
// Lengths on screen or in the scene: one of 0 or below, or not a finite number,
// would draw letters, masks or texts of no size at all.
const std::pair<const char*, float ZOTConfig::*> sizeKeys[] = {
    {"size", &ZOTConfig::size},                   {"radius", &ZOTConfig::radius},
    {"sizeMonitor", &ZOTConfig::sizeMonitor},     {"radiusMonitor", &ZOTConfig::radiusMonitor},
    {"fixCrossSize", &ZOTConfig::fixCrossSize},   {"reportTextSize", &ZOTConfig::reportTextSize},
};
const std::pair<const char*, float ZOTConfig::*> positionKeys[] = {
    {"yRoot", &ZOTConfig::yRoot},
    {"zDepth", &ZOTConfig::zDepth},
};
constexpr const char* utf8ByteOrderMark = "\xEF\xBB\xBF";
// The rates a display can have; 0 and below ask for the monitor's own rate.
constexpr float lowestRefreshRate = 20.0f;
constexpr float highestRefreshRate = 1000.0f;
const std::pair<const char*, std::int32_t ZOTConfig::*> countKeys[] = {
    {"blocksPerRun", &ZOTConfig::blocksPerRun},
    {"trialsPerBlock", &ZOTConfig::trialsPerBlock},
};
const std::pair<const char*, bool ZOTConfig::*> boolKeys[] = {
    {"practiceBlock", &ZOTConfig::practiceBlock},
    {"showFPS", &ZOTConfig::showFPS},
    {"consoleDebugInfo", &ZOTConfig::consoleDebugInfo},
    {"debugQuad", &ZOTConfig::debugQuad},
    {"fullscreen", &ZOTConfig::fullscreen},
    {"subjectInput", &ZOTConfig::subjectInput},
    {"enableDepthPerception", &ZOTConfig::enableDepthPerception},
};
const std::pair<const char*, std::vector<std::int32_t> ZOTConfig::*> intListKeys[] = {
    {"depthAngles", &ZOTConfig::depthAngles},
    {"depthLines", &ZOTConfig::depthLines},
};
const std::pair<const char*, std::string ZOTConfig::*> textKeys[] = {
    {"textWelcome", &ZOTConfig::textWelcome},
    {"textBeforeBlock", &ZOTConfig::textBeforeBlock},
    {"textAfterBlock", &ZOTConfig::textAfterBlock},
    {"textDone", &ZOTConfig::textDone},
    {"textInputSubjectID", &ZOTConfig::textInputSubjectID},
    {"textInputSubjectCode", &ZOTConfig::textInputSubjectCode},
    {"textInputSession", &ZOTConfig::textInputSession},
    {"textInputAge", &ZOTConfig::textInputAge},
    {"textInputGender", &ZOTConfig::textInputGender},
    {"textInputHandedness", &ZOTConfig::textInputHandedness},
    {"textInputVisionaid", &ZOTConfig::textInputVisionaid},
};

/// Cuts text at every separator. Adjacent separators give an empty piece, but a
/// final separator does not start one ("a=" is one piece, "a==" two).
std::vector<std::string> cut(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::istringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, separator))
        pieces.push_back(piece);
    return pieces;
}

/// Reads a number the way a formatted stream does from the start of text (blanks
/// skipped, "12abc" gives 12); no number, or one out of range, gives 0.
template <typename Number>
Number readNumber(const std::string& text)
{
    std::istringstream stream(text);
    Number value{};
    stream >> value;
    return stream.fail() ? Number{} : value;
}

Color readColor(const std::string& text, Color fallback)
{
    const std::vector<std::string> pieces = cut(text, ',');
    if (pieces.size() != 4)
        return fallback;
    Color color;
    for (std::size_t i = 0; i < 4; ++i)
        color[i] = static_cast<std::uint8_t>(readNumber<std::int32_t>(pieces[i])); // low 8 bits: 256 -> 0, -1 -> 255
    return color;
}

/// Stores a length read from text, unless it is not above 0 (text that holds
/// no number reads as 0): then the field keeps its value, and a warning says so.
void setSize(const char* key, float& field, const std::string& text, std::ostream& console)
{
    const float value = readNumber<float>(text);
    if (std::isfinite(value) && value > 0.0f) {
        field = value;
        return;
    }
    console << "WARNING > " << key << "=" << text << " is not a size above 0; " << key << " stays " << field
            << std::endl;
}

template <typename Number>
void appendList(std::vector<Number>& list, const std::string& text)
{
    for (const std::string& piece : cut(text, ','))
        list.push_back(readNumber<Number>(piece));
}

template <typename Number>
void echoList(std::ostream& console, const char* label, const std::vector<Number>& list)
{
    console << label;
    for (Number value : list)
        console << value << "   ";
    console << std::endl;
}

} // namespace

ZOTConfig::ZOTConfig() : ZOTConfig(std::filesystem::path("zot.cfg"), std::cout) {}

ZOTConfig::ZOTConfig(const std::filesystem::path& file, std::ostream& console)
{
    // A missing file is no error: the defaults are a complete setting. A file
    // that is there but cannot be read is not what the experimenter meant.
    std::ifstream stream;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        if (std::filesystem::is_directory(file, error))
            console << "WARNING > " << file.string() << " is a folder, not a file; every setting keeps its default"
                    << std::endl;
        else if (stream.open(file); !stream)
            console << "WARNING > " << file.string() << " cannot be read (" << std::strerror(errno)
                    << "); every setting keeps its default" << std::endl;
    }
    read(stream, console);
}

ZOTConfig::ZOTConfig(std::istream& file, std::ostream& console)
{
    read(file, console);
}

void ZOTConfig::read(std::istream& file, std::ostream& console)
{
    std::string line;
    for (bool first = true; std::getline(file, line); first = false) {
        // Editors on Windows may start the file with a UTF-8 byte-order mark.
        if (first && line.rfind(utf8ByteOrderMark, 0) == 0)
            line.erase(0, std::string_view(utf8ByteOrderMark).size());
        // The file may come from Windows: a CR before the LF is not part of the line.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const std::vector<std::string> pieces = cut(line, '=');
        if (pieces.size() < 2)
            continue;
        apply(pieces[0], pieces[1], console);
    }
    fixUp(console);
    echo(console);
}

void ZOTConfig::apply(const std::string& key, const std::string& value, std::ostream& console)
{
    if (key == "refreshRate")
        refreshRate = readNumber<float>(value); // checked once the display is known
    for (const auto& [name, field] : sizeKeys)
        if (key == name)
            setSize(name, this->*field, value, console);
    for (const auto& [name, field] : positionKeys)
        if (key == name)
            this->*field = readNumber<float>(value);
    for (const auto& [name, field] : countKeys)
        if (key == name)
            this->*field = std::max(1, readNumber<std::int32_t>(value));
    for (const auto& [name, field] : boolKeys)
        if (key == name)
            this->*field = readNumber<std::int32_t>(value) != 0;
    for (const auto& [name, field] : intListKeys)
        if (key == name)
            appendList(this->*field, value);
    for (const auto& [name, field] : textKeys)
        if (key == name)
            this->*field = value;

    if (key == "display") {
        if (value == "VIVE" || value == "HMD")
            display = VIVE;
        else if (value == "MONITOR")
            display = MONITOR;
    } else if (key == "mode") {
        if (value == "WHOLE")
            mode = WHOLE;
        else if (value == "PARTIAL")
            mode = PARTIAL;
        else if (value == "COMBI")
            mode = COMBI;
    } else if (key == "backgroundColor") {
        backgroundColor = readColor(value, {0, 0, 0, 255});
    } else if (key == "lineColor") {
        lineColor = readColor(value, {255, 255, 255, 255});
    } else if (key == "depths") {
        appendList(depths, value);
    } else if (key == "randomSeed") {
        // A seed that cannot be used must not pass unnoticed: the session would not
        // be reproducible although the file says so.
        std::istringstream stream(value);
        long long seed = -1;
        stream >> seed;
        if (!stream.fail() && seed >= 0 && seed <= std::numeric_limits<std::uint32_t>::max())
            randomSeed = static_cast<std::uint32_t>(seed);
        else
            console << "WARNING > randomSeed \"" << value
                    << "\" is not a number from 0 to 4294967295; the calendar time seeds the random generator"
                    << std::endl;
    } else if (key == "autopilot") {
        // Simulated answers must never be taken for a person's: a value that names
        // no observer leaves the session to a person, and says so.
        std::string problem;
        autopilot = parseObserverSetting(value, problem);
        if (!autopilot)
            console << "WARNING > autopilot \"" << value << "\": " << problem
                    << "; the autopilot is off and a person answers" << std::endl;
    }
}

void ZOTConfig::fixUp(std::ostream& console)
{
    if (display == VIVE) {
        refreshRate = 90.0f;
    } else if (!std::isfinite(refreshRate) ||
               (refreshRate > 0.0f && (refreshRate < lowestRefreshRate || refreshRate > highestRefreshRate))) {
        // Such a rate would keep the fixation cross up for ever, or turn every
        // exposure into 0 frames.
        console << "WARNING > refreshRate = " << refreshRate << " is not a rate a display can have ("
                << lowestRefreshRate << " to " << highestRefreshRate
                << " Hz); the monitor's own rate is used (90 Hz when it reports none)" << std::endl;
        refreshRate = 0.0f;
    }
    if (depthAngles.size() != depthLines.size()) {
        console << "WARNING: Unequal number of depth angles and lines, this may lead to unwanted results"
                << std::endl;
        depthLines.resize(std::max(depthLines.size(), depthAngles.size()), 10);
        depthAngles.resize(depthLines.size(), 0);
    }
}

void ZOTConfig::echo(std::ostream& console) const
{
    const char* const rule = "##############################";
    console << std::endl << rule << std::endl << "ZOT Options" << std::endl;
    console << "display = " << display << std::endl;
    console << "mode = " << mode << std::endl;
    console << "blocksPerRun = " << blocksPerRun << std::endl;
    console << "trialsPerBlock = " << trialsPerBlock << std::endl;
    console << "practiceBlock = " << practiceBlock << std::endl;
    console << "size = " << size << std::endl;
    console << "radius = " << radius << std::endl;
    console << "yRoot = " << yRoot << std::endl;
    console << "zDepth = " << zDepth << std::endl;
    console << "sizeMonitor = " << sizeMonitor << std::endl;
    console << "radiusMonitor = " << radiusMonitor << std::endl;
    console << "fixCrossSize = " << fixCrossSize << std::endl;
    console << std::endl << "ZOT Render Options" << std::endl;
    console << "showFPS = " << showFPS << std::endl;
    console << "consoleDebugInfo = " << consoleDebugInfo << std::endl;
    console << "debugQuad = " << debugQuad << std::endl;
    console << "fullscreen = " << fullscreen << std::endl;
    console << std::endl << "ZOT Depth Perception Options" << std::endl;
    console << "enableDepthPerception = " << enableDepthPerception << std::endl;
    echoList(console, "depthAngles = ", depthAngles);
    echoList(console, "depthLines = ", depthLines);
    echoList(console, "depths = ", depths);
    console << rule << std::endl << std::endl;
}
