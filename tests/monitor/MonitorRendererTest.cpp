// What a subject would see on the monitor, read back pixel by pixel from the
// window: where each picture lands, in which tint, and where the texts sit.

#include "MonitorFixture.h"

#include "AllocationProbe.h"
#include "HandleKey.h"
#include "ZOTRendererMonitor.h"
#include "ZOTTrial.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <memory>

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
        testing::internal::CaptureStdout();
        const Screen s = frameUntil(STIMULUS);
        // Console output costs time inside the exposure: only when debugging.
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
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
        config->consoleDebugInfo = true;
        testing::internal::CaptureStdout();
        draw();
        std::string distractorLines;
        for (std::uint8_t type : trial.positionType)
            distractorLines += type == DISTRACTOR ? "DISTRACTOR\n" : "";
        EXPECT_EQ(testing::internal::GetCapturedStdout(), distractorLines) << "one line per distractor and frame";
        config->consoleDebugInfo = false;
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

    // A person's keys reach the window but not the experiment.
    GLFWwindow* window = facade->window();
    const GLFWkeyfun onKey = glfwSetKeyCallback(window, nullptr);
    glfwSetKeyCallback(window, onKey);
    const GLFWcharfun onChar = glfwSetCharCallback(window, nullptr);
    glfwSetCharCallback(window, onChar);
    onChar(window, 'k');
    EXPECT_EQ(experiment().report(), "");
    experiment().addReportKey("P");
    onKey(window, GLFW_KEY_BACKSPACE, 0, GLFW_PRESS, 0);
    clock.now += 2000;
    onKey(window, GLFW_KEY_SPACE, 0, GLFW_PRESS, 0);
    EXPECT_EQ(experiment().report(), "P");
    EXPECT_EQ(experiment().state(), REPORT);
}

TEST_F(MonitorTest, InstructionPagesAreCentredAtTheirOwnSizes)
{
    // The pages' pictures are solid green (top) and blue (bottom), drawn over the
    // first text screen; 684 × 491 and 684 × 404 pixels whatever the pictures' size.
    start();
    auto& monitor = static_cast<ZOTRendererMonitor&>(*facade->renderer());
    const struct {
        int page;
        int height;
        Colour colour;
    } pages[] = {{1, 491, {0, 255, 0}}, {2, 404, {0, 0, 255}}};
    for (const auto& p : pages) {
        monitor.drawFrame();
        monitor.drawInstructionImage(p.page);
        const Screen s = read();
        // An edge on a half pixel (491 in 1080) may cover the pixel on either side.
        const double left = (s.width - 684) / 2.0, top = (s.height - p.height) / 2.0;
        const std::array<double, 4> expected{left, top, left + 684, top + p.height};
        const auto box = s.inkBox(0, 0, s.width, s.height);
        for (int side = 0; side < 4; ++side)
            EXPECT_NEAR(box[side], expected[side], 0.5) << "page " << p.page << ", side " << side;
        EXPECT_EQ(s.at(s.width / 2, s.height / 2), p.colour) << "page " << p.page;
    }
}

TEST_F(MonitorTest, RefreshRateOfZeroOrBelowIsTheMonitorsOr90Hz)
{
    // The exposures are converted with the rate the window settled: 140 ms are
    // 8 frames at 60 Hz and 13 at 90 Hz (140 / 11.11 = 12.6).
    const auto framesOf140Ms = [](float rate) { return static_cast<int>(std::lround(140.0 * rate / 1000.0)); };
    // (A positive rate stays: every other test here runs at the configured 60 Hz.)
    for (const char* configured : {"-1", "0"}) {
        testing::internal::CaptureStdout();
        start(std::string("refreshRate=") + configured + "\n");
        const std::string console = testing::internal::GetCapturedStdout();
        const int monitorRate = glfwGetVideoMode(glfwGetPrimaryMonitor())->refreshRate;
        const float expected = monitorRate > 0 ? static_cast<float>(monitorRate) : 90.0f;
        SCOPED_TRACE(std::string("refreshRate=") + configured + ", the monitor reports " + std::to_string(monitorRate));
        EXPECT_EQ(config->refreshRate, expected);
        EXPECT_EQ(ZOTTrial::conditionTable[4].exposureFrames, framesOf140Ms(expected));
        EXPECT_NE(console.find("refreshRate = " + std::to_string(static_cast<int>(expected)) + " Hz\n"),
                  std::string::npos)
            << console;
        const bool warned = console.find("WARNING > the monitor reports no refresh rate; using 90 Hz") != std::string::npos;
        EXPECT_EQ(warned, monitorRate <= 0) << console;
    }
}

