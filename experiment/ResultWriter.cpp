#include "ResultWriter.h"

#include <fstream>
#include <iostream>

ResultWriter::ResultWriter(ResultDisk& disk) : ResultWriter(disk, std::cerr) {}

ResultWriter::ResultWriter(ResultDisk& disk, std::ostream& errors) : disk_(&disk), errors_(&errors) {}

bool ResultWriter::needsLineEndFirst(const std::filesystem::path& path) const
{
    if (sound_.count(path.string()))
        return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file || file.tellg() <= 0)
        return false;
    file.seekg(-1, std::ios::end);
    char last = '\n';
    file.get(last);
    return last != '\n';
}

bool ResultWriter::appendLine(const std::filesystem::path& path, const std::string& line)
{
    std::string error;
    const std::unique_ptr<AppendFile> file = disk_->openForAppend(path, error);
    if (!file) {
        lose(path, error);
        return false;
    }
    const bool mend = needsLineEndFirst(path);
    std::string bytes = mend ? resultLineEnd() : "";
    bytes += line;
    bytes += resultLineEnd();

    const std::int64_t before = file->size();
    if (before < 0) {
        // Without the length a failed write could not be cut back.
        lose(path, file->lastError());
        return false;
    }
    const auto wanted = static_cast<std::int64_t>(bytes.size());
    const std::int64_t written = file->write(bytes.data(), bytes.size());
    std::string reason;
    if (written < 0)
        reason = file->lastError();
    else if (written < wanted)
        reason = "only " + std::to_string(written) + " of " + std::to_string(wanted) + " bytes were written";
    else if (!file->flushToDisk())
        reason = "the line could not be flushed to disk: " + file->lastError();
    if (!reason.empty()) {
        // A write that failed may still have put part of the line on disk (a C
        // runtime may report a write the disk cut short as a failure, as
        // Windows' does): the file's own length says.
        const bool grew = written > 0 || (written < 0 && file->size() != before);
        if (grew && !file->truncate(before)) {
            reason += "; what was written could not be removed (" + file->lastError() +
                      "), so the next line starts on a line of its own";
            sound_.erase(path.string());
        }
        lose(path, reason);
        return false;
    }
    if (mend)
        *errors_ << "WARNING > the last line of " << path.string()
                 << " was incomplete (cut off by a crash or a full disk); it is kept as it is and the new lines "
                    "start on a line of their own"
                 << std::endl;
    sound_.insert(path.string());
    return true;
}

void ResultWriter::lose(const std::filesystem::path& path, const std::string& reason)
{
    ++lost_[path.string()];
    *errors_ << "ERROR > could not write to " << path.string() << ": " << reason << std::endl;
}

std::size_t ResultWriter::linesLost() const
{
    std::size_t total = 0;
    for (const auto& [path, count] : lost_)
        total += count;
    return total;
}

void ResultWriter::reportLosses(std::ostream& out) const
{
    if (lost_.empty())
        return;
    out << "ERROR > " << linesLost() << " result line(s) could not be written and are lost:" << std::endl;
    for (const auto& [path, count] : lost_)
        out << "ERROR >   " << count << " line(s) of " << path << std::endl;
}

ResultWriter& sessionResultWriter()
{
    static ResultWriter writer;
    return writer;
}
