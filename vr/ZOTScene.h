#pragma once

#include "Quad.h"

#include <GL/glew.h>

#include <array>
#include <memory>

struct ZOTConfig;
class ZOTExperiment;
class RendererHost;

/// Where a headset scene lies, in scene units (y upwards, looking down −z): the
/// side of the letter and mask squares, the side of the fixation square, the
/// plane of the whole scene, and the centres of the fixation cross and of the
/// six positions. Position 0 is upper right, then clockwise 60° apart: right,
/// lower right, lower left, left, upper left.
struct SceneLayout {
    float letterSize = 0;
    float fixSize = 0;
    float z = 0;
    std::array<float, 2> fixation{};
    std::array<std::array<float, 2>, 6> centres{};
};

/// The layout for a depth factor: sizes, circle and distance grow with it, so
/// every eye sees the same picture at any depth; `yRoot` lifts every scene by
/// the same amount and is not scaled.
SceneLayout sceneLayout(const ZOTConfig& config, float depthFactor);

/// The stimulus of a trial in the headset at one depth: the fixation cross, six
/// letter squares and six masks. The quads never move; a trial only changes the
/// letters' textures. The textures belong to the facade.
class ZOTScene {
public:
    /// Builds the quads; the pointers are observed. Needs the facade's shared
    /// textures, makes no GL call.
    ZOTScene(const ZOTConfig& config, ZOTExperiment* experiment, RendererHost* facade, float depthFactor);

    /// Puts the current trial's letters on the six squares (the blank on empty
    /// positions).
    void setLetterTextures();

    // The draw pieces of FIXATION, STIMULUS and MASKS; the program, "M_mvp" and
    // "sampler" are set by the renderer.
    void drawFixation();
    /// Tints targets red and distractors blue through colorLocation. A tint stays
    /// in force for the following letters and whatever is drawn after them.
    void drawLetters(GLint colorLocation);
    void drawMasks();

private:
    ZOTExperiment* experiment_;
    RendererHost* facade_;
    std::unique_ptr<TexturedQuad3D> fixationQuad_;
    std::array<std::unique_ptr<TexturedQuad3D>, 6> letterQuads_;
    std::array<std::unique_ptr<TexturedQuad3D>, 6> maskQuads_;
};
