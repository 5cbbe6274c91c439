#include "ZOTBlock.h"

#include "Random.h"
#include "ZOTConfig.h"

#include <utility>

namespace {

constexpr std::array<int, PROTOTYPE_COUNT> plan(std::array<int, 6> crossGroup)
{
    // Whole report three times per exposure, the same-group pairs without and with
    // distractors once each; only the six cross-group trials differ per plan.
    std::array<int, PROTOTYPE_COUNT> entries = {0, 0, 0, 1, 1, 1, 2, 2,  2,  3,  3,  3,  4,  4,  4,
                                                5, 5, 5, 6, 7, 8, 9, 10, 11, 21, 22, 23, 24, 25, 26};
    for (int i = 0; i < 6; ++i)
        entries[30 + i] = crossGroup[i];
    return entries;
}

} // namespace

const std::array<std::array<int, PROTOTYPE_COUNT>, 3> combiPlan = {
    plan({12, 13, 14, 30, 31, 32}),
    plan({15, 16, 17, 33, 34, 35}),
    plan({18, 19, 20, 27, 28, 29}),
};

int prototypeForSlot(const ZOTConfig& config, int blockIndex, int slot)
{
    if (config.mode == WHOLE)
        return slot % 6;
    if (slot < PROTOTYPE_COUNT)
        return combiPlan[blockIndex % 3][slot];
    return nextRandom() % PROTOTYPE_COUNT;
}

void shuffleTrials(std::vector<ZOTTrial>& trials)
{
    for (std::size_t k = 1; k < trials.size(); ++k)
        std::swap(trials[k], trials[randomUpTo(static_cast<int>(k))]);
}

ZOTBlock::ZOTBlock(const ZOTConfig& config, int blockIndex) : blockIndex(blockIndex)
{
    trials.reserve(config.trialsPerBlock);
    for (int slot = 0; slot < config.trialsPerBlock; ++slot)
        trials.emplace_back(config, prototypeForSlot(config, blockIndex, slot));
    shuffleTrials(trials);
}

const ZOTTrial* ZOTBlock::currentTrial() const
{
    if (currentTrialIndex < 0 || currentTrialIndex >= static_cast<std::int32_t>(trials.size()))
        return nullptr;
    return &trials[currentTrialIndex];
}

bool ZOTBlock::advance()
{
    ++currentTrialIndex;
    return currentTrialIndex != static_cast<std::int32_t>(trials.size());
}
