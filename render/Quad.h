#pragma once

#include "VertexBuffers.h"

#include <array>

/// Corners of a quad as a triangle strip: (x, y), (x, y + height),
/// (x + width, y), (x + width, y + height).
using QuadPositions2D = std::array<float, 8>;
/// The same corners with z on each.
using QuadPositions3D = std::array<float, 12>;
/// Texture coordinates (u, v) of the four corners.
using QuadTexCoords = std::array<float, 8>;

QuadPositions2D quadPositions(float x, float y, float width, float height);
QuadPositions3D quadPositions(float x, float y, float z, float width, float height);

/// Normal coordinates put v = 0 (the first row of a LIMG file) at the corner
/// with the smallest y, which is the top where y grows downwards (the monitor).
/// Flipped ones put it at the largest y, the top where y grows upwards (the
/// headset).
QuadTexCoords quadTexCoords(bool flipped);

/// A textured rectangle in the monitor's pixel space (y downwards), placed once.
/// Its buffers are made and filled on the first draw; only the texture changes
/// afterwards. The quad only shows its texture: whoever loaded the texture owns
/// and deletes it, since several quads (and the facade) share the same names.
/// Drawn with the program, "M_mvp", "color" and "sampler" the renderer has set.
class TexturedQuad {
public:
    /// (x, y) is the top-left corner. Makes no GL call.
    TexturedQuad(float x, float y, float width, float height, GLuint texture, bool flipped);

    void setTexture(GLuint texture) { texture_ = texture; }
    GLuint texture() const { return texture_; }
    void draw();

    const QuadPositions2D& positions() const { return positions_; }
    const QuadTexCoords& texCoords() const { return texCoords_; }

private:
    QuadPositions2D positions_;
    QuadTexCoords texCoords_;
    GLuint texture_;
    VertexBuffers buffers_;
};

/// The same in the headset's 3-D space (y upwards), in the plane z.
class TexturedQuad3D {
public:
    /// (x, y, z) is the lower-left corner. Makes no GL call.
    TexturedQuad3D(float x, float y, float z, float width, float height, GLuint texture, bool flipped);

    void setTexture(GLuint texture) { texture_ = texture; }
    GLuint texture() const { return texture_; }
    void draw();

    const QuadPositions3D& positions() const { return positions_; }
    const QuadTexCoords& texCoords() const { return texCoords_; }

private:
    QuadPositions3D positions_;
    QuadTexCoords texCoords_;
    GLuint texture_;
    VertexBuffers buffers_;
};
