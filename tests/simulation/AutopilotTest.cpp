// The autopilot plays whole sessions through the keyboard handler, on the fake
// clock of the experiment tests.
#include "Autopilot.h"
#include "TestSupport.h"
#include "ZOTTrial.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> cut;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');)
        cut.push_back(field);
    return cut;
}

TEST(Autopilot, PlaysAWholeSessionAsAPersonWouldAndSaysSoInTheHistory)
{
    const std::string design = "practiceBlock=1\nblocksPerRun=2\ntrialsPerBlock=3\nrandomSeed=8\n";
    Session s(design);
    TvaParameters parameters;
    parameters.C = 40;
    parameters.pK = capacityAround(3);
    parameters.t0Ms = 10;
    Autopilot autopilot(*s.experiment, s.screen, s.clock, parameters, 8);

    // Watch every frame: how long each screen stays up, and that the report on
    // screen is never blanked by a space press inside the lock-out.
    ExperimentState shown = s.experiment->state();
    std::int32_t since = s.clock.now;
    std::int32_t trialStart = 0;
    int frames = 0;
    while (!autopilot.onFrame()) {
        ASSERT_LT(++frames, 100000) << "the session never ended";
        s.frames(1);
        const ExperimentState state = s.experiment->state();
        if (state == REPORT) {
            ASSERT_EQ(s.screen.reportText, s.experiment->report());
        }
        if (state == shown)
            continue;
        const std::int32_t upFor = s.clock.now - since;
        if (shown == REPORT && state == FIXATION) { // the space that ends a report, right after the lock-out
            EXPECT_GE(s.experiment->lastTrialStart() - trialStart, SPACE_LOCK_MS);
            EXPECT_LE(s.experiment->lastTrialStart() - trialStart, SPACE_LOCK_MS + s.framePeriod);
        }
        if (state == FIXATION)
            trialStart = s.experiment->lastTrialStart();
        if (shown == WELCOME || shown == FEEDBACK || shown == BLOCK_START) {
            EXPECT_GE(upFor, Autopilot::TEXT_SCREEN_MS) << shown;
            EXPECT_LE(upFor, Autopilot::TEXT_SCREEN_MS + 2 * s.framePeriod) << shown;
        }
        shown = state;
        since = s.clock.now;
    }
    EXPECT_EQ(s.experiment->state(), DONE);

    const std::vector<std::string> history = linesOf(s.history());
    ASSERT_GT(history.size(), 9u);
    EXPECT_EQ(fields(history[7])[1].rfind("Time: ", 0), 0u);
    EXPECT_EQ(fields(history[8])[1], "Autopilot: C=40 K=3 t0=10 alpha=0.5 wLeft=0.5");

    // The same trials as a person's session of this seed, in the order played.
    Session person(design);
    std::vector<std::string> planned;
    for (int block : {-1, 0, 1})
        for (const ZOTTrial& trial : person.experiment->run()->block(block)->trials)
            planned.push_back(stimulusDescription(trial));
    std::vector<std::string> records = linesOf(s.log(s.experiment->run()->practiceFile()));
    const std::vector<std::string> main = linesOf(s.log(s.experiment->run()->dataFile()));
    EXPECT_EQ(records.front(), "3");
    EXPECT_EQ(main.front(), "6");
    records.erase(records.begin());
    records.insert(records.end(), main.begin() + 1, main.end());
    ASSERT_EQ(records.size(), planned.size());

    // Each report is what the observer of this seed types for the display shown.
    SimulatedObserver observer(parameters, 8);
    int letters = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::vector<std::string> f = fields(records[i]);
        ASSERT_EQ(f.size(), 5u) << records[i];
        EXPECT_EQ(f[0] + '\t' + f[1] + '\t' + f[2] + '\t' + f[3], planned[i]);
        const std::string typed = observer.report(f[2], f[3], std::stod(f[1]));
        EXPECT_EQ(f[4], typed.empty() ? "-" : typed) << records[i];
        letters += static_cast<int>(typed.size());
    }
    EXPECT_GT(letters, 0);
}

} // namespace
