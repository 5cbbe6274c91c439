#pragma once

#include <GL/glew.h>

#include <utility>

/// Owner of one OpenGL object name. Move-only: a moved-from owner holds 0, and
/// 0 is never deleted, so an owner that never got a name costs no GL call.
/// Kind supplies `destroy(name)` and, for objects made by glGen*, `generate()`.
/// The GL context must be current when an owner holding a name is destroyed.
template <class Kind>
class GlName {
public:
    GlName() = default;
    explicit GlName(GLuint name) : name_(name) {}
    GlName(GlName&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
    GlName& operator=(GlName&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.name_, 0));
        return *this;
    }
    GlName(const GlName&) = delete;
    GlName& operator=(const GlName&) = delete;
    ~GlName() { reset(); }

    /// A new object of this kind.
    [[nodiscard]] static GlName generate()
        requires requires { Kind::generate(); }
    {
        return GlName(Kind::generate());
    }

    GLuint get() const { return name_; }
    explicit operator bool() const { return name_ != 0; }

    /// Deletes the held object (if any) and takes name instead.
    void reset(GLuint name = 0)
    {
        if (name_ != 0 && name_ != name)
            Kind::destroy(name_);
        name_ = name;
    }

    /// Gives up ownership without deleting.
    [[nodiscard]] GLuint release() { return std::exchange(name_, 0); }

private:
    GLuint name_ = 0;
};

struct GlBufferKind {
    static GLuint generate();
    static void destroy(GLuint name);
};
struct GlTextureKind {
    static GLuint generate();
    static void destroy(GLuint name);
};
struct GlFramebufferKind {
    static GLuint generate();
    static void destroy(GLuint name);
};
struct GlVertexArrayKind {
    static GLuint generate();
    static void destroy(GLuint name);
};
struct GlShaderKind {
    static void destroy(GLuint name);
};
struct GlProgramKind {
    static void destroy(GLuint name);
};

using GlBuffer = GlName<GlBufferKind>;
using GlTexture = GlName<GlTextureKind>;
using GlFramebuffer = GlName<GlFramebufferKind>;
using GlVertexArray = GlName<GlVertexArrayKind>;
using GlShader = GlName<GlShaderKind>;
using GlProgram = GlName<GlProgramKind>;
