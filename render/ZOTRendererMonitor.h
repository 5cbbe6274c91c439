#pragma once

#include "GlName.h"
#include "Projection.h"
#include "Quad.h"
#include "Text.h"
#include "ZOTRendererBlueprint.h"

#include <array>
#include <cstdint>
#include <memory>

class ZOTExperiment;
class RendererHost;

/// Where the monitor draws: pixel sizes from the configuration's percentages of
/// the window width, and the top-left corners of the six places on the circle.
/// Place 0 is lower right, then counter-clockwise on screen through right,
/// upper right, upper left, left, lower left.
struct MonitorLayout {
    float letterSize = 0;
    float fixSize = 0;
    float radius = 0;
    std::array<std::array<float, 2>, 6> places{};
};

/// Computes the layout for a window of width × height pixels.
MonitorLayout monitorLayout(const ZOTConfig& config, float width, float height);

/// Presents the experiment in a desktop window, in pixels with the origin at the
/// top left and y downwards. Everything it draws is made once in init; each frame
/// only picks, by the screen state, what to draw. Swaps are paced by vsync.
class ZOTRendererMonitor final : public ZOTRendererBlueprint {
public:
    /// The pointers are observed. No GL work.
    ZOTRendererMonitor(ZOTConfig* config, ZOTExperiment* experiment, RendererHost* facade);
    ~ZOTRendererMonitor() override;

    /// Builds the program, quads and texts for a width × height window and turns
    /// vertical sync on. Needs the facade's shared textures. False when the
    /// program does not build or a page could not be loaded (each has said why).
    bool init(std::uint32_t width, std::uint32_t height);

    void renderFrame() override;
    /// Draws the current state into the bound framebuffer, without presenting it.
    void drawFrame();

    void setFpsText(const std::string& text) override;
    /// The frame-rate overlay's text as last set.
    const std::string& fpsText() const;
    void setReportText(const std::string& text) override;
    void setFeedbackText(const std::string& text) override;
    void setBlockText(const std::string& text) override;
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
    ZOTExperiment* experiment_;
    RendererHost* facade_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    Matrix4 projection_{};
    GlProgram program_;
    GLint mvpLocation_ = -1;
    GLint colorLocation_ = -1;
    GLint samplerLocation_ = -1;
    std::unique_ptr<TexturedQuad> fixationQuad_;
    std::array<std::unique_ptr<TexturedQuad>, 6> letterQuads_;
    std::array<std::unique_ptr<TexturedQuad>, 6> maskQuads_;
    GlTexture whiteTexture_;
    std::unique_ptr<TexturedQuad> debugSquare_;
    std::unique_ptr<Text> reportText_;
    std::unique_ptr<Text> welcomeText_;
    std::unique_ptr<Text> blockText_;
    std::unique_ptr<Text> feedbackText_;
    std::unique_ptr<Text> doneText_;
    std::unique_ptr<Text> fpsText_;
    std::unique_ptr<Text> autopilotText_;
    GlTexture instructionTopTexture_;
    std::unique_ptr<TexturedQuad> instructionTopQuad_;
    GlTexture instructionBottomTexture_;
    std::unique_ptr<TexturedQuad> instructionBottomQuad_;
};
