#include "Texture.h"

#include "Limg.h"

#include <iostream>

namespace {

GlTexture createTexture(const LimgImage& image, GLint filter, GLint wrap)
{
    GlTexture texture = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    // A 0 × 0 picture uploads no data; GL accepts a null pointer for it.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.empty() ? nullptr : image.pixels.data());
    return texture;
}

} // namespace

GlTexture loadLimg(const std::string& path)
{
    const LimgRead read = readLimgFile(path);
    if (read.fault != LimgFault::none) {
        std::cout << limgFaultMessage(read.fault, path) << std::endl;
        return {};
    }
    // Errors left by earlier calls would be blamed on this file.
    while (glGetError() != GL_NO_ERROR) {
    }
    GlTexture texture = createTexture(read.image, GL_LINEAR, GL_REPEAT);
    // A size the driver cannot hold leaves a texture without an image, which
    // would draw as black without a word; say so and give name 0 instead.
    if (glGetError() != GL_NO_ERROR) {
        std::cout << "ERROR: unable to create texture from file \"" << path << "\"" << std::endl;
        return {};
    }
    return texture;
}

GlTexture makeWhiteTexture()
{
    return createTexture({1, 1, {255, 255, 255, 255}}, GL_NEAREST, GL_REPEAT);
}
