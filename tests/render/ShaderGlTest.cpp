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

// A program that does not build must not pass for one: the driver's log, an
// error naming what failed, no "linked successfully", and no program.
TEST_F(ShaderBuild, FailedCompileOrLinkSaysSoAndGivesNoProgram)
{
    const std::string vertexSource = "#version 330 core\nvoid main() { gl_Position = vec4(0.0); }\n";
    const struct {
        const char* fault;
        std::string fragmentSource;
        std::string error;
    } cases[] = {
        // Compiles, but a stage without main cannot be linked.
        {"no main", "#version 330 core\nout vec4 c;\nvoid notMain() { c = vec4(1.0); }\n",
         "ERROR > the shader program could not be linked; the driver's log is above\n"},
        {"syntax", "#version 330 core\nout vec4 c;\nvoid main() { c = vec4(1.0) }\n",
         "ERROR > the shader FRAGMENT did not compile; the driver's log is above\n"
         "ERROR > the shader program could not be linked; the driver's log is above\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        const std::string vertex = dir.write("v.vs", vertexSource);
        const std::string fragment = dir.write("f.fs", c.fragmentSource);
        GlProgram program;
        testing::internal::CaptureStderr();
        const std::string output = captureStdout([&] { program = buildProgram(vertex, fragment); });
        const std::string errors = testing::internal::GetCapturedStderr();

        std::string error = c.error;
        if (const auto at = error.find("FRAGMENT"); at != std::string::npos)
            error.replace(at, 8, fragment);
        EXPECT_EQ(errors, error);
        const std::string linking = "linking program ...\n";
        const std::size_t at = output.find(linking);
        ASSERT_NE(at, std::string::npos) << output;
        EXPECT_GT(output.size(), at + linking.size()) << "no link log: " << output;
        EXPECT_EQ(output.find("program linked successfully"), std::string::npos) << output;
        EXPECT_EQ(program.get(), 0u);
    }
}

} // namespace
