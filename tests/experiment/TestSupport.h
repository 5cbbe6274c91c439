#pragma once

// Fakes and helpers shared by the experiment tests: a clock the test sets, a
// screen that records what it is told, and a session driver that feeds frames and
// keys as the presentation would.

#include "Clock.h"
#include "ExperimentScreen.h"
#include "HandleKey.h"
#include "ResultWriter.h"
#include "SubjectData.h"
#include "TempDir.h"
#include "ZOTConfig.h"
#include "ZOTExperiment.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
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

/// The system's disk with faults played on top: a disk that fills up, a sync
/// that fails or takes its time, a cut-back that fails, a folder that cannot be
/// written. Lines go to real files, so what remains can be read back.
class PlayedDisk final : public ResultDisk {
public:
    /// Bytes the disk still takes; -1 for no limit. A write beyond it is cut
    /// short, and one with nothing left fails with "No space left on device".
    std::int64_t bytesLeft = -1;
    /// A write cut short fails instead of saying how much it wrote, with the
    /// part that fitted on disk (as Windows' WriteFile does on a full disk).
    bool failWhenCutShort = false;
    bool refuseOpen = false;
    bool failSync = false;
    bool failTruncate = false;
    /// Runs at every sync (a slow disk).
    std::function<void()> onSync;
    int syncs = 0;

    std::unique_ptr<AppendFile> openForAppend(const std::filesystem::path& path, std::string& error) override;
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
    /// prepare, when given, sees the log folder's path before the run opens its
    /// files. The result lines go through disk.
    explicit Session(const std::string& configLines = "", const SubjectData& subject = {},
                     const std::function<void(const std::filesystem::path&)>& prepare = {},
                     ResultDisk& disk = systemDisk());

    void space() { handleKey(*experiment, screen, KEY_SPACE, 0); }
    /// Types characters; '\b' stands for a press of backspace.
    void type(const std::string& characters);
    /// Plays n frames as the frame loop does (update, present, then what follows
    /// the present), the clock moving framePeriod ms after each.
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
    /// What the writer said on its error stream.
    std::ostringstream errors;
    ResultWriter writer;
    std::unique_ptr<ZOTExperiment> experiment;
    std::int32_t framePeriod = 16;
};
