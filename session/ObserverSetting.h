#pragma once

#include <optional>
#include <string>

/// A simulated observer as zot.cfg's `autopilot` key and zotsim name one.
struct ObserverSetting {
    double C = 0.0;     ///< processing speed, letters per second
    double K = 0.0;     ///< mean VSTM capacity
    double t0Ms = 0.0;  ///< perception threshold, ms
    double alpha = 0.0; ///< distractor weight relative to a target
    double wLeft = 0.0; ///< weight of places 3-5
};

/// Reads "C,K,t0,alpha,wLeft": C in letters per second (above 0), K the mean
/// capacity (0 to 6), t0 in ms (0 or more), alpha (0 or more), wLeft (0 to 1).
/// Blanks around a number are allowed. On any other text the result is empty
/// and problem says what is wrong.
std::optional<ObserverSetting> parseObserverSetting(const std::string& text, std::string& problem);

/// The setting as the console and the history name it:
/// "C=40 K=3.5 t0=15 alpha=0.5 wLeft=0.5".
std::string observerSettingText(const ObserverSetting& setting);
