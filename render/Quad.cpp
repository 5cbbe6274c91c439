#include "Quad.h"

QuadPositions2D quadPositions(float x, float y, float width, float height)
{
    return {x, y, x, y + height, x + width, y, x + width, y + height};
}

QuadPositions3D quadPositions(float x, float y, float z, float width, float height)
{
    return {x, y, z, x, y + height, z, x + width, y, z, x + width, y + height, z};
}

QuadTexCoords quadTexCoords(bool flipped)
{
    if (flipped)
        return {0, 1, 0, 0, 1, 1, 1, 0};
    return {0, 0, 0, 1, 1, 0, 1, 1};
}

TexturedQuad::TexturedQuad(float x, float y, float width, float height, GLuint texture, bool flipped)
    : positions_(quadPositions(x, y, width, height)), texCoords_(quadTexCoords(flipped)), texture_(texture)
{
}

void TexturedQuad::draw()
{
    // The geometry never changes, so it is uploaded once.
    if (!buffers_.created())
        buffers_.upload(positions_, texCoords_);
    buffers_.draw(texture_, GL_TRIANGLE_STRIP, 2, 4);
}

TexturedQuad3D::TexturedQuad3D(float x, float y, float z, float width, float height, GLuint texture, bool flipped)
    : positions_(quadPositions(x, y, z, width, height)), texCoords_(quadTexCoords(flipped)), texture_(texture)
{
}

void TexturedQuad3D::draw()
{
    if (!buffers_.created())
        buffers_.upload(positions_, texCoords_);
    buffers_.draw(texture_, GL_TRIANGLE_STRIP, 3, 4);
}
