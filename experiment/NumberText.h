#pragma once

#include <string>

/// A float as an output stream writes it by default: six significant digits, no
/// trailing zeros (87.5, 66.6667, 100). The result files and screens use this form.
std::string floatText(float value);
