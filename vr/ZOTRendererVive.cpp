#include "ZOTRendererVive.h"

#include "HeadsetClock.h"
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

#include <iostream>

ZOTRendererVive::ZOTRendererVive(ZOTConfig* config, ZOTExperiment* experiment, RendererHost* facade)
    : ZOTRendererBlueprint(config), experiment_(experiment), facade_(facade)
{
}

ZOTRendererVive::~ZOTRendererVive()
{
    headset_.reset();
}

bool ZOTRendererVive::setupHeadset()
{
    headset_ = std::make_unique<XrHeadset>();
    if (!headset_->startRuntime(renderWidth_, renderHeight_))
        return false;
    std::cout << "ZOTRendererVive > framebufferDimensions: " << renderWidth_ << " x " << renderHeight_ << std::endl;
    // The runtime never recommends a height of 0 (startRuntime fails then).
    mirrorWidth_ = renderWidth_ * 720u / renderHeight_;
    mirrorHeight_ = 720;
    return true;
}

bool ZOTRendererVive::createSession(GLFWwindow* window)
{
    return headset_ && headset_->createSession(window);
}

bool ZOTRendererVive::init()
{
    program_ = buildProgram(runFiles::headsetVertexShader, runFiles::headsetFragmentShader);
    if (!program_.get())
        return false;
    mvpLocation_ = glGetUniformLocation(program_.get(), "M_mvp");
    samplerLocation_ = glGetUniformLocation(program_.get(), "sampler");
    colorLocation_ = glGetUniformLocation(program_.get(), "color");

    scenes_.push_back(std::make_unique<ZOTScene>(*config, experiment_, facade_, 1.0f));
    if (config->enableDepthPerception)
        for (const float depth : config->depths)
            scenes_.push_back(std::make_unique<ZOTScene>(*config, experiment_, facade_, depth));
    currentScene_ = 0;

    const float yRoot = config->yRoot;
    const float zDepth = config->zDepth;
    fpsText_ = std::make_unique<Text3D>("0 FPS", 20, 10, -60, 6);
    // Up in the left corner of the view, small.
    autopilotText_ = std::make_unique<Text3D>("AUTOPILOT", -30, 24, -60, 4);
    reportText_ = std::make_unique<Text3D>("", 0, yRoot, zDepth, config->reportTextSize);
    welcomeText_ = std::make_unique<Text3D>(welcomeText(*config, experiment_->currentBlockIndex()), 0, yRoot,
                                            8 * zDepth, 16);
    blockText_ = std::make_unique<Text3D>("", 0, yRoot, 8 * zDepth, 16);
    feedbackText_ = std::make_unique<Text3D>("", 0, yRoot, 8 * zDepth, 16);
    doneText_ = std::make_unique<Text3D>(config->textDone, 0, yRoot, 8 * zDepth, 16);

    // The pages are centred on the view axis whatever yRoot is.
    instructionsTopTexture_ = loadLimg(runFiles::instructionsTopPicture);
    instructionsTopQuad_ = std::make_unique<TexturedQuad3D>(-342, -245.5f, 12 * zDepth, 684, 491,
                                                            instructionsTopTexture_.get(), true);
    instructionsBottomTexture_ = loadLimg(runFiles::instructionsBottomPicture);
    instructionsBottomQuad_ = std::make_unique<TexturedQuad3D>(-342, -202, 12 * zDepth, 684, 404,
                                                               instructionsBottomTexture_.get(), true);

    whiteTexture_ = makeWhiteTexture();
    const float radius = config->radius;
    // In the stimulus plane around the axis: neither lifted by yRoot nor
    // scaled with a trial's depth.
    debugSquare_ = std::make_unique<TexturedQuad3D>(-1.5f * radius, -1.5f * radius, zDepth, 3 * radius, 3 * radius,
                                                    whiteTexture_.get(), false);

    // The subject sees the runtime's frames, not the mirror's swaps.
    facade_->setPresentationClock(std::make_unique<HeadsetClock>(frame_));
    // The loader has said why a page is missing.
    return instructionsTopTexture_.get() != 0 && instructionsBottomTexture_.get() != 0;
}

void ZOTRendererVive::renderFrame()
{
    frame(true);
}

void ZOTRendererVive::redrawFrame()
{
    frame(false);
}

