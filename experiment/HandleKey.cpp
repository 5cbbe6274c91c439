#include "HandleKey.h"

#include "ExperimentScreen.h"
#include "ScreenTexts.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"

#include <iostream>

namespace {

void handleSpace(ZOTExperiment& experiment, ExperimentScreen& screen)
{
    const int runState = experiment.next();
    // Also an ignored press empties the shown report; the stored one keeps its
    // letters and comes back with the next key.
    screen.setReportText("");
    const ZOTConfig& config = *experiment.config();
    if (runState == STATE_TRIAL) {
        screen.setLetterTextures();
    } else if (runState == STATE_AFTERBLOCK) {
        screen.setFeedbackText(afterBlockText(config, experiment.correctRate(), experiment.mistakes()));
        if (config.consoleDebugInfo) {
            std::cout << "correct rate = " << experiment.correctRate() << std::endl;
            std::cout << "number of mistakes = " << experiment.mistakes() << std::endl;
        }
    } else if (runState == STATE_BEFOREBLOCK) {
        screen.setBlockText(beforeBlockText(config, experiment.currentBlockIndex()));
    }
}

} // namespace

void handleKey(ZOTExperiment& experiment, ExperimentScreen& screen, int kind, unsigned char character)
{
    if (kind == KEY_SPACE) {
        handleSpace(experiment, screen);
        return;
    }
    if (experiment.state() != REPORT)
        return;
    if (kind == KEY_CHARACTER) {
        // Only lower-case letters: Shift, Caps Lock, digits and punctuation type nothing.
        if (character < 'a' || character > 'z')
            return;
        experiment.addReportKey(std::string(1, static_cast<char>(character - 32)));
        screen.setReportText(experiment.report());
    } else if (kind == KEY_BACKSPACE) {
        experiment.removeReportKey();
        screen.setReportText(experiment.report());
    }
}
