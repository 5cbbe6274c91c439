#pragma once

#include "PresentationClock.h"

#include <GL/glew.h>

#include <cstdint>
#include <memory>

struct GLFWwindow;

/// What the renderer of a display (monitor or headset) calls back on: the
/// program's facade, which owns the window, the shared textures, the frame
/// stamps and the decision of what each screen state draws. The renderers know
/// the facade only through this, so they depend on nothing above them.
class RendererHost {
public:
    virtual ~RendererHost() = default;

    /// Draws the piece of the current screen state, then the frame-rate overlay
    /// when it is on. Called by the renderer once per view.
    virtual void drawState() = 0;
    /// Presents the frame drawn into the window's back buffer and stamps it.
    virtual void presentFrame() = 0;
    /// Replaces the source of frame stamps.
    virtual void setPresentationClock(std::unique_ptr<PresentationClock> clock) = 0;
    virtual GLFWwindow* window() const = 0;

    // The textures both displays share.
    virtual GLuint fixationTexture() const = 0;
    virtual GLuint letterTexture(int index) const = 0;
    virtual GLuint blankTexture() const = 0;
    /// What a letter place shows for a trial's letter index: the letter's
    /// texture, or the blank for an empty place.
    virtual GLuint placeTexture(std::int32_t letter) const = 0;
    virtual GLuint maskTexture(int index) const = 0;
};
