#pragma once

#include "ZOTTrial.h"

#include <array>
#include <cstdint>
#include <vector>

struct ZOTConfig;

/// Prototype indices of the COMBI plan: one sequence of 36 per block index modulo 3.
/// Over three blocks the six cross-group trials cover all nine position pairs.
extern const std::array<std::array<int, PROTOTYPE_COUNT>, 3> combiPlan;

/// The prototype of slot `slot` of block `blockIndex` (WHOLE and COMBI; slots from
/// 36 on in COMBI draw a random prototype).
int prototypeForSlot(const ZOTConfig& config, int blockIndex, int slot);

/// Puts the trials in random order with the program's generator (each order equally likely).
void shuffleTrials(std::vector<ZOTTrial>& trials);

/// One block of trials, made and shuffled at construction, walked through by advance.
struct ZOTBlock {
    std::int32_t blockIndex = 0; ///< 0 to blocksPerRun - 1; 0 for the practice block
    std::vector<ZOTTrial> trials; ///< in presentation order
    std::int32_t currentTrialIndex = -1; ///< -1 before the first trial

    /// Makes `trialsPerBlock` trials by `mode` and shuffles them.
    ZOTBlock(const ZOTConfig& config, int blockIndex);

    /// The trial at the current index, or nullptr before the first and after the last.
    const ZOTTrial* currentTrial() const;

    /// Moves to the next trial; false when the block is over.
    bool advance();
};
