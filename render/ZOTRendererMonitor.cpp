#include "ZOTRendererMonitor.h"

#include "PlaceTint.h"
#include "RendererHost.h"
#include "RunFiles.h"
#include "ScreenTexts.h"
#include "Shader.h"
#include "Texture.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"
#include "ZOTTrial.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <iostream>

MonitorLayout monitorLayout(const ZOTConfig& config, float width, float height)
{
    MonitorLayout layout;
    layout.letterSize = std::roundf(width * config.sizeMonitor / 100.0f);
    layout.fixSize = std::roundf(width * config.fixCrossSize / 100.0f);
    layout.radius = std::roundf(width * config.radiusMonitor / 100.0f);

    // π/3 as a single-precision constant: c is half the radius.
    const float c = layout.radius * std::cos(1.0471976f);
    const float s = layout.radius * std::sin(1.0471976f);
    const float x0 = width / 2 - layout.letterSize / 2;
    const float y0 = height / 2 - layout.letterSize / 2;
    const float r = layout.radius;
    layout.places = {{
        {x0 + c, y0 + s},
        {x0 + r, y0},
        {x0 + c, y0 - s},
        {x0 - c, y0 - s},
        {x0 - r, y0},
        {x0 - c, y0 + s},
    }};
    return layout;
}

ZOTRendererMonitor::ZOTRendererMonitor(ZOTConfig* config, ZOTExperiment* experiment, RendererHost* facade)
    : ZOTRendererBlueprint(config), experiment_(experiment), facade_(facade)
{
}

ZOTRendererMonitor::~ZOTRendererMonitor() = default;

bool ZOTRendererMonitor::init(std::uint32_t width, std::uint32_t height)
{
    width_ = width;
    height_ = height;
    const float W = static_cast<float>(width);
    const float H = static_cast<float>(height);

    program_ = buildProgram(runFiles::monitorVertexShader, runFiles::monitorFragmentShader);
    if (!program_.get())
        return false;
    mvpLocation_ = glGetUniformLocation(program_.get(), "M_mvp");
    colorLocation_ = glGetUniformLocation(program_.get(), "color");
    samplerLocation_ = glGetUniformLocation(program_.get(), "sampler");
    glActiveTexture(GL_TEXTURE0);

    const MonitorLayout layout = monitorLayout(*config, W, H);
    std::cout << "ZOTRendererMonitor > size in pixels = " << layout.letterSize << std::endl;
    std::cout << "ZOTRendererMonitor > radius in pixels = " << layout.radius << std::endl;

    const float fix = layout.fixSize;
    fixationQuad_ = std::make_unique<TexturedQuad>(W / 2 - fix / 2, H / 2 - fix / 2, fix, fix,
                                                   facade_->fixationTexture(), false);
    const float size = layout.letterSize;
    for (int i = 0; i < 6; ++i)
        letterQuads_[i] = std::make_unique<TexturedQuad>(layout.places[i][0], layout.places[i][1], size, size,
                                                         facade_->letterTexture(0), false);
    for (int i = 0; i < 6; ++i)
        maskQuads_[i] = std::make_unique<TexturedQuad>(layout.places[i][0], layout.places[i][1], size, size,
                                                       facade_->maskTexture(i), false);

    fpsText_ = std::make_unique<Text>("0 FPS", W - 120, 16, 16);
    // The top left corner, opposite the frame rate.
    autopilotText_ = std::make_unique<Text>("AUTOPILOT", 90, 16, 16);
    reportText_ = std::make_unique<Text>("", W / 2, H / 2, config->reportTextSize * 16);
    welcomeText_ = std::make_unique<Text>(welcomeText(*config, experiment_->currentBlockIndex()), W / 2, H / 2, 16);
    blockText_ = std::make_unique<Text>("", W / 2, H / 2, 16);
    feedbackText_ = std::make_unique<Text>("", W / 2, H / 2, 16);
    doneText_ = std::make_unique<Text>(config->textDone, W / 2, H / 2, 16);

    instructionTopTexture_ = loadLimg(runFiles::instructionsTopPicture);
    instructionTopQuad_ = std::make_unique<TexturedQuad>((W - 684) / 2, (H - 491) / 2, 684, 491,
                                                         instructionTopTexture_.get(), false);
    instructionBottomTexture_ = loadLimg(runFiles::instructionsBottomPicture);
    instructionBottomQuad_ = std::make_unique<TexturedQuad>((W - 684) / 2, (H - 404) / 2, 684, 404,
                                                            instructionBottomTexture_.get(), false);

    whiteTexture_ = makeWhiteTexture();
    debugSquare_ = std::make_unique<TexturedQuad>(W / 2 - 300, H / 2 - 300, 600, 600, whiteTexture_.get(), false);

    projection_ = screenProjection(W, H);

    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    // From here on every swap waits for the vertical retrace, so one pass of the
    // main loop is one display frame: the timeline counts these frames.
    glfwSwapInterval(1);
    // The loader has said why a page is missing.
    return instructionTopTexture_.get() != 0 && instructionBottomTexture_.get() != 0;
}

