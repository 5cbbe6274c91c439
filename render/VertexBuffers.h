#pragma once

#include "GlName.h"

#include <cstddef>
#include <span>

/// The position buffer (attribute 0) and texture-coordinate buffer (attribute 2)
/// of one piece of textured geometry. Nothing is created until the first upload.
/// Attributes 0 and 2 must be enabled on the bound vertex array.
class VertexBuffers {
public:
    /// Replaces the vertex data, creating the buffers on first use. A buffer is
    /// reallocated only when the data outgrow it; otherwise its storage is reused.
    void upload(std::span<const float> positions, std::span<const float> texCoords);

    /// Draws count vertices as mode with texture bound to unit 0's GL_TEXTURE_2D;
    /// positions have positionComponents floats (2 or 3) per vertex.
    void draw(GLuint texture, GLenum mode, GLint positionComponents, GLsizei count) const;

    bool created() const { return static_cast<bool>(positions_.name); }

private:
    struct Buffer {
        GlBuffer name;
        std::size_t capacityBytes = 0;
    };
    static void fill(Buffer& buffer, std::span<const float> data);

    Buffer positions_;
    Buffer texCoords_;
};
