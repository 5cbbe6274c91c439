#pragma once
// A whole headset presentation in a scratch folder: the monitor tests' synthetic
// pictures and fake clock, the real shaders, the facade with its mirror window,
// and the simulated runtime (XR_RUNTIME_JSON names it). Eye pictures are read
// back from the renderer's eye targets.

#include "MonitorFixture.h"
#include "ZOTRendererVive.h"

#include <array>
#include <string>

/// An eye's field of view as tangents of its four edge angles (left and down
/// negative), and its picture size.
struct EyeView {
    double left, right, up, down;
    int width, height;

    /// Where a scene point (eye space, looking down −z, y up) lands in the eye's
    /// picture: pixel coordinates from the top-left corner, y downwards.
    std::array<double, 2> pixel(double x, double y, double z) const;
    /// The ink box {left, top, right, bottom} an axis-aligned square or
    /// rectangle centred on (x, y) in the plane z should cover.
    std::array<double, 4> box(double x, double y, double z, double width, double height) const;
};

/// The simulated headset's two eyes: 1512 × 1680 pixels each, fields of view
/// wider on the temple side than on the nose side, and wider below than above.
extern const std::array<EyeView, 2> simulatedEyes;

class HeadsetTest : public MonitorTest {
protected:
    void SetUp() override;

    /// zot.cfg lines on top of the defaults of these tests (VIVE, fixed seed, no
    /// practice, one block of 12 whole-report trials).
    void startHeadset(const std::string& extraConfig = "");

    ZOTRendererVive& vive() { return static_cast<ZOTRendererVive&>(*facade->renderer()); }

    /// Steps the timeline (without showing the frames) until the state is
    /// reached, at most 1000 frames, then shows that frame in the headset.
    void showUntil(int state);
    /// Shows the current state in one headset frame.
    void show() { vive().redrawFrame(); }

    /// The last picture drawn for an eye (0 left, 1 right), row 0 at the top.
    Screen eye(int eye);
    /// The window's front buffer: the mirror presented last.
    Screen mirror();

    /// Starts the next trial: moves the clock past the space-bar lock-out, presses space.
    void nextTrial();
};

/// Expects the ink box of a picture region to be where the geometry says, to a pixel.
void expectBox(const std::array<int, 4>& box, const std::array<double, 4>& expected, const std::string& what);
