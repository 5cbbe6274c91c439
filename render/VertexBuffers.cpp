#include "VertexBuffers.h"

void VertexBuffers::fill(Buffer& buffer, std::span<const float> data)
{
    if (!buffer.name)
        buffer.name = GlBuffer::generate();
    glBindBuffer(GL_ARRAY_BUFFER, buffer.name.get());
    const std::size_t bytes = data.size_bytes();
    if (bytes > buffer.capacityBytes) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data.data(), GL_STATIC_DRAW);
        buffer.capacityBytes = bytes;
    } else if (bytes > 0) {
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), data.data());
    }
}

void VertexBuffers::upload(std::span<const float> positions, std::span<const float> texCoords)
{
    fill(positions_, positions);
    fill(texCoords_, texCoords);
}

void VertexBuffers::draw(GLuint texture, GLenum mode, GLint positionComponents, GLsizei count) const
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindBuffer(GL_ARRAY_BUFFER, positions_.name.get());
    glVertexAttribPointer(0, positionComponents, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, texCoords_.name.get());
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(mode, 0, count);
}
