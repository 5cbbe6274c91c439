#pragma once

#include <string>

/// What the experiment asks of the renderer that shows it. Both presentation
/// renderers (monitor and headset) implement it; tests fake it. Keeps the
/// experiment free of any graphics dependency.
class ExperimentScreen {
public:
    virtual ~ExperimentScreen() = default;

    /// Replaces the on-screen report (the letters typed so far).
    virtual void setReportText(const std::string& text) = 0;
    /// Replaces the after-block feedback text.
    virtual void setFeedbackText(const std::string& text) = 0;
    /// Replaces the before-block text.
    virtual void setBlockText(const std::string& text) = 0;
    /// Puts the current trial's letters on the six letter places.
    virtual void setLetterTextures() = 0;
};
