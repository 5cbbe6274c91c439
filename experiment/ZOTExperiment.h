#pragma once

#include "Clock.h"
#include "ZOTRun.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct SubjectData;
struct ZOTConfig;
struct ZOTTrial;

/// What is on screen. The values are fixed: the renderers switch on them.
enum ExperimentState : std::int32_t {
    FIXATION = 1,
    STIMULUS = 2,
    MASKS = 3,
    REPORT = 4,
    FEEDBACK = 5,
    DONE = 6,
    WELCOME = 7,
    BLOCK_START = 8,
    INSTRUCTIONS_TOP = 9,
    INSTRUCTIONS_BOTTOM = 10,
};

/// A trial cannot be ended sooner than this after it started, so a held or
/// bounced space bar cannot skip a report.
inline constexpr std::int32_t SPACE_LOCK_MS = 1800;

/// The experiment as the presentation sees it: the screen state, the space-bar
/// gate with its lock-out, and the frame-counted trial timeline. Driven from
/// outside by key events (handleKey) and one updateTimeline per displayed frame;
/// it makes no graphics call.
class ZOTExperiment {
public:
    /// Seeds the random generator (from `randomSeed`, else the calendar time) and
    /// prints "ZOTExperiment > random seed = " and the seed. config is observed and
    /// must outlive the experiment; clock stamps every event.
    explicit ZOTExperiment(ZOTConfig* config, Clock& clock = steadyClock());
    ~ZOTExperiment();
    ZOTExperiment(const ZOTExperiment&) = delete;
    ZOTExperiment& operator=(const ZOTExperiment&) = delete;

    /// Makes the run (all blocks and trials) and opens its result files in
    /// logFolder, written through writer.
    void createRun(const SubjectData& subject, const std::filesystem::path& logFolder = "logs",
                   ResultWriter& writer = sessionResultWriter());

    /// The space-bar step. Returns the run's new RunState, or -1 when the press is
    /// ignored (a trial is running, or the last trial started less than 1800 ms ago).
    int next();

    /// One displayed frame of the trial timeline; call once per frame before drawing.
    void updateTimeline();
    /// Call once per frame after the frame has been presented: writes the
    /// history lines the frame's update left behind (the phase lines of a trial
    /// whose report screen it showed). Writing them here keeps the disk's wait
    /// out of the frame loop's timed part: the last mask frame is never held on
    /// screen by a file write.
    void framePresented();

    /// Report editing, forwarded to the run.
    void addReportKey(const std::string& letter);
    void removeReportKey();

    ExperimentState state() const { return state_; }
    /// The seed the random generator was given.
    std::uint32_t seed() const { return seed_; }
    ZOTConfig* config() const { return config_; }
    /// The run, observed; nullptr before createRun.
    ZOTRun* run() const { return run_.get(); }
    /// -1 for the practice block, then the main block index (see ZOTRun).
    std::int32_t currentBlockIndex() const;
    /// The trial of the moment, or nullptr.
    const ZOTTrial* currentTrial() const;
    float correctRate() const;
    std::uint32_t mistakes() const;
    const std::string& report() const;

    /// Frames since the current phase began.
    std::uint32_t frameCounter() const { return frameCounter_; }
    /// True from a trial's start until its report phase begins (space is ignored then).
    bool trialRunning() const { return trialRunning_; }
    std::int32_t lastTrialStart() const { return lastTrialStart_; }
    /// Clock stamps of the first frame of each timed phase of the current trial.
    std::int32_t fixationStart() const { return fixationStart_; }
    std::int32_t stimulusStart() const { return stimulusStart_; }
    std::int32_t masksStart() const { return masksStart_; }

    /// Copies of the configuration's scene values, read by the headset renderer.
    float size;
    float radius;
    float yRoot;
    float zDepth;

private:
    /// Stamps the phase's first update into phaseStart; true once it has lasted length frames.
    bool phaseOver(std::int32_t& phaseStart, std::int64_t length);
    /// Starts the next timed phase in the same update.
    void enterPhase(ExperimentState phase);
    void writePhaseLines();

    ZOTConfig* config_;
    Clock* clock_;
    std::uint32_t seed_;
    std::unique_ptr<ZOTRun> run_;
    std::uint32_t frameCounter_ = 0;
    ExperimentState state_ = WELCOME;
    bool trialRunning_ = false;
    bool phaseEntered_ = false;
    std::int32_t lastTrialStart_;
    std::int32_t fixationStart_ = 0;
    std::int32_t stimulusStart_ = 0;
    std::int32_t masksStart_ = 0;
    std::int32_t reportStart_ = 0;
    /// The trial's phase lines wait for its first report frame to be presented.
    bool phaseLinesPending_ = false;
};
