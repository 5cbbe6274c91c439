#include "ZOTRun.h"

#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTTrial.h"

#include <iostream>

ZOTRun::ZOTRun(const ZOTConfig& config, const SubjectData& subject, Clock& clock,
               const std::filesystem::path& logFolder, ResultWriter& writer)
    : config_(&config), clock_(&clock), logFolder_(logFolder), writer_(&writer)
{
    // Blocks are made in this order, the practice block last, so that a seed
    // always draws the same lists.
    if (config.mode == PARTIAL) {
        std::cout << "WARNING > partial report is not supported at the moment, please change the config file"
                  << std::endl;
    } else {
        if (config.mode == COMBI && config.blocksPerRun % 3 != 0)
            std::cout << "WARNING > blocks per run is not dividable by 3, please be sure you know what you are doing!"
                      << std::endl;
        for (int index = 0; index < config.blocksPerRun; ++index)
            blocks_.push_back(std::make_unique<ZOTBlock>(config, index));
        if (config.practiceBlock)
            practiceBlock_ = std::make_unique<ZOTBlock>(config, 0);
    }
    currentBlockIndex_ = config.practiceBlock ? -1 : 0;
    openLogs(subject);
}

const ZOTBlock* ZOTRun::block(int index) const
{
    if (index == -1)
        return practiceBlock_.get();
    if (index >= 0 && index < static_cast<int>(blocks_.size()))
        return blocks_[index].get();
    return nullptr;
}

ZOTBlock* ZOTRun::mutableBlock(int index)
{
    return const_cast<ZOTBlock*>(block(index));
}

const ZOTTrial* ZOTRun::currentTrial() const
{
    const ZOTBlock* current = currentBlock();
    return current ? current->currentTrial() : nullptr;
}

RunState ZOTRun::advance()
{
    if (recordPending_) {
        // The trial whose report was being typed; block and trial index still point at it.
        writeTrialRecord();
        scoreReport();
        report_.clear();
        recordPending_ = false;
    }
    switch (state_) {
    case STATE_START:
        state_ = STATE_TRIAL;
        advanceTrial();
        break;
    case STATE_TRIAL:
        advanceTrial();
        break;
    case STATE_AFTERBLOCK:
        state_ = currentBlockIndex_ == config_->blocksPerRun ? STATE_END : STATE_BEFOREBLOCK;
        break;
    case STATE_BEFOREBLOCK:
        // Feedback covers one block: every block after the first starts from zero here.
        correctCount_ = wrongCount_ = reportedCount_ = typedTotal_ = 0;
        state_ = STATE_TRIAL;
        advanceTrial();
        break;
    case STATE_END:
        break;
    case STATE_INSTRUCTIONS1:
        state_ = STATE_INSTRUCTIONS2;
        break;
    case STATE_INSTRUCTIONS2:
        state_ = STATE_START;
        break;
    }
    if (state_ == STATE_TRIAL)
        recordPending_ = true;

    if (config_->consoleDebugInfo) {
        if (state_ == STATE_TRIAL)
            std::cout << "STATE_TRIAL > blockCounter = " << currentBlockIndex_
                      << " , trialCounter = " << currentBlock()->currentTrialIndex << std::endl;
        else if (state_ == STATE_AFTERBLOCK)
            std::cout << "STATE_AFTERBLOCK >" << std::endl;
        else if (state_ == STATE_BEFOREBLOCK)
            std::cout << "STATE_BEFOREBLOCK >" << std::endl;
        else if (state_ == STATE_END)
            std::cout << "STATE_END >" << std::endl;
    }
    return state_;
}

void ZOTRun::advanceTrial()
{
    ZOTBlock* current = mutableBlock(currentBlockIndex_);
    if (!current) {
        // A run without blocks (mode PARTIAL) has no trial to show: it ends at once.
        state_ = STATE_END;
        return;
    }
    if (!current->advance()) {
        ++currentBlockIndex_;
        state_ = STATE_AFTERBLOCK;
    }
}

void ZOTRun::addReportKey(const std::string& letter)
{
    report_ += letter;
    logEvent("report: " + letter);
}

void ZOTRun::removeReportKey()
{
    if (report_.empty())
        return;
    report_.pop_back();
    logEvent("report: backspace");
}

void ZOTRun::scoreReport()
{
    const ZOTTrial* trial = currentTrial();
    if (!trial)
        return;
    const ReportScore score = scoreLetters(*trial, report_);
    correctCount_ += score.correct;
    wrongCount_ += score.wrong;
    reportedCount_ += score.correct + score.wrong;
    typedTotal_ += static_cast<std::uint32_t>(report_.size());
    if (config_->consoleDebugInfo) {
        std::cout << "reports correct = " << correctCount_ << " / " << typedTotal_ << std::endl;
        std::cout << "reports wrong = " << wrongCount_ << " / " << typedTotal_ << std::endl;
    }
}

float ZOTRun::correctRate() const
{
    if (correctCount_ == 0 || reportedCount_ == 0)
        return 0.0f;
    return static_cast<float>(correctCount_) / static_cast<float>(reportedCount_) * 100.0f;
}

std::uint32_t ZOTRun::mistakes() const
{
    return wrongCount_;
}
