#pragma once

#include <ctime>

/// The local calendar date and time of a moment (thread-safe where the platform allows).
std::tm toLocalTime(std::time_t moment);
