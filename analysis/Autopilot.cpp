#include "Autopilot.h"

#include "Clock.h"
#include "ExperimentScreen.h"
#include "HandleKey.h"
#include "ObserverSetting.h"
#include "ZOTTrial.h"


std::string autopilotText(const TvaParameters& parameters)
{
    return observerSettingText({parameters.C, parameters.meanK(), parameters.t0Ms, parameters.alpha, parameters.wLeft});
}

Autopilot::Autopilot(ZOTExperiment& experiment, ExperimentScreen& screen, Clock& clock,
                     const TvaParameters& parameters, std::uint64_t seed)
    : experiment_(&experiment), screen_(&screen), clock_(&clock), observer_(parameters, seed),
      shown_(experiment.state()), shownSince_(clock.milliseconds())
{
    if (ZOTRun* run = experiment.run())
        run->logEvent("Autopilot: " + autopilotText(parameters));
}

bool Autopilot::onFrame()
{
    const std::int32_t now = clock_->milliseconds();
    const ExperimentState state = experiment_->state();
    if (state != shown_) {
        shown_ = state;
        shownSince_ = now;
        answered_ = false;
    }
    switch (state) {
    case FIXATION:
    case STIMULUS:
    case MASKS:
        return false;
    case REPORT:
        if (!answered_)
            answer();
        // A space press inside the lock-out would blank the report on screen.
        if (elapsedMs(experiment_->lastTrialStart(), now) >= SPACE_LOCK_MS)
            handleKey(*experiment_, *screen_, KEY_SPACE, 0);
        return false;
    case DONE:
        return elapsedMs(shownSince_, now) >= TEXT_SCREEN_MS;
    default:
        if (elapsedMs(shownSince_, now) >= TEXT_SCREEN_MS)
            handleKey(*experiment_, *screen_, KEY_SPACE, 0);
        return false;
    }
}

void Autopilot::answer()
{
    answered_ = true;
    const ZOTTrial* trial = experiment_->currentTrial();
    if (!trial)
        return;
    const std::string typed =
        observer_.report(lettersOfType(*trial, TARGET), lettersOfType(*trial, DISTRACTOR), trial->exposureMs);
    // Typed as the keyboard types them: lower case, one character event each.
    for (char letter : typed)
        handleKey(*experiment_, *screen_, KEY_CHARACTER, static_cast<unsigned char>(letter - 'A' + 'a'));
}
