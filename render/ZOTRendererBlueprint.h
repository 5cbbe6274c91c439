#pragma once

#include "ExperimentScreen.h"

#include <string>

struct ZOTConfig;

/// What the facade needs of the renderer of a display (monitor or headset):
/// one frame at a time, the draw piece of each screen state, and the texts and
/// letters the keyboard handler hands over (ExperimentScreen). The facade owns
/// exactly one and destroys it through this base.
class ZOTRendererBlueprint : public ExperimentScreen {
public:
    explicit ZOTRendererBlueprint(ZOTConfig* config) : config(config) {}
    ~ZOTRendererBlueprint() override = default;
    ZOTRendererBlueprint(const ZOTRendererBlueprint&) = delete;
    ZOTRendererBlueprint& operator=(const ZOTRendererBlueprint&) = delete;

    /// One displayed frame: advance the trial timeline, draw, present, poll
    /// events and close the window on Escape.
    virtual void renderFrame() = 0;
    /// Replaces the frame-rate overlay text.
    virtual void setFpsText(const std::string& text) = 0;

    // The draw pieces of the screen states, called by the facade's drawState.
    virtual void drawFixation() = 0;
    virtual void drawLetters() = 0;
    virtual void drawMasks() = 0;
    virtual void drawReportText() = 0;
    virtual void drawFeedbackText() = 0;
    virtual void drawDoneText() = 0;
    virtual void drawWelcomeText() = 0;
    virtual void drawBlockText() = 0;
    /// Instruction page n (1 top, 2 bottom); other n draw nothing.
    virtual void drawInstructionImage(int n) = 0;
    virtual void drawFpsText() = 0;
    /// "AUTOPILOT" in a corner, on every screen while the autopilot answers.
    virtual void drawAutopilotMark() = 0;

protected:
    ZOTConfig* config; ///< observed; owned by the program entry
};
