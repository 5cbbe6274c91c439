#pragma once

#include <GL/glew.h>

#include <cstdint>

/// Sets the tint of a letter place by its position type, before the place is
/// drawn: red for a target, blue for a distractor. An empty place keeps the tint
/// in force, so its blank tile shows in the tint of the letter before it; the
/// renderers reset the tint to white for every view.
void tintPlace(GLint colorLocation, std::uint8_t positionType);
