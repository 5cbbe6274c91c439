#pragma once

#include "GlName.h"

#include <iosfwd>
#include <string>

/// The source text compiled from a shader file: every line read, each preceded
/// by a line break. It therefore starts with a line break and has none at the
/// end, so a file with or without a final line break compiles the same.
std::string shaderSource(std::istream& lines);

/// Compiles the file at path (relative to the working directory) as a shader of
/// stage (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER). Prints "compiling shader : "
/// and the path, then the driver's info log if it has one. A file that does not
/// open compiles as empty source, so its failure shows in that log. A failed
/// compile also prints "ERROR > the shader PATH did not compile; ..." on
/// standard error. Returns the shader whatever the outcome.
[[nodiscard]] GlShader compileShaderFile(const std::string& path, GLenum stage);

/// Links the two shaders into a program and deletes them. Prints
/// "linking program ...", the link log if there is one, then
/// "program linked successfully", or after a failed link
/// "ERROR > the shader program could not be linked; ..." on standard error and
/// returns an empty program (name 0): nothing can be drawn with it.
[[nodiscard]] GlProgram linkProgram(GlShader vertexShader, GlShader fragmentShader);

/// What each renderer does at start-up: compiles the fragment file, then the
/// vertex file, and links them. An empty program when they do not build.
[[nodiscard]] GlProgram buildProgram(const std::string& vertexPath, const std::string& fragmentPath);
