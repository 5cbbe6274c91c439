#include "Quad.h"

#include <gtest/gtest.h>

namespace {

// The first row of a LIMG file has v = 0. Normal coordinates put it along the
// smaller y (the top on the monitor), flipped along the larger y (the top in
// the headset). u = 0 is always along the smaller x.
void expectFirstRowAt(const float* positions, std::size_t stride, const QuadTexCoords& uv, bool atSmallerY)
{
    const float minX = std::min({positions[0], positions[stride], positions[2 * stride], positions[3 * stride]});
    const float minY =
        std::min({positions[1], positions[stride + 1], positions[2 * stride + 1], positions[3 * stride + 1]});
    for (std::size_t v = 0; v < 4; ++v) {
        const bool left = positions[v * stride] == minX;
        const bool smallerY = positions[v * stride + 1] == minY;
        EXPECT_EQ(uv[2 * v], left ? 0.0f : 1.0f) << "vertex " << v;
        EXPECT_EQ(uv[2 * v + 1], smallerY == atSmallerY ? 0.0f : 1.0f) << "vertex " << v;
    }
}

TEST(QuadGeometry, CornersFormAStripOverTheRectangle)
{
    const QuadPositions2D flat = quadPositions(10, 20, 30, 40);
    EXPECT_EQ(flat, (QuadPositions2D{10, 20, 10, 60, 40, 20, 40, 60}));
    const QuadPositions3D deep = quadPositions(-3, -2, -70, 6, 4);
    EXPECT_EQ(deep, (QuadPositions3D{-3, -2, -70, -3, 2, -70, 3, -2, -70, 3, 2, -70}));
}

TEST(QuadGeometry, NormalAndFlippedPutTheFirstRowOnOppositeEdges)
{
    for (bool flipped : {false, true}) {
        SCOPED_TRACE(flipped ? "flipped" : "normal");
        const TexturedQuad quad(5, 6, 7, 8, 0, flipped);
        expectFirstRowAt(quad.positions().data(), 2, quad.texCoords(), !flipped);
        const TexturedQuad3D quad3D(5, 6, -1, 7, 8, 0, flipped);
        expectFirstRowAt(quad3D.positions().data(), 3, quad3D.texCoords(), !flipped);
    }
}

} // namespace
