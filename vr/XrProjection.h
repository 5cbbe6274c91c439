#pragma once

#include <openxr/openxr.h>

#include <array>

/// A 4 × 4 matrix, row-major (element [row * 4 + column]); upload with
/// glUniformMatrix4fv(..., GL_TRUE, ...).
using ProjectionMatrix = std::array<float, 16>;

/// The projection of one eye from the runtime's field of view (angles in
/// radians, left and down negative). Eye space looks down −z with +y up; the
/// edges of the field of view land on the edges of clip space, the near plane
/// at z = −nearZ on depth 0 and the far plane at z = −farZ on depth 1.
ProjectionMatrix projectionFromFov(const XrFovf& fov, float nearZ, float farZ);
