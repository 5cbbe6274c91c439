// What a subject would see on the monitor, read back pixel by pixel from the
// window: where each picture lands, in which tint, and where the texts sit.

#include "MonitorFixture.h"

#include "AllocationProbe.h"
#include "HandleKey.h"
#include "ZOTRendererMonitor.h"
#include "ZOTTrial.h"

#include <cmath>

namespace {

constexpr Colour WHITE{255, 255, 255};

struct Geometry {
    int letterSize;
    int radius;
    std::array<std::array<int, 2>, 6> places; // top-left corners
};

// The circle as the screen should show it, worked out independently of the
// renderer: sizes are per cent of the width, places 60 degrees apart starting
// at the lower right, with y growing downwards.
Geometry expectedGeometry(int width, int height)
{
    Geometry g{};
    g.letterSize = static_cast<int>(std::lround(width * 0.05));
    g.radius = static_cast<int>(std::lround(width * 0.15));
    const double x0 = width / 2.0 - g.letterSize / 2.0;
    const double y0 = height / 2.0 - g.letterSize / 2.0;
    const double angles[6] = {60, 0, -60, -120, 180, 120}; // y downwards: +60 is below
    for (int i = 0; i < 6; ++i) {
        const double a = angles[i] * M_PI / 180.0;
        g.places[i] = {static_cast<int>(std::lround(x0 + g.radius * std::cos(a))),
                       static_cast<int>(std::lround(y0 + g.radius * std::sin(a)))};
    }
    return g;
}

int expectedWidth()
{
    const char* size = std::getenv("ZOT_EXPECTED_WIDTH");
    return size ? std::atoi(size) : 1920;
}

} // namespace

TEST_F(MonitorTest, WindowTakesTheScreenSize)
{
    start();
    EXPECT_EQ(static_cast<int>(facade->width()), expectedWidth());
}

TEST_F(MonitorTest, FixationCrossSitsAtTheCentre)
{
    start();
    press(KEY_SPACE);
    const Screen s = frame();
    ASSERT_EQ(experiment().state(), FIXATION);
    const int fix = static_cast<int>(std::lround(s.width * 0.05));
    const auto box = s.inkBox(0, 0, s.width, s.height);
    EXPECT_NEAR(box[0], s.width / 2 - fix / 2, 1);
    EXPECT_NEAR(box[1], s.height / 2 - fix / 2, 1);
    EXPECT_NEAR(box[2] - box[0], fix, 1);
    EXPECT_NEAR(box[3] - box[1], fix, 1);
    EXPECT_EQ(s.at(s.width / 2, s.height / 2), WHITE);
}

TEST_F(MonitorTest, LettersLandOnTheirPlacesTintedByType)
{
    // Mixed whole- and partial-report trials: targets, distractors and empty
    // places, all drawn from solid white tiles.
    start("mode=COMBI\ntrialsPerBlock=36\nblocksPerRun=3\n");
    const Geometry g = expectedGeometry(static_cast<int>(facade->width()), static_cast<int>(facade->height()));
    bool sawDistractor = false, sawEmptyAfterTarget = false;
    for (int t = 0; t < 36 && !(sawDistractor && sawEmptyAfterTarget); ++t) {
        clock.now += 2000;
        press(KEY_SPACE);
        const Screen s = frameUntil(STIMULUS);
        const ZOTTrial& trial = *experiment().currentTrial();
        const auto tints = placeTints(trial);
        for (int i = 0; i < 6; ++i) {
            sawDistractor |= trial.positionType[i] == DISTRACTOR;
            sawEmptyAfterTarget |= trial.positionType[i] == EMPTY && !(tints[i] == WHITE);
            const auto [x, y] = g.places[i];
            const int half = g.letterSize / 2;
            EXPECT_EQ(s.at(x + half, y + half), tints[i]) << "trial " << t << " place " << i;
            const auto box = s.inkBox(x - 20, y - 20, x + g.letterSize + 20, y + g.letterSize + 20);
            EXPECT_NEAR(box[0], x, 1) << "place " << i;
            EXPECT_NEAR(box[1], y, 1) << "place " << i;
            EXPECT_NEAR(box[2] - box[0], g.letterSize, 1) << "place " << i;
        }
        // Nothing but the six letters: the centre stays dark.
        EXPECT_EQ(s.at(s.width / 2, s.height / 2), Colour{});
        frameUntil(REPORT);
    }
    EXPECT_TRUE(sawDistractor);
    EXPECT_TRUE(sawEmptyAfterTarget);
}

TEST_F(MonitorTest, MasksOneToSixCoverThePlacesInOrder)
{
    start();
    const Geometry g = expectedGeometry(static_cast<int>(facade->width()), static_cast<int>(facade->height()));
    press(KEY_SPACE);
    const Screen s = frameUntil(MASKS);
    for (int i = 0; i < 6; ++i) {
        const auto [x, y] = g.places[i];
        EXPECT_EQ(s.at(x + g.letterSize / 2, y + g.letterSize / 2), maskColour(i + 1)) << "place " << i;
    }
}

