// The run's result files: a data file and a practice file with one record per
// trial, and a history file with every event, time-stamped. Each line is written
// on its own, whole or not at all (ResultWriter), so the files are complete
// whenever the program ends.

#include "ZOTRun.h"

#include "NumberText.h"
#include "ResultFileNames.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTTrial.h"


std::string historyTimeText(const std::tm& local)
{
    return std::to_string(local.tm_mday) + '/' + std::to_string(local.tm_mon + 1) + '/' +
           std::to_string(local.tm_year + 1900) + ' ' + std::to_string(local.tm_hour) + ':' +
           std::to_string(local.tm_min) + ':' + std::to_string(local.tm_sec);
}

std::string trialRecord(const ZOTConfig& config, const ZOTTrial& trial, const std::string& report)
{
    std::string line = stimulusDescription(trial) + '\t' + (report.empty() ? "-" : report) + '\t';
    if (config.enableDepthPerception) {
        // The base depth is written as 1 with a tab, any other as its value without:
        // analysis scripts read the field in this form.
        if (trial.depthIndex == 0)
            line += "1\t";
        else
            line += floatText(config.depths[trial.depthIndex - 1]);
    }
    return line;
}

void ZOTRun::openLogs(const SubjectData& subject)
{
    // The session's start has already told of names that differ from the answers.
    const ResultFileNames names = resultFileNames(subject.subjectID, subject.session);
    dataFile_ = names.data;
    practiceFile_ = names.practice;
    historyFile_ = names.history;
    timingFile_ = names.timing;

    // A folder that cannot be made shows in the writes that follow.
    std::error_code ignored;
    std::filesystem::create_directories(logFolder_, ignored);

    const std::int64_t mainTrials = std::int64_t{config_->trialsPerBlock} * config_->blocksPerRun;
    writer_->appendLine(logFolder_ / dataFile_, std::to_string(mainTrials));
    if (config_->practiceBlock)
        writer_->appendLine(logFolder_ / practiceFile_, std::to_string(config_->trialsPerBlock));

    // The history keeps the answers as typed, control characters made visible.
    logEvent("SubjectNumber: " + printableAnswer(subject.subjectID));
    logEvent("SubjectCode: " + printableAnswer(subject.subjectCode));
    logEvent("Session: " + printableAnswer(subject.session));
    logEvent("Age: " + printableAnswer(subject.age));
    logEvent("Gender: " + printableAnswer(subject.gender));
    logEvent("Handedness: " + printableAnswer(subject.handedness));
    logEvent("VisionAid: " + printableAnswer(subject.visionAid));
    logEvent("Time: " + historyTimeText(clock_->localTime()));
}

void ZOTRun::writeTrialRecord()
{
    const ZOTTrial* trial = currentTrial();
    if (!trial)
        return;
    const std::string& file = currentBlockIndex_ == -1 ? practiceFile_ : dataFile_;
    writer_->appendLine(logFolder_ / file, trialRecord(*config_, *trial, report_));
}

void ZOTRun::logEvent(const std::string& text)
{
    logEventAt(clock_->milliseconds(), text);
}

void ZOTRun::logEventAt(std::int32_t stamp, const std::string& text)
{
    writer_->appendLine(logFolder_ / historyFile_, std::to_string(stamp) + '\t' + text);
}
