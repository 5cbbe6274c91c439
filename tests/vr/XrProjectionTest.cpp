#include "XrProjection.h"

#include <gtest/gtest.h>

#include <ostream>

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

struct FovCase {
    const char* name;
    XrFovf fov;
};

void PrintTo(const FovCase& c, std::ostream* out)
{
    *out << c.name;
}

class ProjectionFromFov : public testing::TestWithParam<FovCase> {};

// Points on the edges of the field of view must land on the matching edges of
// clip space: a swap of left and right or of up and down moves them to the
// opposite edge, since every field of view here is off-centre.
TEST_P(ProjectionFromFov, EdgesOfTheFieldOfViewLandOnTheEdgesOfClipSpace)
{
    const XrFovf fov = GetParam().fov;
    const ProjectionMatrix m = projectionFromFov(fov, 0.1f, 5000.0f);
    for (const float depth : {0.5f, 3.0f, 400.0f}) {
        SCOPED_TRACE(depth);
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

// The straight-ahead direction sits where the tangents put it: off-centre
// towards the narrower side.
TEST_P(ProjectionFromFov, StraightAheadSitsWhereTheTangentsPutIt)
{
    const XrFovf fov = GetParam().fov;
    const float l = std::tan(fov.angleLeft), r = std::tan(fov.angleRight);
    const float u = std::tan(fov.angleUp), d = std::tan(fov.angleDown);
    const Ndc ahead = project(projectionFromFov(fov, 0.1f, 5000.0f), 0.0f, 0.0f, -10.0f);
    EXPECT_NEAR(ahead.x, -(r + l) / (r - l), 1e-5f);
    EXPECT_NEAR(ahead.y, -(u + d) / (u - d), 1e-5f);
}

TEST_P(ProjectionFromFov, NearAndFarPlanesMapToDepthZeroAndOne)
{
    const ProjectionMatrix m = projectionFromFov(GetParam().fov, 0.1f, 5000.0f);
    EXPECT_NEAR(project(m, 0.0f, 0.0f, -0.1f).z, 0.0f, 1e-5f);
    EXPECT_NEAR(project(m, 0.0f, 0.0f, -5000.0f).z, 1.0f, 1e-5f);
    // Farther is deeper.
    EXPECT_LT(project(m, 0.0f, 0.0f, -2.0f).z, project(m, 0.0f, 0.0f, -20.0f).z);
}

INSTANTIATE_TEST_SUITE_P(Fovs, ProjectionFromFov,
                         testing::Values(FovCase{"leftEye", {-0.96f, 0.82f, 0.89f, -0.97f}},
                                         FovCase{"rightEye", {-0.82f, 0.96f, 0.89f, -0.97f}},
                                         FovCase{"lopsided", {-0.3f, 0.9f, 0.2f, -0.7f}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
