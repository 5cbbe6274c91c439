#include "Projection.h"

Matrix4 screenProjection(float width, float height)
{
    return {
        2 / width, 0, 0, -1,
        0, -2 / height, 0, 1,
        0, 0, 0.004f, -1,
        0, 0, 0, 1,
    };
}
