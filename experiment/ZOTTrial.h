#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct ZOTConfig;

/// The stimulus alphabet; a letter index i stands for ALPHABET[i].
inline constexpr std::string_view ALPHABET = "ABDEFGHJKLMNOPRSTUVX";

/// Position types of a trial.
enum PositionType : std::uint8_t { EMPTY = 0, TARGET = 1, DISTRACTOR = 2 };

/// Letter index of a position that shows no letter.
inline constexpr std::int32_t NO_LETTER = -2;

/// Number of condition prototypes (the design's 24 conditions, some in three variants).
inline constexpr int PROTOTYPE_COUNT = 36;

/// One trial, or one of the condition prototypes trials are made from.
/// Positions 0 to 5 are the places on the stimulus circle.
struct ZOTTrial {
    std::int32_t condition = 0;      ///< 1 to 24
    std::int32_t exposureMs = 0;     ///< what the whole frames give, rounded
    std::int32_t exposureFrames = 0; ///< exposure in display frames
    std::array<std::uint8_t, 6> positionType{}; ///< PositionType per position
    std::array<std::int32_t, 6> letter{};       ///< index into ALPHABET, or NO_LETTER
    std::int32_t depthIndex = 0; ///< 0: base depth; k: the k-th entry of `depths`

    /// The prototypes, built by init; index 0 to 35.
    static std::array<ZOTTrial, PROTOTYPE_COUNT> conditionTable;

    /// Builds conditionTable from the design, converting each exposure into whole
    /// frames at the configured `refreshRate` (which must be settled and positive).
    /// Prints "ZOTTrial > init".
    static void init(const ZOTConfig& config);

    /// A prototype (no letters).
    ZOTTrial() = default;
    /// A trial made from conditionTable[prototype], drawing its depth index (with
    /// depth perception on) and six pairwise different letters from the random generator.
    ZOTTrial(const ZOTConfig& config, int prototype);
};

/// The six characters of the given position type: the letter where the position
/// has that type, else '0'.
std::string lettersOfType(const ZOTTrial& trial, PositionType type);

/// The trial as the result files describe it: condition, exposureMs, targets,
/// distractors, separated by tabs (e.g. "7\t83\tKP0000\t000000").
std::string stimulusDescription(const ZOTTrial& trial);

/// How the letters of a report score against a trial. Order does not matter; a
/// letter counts as correct when it is one of the trial's targets (typed twice, it
/// counts twice), otherwise as wrong.
struct ReportScore {
    unsigned correct = 0;
    unsigned wrong = 0;
};
ReportScore scoreLetters(const ZOTTrial& trial, std::string_view report);
