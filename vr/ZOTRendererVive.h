#pragma once

#include "GlName.h"
#include "Quad.h"
#include "Text.h"
#include "XrHeadset.h"
#include "ZOTRendererBlueprint.h"
#include "ZOTScene.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

struct GLFWwindow;
class ZOTExperiment;
class RendererHost;

/// Presents the experiment in a headset through OpenXR, with the scene fixed to
/// the head: each eye is drawn with its own projection and nothing else,
/// straight into the runtime's swapchain image; the right eye is also scaled
/// into the desktop window as a mirror. The runtime's frame pacing is
/// the frame clock. Everything it draws is made once in init.
///
/// Order of use: setupHeadset (before the window exists), createSession (once
/// the window's GL context is current), init (once the shared textures are
/// loaded), then renderFrame once per pass of the main loop.
class ZOTRendererVive final : public ZOTRendererBlueprint {
public:
    /// What frames cost, for timing checks. The times are of the last frame the
    /// runtime wanted drawn, from the moment its wait returned.
    struct FrameStats {
        std::uint64_t framesSubmitted = 0;
        std::chrono::nanoseconds eyesTime{}; ///< until both eyes were drawn and handed over
        std::chrono::nanoseconds workTime{}; ///< until the frame was done (mirror presented, events polled)
    };

    /// The pointers are observed. No runtime or GL work.
    ZOTRendererVive(ZOTConfig* config, ZOTExperiment* experiment, RendererHost* facade);
    /// Ends the headset session first (its images belong to the GL context,
    /// which must still be current), then releases the GL objects.
    ~ZOTRendererVive() override;

    /// Starts the runtime and learns the eye size; prints
    /// "ZOTRendererVive > framebufferDimensions: W x H". False when there is no
    /// runtime or headset; the runtime's message has been printed then.
    bool setupHeadset();
    /// The desktop window: one eye scaled to 720 pixels high.
    std::uint32_t mirrorWidth() const { return mirrorWidth_; }
    std::uint32_t mirrorHeight() const { return mirrorHeight_; }
    std::uint32_t renderWidth() const { return renderWidth_; }
    std::uint32_t renderHeight() const { return renderHeight_; }

    /// Opens the headset session on the window's GL context, which must be
    /// current. False, with the runtime's message printed, on failure.
    bool createSession(GLFWwindow* window);

    /// Builds the program, the scenes, texts and pages, and
    /// has the facade stamp frames with the runtime's display times. Needs the
    /// facade's shared textures and the experiment's run. Returns true.
    bool init();

    /// One headset frame: waits for the runtime, advances the trial timeline,
    /// draws and submits both eyes, mirrors the right eye into the window,
    /// presents it, polls events, and closes the window on Escape or when the
    /// runtime ends the session.
    void renderFrame() override;
    /// The same frame without advancing the trial timeline: shows the current
    /// screen state again.
    void redrawFrame();

    /// The framebuffer of the runtime's image last drawn for an eye (0 left,
    /// 1 right), holding that picture until the image comes round again.
    GLuint eyeFramebuffer(int eye) const { return headset_ ? headset_->eyeFramebuffer(eye) : 0; }
    const FrameStats& frameStats() const { return stats_; }

    void setFpsText(const std::string& text) override;
    void setReportText(const std::string& text) override;
    void setFeedbackText(const std::string& text) override;
    void setBlockText(const std::string& text) override;
    /// Picks the trial's scene (when depths are on) and gives it the trial's letters.
    void setLetterTextures() override;

    void drawFixation() override;
    void drawLetters() override;
    void drawMasks() override;
    void drawReportText() override;
    void drawFeedbackText() override;
    void drawDoneText() override;
    void drawWelcomeText() override;
    void drawBlockText() override;
    void drawInstructionImage(int n) override;
    void drawFpsText() override;
    void drawAutopilotMark() override;

private:
    void frame(bool advanceTimeline);
    void drawEye(GLuint target, const ProjectionMatrix& projection);
    /// The right eye's picture scaled into the window; only a clear without one.
    void drawMirror(GLuint rightEye);
    ZOTScene& scene() { return *scenes_[static_cast<std::size_t>(currentScene_)]; }

    ZOTExperiment* experiment_;
    RendererHost* facade_;
    std::unique_ptr<XrHeadset> headset_;
    HeadsetFrame frame_; ///< the frame of the moment; the facade's frame stamps read it
    FrameStats stats_;
    std::uint32_t renderWidth_ = 0;
    std::uint32_t renderHeight_ = 0;
    std::uint32_t mirrorWidth_ = 0;
    std::uint32_t mirrorHeight_ = 0;
    GlProgram program_;
    GLint mvpLocation_ = -1;
    GLint samplerLocation_ = -1;
    GLint colorLocation_ = -1;
    GlTexture whiteTexture_;
    std::unique_ptr<TexturedQuad3D> debugSquare_;
    std::unique_ptr<Text3D> fpsText_;
    std::unique_ptr<Text3D> autopilotText_;
    std::unique_ptr<Text3D> reportText_;
    std::unique_ptr<Text3D> welcomeText_;
    std::unique_ptr<Text3D> blockText_;
    std::unique_ptr<Text3D> feedbackText_;
    std::unique_ptr<Text3D> doneText_;
    GlTexture instructionsTopTexture_;
    std::unique_ptr<TexturedQuad3D> instructionsTopQuad_;
    GlTexture instructionsBottomTexture_;
    std::unique_ptr<TexturedQuad3D> instructionsBottomQuad_;
    std::vector<std::unique_ptr<ZOTScene>> scenes_;
    std::int32_t currentScene_ = 0;
};
