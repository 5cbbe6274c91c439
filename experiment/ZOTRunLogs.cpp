// The run's result files: a data file and a practice file with one record per
// trial, and a history file with every event, time-stamped. Each line is written
// on its own (open, append, flush to disk, close), so the files are complete
// whenever the program ends.

#include "ZOTRun.h"

#include "LogFile.h"
#include "NumberText.h"
#include "SubjectData.h"
#include "ZOTConfig.h"
#include "ZOTTrial.h"

#include <iostream>

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
    // The answers name the files only in a safe spelling; the history keeps them as typed.
    const std::string stem = "ZOT_vive_" + fileNamePart(subject.subjectID, "subject ID", std::cout) + "_" +
                             fileNamePart(subject.session, "session", std::cout);
    dataFile_ = stem + ".dat";
    practiceFile_ = stem + "_practice.dat";
    historyFile_ = stem + "_history.dat";

    std::error_code error;
    std::filesystem::create_directories(logFolder_, error);
    if (error)
        std::cerr << "WARNING > could not create the folder " << logFolder_.string() << ": " << error.message()
                  << std::endl;

    const std::int64_t mainTrials = std::int64_t{config_->trialsPerBlock} * config_->blocksPerRun;
    appendLine(logFolder_ / dataFile_, std::to_string(mainTrials));
    if (config_->practiceBlock)
        appendLine(logFolder_ / practiceFile_, std::to_string(config_->trialsPerBlock));

    logEvent("SubjectNumber: " + subject.subjectID);
    logEvent("SubjectCode: " + subject.subjectCode);
    logEvent("Session: " + subject.session);
    logEvent("Age: " + subject.age);
    logEvent("Gender: " + subject.gender);
    logEvent("Handedness: " + subject.handedness);
    logEvent("VisionAid: " + subject.visionAid);
    logEvent("Time: " + historyTimeText(clock_->localTime()));
}

void ZOTRun::writeTrialRecord()
{
    const ZOTTrial* trial = currentTrial();
    if (!trial)
        return;
    const std::string& file = currentBlockIndex_ == -1 ? practiceFile_ : dataFile_;
    appendLine(logFolder_ / file, trialRecord(*config_, *trial, report_));
}

void ZOTRun::logEvent(const std::string& text)
{
    logEventAt(clock_->milliseconds(), text);
}

void ZOTRun::logEventAt(std::int32_t stamp, const std::string& text)
{
    appendLine(logFolder_ / historyFile_, std::to_string(stamp) + '\t' + text);
}
