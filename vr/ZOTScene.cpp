#include "ZOTScene.h"

#include "PlaceTint.h"
#include "RendererHost.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"
#include "ZOTTrial.h"

#include <cmath>

SceneLayout sceneLayout(const ZOTConfig& config, float depthFactor)
{
    const float d = depthFactor;
    const float r = d * config.radius;
    const float y0 = config.yRoot;
    // π/3 as a single-precision constant.
    const float cx = std::cos(1.0471976f) * r;
    const float cy = std::sin(1.0471976f) * r;

    SceneLayout layout;
    layout.letterSize = d * config.size;
    layout.fixSize = d * config.fixCrossSize;
    layout.z = d * config.zDepth;
    layout.fixation = {0, y0};
    layout.centres = {{
        {cx, y0 + cy},
        {r, y0},
        {cx, y0 - cy},
        {-cx, y0 - cy},
        {-r, y0},
        {-cx, y0 + cy},
    }};
    return layout;
}

namespace {

// Flipped: LIMG rows run top-down, and up is +y in the scene.
std::unique_ptr<TexturedQuad3D> squareAround(std::array<float, 2> centre, float side, float z, GLuint texture)
{
    return std::make_unique<TexturedQuad3D>(centre[0] - side / 2, centre[1] - side / 2, z, side, side, texture, true);
}

} // namespace

ZOTScene::ZOTScene(const ZOTConfig& config, ZOTExperiment* experiment, RendererHost* facade, float depthFactor)
    : experiment_(experiment), facade_(facade)
{
    const SceneLayout layout = sceneLayout(config, depthFactor);
    fixationQuad_ = squareAround(layout.fixation, layout.fixSize, layout.z, facade_->fixationTexture());
    for (int i = 0; i < 6; ++i)
        letterQuads_[i] = squareAround(layout.centres[i], layout.letterSize, layout.z, facade_->letterTexture(0));
    // Masks 1 to 6 at positions 0 to 5; the facade's masks 7 and 8 stay unused.
    for (int i = 0; i < 6; ++i)
        maskQuads_[i] = squareAround(layout.centres[i], layout.letterSize, layout.z, facade_->maskTexture(i));
}

void ZOTScene::setLetterTextures()
{
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!trial)
        return;
    for (int i = 0; i < 6; ++i)
        letterQuads_[i]->setTexture(facade_->placeTexture(trial->letter[i]));
}

void ZOTScene::drawFixation()
{
    fixationQuad_->draw();
}

void ZOTScene::drawLetters(GLint colorLocation)
{
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!trial)
        return;
    for (int i = 0; i < 6; ++i) {
        tintPlace(colorLocation, trial->positionType[i]);
        letterQuads_[i]->draw();
    }
}

void ZOTScene::drawMasks()
{
    for (auto& quad : maskQuads_)
        quad->draw();
}
