// What a subject would see in the headset, read back from each eye's picture:
// where the fixation cross, letters and masks land as each eye's field of view
// projects them, in which tint, at which depth, where the texts sit, and what
// reaches the runtime and the mirror window.

#include "HeadsetFixture.h"

#include "HandleKey.h"
#include "Limg.h"
#include "ScopedEnv.h"
#include "ZOTTrial.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <vector>

namespace {

constexpr Colour BLACK{};
constexpr Colour WHITE{255, 255, 255};

// The configuration's defaults of the scene, in scene units.
constexpr double SIZE = 6;
constexpr double RADIUS = 15;
constexpr double FIX_SIZE = 5;
constexpr double Z_DEPTH = -70;

/// Centre of position i on the circle of a scene with depth factor d, worked out
/// independently of the renderer: 60° apart, clockwise from the upper right;
/// yRoot lifts the scene and is not scaled.
std::array<double, 2> positionCentre(int i, double d, double yRoot)
{
    const double angle = (60.0 - 60.0 * i) * M_PI / 180.0;
    return {d * RADIUS * std::cos(angle), yRoot + d * RADIUS * std::sin(angle)};
}

Colour colourAt(const Screen& s, std::array<double, 2> pixel)
{
    return s.at(static_cast<int>(pixel[0]), static_cast<int>(pixel[1]));
}

/// The ink found around an expected box, with a margin for a box in the wrong place.
std::array<int, 4> inkAround(const Screen& s, const std::array<double, 4>& box, int margin = 20)
{
    return s.inkBox(std::max(0, static_cast<int>(box[0]) - margin), std::max(0, static_cast<int>(box[1]) - margin),
                    std::min(s.width, static_cast<int>(box[2]) + margin),
                    std::min(s.height, static_cast<int>(box[3]) + margin));
}

std::string eyeName(int eye)
{
    return eye == 0 ? "left eye" : "right eye";
}

} // namespace

TEST_F(HeadsetTest, MirrorWindowShowsTheRightEyeScaledTo720PixelsHigh)
{
    testing::internal::CaptureStdout();
    startHeadset();
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("ZOTRendererVive > framebufferDimensions: 1512 x 1680\n"), std::string::npos) << console;
    int width = 0, height = 0;
    glfwGetWindowSize(facade->window(), &width, &height);
    EXPECT_EQ(width, 648);
    EXPECT_EQ(height, 720);

    press(KEY_SPACE);
    showUntil(FIXATION);
    const Screen m = mirror();
    std::array<double, 4> expected = simulatedEyes[1].box(0, 0, Z_DEPTH, FIX_SIZE, FIX_SIZE);
    for (double& edge : expected)
        edge *= 720.0 / 1680.0;
    // Scaled with linear filtering: edge pixels are blends, still ink.
    const auto box = m.inkBox(0, 0, m.width, m.height);
    for (int side = 0; side < 4; ++side)
        EXPECT_NEAR(box[side], expected[side], 1.5) << "side " << side;
}

TEST_F(HeadsetTest, FixationCrossSitsAtTheProjectedCentreOfEachEye)
{
    // Lifted by yRoot, so that a swap of up and down would show.
    startHeadset("yRoot=6\n");
    press(KEY_SPACE);
    showUntil(FIXATION);
    for (int e = 0; e < 2; ++e) {
        const Screen s = eye(e);
        const EyeView& view = simulatedEyes[e];
        expectBox(s.inkBox(0, 0, s.width, s.height), view.box(0, 6, Z_DEPTH, FIX_SIZE, FIX_SIZE), eyeName(e));
        EXPECT_EQ(colourAt(s, view.pixel(0, 6, Z_DEPTH)), WHITE) << eyeName(e);
    }
}

struct SceneCase {
    const char* name;
    const char* config;
    double yRoot;
    std::vector<double> depths; // depth factor of scene k + 1
};

void PrintTo(const SceneCase& c, std::ostream* out)
{
    *out << c.name;
}

class HeadsetSceneTest : public HeadsetTest, public testing::WithParamInterface<SceneCase> {};

