#include "XrProjection.h"

#include <cmath>

ProjectionMatrix projectionFromFov(const XrFovf& fov, float nearZ, float farZ)
{
    const float left = std::tan(fov.angleLeft);
    const float right = std::tan(fov.angleRight);
    const float up = std::tan(fov.angleUp);
    const float down = std::tan(fov.angleDown);

    ProjectionMatrix m{};
    m[0 * 4 + 0] = 2.0f / (right - left);
    m[0 * 4 + 2] = (right + left) / (right - left);
    m[1 * 4 + 1] = 2.0f / (up - down);
    m[1 * 4 + 2] = (up + down) / (up - down);
    m[2 * 4 + 2] = -farZ / (farZ - nearZ);
    m[2 * 4 + 3] = -farZ * nearZ / (farZ - nearZ);
    m[3 * 4 + 2] = -1.0f;
    return m;
}