TEST_F(MonitorTest, DebugSquareReplacesTheLetters)
{
    start("debugQuad=1\n");
    press(KEY_SPACE);
    const Screen s = frameUntil(STIMULUS);
    const auto box = s.inkBox(0, 0, s.width, s.height);
    EXPECT_EQ(box, (std::array<int, 4>{s.width / 2 - 300, s.height / 2 - 300, s.width / 2 + 300, s.height / 2 + 300}));
    EXPECT_EQ(s.at(s.width / 2 - 299, s.height / 2 + 299), WHITE);
}

TEST_F(MonitorTest, TextsAreCentredLineByLine)
{
    // Three lines of 19, 19 and 24 characters, each glyph 8 pixels wide and 16 high.
    start("practiceBlock=1\ntextWelcome=This practice block\\nincludes %%NUMBER%% trials.\\nPress space to continue!\n");
    const Screen s = draw();
    const int cx = s.width / 2, cy = s.height / 2;
    EXPECT_EQ(s.inkBox(0, 0, s.width, s.height), (std::array<int, 4>{cx - 96, cy - 24, cx + 96, cy + 24}));
    EXPECT_EQ(s.inkBox(0, cy - 24, s.width, cy - 8), (std::array<int, 4>{cx - 76, cy - 24, cx + 76, cy - 8}));
    EXPECT_EQ(s.inkBox(0, cy + 8, s.width, cy + 24), (std::array<int, 4>{cx - 96, cy + 8, cx + 96, cy + 24}));
}

TEST_F(MonitorTest, ReportShowsTheTypedLettersAtReportSize)
{
    start();
    press(KEY_SPACE);
    frameUntil(REPORT);
    press(KEY_CHARACTER, 'a');
    press(KEY_CHARACTER, 'b');
    const Screen s = draw();
    // reportTextSize 2: 32-pixel lines, glyphs 16 wide.
    const int cx = s.width / 2, cy = s.height / 2;
    EXPECT_EQ(s.inkBox(0, 0, s.width, s.height), (std::array<int, 4>{cx - 16, cy - 16, cx + 16, cy + 16}));
}

TEST_F(MonitorTest, FrameRateOverlayOnlyWhenShown)
{
    start();
    EXPECT_EQ(draw().inkBox(0, 0, facade->width(), 40), (std::array<int, 4>{0, 0, 0, 0}));
    config->showFPS = true;
    const Screen s = draw();
    // "0 FPS": five glyphs of 8 pixels centred on (width - 120, 16).
    EXPECT_EQ(s.inkBox(0, 0, s.width, 40), (std::array<int, 4>{s.width - 140, 8, s.width - 100, 24}));
}

TEST_F(MonitorTest, AutopilotIsMarkedInTheTopLeftCornerOfEveryScreen)
{
    start("autopilot=40,3,10,0.5,0.5\n");
    // "AUTOPILOT": nine glyphs of 8 pixels centred on (90, 16).
    const std::array<int, 4> mark{54, 8, 126, 24};
    EXPECT_EQ(draw().inkBox(0, 0, 300, 40), mark) << "welcome";
    press(KEY_SPACE);
    for (int state : {FIXATION, STIMULUS, MASKS, REPORT})
        EXPECT_EQ(frameUntil(state).inkBox(0, 0, 300, 40), mark) << "state " << state;

    // Without the autopilot the corner stays dark: FrameRateOverlayOnlyWhenShown.
}

TEST_F(MonitorTest, TheTimedPhasesAllocateNothing)
{
    start();
    auto& monitor = static_cast<ZOTRendererMonitor&>(*facade->renderer());
    const auto presentedFrame = [&] {
        experiment().updateTimeline();
        monitor.drawFrame();
        facade->presentFrame();
    };
    // A first trial makes every lazily created buffer and ends the start-up check.
    presentedFrame();
    press(KEY_SPACE);
    while (experiment().state() != REPORT)
        presentedFrame();
    clock.now += 2000;
    press(KEY_SPACE);

    // The first report frame writes the trial's lines; every frame before it
    // must not allocate.
    AllocationProbe probe;
    std::size_t beforeReport = 0;
    int frames = 0;
    for (; experiment().state() != REPORT && frames < 1000; ++frames) {
        beforeReport = probe.count();
        presentedFrame();
    }
    EXPECT_GT(frames, 90); // fixation, stimulus and masks at 60 Hz
    EXPECT_EQ(beforeReport, 0u);
    EXPECT_GT(probe.count(), 0u); // the report frame's writes are seen
}
