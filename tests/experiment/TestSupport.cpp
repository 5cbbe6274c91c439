#include "TestSupport.h"

#include <gtest/gtest.h>

#include "ZOTTrial.h"

#include <fstream>
#include <sstream>

ZOTConfig configFrom(const std::string& lines)
{
    std::istringstream file(lines);
    std::ostringstream echo;
    return ZOTConfig(file, echo);
}

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

std::ptrdiff_t lineCount(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

Session::Session(const std::string& configLines, const SubjectData& subject,
                 const std::function<void(const std::filesystem::path&)>& prepare, ResultDisk& disk)
    : config(configFrom("display=MONITOR\nrefreshRate=60\nmode=WHOLE\nblocksPerRun=1\ntrialsPerBlock=1\n"
                        "practiceBlock=0\nrandomSeed=3\n" +
                        configLines)),
      writer(disk, errors)
{
    // The order of the program's start: experiment (seeding), condition table, run.
    experiment = std::make_unique<ZOTExperiment>(&config, clock);
    ZOTTrial::init(config);
    if (prepare)
        prepare(logFolder());
    experiment->createRun(subject, logFolder(), writer);
}

void Session::type(const std::string& characters)
{
    for (char c : characters)
        handleKey(*experiment, screen, c == '\b' ? KEY_BACKSPACE : KEY_CHARACTER, static_cast<unsigned char>(c));
}

void Session::frames(int n)
{
    for (int i = 0; i < n; ++i) {
        experiment->updateTimeline();
        experiment->framePresented();
        clock.advance(framePeriod);
    }
}

void Session::toReport()
{
    for (int guard = 0; experiment->state() != REPORT; ++guard) {
        ASSERT_LT(guard, 100000) << "the trial never reached its report screen";
        frames(1);
    }
}

void Session::waitLockOut()
{
    // Differences, not sums: the clock may have wrapped since the trial started.
    const std::int32_t sinceStart = FakeClock::wrapped(std::int64_t{clock.now} - experiment->lastTrialStart());
    if (sinceStart < 1800)
        clock.advance(1800 - sinceStart);
}

void Session::finishTrial()
{
    waitLockOut();
    space();
}

void Session::play(const std::string& typing)
{
    toReport();
    type(typing);
    finishTrial();
}

namespace {

class PlayedFile final : public AppendFile {
public:
    PlayedFile(std::unique_ptr<AppendFile> file, PlayedDisk& disk) : file_(std::move(file)), disk_(disk) {}

    std::int64_t size() override { return file_->size(); }

    std::int64_t write(const char* bytes, std::size_t count) override
    {
        if (disk_.bytesLeft == 0) {
            error_ = "No space left on device";
            return -1;
        }
        const bool cutShort = disk_.bytesLeft > 0 && static_cast<std::int64_t>(count) > disk_.bytesLeft;
        if (cutShort)
            count = static_cast<std::size_t>(disk_.bytesLeft);
        const std::int64_t written = file_->write(bytes, count);
        if (disk_.bytesLeft > 0 && written > 0)
            disk_.bytesLeft -= written;
        if (cutShort && disk_.failWhenCutShort) {
            error_ = "No space left on device";
            return -1;
        }
        return written;
    }

    bool truncate(std::int64_t length) override
    {
        if (disk_.failTruncate) {
            error_ = "Input/output error";
            return false;
        }
        return file_->truncate(length);
    }

    bool flushToDisk() override
    {
        ++disk_.syncs;
        if (disk_.onSync)
            disk_.onSync();
        if (disk_.failSync) {
            error_ = "Input/output error";
            return false;
        }
        return file_->flushToDisk();
    }

    std::string lastError() const override { return error_.empty() ? file_->lastError() : error_; }

private:
    std::unique_ptr<AppendFile> file_;
    PlayedDisk& disk_;
    std::string error_;
};

} // namespace

std::unique_ptr<AppendFile> PlayedDisk::openForAppend(const std::filesystem::path& path, std::string& error)
{
    if (refuseOpen) {
        error = "Read-only file system";
        return nullptr;
    }
    std::unique_ptr<AppendFile> file = systemDisk().openForAppend(path, error);
    if (!file)
        return nullptr;
    return std::make_unique<PlayedFile>(std::move(file), *this);
}
