#pragma once

#include "Clock.h"
#include "ResultWriter.h"
#include "ZOTBlock.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct SubjectData;
struct ZOTConfig;
struct ZOTTrial;

/// Where a run stands at the level of blocks. Moves one step per accepted space press.
enum RunState : std::int32_t {
    STATE_START = 0,
    STATE_TRIAL = 1,
    STATE_AFTERBLOCK = 2,
    STATE_BEFOREBLOCK = 3,
    STATE_END = 4,
    STATE_INSTRUCTIONS1 = 5,
    STATE_INSTRUCTIONS2 = 6,
};

/// A whole session: the practice block and the main blocks (all made at
/// construction), the walk through them, the report of the current trial, the
/// block's score and the three result files (the timing file is named here too).
class ZOTRun {
public:
    /// Builds every block by `mode` (drawing all random numbers of the session), then
    /// creates the log folder and writes the files' headers through writer. Time
    /// stamps come from clock.
    ZOTRun(const ZOTConfig& config, const SubjectData& subject, Clock& clock = steadyClock(),
           const std::filesystem::path& logFolder = "logs", ResultWriter& writer = sessionResultWriter());
    ZOTRun(const ZOTRun&) = delete;
    ZOTRun& operator=(const ZOTRun&) = delete;

    /// The space-bar step: finishes the trial whose report was typed (record, score),
    /// then moves the run on. Returns the new state.
    RunState advance();
    /// Moves to the next trial of the current block, or past the block when it is over.
    void advanceTrial();
    /// Appends one upper-case letter to the report and logs it.
    void addReportKey(const std::string& letter);
    /// Removes the last letter of the report and logs it; nothing on an empty report.
    void removeReportKey();
    /// Adds the report's letters to the block's counters.
    void scoreReport();
    /// Correct letters of the block in per cent of the scored letters; 0 when none.
    float correctRate() const;
    /// Wrong letters of the block.
    std::uint32_t mistakes() const;

    /// Appends the current trial's record to the practice or data file.
    void writeTrialRecord();
    /// Appends a history line stamped now.
    void logEvent(const std::string& text);
    /// Appends a history line with the given stamp.
    void logEventAt(std::int32_t stamp, const std::string& text);

    RunState state() const { return state_; }
    /// -1 while the practice block runs, then 0 to blocksPerRun - 1; blocksPerRun at the end.
    std::int32_t currentBlockIndex() const { return currentBlockIndex_; }
    /// Block -1 is the practice block; nullptr for a block the run does not have.
    const ZOTBlock* block(int index) const;
    const ZOTBlock* currentBlock() const { return block(currentBlockIndex_); }
    /// The trial of the moment; nullptr outside a block's trials.
    const ZOTTrial* currentTrial() const;
    /// The letters typed for the current trial, upper case, in typing order.
    const std::string& report() const { return report_; }

    /// File names inside the log folder.
    const std::string& dataFile() const { return dataFile_; }
    const std::string& practiceFile() const { return practiceFile_; }
    const std::string& historyFile() const { return historyFile_; }
    const std::string& timingFile() const { return timingFile_; }
    const std::filesystem::path& logFolder() const { return logFolder_; }
    ResultWriter& writer() const { return *writer_; }

private:
    void openLogs(const SubjectData& subject);
    ZOTBlock* mutableBlock(int index);

    const ZOTConfig* config_;
    Clock* clock_;
    std::filesystem::path logFolder_;
    ResultWriter* writer_;
    RunState state_ = STATE_START;
    std::unique_ptr<ZOTBlock> practiceBlock_;
    std::vector<std::unique_ptr<ZOTBlock>> blocks_;
    std::int32_t currentBlockIndex_ = 0;
    std::string report_;
    std::uint32_t correctCount_ = 0;
    std::uint32_t wrongCount_ = 0;
    std::uint32_t reportedCount_ = 0;
    std::uint32_t typedTotal_ = 0;
    bool recordPending_ = false;
    std::string dataFile_;
    std::string practiceFile_;
    std::string historyFile_;
    std::string timingFile_;
};

/// "day/month/year hour:minute:second", numbers without leading zeros (5/12/2026 6:3:9).
std::string historyTimeText(const std::tm& local);

/// One line of the data or practice file: the stimulus description, the report
/// ("-" when empty) and, with depth perception on, the depth.
std::string trialRecord(const ZOTConfig& config, const ZOTTrial& trial, const std::string& report);