TEST_F(MonitorTest, KeysActOnPressOnlyAndF3TogglesTheFrameRate)
{
    start();
    GLFWwindow* window = facade->window();
    // The callbacks as GLFW calls them during event polling.
    const GLFWkeyfun onKey = glfwSetKeyCallback(window, nullptr);
    glfwSetKeyCallback(window, onKey);
    const GLFWcharfun onChar = glfwSetCharCallback(window, nullptr);
    glfwSetCharCallback(window, onChar);
    ASSERT_TRUE(onKey && onChar);

    const bool shown = config->showFPS;
    const struct {
        int action;
        bool toggles;
    } f3[] = {{GLFW_PRESS, true}, {GLFW_REPEAT, false}, {GLFW_RELEASE, false}, {GLFW_PRESS, true}};
    bool expected = shown;
    for (const auto& k : f3) {
        onKey(window, GLFW_KEY_F3, 0, k.action, 0);
        expected = expected != k.toggles;
        EXPECT_EQ(config->showFPS, expected) << "F3 action " << k.action;
    }
    EXPECT_EQ(config->showFPS, shown);

    for (int action : {GLFW_REPEAT, GLFW_RELEASE})
        onKey(window, GLFW_KEY_SPACE, 0, action, 0);
    EXPECT_EQ(experiment().state(), WELCOME) << "a held or released space bar starts nothing";
    onKey(window, GLFW_KEY_SPACE, 0, GLFW_PRESS, 0);
    EXPECT_EQ(experiment().state(), FIXATION);

    frameUntil(REPORT);
    onChar(window, 'k');
    onChar(window, 'p');
    onKey(window, GLFW_KEY_F3, 0, GLFW_PRESS, 0); // types nothing
    onKey(window, GLFW_KEY_A, 0, GLFW_PRESS, 0);  // letters arrive as characters only
    EXPECT_EQ(experiment().report(), "KP");
    for (int action : {GLFW_REPEAT, GLFW_RELEASE})
        onKey(window, GLFW_KEY_BACKSPACE, 0, action, 0);
    EXPECT_EQ(experiment().report(), "KP");
    onKey(window, GLFW_KEY_BACKSPACE, 0, GLFW_PRESS, 0);
    EXPECT_EQ(experiment().report(), "K");
}

namespace {

// A display whose frames are a fixed time apart on the session's clock, and
// which closes the window after a number of frames so that the main loop ends.
class SteppedDisplay final : public PresentationClock {
public:
    SteppedDisplay(ManualClock& clock, GLFWwindow* window) : clock_(&clock), window_(window) {}
    void show(int frames, int periodMs)
    {
        framesLeft_ = frames;
        periodMs_ = periodMs;
        glfwSetWindowShouldClose(window_, GLFW_FALSE);
    }
    FrameStamp stampPresentedFrame() override
    {
        clock_->now += periodMs_;
        if (--framesLeft_ == 0)
            glfwSetWindowShouldClose(window_, GLFW_TRUE);
        FrameStamp stamp;
        stamp.microseconds = std::int64_t{clock_->now} * 1000;
        return stamp;
    }

private:
    ManualClock* clock_;
    GLFWwindow* window_;
    int framesLeft_ = 0;
    int periodMs_ = 0;
};

} // namespace

TEST_F(MonitorTest, FrameRateIsSampledWhenMoreThanASecondHasPassed)
{
    start();
    auto display = std::make_unique<SteppedDisplay>(clock, facade->window());
    SteppedDisplay& stepped = *display;
    facade->setPresentationClock(std::move(display));
    const auto& monitor = static_cast<const ZOTRendererMonitor&>(*facade->renderer());
    // Frames 100 ms apart: after 10 frames exactly one second has passed, not
    // more; the 11th takes the sample of the 10 frames before it.
    const struct {
        int frames;
        int periodMs;
        const char* shown;
    } steps[] = {{10, 100, "0 FPS"}, {1, 100, "10 FPS"},
                 // Then 250 ms apart: the sample frame itself is not counted.
                 {3, 250, "10 FPS"}, {1, 250, "10 FPS"}, {1, 250, "4 FPS"}};
    int frames = 0;
    for (const auto& step : steps) {
        stepped.show(step.frames, step.periodMs);
        facade->run();
        frames += step.frames;
        EXPECT_EQ(monitor.fpsText(), step.shown) << "after " << frames << " frames";
    }
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
