#pragma once

#include "TvaParameters.h"

#include <optional>
#include <string>

/// Reads "C,K,t0,alpha,wLeft", the form in which zot.cfg's `autopilot` key and
/// zotsim take a simulated observer: C in letters per second (above 0), K the
/// mean capacity (0 to 6, split between the two whole numbers around it), t0 in
/// ms (0 or more), alpha (0 or more), wLeft (0 to 1). Blanks around a number are
/// allowed. On any other text the result is empty and problem says what is wrong.
std::optional<TvaParameters> parseObserverParameters(const std::string& text, std::string& problem);
