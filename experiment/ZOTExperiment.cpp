#include "ZOTExperiment.h"

#include "Random.h"
#include "ZOTConfig.h"
#include "ZOTTrial.h"

#include <cmath>
#include <iostream>

ZOTExperiment::ZOTExperiment(ZOTConfig* config, Clock& clock)
    : size(config->size), radius(config->radius), yRoot(config->yRoot), zDepth(config->zDepth), config_(config),
      clock_(&clock)
{
    seed_ = config->randomSeed.value_or(static_cast<std::uint32_t>(clock.calendarTime()));
    seedRandom(seed_);
    std::cout << "ZOTExperiment > random seed = " << seed_ << std::endl;
    // Lies in the past, so the first space press is accepted at once.
    lastTrialStart_ = elapsedMs(2000, clock.milliseconds());
}

ZOTExperiment::~ZOTExperiment()
{
    writePhaseLines();
}

void ZOTExperiment::createRun(const SubjectData& subject, const std::filesystem::path& logFolder,
                              ResultWriter& writer)
{
    run_ = std::make_unique<ZOTRun>(*config_, subject, *clock_, logFolder, writer);
}

int ZOTExperiment::next()
{
    if (!run_ || trialRunning_)
        return -1;
    // The previous trial's lines are on disk before anything of the next one.
    writePhaseLines();
    if (elapsedMs(lastTrialStart_, clock_->milliseconds()) < SPACE_LOCK_MS)
        return -1;
    const RunState runState = run_->advance();
    switch (runState) {
    case STATE_TRIAL:
        trialRunning_ = true;
        phaseEntered_ = true;
        frameCounter_ = 0;
        lastTrialStart_ = clock_->milliseconds();
        state_ = FIXATION;
        break;
    case STATE_AFTERBLOCK:
        state_ = FEEDBACK;
        break;
    case STATE_BEFOREBLOCK:
        state_ = BLOCK_START;
        break;
    case STATE_END:
        state_ = DONE;
        break;
    case STATE_START:
        state_ = WELCOME;
        break;
    case STATE_INSTRUCTIONS2:
        state_ = INSTRUCTIONS_BOTTOM;
        break;
    case STATE_INSTRUCTIONS1:
        break;
    }
    return runState;
}

void ZOTExperiment::updateTimeline()
{
    // Phases are counted in frames, never in milliseconds: a phase lasts exactly its
    // number of refreshes. A phase that ends hands over to the next in the same call,
    // so a length of 0 is never drawn. R and M follow the rate of the moment.
    const std::int64_t fixationFrames = std::lroundf(config_->refreshRate);
    const std::int64_t maskFrames = std::lroundf(config_->refreshRate * 0.5f);
    const ZOTTrial* trial = currentTrial();
    const std::int64_t stimulusFrames = trial ? trial->exposureFrames : 0;

    if (state_ == FIXATION && phaseOver(fixationStart_, fixationFrames))
        enterPhase(STIMULUS);
    if (state_ == STIMULUS && phaseOver(stimulusStart_, stimulusFrames))
        enterPhase(MASKS);
    if (state_ == MASKS && phaseOver(masksStart_, maskFrames)) {
        // The report phase keeps counting on from the masks' frames.
        state_ = REPORT;
        trialRunning_ = false;
        phaseEntered_ = true;
    }
    if (state_ == REPORT && phaseEntered_) {
        // The lines are written once this frame is on screen (framePresented).
        reportStart_ = clock_->milliseconds();
        phaseLinesPending_ = run_ && trial;
        phaseEntered_ = false;
    }
    ++frameCounter_;
}

void ZOTExperiment::framePresented()
{
    writePhaseLines();
}

void ZOTExperiment::writePhaseLines()
{
    if (!phaseLinesPending_)
        return;
    phaseLinesPending_ = false;
    // Still the trial that ended: only the space press moves the run on.
    if (const ZOTTrial* trial = currentTrial()) {
        run_->logEventAt(fixationStart_, "fixation");
        run_->logEventAt(stimulusStart_, stimulusDescription(*trial));
        run_->logEventAt(masksStart_, "masks");
        run_->logEventAt(reportStart_, "blank");
    }
}

bool ZOTExperiment::phaseOver(std::int32_t& phaseStart, std::int64_t length)
{
    if (phaseEntered_) {
        phaseStart = clock_->milliseconds();
        phaseEntered_ = false;
    }
    return std::int64_t{frameCounter_} == length;
}

void ZOTExperiment::enterPhase(ExperimentState phase)
{
    frameCounter_ = 0;
    state_ = phase;
    phaseEntered_ = true;
}

void ZOTExperiment::addReportKey(const std::string& letter)
{
    // The trial's phase lines come before its letters in the history.
    writePhaseLines();
    if (run_)
        run_->addReportKey(letter);
}

void ZOTExperiment::removeReportKey()
{
    writePhaseLines();
    if (run_)
        run_->removeReportKey();
}

std::int32_t ZOTExperiment::currentBlockIndex() const
{
    if (run_)
        return run_->currentBlockIndex();
    return config_->practiceBlock ? -1 : 0;
}

const ZOTTrial* ZOTExperiment::currentTrial() const
{
    return run_ ? run_->currentTrial() : nullptr;
}

float ZOTExperiment::correctRate() const
{
    return run_ ? run_->correctRate() : 0.0f;
}

std::uint32_t ZOTExperiment::mistakes() const
{
    return run_ ? run_->mistakes() : 0;
}

const std::string& ZOTExperiment::report() const
{
    static const std::string none;
    return run_ ? run_->report() : none;
}
