#include "CaptureStdout.h"
#include "GlTest.h"
#include "Shader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class ShaderFiles : public GlTest, public testing::WithParamInterface<const char*> {};

// Runs from the source tree, where the renderers' relative paths resolve.
TEST_P(ShaderFiles, BuildWithoutAnyLogAndOfferTheSharedInterface)
{
    const std::string vertex = std::string("shaders/") + GetParam() + ".vs";
    const std::string fragment = std::string("shaders/") + GetParam() + ".fs";
    GlProgram program;
    const std::string output = captureStdout([&] { program = buildProgram(vertex, fragment); });

    EXPECT_EQ(output, "compiling shader : " + fragment + "\ncompiling shader : " + vertex +
                          "\nlinking program ...\nprogram linked successfully\n");
    GLint linked = GL_FALSE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    EXPECT_EQ(glGetAttribLocation(program.get(), "vertex_position"), 0);
    EXPECT_EQ(glGetAttribLocation(program.get(), "vertex_uv"), 2);
    for (const char* uniform : {"M_mvp", "color", "sampler"})
        EXPECT_NE(glGetUniformLocation(program.get(), uniform), -1) << uniform;
}

INSTANTIATE_TEST_SUITE_P(Renderers, ShaderFiles, testing::Values("shader2D", "simple"));

using ShaderBuild = GlTest;

TEST_F(ShaderBuild, MissingFileStillPrintsItsLineAndTheCompileLog)
{
    TempDir dir;
    const std::string path = dir.file("absent.vs");
    GlShader shader;
    const std::string output = captureStdout([&] { shader = compileShaderFile(path, GL_VERTEX_SHADER); });

    const std::string first = "compiling shader : " + path + "\n";
    ASSERT_EQ(output.substr(0, first.size()), first);
    EXPECT_GT(output.size(), first.size() + 1) << "no compile log after the line";
    GLint compiled = GL_TRUE;
    glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &compiled);
    EXPECT_EQ(compiled, GL_FALSE);
}

TEST_F(ShaderBuild, FailedLinkPrintsItsLogBeforeTheClosingLine)
{
    TempDir dir;
    // Compiles, but a stage without main cannot be linked.
    const std::string vertex = dir.write("v.vs", "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n");
    const std::string fragment =
        dir.write("f.fs", "#version 330 core\nout vec4 c;\nvoid notMain() { c = vec4(1.0); }\n");
    GlProgram program;
    const std::string output = captureStdout([&] { program = buildProgram(vertex, fragment); });

    const std::string linking = "linking program ...\n";
    const std::string closing = "program linked successfully\n";
    const std::size_t at = output.find(linking);
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_GT(output.size(), at + linking.size() + closing.size()) << "no link log: " << output;
    EXPECT_EQ(output.substr(output.size() - closing.size()), closing);
    GLint linked = GL_TRUE;
    glGetProgramiv(program.get(), GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_FALSE);
}

} // namespace
