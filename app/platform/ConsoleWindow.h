#pragma once

/// When zot runs in a console window of its own, which closes with it (on
/// Windows: started by a double-click), keeps that window open at the end
/// until Enter is pressed, so that what zot said there, an error above all,
/// can still be read. Does nothing when zot was started from a console that
/// stays, or with its input redirected.
void keepOwnConsoleWindowAtExit();
