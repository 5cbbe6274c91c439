#include "Shader.h"

#include <fstream>
#include <iostream>
#include <vector>

namespace {

/// Prints the info log of a shader or program, if it has one. Shaders and
/// programs have query functions of the same shape.
void printInfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog)
{
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0)
        return;
    std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
    getLog(object, length, nullptr, log.data());
    std::cout << log.data() << std::endl;
}

} // namespace

std::string shaderSource(std::istream& lines)
{
    std::string source;
    std::string line;
    while (std::getline(lines, line)) {
        source += '\n';
        source += line;
    }
    return source;
}

GlShader compileShaderFile(const std::string& path, GLenum stage)
{
    GlShader shader(glCreateShader(stage));
    std::string source;
    if (std::ifstream file(path); file)
        source = shaderSource(file);
    std::cout << "compiling shader : " << path << std::endl;

    const char* text = source.c_str();
    glShaderSource(shader.get(), 1, &text, nullptr);
    glCompileShader(shader.get());

    printInfoLog(shader.get(), glGetShaderiv, glGetShaderInfoLog);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE)
        std::cerr << "ERROR > the shader " << path << " did not compile; the driver's log is above" << std::endl;
    return shader;
}

GlProgram linkProgram(GlShader vertexShader, GlShader fragmentShader)
{
    std::cout << "linking program ..." << std::endl;
    GlProgram program(glCreateProgram());
    glAttachShader(program.get(), vertexShader.get());
    glAttachShader(program.get(), fragmentShader.get());
    glLinkProgram(program.get());

    printInfoLog(program.get(), glGetProgramiv, glGetProgramInfoLog);
    vertexShader.reset();
    fragmentShader.reset();
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        // An unusable program would draw nothing at all: no letters, masks or texts.
        std::cerr << "ERROR > the shader program could not be linked; the driver's log is above" << std::endl;
        return {};
    }
    std::cout << "program linked successfully" << std::endl;
    return program;
}

GlProgram buildProgram(const std::string& vertexPath, const std::string& fragmentPath)
{
    GlShader fragmentShader = compileShaderFile(fragmentPath, GL_FRAGMENT_SHADER);
    GlShader vertexShader = compileShaderFile(vertexPath, GL_VERTEX_SHADER);
    return linkProgram(std::move(vertexShader), std::move(fragmentShader));
}
