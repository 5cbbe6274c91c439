#include "SessionCheck.h"

#include "ResultFileNames.h"
#include "RunFiles.h"
#include "SubjectData.h"
#include "ZOTConfig.h"

#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

bool runSizeFits(const ZOTConfig& config, std::ostream& errors)
{
    const std::int64_t perBlock = config.trialsPerBlock;
    const std::int64_t trials = perBlock * config.blocksPerRun + (config.practiceBlock ? perBlock : 0);
    if (trials <= maxTrialsPerRun)
        return true;
    errors << "ERROR > zot.cfg asks for " << trials << " trials (trialsPerBlock = " << config.trialsPerBlock
           << " times blocksPerRun = " << config.blocksPerRun << (config.practiceBlock ? ", plus the practice block" : "")
           << "), more than the " << maxTrialsPerRun << " a run may hold; lower trialsPerBlock or blocksPerRun"
           << std::endl;
    return false;
}

bool runFilesServe(const ZOTConfig& config, const std::filesystem::path& runFolder, std::ostream& errors)
{
    const std::vector<RunFileProblem> problems = checkRunFiles(sessionRunFiles(config.display == VIVE), runFolder);
    bool folderMissing = false;
    for (const RunFileProblem& problem : problems) {
        errors << "ERROR > " << problem.path << ": " << problem.reason << std::endl;
        folderMissing = folderMissing || problem.folderMissing;
    }
    if (folderMissing) {
        std::error_code ignored;
        errors << "ERROR > start zot from its run folder, which holds data/ and shaders/ (zot was started in "
               << std::filesystem::absolute(runFolder, ignored).lexically_normal().string() << ")" << std::endl;
    }
    return problems.empty();
}

/// Opens each result file for appending as the session will, then takes away
/// what the trial made: a file or folder that was not there before.
bool resultFilesOpen(const ZOTConfig& config, const SubjectData& subject, ResultDisk& disk,
                     const std::filesystem::path& logFolder, std::ostream& console, std::ostream& errors)
{
    const ResultFileNames names = resultFileNames(subject.subjectID, subject.session);
    for (const std::string& warning : names.warnings)
        console << warning << std::endl;

    std::error_code error;
    const std::filesystem::file_status folder = std::filesystem::status(logFolder, error);
    if (std::filesystem::exists(folder) && !std::filesystem::is_directory(folder)) {
        errors << "ERROR > " << logFolder.string() << ": is not a folder, so no result file can be written there"
               << std::endl;
        return false;
    }
    const bool madeFolder = std::filesystem::create_directories(logFolder, error);
    if (error) {
        errors << "ERROR > " << logFolder.string() << ": the folder cannot be created: " << error.message()
               << std::endl;
        return false;
    }
    std::vector<std::string> files = {names.data, names.history, names.timing};
    if (config.practiceBlock)
        files.push_back(names.practice);
    bool allOpen = true;
    for (const std::string& name : files) {
        const std::filesystem::path path = logFolder / name;
        const bool existed = std::filesystem::exists(path, error);
        std::string reason;
        if (!disk.openForAppend(path, reason)) {
            errors << "ERROR > " << path.string() << ": cannot be opened for appending: " << reason << std::endl;
            allOpen = false;
        } else if (!existed) {
            std::filesystem::remove(path, error);
        }
    }
    if (madeFolder)
        std::filesystem::remove(logFolder, error);
    return allOpen;
}

} // namespace

bool sessionCanStart(const ZOTConfig& config, const SubjectData& subject, std::ostream& console,
                     std::ostream& errors, ResultDisk& disk, const std::filesystem::path& runFolder,
                     const std::filesystem::path& logFolder)
{
    // Every check runs, so one start names every problem.
    const bool sizeFits = runSizeFits(config, errors);
    const bool filesServe = runFilesServe(config, runFolder, errors);
    const bool resultsOpen = resultFilesOpen(config, subject, disk, logFolder, console, errors);
    if (sizeFits && filesServe && resultsOpen)
        return true;
    sayNotStarted(errors);
    return false;
}

void sayNotStarted(std::ostream& errors)
{
    errors << "ERROR > the session was not started; nothing was written" << std::endl;
}
