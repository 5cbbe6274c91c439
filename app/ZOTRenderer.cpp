#include "ZOTRenderer.h"

#include "GlfwErrors.h"
#include "HandleKey.h"
#include "RunFiles.h"
#include "SessionCheck.h"
#include "SwapClock.h"
#include "SubjectData.h"
#include "Texture.h"
#include "ZOTConfig.h"
#include "ZOTRendererMonitor.h"
#ifdef ZOT_HEADSET
#include "ZOTRendererVive.h"
#endif
#include "ZOTTrial.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

// The GLFW callbacks receive only the window; they reach the one facade here.
ZOTRenderer* activeRenderer = nullptr;

} // namespace

ZOTRenderer::ZOTRenderer(ZOTConfig* config, Clock& clock)
    : config_(config), clock_(&clock)
{
    activeRenderer = this;
    experiment_ = std::make_unique<ZOTExperiment>(config, clock);

    reportGlfwErrors();
    if (!glfwInit()) {
        // GLFW has said why; no window can be opened without it.
        std::cout << "ZOTRenderer > failed to init glfw" << std::endl;
        std::fputs("ERROR: could not open window with GLFW\n", stderr);
        stopBeforeSession();
    }

    if (config->display == VIVE) {
        openHeadsetWindow();
    } else {
        int width = 1024;
        int height = 768;
        if (GLFWmonitor* monitor = glfwGetPrimaryMonitor()) {
            const GLFWvidmode* mode = glfwGetVideoMode(monitor);
            width = mode->width;
            height = mode->height;
            if (config->refreshRate <= 0.0f) {
                if (mode->refreshRate > 0) {
                    config->refreshRate = static_cast<float>(mode->refreshRate);
                } else {
                    // Virtual X servers report 0 Hz; frames could not be converted to
                    // milliseconds at all.
                    std::cout << "WARNING > the monitor reports no refresh rate; using 90 Hz" << std::endl;
                    config->refreshRate = 90.0f;
                }
            }
        } else {
            config->refreshRate = 90.0f;
        }
        glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
        openWindow(width, height, config->fullscreen);
        glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    }

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(2);

    glfwSetKeyCallback(window_, onKey);
    glfwSetCharCallback(window_, onChar);
    // Escape is polled once a frame; a short press that comes and goes between
    // two polls (slow frames, a busy machine) would be lost. Sticky keys keep
    // it until read.
    glfwSetInputMode(window_, GLFW_STICKY_KEYS, GLFW_TRUE);

    fonts_ = std::make_unique<DefaultFonts>(runFiles::fontAtlas, runFiles::fontWidths);
    // The loader has said why; without the atlas no text would show.
    if (!fonts_->font2D().texture.get() || !fonts_->font3D().texture.get())
        stopBeforeSession();

    const auto& c = config->backgroundColor;
    glClearColor(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, c[3] / 255.0f);

    lastSampleTicks_ = clock_->milliseconds();
}

// The runtime is started before the window, which mirrors one eye at 720
// pixels high; the session then needs the window's GL context. Without a
// runtime, a headset or a session nothing could be shown: stop before any
// result file exists.
void ZOTRenderer::openHeadsetWindow()
{
#ifdef ZOT_HEADSET
    auto vive = std::make_unique<ZOTRendererVive>(config_, experiment_.get(), this);
    ZOTRendererVive& headset = *vive;
    headsetRenderer_ = std::move(vive);
    if (!headset.setupHeadset())
        stopBeforeSession();
    openWindow(static_cast<int>(headset.mirrorWidth()), static_cast<int>(headset.mirrorHeight()), false);
    if (!headset.createSession(window_))
        stopBeforeSession();
#else
    std::cerr << "ERROR: headset presentation (display=VIVE) is not available in this build; "
                 "set display=MONITOR in zot.cfg"
              << std::endl;
    stopBeforeSession();
#endif
}

void ZOTRenderer::stopBeforeSession()
{
    // Whatever failed has said why; no result file exists yet. Reverse order:
    // the headset session (its images belong to the GL context), the GL objects,
    // the context, GLFW.
    headsetRenderer_.reset();
    fonts_.reset();
    vertexArray_.reset();
    if (window_)
        glfwDestroyWindow(window_);
    window_ = nullptr;
    glfwTerminate();
    sayNotStarted(std::cerr);
    std::exit(2);
}

