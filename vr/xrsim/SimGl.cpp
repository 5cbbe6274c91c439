#include "SimGl.h"

#include "platform/SimPlatform.h"

namespace xrsim {

namespace {

template <typename Function>
bool lookUp(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(glProcAddress(name));
    return function != nullptr;
}

} // namespace

bool SimGl::load()
{
    return lookUp(genTextures, "glGenTextures") && lookUp(deleteTextures, "glDeleteTextures")
        && lookUp(bindTexture, "glBindTexture") && lookUp(texImage2D, "glTexImage2D")
        && lookUp(texParameteri, "glTexParameteri") && lookUp(getTexImage, "glGetTexImage")
        && lookUp(getIntegerv, "glGetIntegerv") && lookUp(pixelStorei, "glPixelStorei")
        && lookUp(bindBuffer, "glBindBuffer");
}

bool SimGl::contextCurrent()
{
    return glContextCurrent();
}

std::vector<GLuint> SimGl::createTextures(std::size_t count, GLenum internalFormat, GLsizei width,
                                          GLsizei height) const
{
    GLint boundTexture = 0;
    GLint boundUnpackBuffer = 0;
    getIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    getIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &boundUnpackBuffer);
    // With an unpack buffer bound, the null data pointer would be an offset into it.
    bindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);

    std::vector<GLuint> textures(count);
    genTextures(static_cast<GLsizei>(count), textures.data());
    for (const GLuint texture : textures) {
        bindTexture(GL_TEXTURE_2D, texture);
        texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        texParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        texImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(internalFormat), width, height, 0, GL_RGBA,
                   GL_UNSIGNED_BYTE, nullptr);
    }

    bindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    bindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(boundUnpackBuffer));
    return textures;
}

std::vector<std::uint8_t> SimGl::readTexture(GLuint texture, GLsizei width, GLsizei height) const
{
    GLint boundTexture = 0;
    GLint boundPackBuffer = 0;
    GLint packAlignment = 4;
    GLint packRowLength = 0;
    getIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    getIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &boundPackBuffer);
    getIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    getIntegerv(GL_PACK_ROW_LENGTH, &packRowLength);
    bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    pixelStorei(GL_PACK_ALIGNMENT, 1);
    pixelStorei(GL_PACK_ROW_LENGTH, 0);

    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    bindTexture(GL_TEXTURE_2D, texture);
    getTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    bindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    bindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(boundPackBuffer));
    pixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    pixelStorei(GL_PACK_ROW_LENGTH, packRowLength);
    return pixels;
}

} // namespace xrsim