void ZOTRendererVive::frame(bool advanceTimeline)
{
    using Clock = std::chrono::steady_clock;
    // The runtime's wait is the frame pacing.
    frame_ = headset_->beginFrame();
    const Clock::time_point go = Clock::now();
    // The timeline counts frames the subject sees. A frame the runtime will not
    // show (session not yet or no longer visible) is neither counted nor drawn
    // nor stamped, so an exposure never includes frames that never reach the
    // display.
    if (frame_.shouldRender) {
        if (advanceTimeline)
            experiment_->updateTimeline();
        // Each eye is drawn straight into the runtime's image; the mirror is
        // taken from the right eye's before it goes back to the runtime.
        for (int eye = 0; eye < 2; ++eye) {
            const GLuint target = headset_->acquireEye(eye);
            if (target != 0)
                drawEye(target, frame_.projections[static_cast<std::size_t>(eye)]);
            if (eye == 1)
                drawMirror(target);
            headset_->releaseEye(eye);
        }
        stats_.eyesTime = Clock::now() - go;
    }
    headset_->endFrame();
    if (frame_.shouldRender)
        facade_->presentFrame();

    glfwPollEvents();
    GLFWwindow* window = facade_->window();
    if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS || headset_->shouldClose())
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    if (frame_.shouldRender) {
        ++stats_.framesSubmitted;
        stats_.workTime = Clock::now() - go;
    }
}

void ZOTRendererVive::drawEye(GLuint target, const ProjectionMatrix& projection)
{
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, static_cast<GLsizei>(renderWidth_), static_cast<GLsizei>(renderHeight_));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glUseProgram(program_.get());
    // The scene is fixed to the head: the eye's projection is the whole
    // model-view-projection.
    glUniformMatrix4fv(mvpLocation_, 1, GL_TRUE, projection.data());
    // A letter's tint carries over within an eye; each eye starts white so that
    // both eyes see the same picture.
    glUniform3f(colorLocation_, 1, 1, 1);
    glBindSampler(0, 0);
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(samplerLocation_, 0);
    facade_->drawState();
    glDisable(GL_BLEND);
}

void ZOTRendererVive::drawMirror(GLuint rightEye)
{
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, static_cast<GLsizei>(mirrorWidth_), static_cast<GLsizei>(mirrorHeight_));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (rightEye == 0)
        return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, rightEye);
    glBlitFramebuffer(0, 0, static_cast<GLint>(renderWidth_), static_cast<GLint>(renderHeight_), 0, 0,
                      static_cast<GLint>(mirrorWidth_), static_cast<GLint>(mirrorHeight_), GL_COLOR_BUFFER_BIT,
                      GL_LINEAR);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

void ZOTRendererVive::setFpsText(const std::string& text)
{
    fpsText_->setText(text);
}

void ZOTRendererVive::setReportText(const std::string& text)
{
    reportText_->setText(text);
}

void ZOTRendererVive::setFeedbackText(const std::string& text)
{
    feedbackText_->setText(text);
}

void ZOTRendererVive::setBlockText(const std::string& text)
{
    blockText_->setText(text);
}

void ZOTRendererVive::setLetterTextures()
{
    const ZOTTrial* trial = experiment_->currentTrial();
    if (config->enableDepthPerception && trial) {
        // Scenes exist for index 0 to the number of depths, as trials draw them.
        const std::int32_t index = trial->depthIndex;
        currentScene_ = index >= 0 && static_cast<std::size_t>(index) < scenes_.size() ? index : 0;
    }
    scene().setLetterTextures();
}

void ZOTRendererVive::drawFixation()
{
    scene().drawFixation();
}

void ZOTRendererVive::drawLetters()
{
    if (config->debugQuad)
        debugSquare_->draw();
    else
        scene().drawLetters(colorLocation_);
}

void ZOTRendererVive::drawMasks()
{
    scene().drawMasks();
}

void ZOTRendererVive::drawReportText()
{
    reportText_->draw();
}

void ZOTRendererVive::drawFeedbackText()
{
    feedbackText_->draw();
}

void ZOTRendererVive::drawDoneText()
{
    doneText_->draw();
}

void ZOTRendererVive::drawWelcomeText()
{
    welcomeText_->draw();
}

void ZOTRendererVive::drawBlockText()
{
    blockText_->draw();
}

void ZOTRendererVive::drawInstructionImage(int n)
{
    if (n == 1)
        instructionsTopQuad_->draw();
    else if (n == 2)
        instructionsBottomQuad_->draw();
}

void ZOTRendererVive::drawFpsText()
{
    fpsText_->draw();
}

void ZOTRendererVive::drawAutopilotMark()
{
    autopilotText_->draw();
}