TEST_P(HeadsetSceneTest, LettersAndMasksLandWhereEachEyeProjectsThem)
{
    const SceneCase& c = GetParam();
    startHeadset(std::string("mode=COMBI\ntrialsPerBlock=36\nblocksPerRun=3\n") + c.config);
    // A trial whose first position is empty shows whether each eye starts
    // white: the left eye's last tint must not reach the right eye.
    bool sawDistractor = false, sawEmptyAfterTarget = false, sawEmptyFirst = false;
    std::vector<bool> sawDepth(c.depths.size() + 1, false);
    auto seenAll = [&] {
        return sawDistractor && sawEmptyAfterTarget && sawEmptyFirst &&
               std::find(sawDepth.begin(), sawDepth.end(), false) == sawDepth.end();
    };
    for (int t = 0; t < 36 && !seenAll(); ++t) {
        nextTrial();
        showUntil(STIMULUS);
        const ZOTTrial& trial = *experiment().currentTrial();
        ASSERT_LT(static_cast<std::size_t>(trial.depthIndex), sawDepth.size());
        sawDepth[static_cast<std::size_t>(trial.depthIndex)] = true;
        sawEmptyFirst |= trial.positionType[0] == EMPTY;
        const double d = trial.depthIndex == 0 ? 1.0 : c.depths[static_cast<std::size_t>(trial.depthIndex - 1)];
        for (int e = 0; e < 2; ++e) {
            const Screen s = eye(e);
            const EyeView& view = simulatedEyes[e];
            const auto tints = placeTints(trial);
            for (int i = 0; i < 6; ++i) {
                sawDistractor |= trial.positionType[i] == DISTRACTOR;
                sawEmptyAfterTarget |= trial.positionType[i] == EMPTY && !(tints[i] == WHITE);
                const auto [x, y] = positionCentre(i, d, c.yRoot);
                const std::string where = "trial " + std::to_string(t) + ", " + eyeName(e) + ", position " +
                                          std::to_string(i) + ", depth factor " + std::to_string(d);
                EXPECT_EQ(colourAt(s, view.pixel(x, y, d * Z_DEPTH)), tints[i]) << where;
                const auto box = view.box(x, y, d * Z_DEPTH, d * SIZE, d * SIZE);
                expectBox(inkAround(s, box), box, where);
            }
            // Only the letters: the fixation point stays dark.
            EXPECT_EQ(colourAt(s, view.pixel(0, c.yRoot, d * Z_DEPTH)), BLACK);
        }
        // Masks 1 to 6 cover the positions in order.
        showUntil(MASKS);
        for (int e = 0; e < 2; ++e) {
            const Screen s = eye(e);
            for (int i = 0; i < 6; ++i) {
                const auto [x, y] = positionCentre(i, d, c.yRoot);
                EXPECT_EQ(colourAt(s, simulatedEyes[e].pixel(x, y, d * Z_DEPTH)), maskColour(i + 1))
                    << "trial " << t << ", " << eyeName(e) << ", mask at position " << i;
            }
        }
        showUntil(REPORT);
    }
    EXPECT_TRUE(seenAll())
        << "the trials did not cover distractors, empty positions first and after targets, and every depth";
}

INSTANTIATE_TEST_SUITE_P(Scenes, HeadsetSceneTest,
                         testing::Values(SceneCase{"OneDepth", "", 0, {}},
                                         SceneCase{"ThreeDepthsLifted", "enableDepthPerception=1\ndepths=2,0.8\nyRoot=6\n",
                                                   6, {2, 0.8}}),
                         [](const testing::TestParamInfo<SceneCase>& info) { return info.param.name; });

