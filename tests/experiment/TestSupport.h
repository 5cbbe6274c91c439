#pragma once

// Fakes and helpers shared by the experiment tests: a clock the test sets, a
// screen that records what it is told, a scratch folder per test, and a session
// driver that feeds frames and keys as the presentation would.

#include "Clock.h"
#include "ExperimentScreen.h"
#include "HandleKey.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class FakeClock final : public Clock {
public:
    std::int32_t now = 5000;
    std::int32_t milliseconds() const override { return now; }
    std::time_t calendarTime() const override { return 1700000000; }
    std::tm localTime() const override
    {
        std::tm local{};
        local.tm_mday = 5;
        local.tm_mon = 11; // December
        local.tm_year = 2026 - 1900;
        local.tm_hour = 6;
        local.tm_min = 3;
        local.tm_sec = 9;
        return local;
    }
};

class FakeScreen final : public ExperimentScreen {
public:
    std::string reportText = "(unset)";
    std::string feedbackText;
    std::string blockText;
    int letterTextureCalls = 0;
    std::vector<std::string> feedbackTexts; // every text handed over, in order
    std::vector<std::string> blockTexts;

    void setReportText(const std::string& text) override { reportText = text; }
    void setFeedbackText(const std::string& text) override
    {
        feedbackText = text;
        feedbackTexts.push_back(text);
    }
    void setBlockText(const std::string& text) override
    {
        blockText = text;
        blockTexts.push_back(text);
    }
    void setLetterTextures() override { ++letterTextureCalls; }
};

/// A fresh, empty folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// A configuration from key=value lines (the echo is discarded).
ZOTConfig configFrom(const std::string& lines);

/// The whole content of a file, "" when it does not exist.
std::string fileText(const std::filesystem::path& file);

/// One session as the presentation drives it: an experiment with a fake clock and
/// screen, its run writing into a scratch folder's "logs".
class Session {
public:
    /// prepare, when given, sees the log folder's path before the run opens its files.
    explicit Session(const std::string& configLines, const SubjectData& subject = {},
                     const std::function<void(const std::filesystem::path&)>& prepare = {});

    void space() { handleKey(*experiment, screen, KEY_SPACE, 0); }
    void type(const std::string& characters);
    void backspace() { handleKey(*experiment, screen, KEY_BACKSPACE, 0); }
    /// Updates the timeline for n frames, the clock moving framePeriod ms after each.
    void frames(int n);
    /// Frames until the report screen is up.
    void toReport();
    /// Waits out the space-bar lock-out of the current trial.
    void waitLockOut() { clock.now = std::max(clock.now, experiment->lastTrialStart() + 1800); }
    /// Ends the current report and starts what comes next.
    void finishTrial();
    /// The text of one of the run's files in the log folder.
    std::string log(const std::string& name) const { return fileText(logFolder() / name); }
    std::filesystem::path logFolder() const { return scratch.path() / "logs"; }

    ScratchFolder scratch;
    FakeClock clock;
    ZOTConfig config;
    FakeScreen screen;
    std::unique_ptr<ZOTExperiment> experiment;
    std::int32_t framePeriod = 16;
};
