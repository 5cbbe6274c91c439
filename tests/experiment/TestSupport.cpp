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
                 const std::function<void(const std::filesystem::path&)>& prepare)
    : config(configFrom("display=MONITOR\nrefreshRate=60\nmode=WHOLE\nblocksPerRun=1\ntrialsPerBlock=1\n"
                        "practiceBlock=0\nrandomSeed=3\n" +
                        configLines))
{
    // The order of the program's start: experiment (seeding), condition table, run.
    experiment = std::make_unique<ZOTExperiment>(&config, clock);
    ZOTTrial::init(config);
    if (prepare)
        prepare(logFolder());
    experiment->createRun(subject, logFolder());
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