TEST_F(HeadsetTest, DepthFactorTwoShowsTheSamePicturesAsOne)
{
    // Whole report: six red letters in every trial, and the letters are all
    // the same white tile, so only the depth could tell two trials apart.
    startHeadset("enableDepthPerception=1\ndepths=2\n");
    std::map<int, std::vector<Screen>> pictures; // by depth index: each state's two eyes
    for (int t = 0; t < 12 && pictures.size() < 2; ++t) {
        nextTrial();
        const int depthIndex = experiment().currentTrial()->depthIndex;
        std::vector<Screen> shown;
        for (const int state : {FIXATION, STIMULUS, MASKS}) {
            showUntil(state);
            shown.push_back(eye(0));
            shown.push_back(eye(1));
        }
        pictures.emplace(depthIndex, std::move(shown));
        showUntil(REPORT);
    }
    ASSERT_EQ(pictures.size(), 2u) << "no trial at one of the depths";
    const char* names[] = {"fixation", "stimulus", "masks"};
    for (std::size_t k = 0; k < pictures[0].size(); ++k) {
        const Screen& base = pictures[0][k];
        const Screen& doubled = pictures[1][k];
        int differing = 0;
        for (int y = 0; y < base.height; ++y)
            for (int x = 0; x < base.width; ++x)
                differing += !(base.at(x, y) == doubled.at(x, y));
        EXPECT_EQ(differing, 0) << names[k / 2] << ", " << eyeName(static_cast<int>(k % 2));
        EXPECT_NE(base.inkBox(0, 0, base.width, base.height), (std::array<int, 4>{0, 0, 0, 0})) << names[k / 2];
    }
}

TEST_F(HeadsetTest, DebugSquareReplacesTheLettersAroundTheViewAxis)
{
    // yRoot lifts the letters but not the square.
    startHeadset("debugQuad=1\nyRoot=6\n");
    nextTrial();
    showUntil(STIMULUS);
    for (int e = 0; e < 2; ++e) {
        const Screen s = eye(e);
        const EyeView& view = simulatedEyes[e];
        expectBox(s.inkBox(0, 0, s.width, s.height), view.box(0, 0, Z_DEPTH, 3 * RADIUS, 3 * RADIUS), eyeName(e));
        EXPECT_EQ(colourAt(s, view.pixel(0, 0, Z_DEPTH)), WHITE) << eyeName(e);
    }
    showUntil(MASKS);
    const auto [x, y] = positionCentre(0, 1, 6);
    EXPECT_EQ(colourAt(eye(0), simulatedEyes[0].pixel(x, y, Z_DEPTH)), maskColour(1));
}

TEST_F(HeadsetTest, InstructionPagesAreCentredOnTheViewAxisFarBehindTheLetters)
{
    // The pages are drawn over the first text screen in the right eye's view,
    // as that eye's frame leaves the program and matrix: 684 units wide, 491
    // (top, green) or 404 (bottom, blue) high, in the plane 12 × zDepth and
    // centred on the view axis, also when yRoot lifts the letters.
    startHeadset("yRoot=6\n");
    const struct {
        int page;
        double height;
        Colour colour;
    } pages[] = {{1, 491, {0, 255, 0}}, {2, 404, {0, 0, 255}}};
    const EyeView& view = simulatedEyes[1];
    for (const auto& p : pages) {
        show();
        glBindFramebuffer(GL_FRAMEBUFFER, vive().eyeFramebuffer(1));
        glViewport(0, 0, view.width, view.height);
        vive().drawInstructionImage(p.page);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        const Screen s = eye(1);
        const std::string what = "page " + std::to_string(p.page);
        expectBox(s.inkBox(0, 0, s.width, s.height), view.box(0, 0, 12 * Z_DEPTH, 684, p.height), what);
        EXPECT_EQ(colourAt(s, view.pixel(0, 0, 12 * Z_DEPTH)), p.colour) << what;
    }
}

struct TextCase {
    const char* name;
    const char* config;
    const char* typed;            // typed in a trial's report screen; null: the first screen
    std::array<double, 3> centre; // x, y, z in scene units
    double width, height;         // of the ink, in scene units
};

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << c.name;
}

class HeadsetTextTest : public HeadsetTest, public testing::WithParamInterface<TextCase> {};

