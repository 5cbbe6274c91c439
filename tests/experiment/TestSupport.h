#pragma once

// Fakes and helpers shared by the experiment tests: a clock the test sets, a
// screen that records what it is told, and a session driver that feeds frames and
// keys as the presentation would.

#include "Clock.h"
#include "ExperimentScreen.h"
#include "HandleKey.h"
#include "SubjectData.h"
#include "TempDir.h"
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
    /// Moves on by ms, wrapping past the largest 32-bit value as the real clock does.
    void advance(std::int32_t ms) { now = wrapped(std::int64_t{now} + ms); }
    static std::int32_t wrapped(std::int64_t ms) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms)); }
    std::tm localTime() const override
    {
        std::tm local{}; // 5/12/2026 6:03:09
        local.tm_mday = 5;
        local.tm_mon = 11;
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
    std::vector<std::string> feedbackTexts; // every text handed over, in order
    std::vector<std::string> blockTexts;
    int letterTextureCalls = 0;

    void setReportText(const std::string& text) override { reportText = text; }
    void setFeedbackText(const std::string& text) override { feedbackTexts.push_back(text); }
    void setBlockText(const std::string& text) override { blockTexts.push_back(text); }
    void setLetterTextures() override { ++letterTextureCalls; }
};

/// A configuration from key=value lines (the echo is discarded).
ZOTConfig configFrom(const std::string& lines);

/// The whole content of a file, "" when it does not exist.
std::string fileText(const std::filesystem::path& file);

/// Number of lines of a text.
std::ptrdiff_t lineCount(const std::string& text);

/// One session as the presentation drives it: an experiment with a fake clock and
/// screen, its run writing into a scratch folder's "logs". The configuration is a
/// monitor session at 60 Hz, WHOLE, one block of one trial, no practice, seed 3,
/// with configLines laid over it (a later line wins).
class Session {
public:
    /// prepare, when given, sees the log folder's path before the run opens its files.
    explicit Session(const std::string& configLines = "", const SubjectData& subject = {},
                     const std::function<void(const std::filesystem::path&)>& prepare = {});

    void space() { handleKey(*experiment, screen, KEY_SPACE, 0); }
    /// Types characters; '\b' stands for a press of backspace.
    void type(const std::string& characters);
    /// Updates the timeline for n frames, the clock moving framePeriod ms after each.
    void frames(int n);
    /// Frames until the report screen is up.
    void toReport();
    /// Waits out the space-bar lock-out of the current trial.
    void waitLockOut();
    /// Ends the current report and starts what comes next.
    void finishTrial();
    /// Plays the started trial to its report screen, types, and ends it.
    void play(const std::string& typing);
    /// The text of one of the run's files in the log folder.
    std::string log(const std::string& name) const { return fileText(logFolder() / name); }
    std::string history() const { return log(experiment->run()->historyFile()); }
    std::filesystem::path logFolder() const { return scratch.path() / "logs"; }

    TempDir scratch;
    FakeClock clock;
    ZOTConfig config;
    FakeScreen screen;
    std::unique_ptr<ZOTExperiment> experiment;
    std::int32_t framePeriod = 16;
};
