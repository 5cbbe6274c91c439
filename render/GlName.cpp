#include "GlName.h"

namespace {

/// One name from a glGen* function.
GLuint generateOne(void(GLAPIENTRY* generate)(GLsizei, GLuint*))
{
    GLuint name = 0;
    generate(1, &name);
    return name;
}

} // namespace

GLuint GlBufferKind::generate()
{
    return generateOne(glGenBuffers);
}

void GlBufferKind::destroy(GLuint name)
{
    glDeleteBuffers(1, &name);
}

GLuint GlTextureKind::generate()
{
    return generateOne(glGenTextures);
}

void GlTextureKind::destroy(GLuint name)
{
    glDeleteTextures(1, &name);
}

GLuint GlFramebufferKind::generate()
{
    return generateOne(glGenFramebuffers);
}

void GlFramebufferKind::destroy(GLuint name)
{
    glDeleteFramebuffers(1, &name);
}

GLuint GlVertexArrayKind::generate()
{
    return generateOne(glGenVertexArrays);
}

void GlVertexArrayKind::destroy(GLuint name)
{
    glDeleteVertexArrays(1, &name);
}

void GlShaderKind::destroy(GLuint name)
{
    glDeleteShader(name);
}

void GlProgramKind::destroy(GLuint name)
{
    glDeleteProgram(name);
}
