#pragma once

#include "ZOTConfig.h"

#include <cstdint>
#include <string>
#include <string_view>

// The experiment's screen texts with their numbers filled in. Both renderers and
// the keyboard handler take them from here, so every screen says the same.

/// Replaces the first occurrence of placeholder in text by value; later occurrences
/// stay, and a text without the placeholder comes back unchanged.
std::string fillPlaceholder(std::string text, std::string_view placeholder, std::string_view value);

/// The first screen: `textWelcome` with the practice block's length when there is a
/// practice block, else the announcement of the current block.
std::string welcomeText(const ZOTConfig& config, int currentBlockIndex);

/// `textBeforeBlock` announcing block currentBlockIndex + 1 of `blocksPerRun`.
std::string beforeBlockText(const ZOTConfig& config, int currentBlockIndex);

/// A block's correct rate as the display shows it: the headset truncates to a whole
/// number (66), the monitor writes the float (66.6667).
std::string correctRateText(float rate, Display display);

/// `textAfterBlock` with the block's correct rate and mistakes.
std::string afterBlockText(const ZOTConfig& config, float rate, std::uint32_t mistakes);
