#include "HeadsetFixture.h"

#include "HandleKey.h"
#include "SubjectData.h"
#include "ZOTTrial.h"

#include <GL/glew.h>

#include <cmath>
#include <filesystem>
#include <sstream>

std::array<double, 2> EyeView::pixel(double x, double y, double z) const
{
    // Head-locked, no eye offset: only the direction from the eye counts.
    const double tx = x / -z;
    const double ty = y / -z;
    return {(tx - left) / (right - left) * width, (up - ty) / (up - down) * height};
}

std::array<double, 4> EyeView::box(double x, double y, double z, double w, double h) const
{
    const auto topLeft = pixel(x - w / 2, y + h / 2, z);
    const auto bottomRight = pixel(x + w / 2, y - h / 2, z);
    return {topLeft[0], topLeft[1], bottomRight[0], bottomRight[1]};
}

// The angles the simulated runtime reports for its two views, in radians.
const std::array<EyeView, 2> simulatedEyes = {{
    {std::tan(-0.96), std::tan(0.82), std::tan(0.89), std::tan(-0.97), 1512, 1680},
    {std::tan(-0.82), std::tan(0.96), std::tan(0.89), std::tan(-0.97), 1512, 1680},
}};

void HeadsetTest::SetUp()
{
    MonitorTest::SetUp();
    // MonitorTest has made the scratch folder the working directory.
    for (const char* name : {"simple.vs", "simple.fs"})
        std::filesystem::copy_file(std::filesystem::path(ZOT_SOURCE_DIR) / "shaders" / name,
                                   std::filesystem::path("shaders") / name);
}

void HeadsetTest::startHeadset(const std::string& extraConfig)
{
    startWith("display=VIVE\nrandomSeed=7\npracticeBlock=0\nblocksPerRun=1\ntrialsPerBlock=12\nmode=WHOLE\n" +
              extraConfig);
}

void HeadsetTest::showUntil(int state)
{
    for (int i = 0; i < 1000 && experiment().state() != state; ++i)
        experiment().updateTimeline();
    ASSERT_EQ(experiment().state(), state) << "state never reached";
    show();
}

Screen HeadsetTest::eye(int eye)
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, vive().eyeFramebuffer(eye));
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    Screen screen = readBack(static_cast<int>(vive().renderWidth()), static_cast<int>(vive().renderHeight()));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    return screen;
}

Screen HeadsetTest::mirror()
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    return readBack(static_cast<int>(facade->width()), static_cast<int>(facade->height()));
}

void HeadsetTest::nextTrial()
{
    clock.now += 2000;
    press(KEY_SPACE);
}

void expectBox(const std::array<int, 4>& box, const std::array<double, 4>& expected, const std::string& what)
{
    // A pixel is covered when its centre is: edges land within a pixel of the
    // exact projection.
    for (int side = 0; side < 4; ++side)
        EXPECT_NEAR(box[side], expected[side], 1.0) << what << ", side " << side << " of {left, top, right, bottom}";
}
