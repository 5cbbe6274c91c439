#include "XrProjection.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

struct Ndc {
    float x, y, z;
};

// Row-major: clip = M · (x, y, z, 1), then divided by w.
Ndc project(const ProjectionMatrix& m, float x, float y, float z)
{
    std::array<float, 4> clip{};
    for (int row = 0; row < 4; ++row)
        clip[row] = m[row * 4 + 0] * x + m[row * 4 + 1] * y + m[row * 4 + 2] * z + m[row * 4 + 3];
    return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
}

// A headset eye, and one off-centre both ways.
const XrFovf fovs[] = {{-0.96f, 0.82f, 0.89f, -0.97f}, {-0.3f, 0.9f, 0.2f, -0.7f}};

// Points on the edges of the field of view must land on the matching edges of
// clip space: a swap of left and right or of up and down moves them to the
// opposite edge, since every field of view here is off-centre. Two edges fix
// the straight-ahead direction too.
TEST(ProjectionFromFov, EdgesOfTheFieldOfViewLandOnTheEdgesOfClipSpace)
{
    for (const XrFovf& fov : fovs) {
        const ProjectionMatrix m = projectionFromFov(fov, 0.1f, 5000.0f);
        for (const float depth : {0.5f, 3.0f, 400.0f}) {
            SCOPED_TRACE(testing::Message() << "left " << fov.angleLeft << ", depth " << depth);
            const Ndc left = project(m, std::tan(fov.angleLeft) * depth, 0.0f, -depth);
            const Ndc right = project(m, std::tan(fov.angleRight) * depth, 0.0f, -depth);
            const Ndc up = project(m, 0.0f, std::tan(fov.angleUp) * depth, -depth);
            const Ndc down = project(m, 0.0f, std::tan(fov.angleDown) * depth, -depth);
            EXPECT_NEAR(left.x, -1.0f, 1e-4f);
            EXPECT_NEAR(right.x, 1.0f, 1e-4f);
            EXPECT_NEAR(up.y, 1.0f, 1e-4f);
            EXPECT_NEAR(down.y, -1.0f, 1e-4f);
        }
    }
}

TEST(ProjectionFromFov, NearAndFarPlanesMapToDepthZeroAndOne)
{
    for (const XrFovf& fov : fovs) {
        const ProjectionMatrix m = projectionFromFov(fov, 0.1f, 5000.0f);
        EXPECT_NEAR(project(m, 0.0f, 0.0f, -0.1f).z, 0.0f, 1e-5f);
        EXPECT_NEAR(project(m, 0.0f, 0.0f, -5000.0f).z, 1.0f, 1e-5f);
        // Farther is deeper.
        EXPECT_LT(project(m, 0.0f, 0.0f, -2.0f).z, project(m, 0.0f, 0.0f, -20.0f).z);
    }
}

} // namespace