TEST_P(HeadsetTextTest, TextIsCentredWhereItsAnchorProjects)
{
    const TextCase& c = GetParam();
    startHeadset(c.config);
    if (c.typed) {
        nextTrial();
        showUntil(REPORT);
        for (const char* key = c.typed; *key; ++key)
            press(KEY_CHARACTER, static_cast<unsigned char>(*key));
    }
    show();
    for (int e = 0; e < 2; ++e) {
        const Screen s = eye(e);
        const auto [x, y, z] = c.centre;
        expectBox(s.inkBox(0, 0, s.width, s.height), simulatedEyes[e].box(x, y, z, c.width, c.height), eyeName(e));
    }
}

// The test font's glyphs are solid blocks half as wide as the line is high.
INSTANTIATE_TEST_SUITE_P(
    Texts, HeadsetTextTest,
    testing::Values(
        // Three lines of 19, 19 and 24 characters, 16 units high, far behind the letters.
        TextCase{"Welcome",
                 "yRoot=4\npracticeBlock=1\ntextWelcome=This practice block\\nincludes %%NUMBER%% trials.\\n"
                 "Press space to continue!\n",
                 nullptr, {0, 4, 8 * Z_DEPTH}, 24 * 8, 3 * 16},
        // "AB" at reportTextSize 2 in the letters' plane.
        TextCase{"Report", "yRoot=4\n", "ab", {0, 4, Z_DEPTH}, 2 * 1, 2},
        // "0 FPS" at line height 6, up and to the right, alone over a report with nothing typed.
        TextCase{"FrameRate", "showFPS=1\n", "", {20, 10, -60}, 5 * 3, 6},
        // "AUTOPILOT" at line height 4, up in the left corner, over the same report.
        TextCase{"AutopilotMark", "autopilot=40,3,10,0.5,0.5\n", "", {-30, 24, -60}, 9 * 2, 4}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST_F(HeadsetTest, RuntimeReceivesTheEyePicturesAsDrawn)
{
    const std::filesystem::path captureDir = folder.path() / "capture";
    std::filesystem::create_directories(captureDir);
    const ScopedEnv capture("ZOT_XRSIM_CAPTURE_DIR", captureDir.string());
    startHeadset();
    nextTrial();
    // The masks' colours are off 0 and 255: a colour conversion on the way, a
    // flip or swapped eyes would all show.
    showUntil(MASKS);
    const Screen drawn[2] = {eye(0), eye(1)};
    const std::uint64_t frames = vive().frameStats().framesSubmitted;
    // The runtime writes the last pictures it showed when the session ends.
    facade.reset();

    const char* files[] = {"left.limg", "right.limg"};
    for (int e = 0; e < 2; ++e) {
        const LimgRead shown = readLimgFile((captureDir / files[e]).string());
        ASSERT_EQ(shown.fault, LimgFault::none) << files[e];
        ASSERT_EQ(shown.image.width, static_cast<std::uint32_t>(drawn[e].width));
        ASSERT_EQ(shown.image.height, static_cast<std::uint32_t>(drawn[e].height));
        int differing = 0;
        for (int y = 0; y < drawn[e].height; ++y)
            for (int x = 0; x < drawn[e].width; ++x) {
                const std::size_t i = (static_cast<std::size_t>(y) * drawn[e].width + x) * 4;
                const auto& p = shown.image.pixels;
                differing += !(Colour{p[i], p[i + 1], p[i + 2]} == drawn[e].at(x, y));
            }
        EXPECT_EQ(differing, 0) << files[e];
    }
    std::uint64_t lastFrame = 0;
    std::ifstream(captureDir / "frame.txt") >> lastFrame;
    EXPECT_EQ(lastFrame, frames);
}

TEST_F(HeadsetTest, RuntimeEndingTheSessionClosesTheWindowAndFramesStopCounting)
{
    const ScopedEnv exitAfter("ZOT_XRSIM_EXIT_AFTER_FRAMES", "5");
    startHeadset();
    nextTrial();
    const std::uint32_t before = experiment().frameCounter();
    facade->run(); // returns once the window is to close
    EXPECT_TRUE(glfwWindowShouldClose(facade->window()));
    const std::uint64_t shown = vive().frameStats().framesSubmitted;
    EXPECT_EQ(shown, 5u);
    // One timeline step per frame the headset showed, none for the others.
    EXPECT_EQ(experiment().frameCounter() - before, shown);
}
