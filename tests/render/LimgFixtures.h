#pragma once

#include "Limg.h"

/// A width × height picture whose bytes all differ from their neighbours, so a
/// swapped row, column or channel shows.
LimgImage patternedLimg(std::uint32_t width, std::uint32_t height);
