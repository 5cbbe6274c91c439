#pragma once

#include <string>

/// `value` with exactly `decimals` digits after the point ("83.3", "5.00"),
/// independent of the locale, so timing files read the same everywhere.
std::string fixedDecimals(double value, int decimals);
