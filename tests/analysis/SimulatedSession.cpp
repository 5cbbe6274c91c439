#include "SimulatedSession.h"

#include "ObserverSetting.h"

#include <algorithm>
#include <stdexcept>
#include <numeric>

namespace {

constexpr char alphabet[] = "ABDEFGHJKLMNOPRSTUVX";

struct Layout {
    int condition;
    int exposureMs;
    const char* types; // position 0 to 5: 0 empty, 1 target, 2 distractor
};

// Exposures at 90 Hz: 1, 2, 5, 7, 13 and 18 frames.
constexpr Layout whole[] = {{1, 11, "111111"}, {2, 22, "111111"}, {3, 56, "111111"},
                            {4, 78, "111111"}, {5, 144, "111111"}, {6, 200, "111111"}};
constexpr Layout sameHalf[] = {{7, 78, "110000"},  {8, 78, "101000"},  {9, 78, "011000"},  {10, 78, "000110"},
                               {11, 78, "000101"}, {12, 78, "000011"}, {16, 78, "112222"}, {17, 78, "121222"},
                               {18, 78, "211222"}, {19, 78, "222112"}, {20, 78, "222121"}, {21, 78, "222211"}};
constexpr Layout acrossHalves[3][6] = {
    {{13, 78, "100100"}, {14, 78, "100010"}, {15, 78, "100001"}, {22, 78, "212122"}, {23, 78, "212212"},
     {24, 78, "212221"}},
    {{13, 78, "010100"}, {14, 78, "010010"}, {15, 78, "010001"}, {22, 78, "221122"}, {23, 78, "221212"},
     {24, 78, "221221"}},
    {{13, 78, "001100"}, {14, 78, "001010"}, {15, 78, "001001"}, {22, 78, "122122"}, {23, 78, "122212"},
     {24, 78, "122221"}}};

DatTrial makeTrial(const Layout& layout, std::mt19937& random)
{
    std::string letters = alphabet;
    std::shuffle(letters.begin(), letters.end(), random);
    DatTrial trial{layout.condition, static_cast<double>(layout.exposureMs), "000000", "000000", "-"};
    for (int p = 0; p < 6; ++p) {
        if (layout.types[p] == '1')
            trial.targets[p] = letters[p];
        else if (layout.types[p] == '2')
            trial.distractors[p] = letters[p];
    }
    return trial;
}

} // namespace

std::vector<DatTrial> designedTrials(int blocks, std::mt19937& random)
{
    std::vector<DatTrial> trials;
    for (int b = 0; b < blocks; ++b) {
        std::vector<DatTrial> block;
        for (int repeat = 0; repeat < 3; ++repeat)
            for (const Layout& layout : whole)
                block.push_back(makeTrial(layout, random));
        for (const Layout& layout : sameHalf)
            block.push_back(makeTrial(layout, random));
        for (const Layout& layout : acrossHalves[b % 3])
            block.push_back(makeTrial(layout, random));
        std::shuffle(block.begin(), block.end(), random);
        trials.insert(trials.end(), block.begin(), block.end());
    }
    return trials;
}

std::string recordedReport(SimulatedObserver& observer, const DatTrial& trial, double exposureMs)
{
    const std::string report = observer.report(trial.targets, trial.distractors, exposureMs);
    return report.empty() ? "-" : report;
}

TvaParameters observerOf(const std::string& text)
{
    std::string problem;
    const std::optional<ObserverSetting> setting = parseObserverSetting(text, problem);
    if (!setting)
        throw std::invalid_argument(text + ": " + problem);
    return observerParameters(*setting);
}

double jsonValue(const std::string& line, const std::string& key)
{
    const std::size_t at = line.find("\"" + key + "\":");
    if (at == std::string::npos)
        throw std::invalid_argument("no key " + key + " in " + line);
    return std::stod(line.substr(at + key.size() + 3));
}

DatSession simulatedSession(const TvaParameters& params, int blocks, unsigned seed)
{
    std::mt19937 random(seed);
    DatSession session;
    session.fileName = "simulated.dat";
    session.trials = designedTrials(blocks, random);
    session.announced = static_cast<long long>(session.trials.size());
    SimulatedObserver observer(params, seed);
    for (DatTrial& trial : session.trials)
        trial.report = recordedReport(observer, trial, trial.exposureMs);
    return session;
}

std::string datText(const std::vector<DatSession>& sessions)
{
    std::string text;
    for (const DatSession& session : sessions) {
        text += std::to_string(session.announced) + "\n";
        for (const DatTrial& trial : session.trials)
            text += std::to_string(trial.condition) + "\t" + std::to_string(static_cast<int>(trial.exposureMs)) +
                    "\t" + trial.targets + "\t" + trial.distractors + "\t" + trial.report + "\t\n";
    }
    return text;
}
