#pragma once

#include <array>

/// A 4 × 4 matrix, row-major; upload with glUniformMatrix4fv(..., GL_TRUE, ...).
using Matrix4 = std::array<float, 16>;

/// Maps window pixels (origin top-left, y downwards) to clip space: (0, 0) to
/// the top-left corner, (width, height) to the bottom-right; z from 0 to 500 to
/// the depth range -1 to 1.
Matrix4 screenProjection(float width, float height);
