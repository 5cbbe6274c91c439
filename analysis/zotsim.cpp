// zotsim: writes the result files of a session answered by a simulated
// observer, without a window. The session is zot's own: the same configuration,
// seed, run generator, keyboard handling and record writer, driven frame by
// frame on a simulated clock, so the files have exactly the layout of real ones.
#include "Autopilot.h"
#include "Clock.h"
#include "ExperimentScreen.h"
#include "ObserverSetting.h"
#include "ResultFileNames.h"
#include "ResultWriter.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"
#include "ZOTTrial.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <string>

namespace {

constexpr const char* USAGE =
    "usage: zotsim [C,K,t0,alpha,wLeft] [--config FILE] [--seed N] [--observer-seed N] [--refresh HZ]\n"
    "              [--subject ID] [--session S] [--logs FOLDER]\n"
    "  Plays one session of zot.cfg's design (or FILE's) with a simulated observer and writes its\n"
    "  result files into FOLDER (default logs). C letters/s, K mean capacity, t0 ms, alpha, wLeft;\n"
    "  without them, the observer of zot.cfg's autopilot key.\n"
    "  --seed draws the trial lists (default: zot.cfg's randomSeed, else the time); the observer's\n"
    "  seed defaults to the same number. Subject ID (default sim) and session (default 1) name the\n"
    "  files; a file of that name must not exist yet.";

/// Time that moves only when the session plays a frame.
class SimulatedClock final : public Clock {
public:
    std::int32_t now = 0;
    std::int32_t milliseconds() const override { return now; }
};

/// zotsim shows nothing.
class NoScreen final : public ExperimentScreen {
public:
    void setReportText(const std::string&) override {}
    void setFeedbackText(const std::string&) override {}
    void setBlockText(const std::string&) override {}
    void setLetterTextures() override {}
};

bool isPlainName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (unsigned char c : name)
        if (!std::isalnum(c) && c != '-' && c != '_' && c != '.')
            return false;
    return true;
}

std::optional<std::uint64_t> wholeNumber(const std::string& text, std::uint64_t max)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 19)
        return std::nullopt;
    const std::uint64_t value = std::stoull(text);
    if (value > max)
        return std::nullopt;
    return value;
}

int usageError(const std::string& message)
{
    std::cerr << "zotsim: ERROR: " << message << "\n" << USAGE << std::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<ObserverSetting> setting;
    std::filesystem::path configFile = "zot.cfg";
    std::optional<std::uint32_t> seed;
    std::optional<std::uint64_t> observerSeed;
    std::optional<float> refresh;
    SubjectData subject;
    subject.subjectID = "sim";
    subject.session = "1";
    std::filesystem::path logs = "logs";

    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!argument.starts_with("--")) {
            if (setting)
                return usageError("unexpected argument \"" + argument + "\"");
            std::string problem;
            setting = parseObserverSetting(argument, problem);
            if (!setting)
                return usageError("observer \"" + argument + "\": " + problem);
            continue;
        }
        if (i + 1 >= argc)
            return usageError(argument + " needs a value");
        const std::string value = argv[++i];
        if (argument == "--config") {
            configFile = value;
        } else if (argument == "--seed") {
            const auto number = wholeNumber(value, std::numeric_limits<std::uint32_t>::max());
            if (!number)
                return usageError("--seed \"" + value + "\" is not a number from 0 to 4294967295");
            seed = static_cast<std::uint32_t>(*number);
        } else if (argument == "--observer-seed") {
            observerSeed = wholeNumber(value, std::numeric_limits<std::uint64_t>::max());
            if (!observerSeed)
                return usageError("--observer-seed \"" + value + "\" is not a whole number");
        } else if (argument == "--refresh") {
            char* end = nullptr;
            const float hz = std::strtof(value.c_str(), &end);
            if (*end != '\0' || !(hz >= 20.0f && hz <= 1000.0f))
                return usageError("--refresh \"" + value + "\" is not a rate from 20 to 1000 Hz");
            refresh = hz;
        } else if (argument == "--subject" || argument == "--session") {
            if (!isPlainName(value))
                return usageError(argument + " \"" + value + "\": letters, digits, '.', '_' and '-' only");
            (argument == "--subject" ? subject.subjectID : subject.session) = value;
        } else if (argument == "--logs") {
            logs = value;
        } else {
            return usageError("unknown option \"" + argument + "\"");
        }
    }
    // Appending to an existing file would mix simulated trials into a subject's data.
    const ResultFileNames names = resultFileNames(subject.subjectID, subject.session);
    for (const std::string& name : {names.data, names.practice, names.history}) {
        const std::filesystem::path file = logs / name;
        if (std::filesystem::exists(file))
            return usageError(file.string() + " exists already; choose another --subject, --session or --logs");
    }

    ZOTConfig config(configFile, std::cout);
    if (!setting)
        setting = config.autopilot;
    if (!setting)
        return usageError("no observer: give C,K,t0,alpha,wLeft or set autopilot in " + configFile.string());
    const TvaParameters parameters = observerParameters(*setting);
    if (seed)
        config.randomSeed = seed;
    if (refresh)
        config.refreshRate = *refresh;
    if (config.display == MONITOR && !(config.refreshRate > 0.0f))
        return usageError("zot.cfg leaves the refresh rate to the monitor; give it with --refresh HZ");

    SimulatedClock clock;
    ZOTExperiment experiment(&config, clock);
    ZOTTrial::init(config);
    experiment.createRun(subject, logs);
    NoScreen screen;
    Autopilot autopilot(experiment, screen, clock, parameters, observerSeed.value_or(experiment.seed()));

    // One pass per display frame, as the frame loop of zot runs them.
    const double period = 1000.0 / config.refreshRate;
    for (std::int64_t frame = 1;; ++frame) {
        experiment.updateTimeline();
        experiment.framePresented();
        if (autopilot.onFrame())
            break;
        clock.now = static_cast<std::int32_t>(std::llround(static_cast<double>(frame) * period));
    }
    std::cout << "zotsim > " << autopilotText(parameters) << ": session written to "
              << (logs / experiment.run()->dataFile()).string() << std::endl;
    // A session with lost lines is no session to analyse.
    sessionResultWriter().reportLosses(std::cerr);
    return sessionResultWriter().linesLost() > 0 ? 3 : 0;
}