void ZOTRenderer::openWindow(int width, int height, bool fullscreen)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    window_ = glfwCreateWindow(width, height, "ZOT", fullscreen ? glfwGetPrimaryMonitor() : nullptr, nullptr);
    if (!window_) {
        std::fputs("ERROR: could not open window with GLFW\n", stderr);
        stopBeforeSession();
    }
    width_ = static_cast<std::uint32_t>(width);
    height_ = static_cast<std::uint32_t>(height);
    // Escape is polled once a frame: a press and its release that arrive in the
    // same poll (a short press, or a frame slowed down by the runtime or the
    // driver) would leave no trace. Sticky keys keep the press until it is read.
    glfwSetInputMode(window_, GLFW_STICKY_KEYS, GLFW_TRUE);

    glfwMakeContextCurrent(window_);
    glewExperimental = GL_TRUE;
    if (const GLenum status = glewInit(); status != GLEW_OK) {
        std::cerr << "ERROR > GLEW could not load the OpenGL functions: "
                  << reinterpret_cast<const char*>(glewGetErrorString(status)) << std::endl;
        stopBeforeSession();
    }
    // glewInit may leave an error behind in a core context.
    while (glGetError() != GL_NO_ERROR) {
    }
    glfwSwapInterval(0);
    std::fprintf(stderr, "GPU: %s (OpenGL version %s)\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));

    // Core profiles draw nothing without a bound vertex array; one serves all.
    vertexArray_ = GlVertexArray::generate();
    glBindVertexArray(vertexArray_.get());
    glGetError();
}

ZOTRenderer::~ZOTRenderer()
{
    fixationTexture_.reset();
    for (auto& texture : letterTextures_)
        texture.reset();
    blankTexture_.reset();
    for (auto& texture : maskTextures_)
        texture.reset();
    presentationClock_.reset();
    renderer_.reset();
    headsetRenderer_.reset();
    experiment_.reset();
    fonts_.reset();
    vertexArray_.reset();
    if (window_)
        glfwDestroyWindow(window_);
    glfwTerminate();
    if (activeRenderer == this)
        activeRenderer = nullptr;
}

bool ZOTRenderer::loadResources(const SubjectData& subject, const std::filesystem::path& logFolder)
{
    // Everything the driver could refuse comes first: a session that cannot be
    // shown stops before its run writes a line.
    fixationTexture_ = loadLimg(runFiles::fixationPicture);
    blankTexture_ = loadLimg(runFiles::blankPicture);
    for (std::size_t i = 0; i < letterTextures_.size(); ++i)
        letterTextures_[i] = loadLimg(runFiles::letterPicture(ALPHABET[i]));
    for (int k = 1; k <= runFiles::maskCount; ++k)
        maskTextures_[static_cast<std::size_t>(k - 1)] = loadLimg(runFiles::maskPicture(k));
    // The loader has said why a picture is missing.
    bool shown = fixationTexture_.get() && blankTexture_.get();
    for (const GlTexture& texture : letterTextures_)
        shown = shown && texture.get();
    for (const GlTexture& texture : maskTextures_)
        shown = shown && texture.get();
    if (!shown)
        return false;

    if (headsetRenderer_) {
#ifdef ZOT_HEADSET
        if (!static_cast<ZOTRendererVive&>(*headsetRenderer_).init())
            return false;
#endif
        renderer_ = std::move(headsetRenderer_);
    } else {
        auto monitor = std::make_unique<ZOTRendererMonitor>(config_, experiment_.get(), this);
        if (!monitor->init(width_, height_))
            return false;
        renderer_ = std::move(monitor);
    }

    experiment_->createRun(subject, logFolder);
    trialTiming_ = std::make_unique<TrialTimingRecorder>(config_->refreshRate,
                                                         logFolder / experiment_->run()->timingFile(), std::cout);
    refreshMeter_ = std::make_unique<RefreshMeter>(config_->refreshRate, std::cout);

    if (!presentationClock_)
        presentationClock_ = std::make_unique<SwapClock>(window_);

    // The observer's seed is the session's: one seed repeats the whole session.
    if (config_->autopilot)
        autopilot_ = std::make_unique<Autopilot>(*experiment_, *renderer_, *clock_, observerParameters(*config_->autopilot),
                                                 experiment_->seed());

    std::cout << "refreshRate = " << config_->refreshRate << " Hz" << std::endl;
    return true;
}

GLuint ZOTRenderer::placeTexture(std::int32_t letter) const
{
    return letter == NO_LETTER ? blankTexture() : letterTexture(letter);
}

