#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

namespace xrsim {

/// The few GL entry points the runtime needs, taken from the driver of the
/// application's context. The runtime does not rely on the application having
/// loaded GL through any particular library.
struct SimGl {
    decltype(&::glGenTextures) genTextures = nullptr;
    decltype(&::glDeleteTextures) deleteTextures = nullptr;
    decltype(&::glBindTexture) bindTexture = nullptr;
    decltype(&::glTexImage2D) texImage2D = nullptr;
    decltype(&::glTexParameteri) texParameteri = nullptr;
    decltype(&::glGetTexImage) getTexImage = nullptr;
    decltype(&::glGetIntegerv) getIntegerv = nullptr;
    decltype(&::glPixelStorei) pixelStorei = nullptr;
    PFNGLBINDBUFFERPROC bindBuffer = nullptr;

    /// Looks every entry point up; false when one is missing.
    bool load();

    /// True when some GL context is current on this thread.
    static bool contextCurrent();

    /// `count` textures of the given size and sized internal format, with the
    /// application's texture and unpack-buffer bindings left as they were.
    std::vector<GLuint> createTextures(std::size_t count, GLenum internalFormat, GLsizei width,
                                       GLsizei height) const;

    /// The texture's level 0 as RGBA bytes, bottom row first, the stored bytes
    /// unconverted; the application's bindings and pack state are left as they were.
    std::vector<std::uint8_t> readTexture(GLuint texture, GLsizei width, GLsizei height) const;
};

} // namespace xrsim
