#include "Quad.h"

#include <gtest/gtest.h>

namespace {

TEST(QuadGeometry, CornersFormAStripOverTheRectangle)
{
    const QuadPositions2D flat = quadPositions(10, 20, 30, 40);
    EXPECT_EQ(flat, (QuadPositions2D{10, 20, 10, 60, 40, 20, 40, 60}));
    const QuadPositions3D deep = quadPositions(-3, -2, -70, 6, 4);
    EXPECT_EQ(deep, (QuadPositions3D{-3, -2, -70, -3, 2, -70, 3, -2, -70, 3, 2, -70}));
}

} // namespace