void ZOTRenderer::run()
{
    if (glfwWindowShouldClose(window_))
        return;
    for (;;) {
        renderer_->renderFrame();
        sampleFrameRate();
        if (autopilot_ && autopilot_->onFrame()) {
            std::cout << "AUTOPILOT > the session is over; zot closes" << std::endl;
            glfwSetWindowShouldClose(window_, GLFW_TRUE);
        }
        if (glfwWindowShouldClose(window_))
            break;
    }
    if (refreshMeter_)
        refreshMeter_->finish();
    if (framesPresented_ > 1) {
        const double seconds = (lastFrameMicroseconds_ - firstFrameMicroseconds_) / 1e6;
        std::cout << "ZOTRenderer > " << framesPresented_ << " frames presented in " << seconds << " s ("
                  << (framesPresented_ - 1) / seconds << " per second)" << std::endl;
    }
}

void ZOTRenderer::sampleFrameRate()
{
    const std::int32_t now = clock_->milliseconds();
    // Compared as a difference so the test survives the 32-bit wrap.
    if (now - lastSampleTicks_ > 1000) {
        lastFps_ = frameCounter_;
        frameCounter_ = 0;
        lastSampleTicks_ = clock_->milliseconds();
        renderer_->setFpsText(std::to_string(lastFps_) + " FPS");
    } else {
        ++frameCounter_;
    }
}

void ZOTRenderer::presentFrame()
{
    glfwSwapBuffers(window_);
    recordPresentedFrame();
    // Only now, with the frame on its way to the screen, may the disk be waited for.
    experiment_->framePresented();
}

void ZOTRenderer::setPresentationClock(std::unique_ptr<PresentationClock> clock)
{
    presentationClock_ = std::move(clock);
}

void ZOTRenderer::recordPresentedFrame()
{
    if (!presentationClock_ || !trialTiming_)
        return;
    const FrameStamp stamp = presentationClock_->stampPresentedFrame();
    if (framesPresented_++ == 0) {
        firstFrameMicroseconds_ = stamp.microseconds;
        std::cout << "ZOTRenderer > first frame presented " << steadyMicroseconds() / 1000 << " ms after start"
                  << std::endl;
    }
    lastFrameMicroseconds_ = stamp.microseconds;
    // Keys are handled after this, so the state and trial are those the frame showed.
    const int state = experiment_->state();
    trialTiming_->onFrame(stamp, state, currentTrialIdentity());
    // The display is measured while the first text screen shows; leaving it
    // ends the measurement with what it has.
    if (!refreshMeter_->finished()) {
        if (state == WELCOME)
            refreshMeter_->addFrame(stamp);
        else
            refreshMeter_->finish();
    }
}

TrialIdentity ZOTRenderer::currentTrialIdentity() const
{
    const ZOTRun* run = experiment_->run();
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!run || !trial)
        return {};
    const ZOTBlock* block = run->currentBlock();
    return {run->currentBlockIndex(), block ? block->currentTrialIndex : 0, trial->condition, trial->exposureMs,
            trial->exposureFrames};
}

void ZOTRenderer::drawState()
{
    ZOTRendererBlueprint& r = *renderer_;
    switch (experiment_->state()) {
    case FIXATION: r.drawFixation(); break;
    case STIMULUS: r.drawLetters(); break;
    case MASKS: r.drawMasks(); break;
    case REPORT: r.drawReportText(); break;
    case FEEDBACK: r.drawFeedbackText(); break;
    case DONE: r.drawDoneText(); break;
    case WELCOME: r.drawWelcomeText(); break;
    case BLOCK_START: r.drawBlockText(); break;
    case INSTRUCTIONS_TOP: r.drawInstructionImage(1); break;
    case INSTRUCTIONS_BOTTOM: r.drawInstructionImage(2); break;
    }
    if (autopilot_)
        r.drawAutopilotMark();
    if (config_->showFPS)
        r.drawFpsText();
}

void ZOTRenderer::onKey(GLFWwindow*, int key, int, int action, int)
{
    ZOTRenderer* self = activeRenderer;
    if (!self || action != GLFW_PRESS)
        return;
    switch (key) {
    case GLFW_KEY_SPACE:
        if (self->takesSubjectKeys())
            handleKey(*self->experiment_, *self->renderer_, KEY_SPACE, 0);
        break;
    case GLFW_KEY_BACKSPACE:
        if (self->takesSubjectKeys())
            handleKey(*self->experiment_, *self->renderer_, KEY_BACKSPACE, 0);
        break;
    case GLFW_KEY_F3:
        self->config_->showFPS = !self->config_->showFPS;
        break;
    default:
        break;
    }
}

void ZOTRenderer::onChar(GLFWwindow*, unsigned int codepoint)
{
    ZOTRenderer* self = activeRenderer;
    if (self && self->takesSubjectKeys())
        handleKey(*self->experiment_, *self->renderer_, KEY_CHARACTER, static_cast<unsigned char>(codepoint & 0xffu));
}
