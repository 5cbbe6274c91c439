#pragma once

#include "Autopilot.h"
#include "Clock.h"
#include "Font.h"
#include "GlName.h"
#include "PresentationClock.h"
#include "RefreshMeter.h"
#include "RendererHost.h"
#include "TrialTimingRecorder.h"
#include "ZOTExperiment.h"
#include "ZOTRendererBlueprint.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>

struct GLFWwindow;
struct SubjectData;
struct ZOTConfig;
class ZOTRendererMonitor;

/// The one object that owns presentation: the window and its GL context, the
/// textures both displays share, the experiment, and the renderer of the
/// configured display. Runs the main loop and decides, in drawState, what each
/// screen state draws.
class ZOTRenderer final : public RendererHost {
public:
    /// Creates the experiment (which seeds the random generator), opens the
    /// window and GL context and loads the default fonts. For MONITOR a
    /// configured `refreshRate` of 0 or below is replaced by the monitor's rate.
    /// A window that cannot be opened ends the process with exit code 2, and so
    /// does a font atlas the driver refuses; for VIVE also a headset runtime,
    /// headset or session that cannot be started.
    /// config is observed and must outlive the facade.
    explicit ZOTRenderer(ZOTConfig* config, Clock& clock = steadyClock());
    ~ZOTRenderer() override;
    ZOTRenderer(const ZOTRenderer&) = delete;
    ZOTRenderer& operator=(const ZOTRenderer&) = delete;

    /// Loads the shared textures and sets up the renderer of the configured
    /// display, then builds the run and opens its result files. False, with
    /// nothing written, when the driver refuses a texture, a shader program or
    /// a render target (what failed has said why on the console).
    bool loadResources(const SubjectData& subject, const std::filesystem::path& logFolder = "logs");
    /// The main loop; returns when the window is to close (with the autopilot
    /// also once its session is over).
    void run();
    /// Draws the piece of the current screen state, then the autopilot's mark
    /// when it answers, then the frame-rate overlay when `showFPS` is on. Called
    /// by the renderer once per view.
    void drawState() override;
    /// Presents the frame drawn into the window's back buffer. Every buffer swap
    /// of the program goes through here: it stamps the presented frame and feeds
    /// the per-trial timing and the start-up refresh check.
    void presentFrame() override;
    /// Replaces the source of frame stamps (the headset stamps its frames with
    /// the runtime's predicted display times).
    void setPresentationClock(std::unique_ptr<PresentationClock> clock) override;

    GLFWwindow* window() const override { return window_; }
    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    ZOTExperiment& experiment() const { return *experiment_; }
    ZOTConfig& config() const { return *config_; }
    /// The renderer of the configured display; nullptr before loadResources.
    ZOTRendererBlueprint* renderer() const { return renderer_.get(); }

    GLuint fixationTexture() const override { return fixationTexture_.get(); }
    GLuint letterTexture(int index) const override { return letterTextures_[index].get(); }
    GLuint blankTexture() const override { return blankTexture_.get(); }
    GLuint placeTexture(std::int32_t letter) const override;
    GLuint maskTexture(int index) const override { return maskTextures_[index].get(); }

private:
    void openWindow(int width, int height, bool fullscreen);
    void openHeadsetWindow();
    /// Ends the process with exit code 2 before any result file exists, after
    /// the failure has been reported.
    [[noreturn]] void stopBeforeSession();
    void sampleFrameRate();
    void recordPresentedFrame();
    TrialIdentity currentTrialIdentity() const;
    /// Space, letters and backspace reach the experiment once a renderer shows
    /// it, and never while the autopilot answers: a key pressed by someone at
    /// the machine would mix into the simulated answers.
    bool takesSubjectKeys() const { return renderer_ && !autopilot_; }

    static void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
    static void onChar(GLFWwindow* window, unsigned int codepoint);

    ZOTConfig* config_;
    Clock* clock_;
    std::unique_ptr<ZOTExperiment> experiment_;
    std::unique_ptr<ZOTRendererBlueprint> renderer_;
    /// The headset renderer from construction (it opens the runtime before the
    /// window) until loadResources has set it up and made it renderer_.
    std::unique_ptr<ZOTRendererBlueprint> headsetRenderer_;
    /// Answers in place of a person when `autopilot` is set; made by loadResources.
    std::unique_ptr<Autopilot> autopilot_;
    GLFWwindow* window_ = nullptr;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    GlVertexArray vertexArray_;
    std::unique_ptr<DefaultFonts> fonts_;
    GlTexture fixationTexture_;
    std::array<GlTexture, 20> letterTextures_;
    GlTexture blankTexture_;
    std::array<GlTexture, 8> maskTextures_;
    std::unique_ptr<PresentationClock> presentationClock_;
    std::unique_ptr<TrialTimingRecorder> trialTiming_;
    std::unique_ptr<RefreshMeter> refreshMeter_;
    std::int64_t framesPresented_ = 0;
    std::int64_t firstFrameMicroseconds_ = 0;
    std::int64_t lastFrameMicroseconds_ = 0;
    std::int32_t lastSampleTicks_ = 0;
    std::uint32_t frameCounter_ = 0;
    std::uint32_t lastFps_ = 0;
};