void ZOTRendererMonitor::renderFrame()
{
    experiment_->updateTimeline();
    drawFrame();
    facade_->presentFrame();
    glfwPollEvents();
    GLFWwindow* window = facade_->window();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS)
        glfwSetWindowShouldClose(window, GLFW_TRUE);
}

void ZOTRendererMonitor::drawFrame()
{
    glViewport(0, 0, static_cast<GLsizei>(width_), static_cast<GLsizei>(height_));
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(program_.get());
    glUniformMatrix4fv(mvpLocation_, 1, GL_TRUE, projection_.data());
    glUniform3f(colorLocation_, 1, 1, 1);
    glUniform1i(samplerLocation_, 0);
    facade_->drawState();
}

void ZOTRendererMonitor::setFpsText(const std::string& text)
{
    fpsText_->setText(text);
}

const std::string& ZOTRendererMonitor::fpsText() const
{
    return fpsText_->text();
}

void ZOTRendererMonitor::setReportText(const std::string& text)
{
    reportText_->setText(text);
}

void ZOTRendererMonitor::setFeedbackText(const std::string& text)
{
    feedbackText_->setText(text);
}

void ZOTRendererMonitor::setBlockText(const std::string& text)
{
    blockText_->setText(text);
}

void ZOTRendererMonitor::setLetterTextures()
{
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!trial)
        return;
    for (int i = 0; i < 6; ++i)
        letterQuads_[i]->setTexture(facade_->placeTexture(trial->letter[i]));
}

void ZOTRendererMonitor::drawFixation()
{
    fixationQuad_->draw();
}

void ZOTRendererMonitor::drawLetters()
{
    if (config->debugQuad) {
        debugSquare_->draw();
        return;
    }
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!trial)
        return;
    for (int i = 0; i < 6; ++i) {
        tintPlace(colorLocation_, trial->positionType[i]);
        // Console output inside the timed phase costs time; debugging only.
        if (trial->positionType[i] == DISTRACTOR && config->consoleDebugInfo)
            std::cout << "DISTRACTOR" << std::endl;
        letterQuads_[i]->draw();
    }
}

void ZOTRendererMonitor::drawMasks()
{
    for (auto& quad : maskQuads_)
        quad->draw();
}

void ZOTRendererMonitor::drawReportText()
{
    reportText_->draw();
}

void ZOTRendererMonitor::drawFeedbackText()
{
    feedbackText_->draw();
}

void ZOTRendererMonitor::drawDoneText()
{
    doneText_->draw();
}

void ZOTRendererMonitor::drawWelcomeText()
{
    welcomeText_->draw();
}

void ZOTRendererMonitor::drawBlockText()
{
    blockText_->draw();
}

void ZOTRendererMonitor::drawInstructionImage(int n)
{
    if (n == 1)
        instructionTopQuad_->draw();
    else if (n == 2)
        instructionBottomQuad_->draw();
}

void ZOTRendererMonitor::drawFpsText()
{
    fpsText_->draw();
}

void ZOTRendererMonitor::drawAutopilotMark()
{
    autopilotText_->draw();
}
