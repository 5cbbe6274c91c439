#include "TestSupport.h"

#include <gtest/gtest.h>

#include "ZOTTrial.h"

#include <fstream>
#include <random>
#include <sstream>

ScratchFolder::ScratchFolder()
{
    std::random_device entropy;
    path_ = std::filesystem::temp_directory_path() / ("zot-test-" + std::to_string(entropy()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

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

Session::Session(const std::string& configLines, const SubjectData& subject,
                 const std::function<void(const std::filesystem::path&)>& prepare)
    : config(configFrom(configLines))
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
        handleKey(*experiment, screen, KEY_CHARACTER, static_cast<unsigned char>(c));
}

void Session::frames(int n)
{
    for (int i = 0; i < n; ++i) {
        experiment->updateTimeline();
        clock.now += framePeriod;
    }
}

void Session::toReport()
{
    for (int guard = 0; experiment->state() != REPORT; ++guard) {
        ASSERT_LT(guard, 100000) << "the trial never reached its report screen";
        frames(1);
    }
}

void Session::finishTrial()
{
    waitLockOut();
    space();
}
