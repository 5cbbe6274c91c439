#include "ZOTTrial.h"

#include "Random.h"
#include "ZOTConfig.h"

#include <cmath>
#include <iostream>

std::array<ZOTTrial, PROTOTYPE_COUNT> ZOTTrial::conditionTable{};

namespace {

struct Design {
    std::int32_t condition;
    float nominalMs;
    std::array<std::uint8_t, 6> positionType;
};

// Conditions 1-6: whole report at six exposures. 7-15: two targets alone, 16-24:
// two targets among four distractors, all at 80 ms. The conditions with one target
// in positions 0-2 and the other in 3-5 (13-15, 22-24) exist once per first position.
const Design design[PROTOTYPE_COUNT] = {
    {1, 10, {1, 1, 1, 1, 1, 1}},  {2, 20, {1, 1, 1, 1, 1, 1}},  {3, 50, {1, 1, 1, 1, 1, 1}},
    {4, 80, {1, 1, 1, 1, 1, 1}},  {5, 140, {1, 1, 1, 1, 1, 1}}, {6, 200, {1, 1, 1, 1, 1, 1}},
    {7, 80, {1, 1, 0, 0, 0, 0}},  {8, 80, {1, 0, 1, 0, 0, 0}},  {9, 80, {0, 1, 1, 0, 0, 0}},
    {10, 80, {0, 0, 0, 1, 1, 0}}, {11, 80, {0, 0, 0, 1, 0, 1}}, {12, 80, {0, 0, 0, 0, 1, 1}},
    {13, 80, {1, 0, 0, 1, 0, 0}}, {14, 80, {1, 0, 0, 0, 1, 0}}, {15, 80, {1, 0, 0, 0, 0, 1}},
    {13, 80, {0, 1, 0, 1, 0, 0}}, {14, 80, {0, 1, 0, 0, 1, 0}}, {15, 80, {0, 1, 0, 0, 0, 1}},
    {13, 80, {0, 0, 1, 1, 0, 0}}, {14, 80, {0, 0, 1, 0, 1, 0}}, {15, 80, {0, 0, 1, 0, 0, 1}},
    {16, 80, {1, 1, 2, 2, 2, 2}}, {17, 80, {1, 2, 1, 2, 2, 2}}, {18, 80, {2, 1, 1, 2, 2, 2}},
    {19, 80, {2, 2, 2, 1, 1, 2}}, {20, 80, {2, 2, 2, 1, 2, 1}}, {21, 80, {2, 2, 2, 2, 1, 1}},
    {22, 80, {1, 2, 2, 1, 2, 2}}, {23, 80, {1, 2, 2, 2, 1, 2}}, {24, 80, {1, 2, 2, 2, 2, 1}},
    {22, 80, {2, 1, 2, 1, 2, 2}}, {23, 80, {2, 1, 2, 2, 1, 2}}, {24, 80, {2, 1, 2, 2, 2, 1}},
    {22, 80, {2, 2, 1, 1, 2, 2}}, {23, 80, {2, 2, 1, 2, 1, 2}}, {24, 80, {2, 2, 1, 2, 2, 1}},
};

} // namespace

void ZOTTrial::init(const ZOTConfig& config)
{
    std::cout << "ZOTTrial > init" << std::endl;
    // Single precision and halves away from zero, so the frame counts and the
    // recorded milliseconds are those analyses of earlier sessions assume
    // (50 ms at 90 Hz is 4.5 frames and becomes 5).
    const float frameMs = 1000.0f / config.refreshRate;
    for (int k = 0; k < PROTOTYPE_COUNT; ++k) {
        ZOTTrial& prototype = conditionTable[k];
        prototype = ZOTTrial{};
        prototype.condition = design[k].condition;
        prototype.positionType = design[k].positionType;
        prototype.exposureFrames = static_cast<std::int32_t>(std::lroundf(design[k].nominalMs / frameMs));
        prototype.exposureMs = static_cast<std::int32_t>(std::lroundf(prototype.exposureFrames * frameMs));
    }
}

ZOTTrial::ZOTTrial(const ZOTConfig& config, int prototype)
{
    const ZOTTrial& from = conditionTable[prototype];
    condition = from.condition;
    exposureMs = from.exposureMs;
    exposureFrames = from.exposureFrames;
    positionType = from.positionType;
    // The draws and their order decide the trial lists of a seed: depth first, then
    // letters position by position, redrawing a letter an earlier position has.
    if (config.enableDepthPerception)
        depthIndex = nextRandom() % static_cast<int>(config.depths.size() + 1);
    for (int position = 0; position < 6; ++position) {
        if (positionType[position] == EMPTY) {
            letter[position] = NO_LETTER;
            continue;
        }
        int drawn = 0;
        bool taken = true;
        while (taken) {
            drawn = nextRandom() % static_cast<int>(ALPHABET.size());
            taken = false;
            for (int earlier = 0; earlier < position; ++earlier)
                taken = taken || letter[earlier] == drawn;
        }
        letter[position] = drawn;
    }
}

std::string lettersOfType(const ZOTTrial& trial, PositionType type)
{
    std::string characters(6, '0');
    for (int position = 0; position < 6; ++position)
        if (trial.positionType[position] == type && trial.letter[position] >= 0)
            characters[position] = ALPHABET[trial.letter[position]];
    return characters;
}

std::string stimulusDescription(const ZOTTrial& trial)
{
    return std::to_string(trial.condition) + '\t' + std::to_string(trial.exposureMs) + '\t' +
           lettersOfType(trial, TARGET) + '\t' + lettersOfType(trial, DISTRACTOR);
}

ReportScore scoreLetters(const ZOTTrial& trial, std::string_view report)
{
    const std::string targets = lettersOfType(trial, TARGET);
    ReportScore score;
    for (char typed : report) {
        if (typed != '0' && targets.find(typed) != std::string::npos)
            ++score.correct;
        else
            ++score.wrong;
    }
    return score;
}
