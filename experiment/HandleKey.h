#pragma once

class ExperimentScreen;
class ZOTExperiment;

/// Key event kinds the window's callbacks pass on.
enum KeyKind : int {
    KEY_SPACE = 0,     ///< a press of the space bar (repeats are not passed on)
    KEY_CHARACTER = 1, ///< a typed character, the low 8 bits of its code point
    KEY_BACKSPACE = 2, ///< a press of backspace (repeats are not passed on)
};

/// The only consumer of the subject's keys. Space moves the experiment on (see
/// ZOTExperiment::next) and hands the screen the texts of the new state; in the
/// report screen the letters a to z are added in upper case and backspace removes
/// the last one. Everything else is ignored.
void handleKey(ZOTExperiment& experiment, ExperimentScreen& screen, int kind, unsigned char character);
