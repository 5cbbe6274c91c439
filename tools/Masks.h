#pragma once

#include "Coverage.h"
#include "FontFace.h"

/// Number of pattern masks the program loads ("Mask1.limg" to "Mask8.limg").
inline constexpr int MASK_COUNT = 8;

/// Pattern mask number (1 to MASK_COUNT): letter fragments of font, scaled, turned
/// and scattered over a TILE_SIZE tile until the middle, where letters stand, is
/// nearly covered. The same number always gives the same mask; different numbers
/// give different ones.
Coverage makeMask(FontFace& font, int number);
