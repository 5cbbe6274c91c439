#include "FitCommand.h"
#include "SimulatedSession.h"
#include "TempDir.h"
#include "TimingData.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TrialTiming timingOf(int block, int trial, const DatTrial& record, double stimulusMs, int lateStimulus = 0)
{
    TrialTiming timing;
    timing.trial = {block, trial, record.condition, static_cast<int>(record.exposureMs),
                    static_cast<int>(record.exposureMs / 11.1 + 0.5)};
    timing.fixationMs = 1000.0;
    timing.stimulusMs = stimulusMs;
    timing.masksMs = 500.0;
    timing.stimulusPeriods = stimulusMs / 11.1;
    timing.lateStimulus = lateStimulus;
    return timing;
}

// Header and trial lines as zot writes them.
std::string timingText(const std::vector<std::vector<TrialTiming>>& sessions)
{
    std::string text;
    for (const auto& session : sessions) {
        text += timingHeaderLine() + "\n";
        for (const TrialTiming& timing : session)
            text += timingLine(timing) + "\n";
    }
    return text;
}

DatSession session(std::initializer_list<DatTrial> trials, int number = 1)
{
    DatSession s;
    s.number = number;
    s.trials = trials;
    return s;
}

const DatTrial whole11{1, 11, "ABDEFG", "000000", "-"};
const DatTrial whole200{6, 200, "ABDEFG", "000000", "AB"};
const DatTrial partial{16, 78, "HJ0000", "00KLMN", "H"};

TEST(TimingData, ReadsWhatZotWritesSessionBySession)
{
    TrialTiming late = timingOf(0, 1, partial, 89.2, 1);
    late.source = StampSource::msc;
    late.droppedFrames = 2;
    const std::string text =
        timingText({{timingOf(-1, 0, whole11, 11.3), timingOf(0, 0, whole200, 199.9), late}, {}});
    const std::vector<TimingSession> sessions = parseTimingFile(text, "t.dat");
    ASSERT_EQ(sessions.size(), 2u);
    ASSERT_EQ(sessions[0].trials.size(), 3u);
    EXPECT_TRUE(sessions[1].trials.empty());
    const TrialTiming& read = sessions[0].trials[2];
    EXPECT_EQ(read.trial, late.trial);
    EXPECT_EQ(read.stimulusMs, 89.2);
    EXPECT_EQ(read.lateStimulus, 1);
    EXPECT_EQ(read.droppedFrames, 2);
    EXPECT_EQ(read.source, StampSource::msc);
    EXPECT_TRUE(stimulusTimingFailed(read));
    EXPECT_EQ(sessions[0].trials[0].trial.block, -1);

    std::string unknownStamps = timingLine(late);
    unknownStamps.replace(unknownStamps.rfind("msc"), 3, "camera");
    for (const std::string& bad : {std::string("0\t0\t1\t11\n"), timingLine(late) + "\tmore\n", unknownStamps}) {
        try {
            parseTimingFile(timingHeaderLine() + "\n" + bad, "logs/t.dat");
            ADD_FAILURE() << bad;
        } catch (const DatError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("logs/t.dat:2: ", 0), 0u) << error.what();
        }
    }
    EXPECT_THROW(parseTimingFile(timingLine(late), "t.dat"), DatError) << "a trial line before any header";
}

TEST(TimingData, TheTimingFileLiesBesideTheDataAndPracticeFiles)
{
    EXPECT_EQ(timingPathBeside("logs/ZOT_vive_7_1.dat"), "logs/ZOT_vive_7_1_timing.dat");
    EXPECT_EQ(timingPathBeside("logs/ZOT_vive_7_1_practice.dat"), "logs/ZOT_vive_7_1_timing.dat");
    EXPECT_EQ(timingPathBeside("subject.txt"), "");
    EXPECT_TRUE(isPracticeFile("logs/ZOT_vive_7_1_practice.dat"));
    EXPECT_FALSE(isPracticeFile("logs/ZOT_vive_7_1.dat"));
}

TEST(TimingData, RecordsMatchTheirSessionsLinesInOrder)
{
    const std::vector<TimingSession> timing = {
        {{timingOf(-1, 0, whole11, 11.0), timingOf(0, 0, whole200, 201.0), timingOf(0, 1, partial, 78.0),
          timingOf(0, 2, whole11, 22.1)}},
        {{timingOf(0, 0, partial, 80.0)}}};

    // The last timing line is a trial cut short in its report: no record.
    const TimingMatch main = matchTiming(session({whole200, partial}), timing, false);
    ASSERT_TRUE(main.matched()) << main.problem;
    ASSERT_EQ(main.trials.size(), 2u);
    EXPECT_EQ(main.trials[0].stimulusMs, 201.0);
    EXPECT_EQ(main.trials[1].stimulusMs, 78.0);

    const TimingMatch practice = matchTiming(session({whole11}), timing, true);
    ASSERT_TRUE(practice.matched()) << practice.problem;
    EXPECT_EQ(practice.trials[0].stimulusMs, 11.0);

    const TimingMatch second = matchTiming(session({partial}, 2), timing, false);
    ASSERT_TRUE(second.matched()) << second.problem;
    EXPECT_EQ(second.trials[0].stimulusMs, 80.0);

    EXPECT_FALSE(matchTiming(session({partial, whole200}), timing, false).matched()) << "order";
    EXPECT_FALSE(matchTiming(session({whole200}), timing, false).matched()) << "two lines too many";
    EXPECT_FALSE(matchTiming(session({partial}, 3), timing, false).matched()) << "no third session";
}

// Every stimulus stayed up one 90 Hz frame longer than recorded: the nominal fit
// takes the extra frame for a lower threshold, the achieved fit finds the truth.
TEST(TimingData, AchievedExposuresCorrectAFitOfStimuliThatStayedLonger)
{
    const TvaParameters truth = observerOf("50,3.5,20,0.5,0.5");
    const double extraFrame = 1000.0 / 90.0;
    std::mt19937 random(17);
    SimulatedObserver observer(truth, 17);
    DatSession data;
    data.trials = designedTrials(27, random);
    data.announced = static_cast<long long>(data.trials.size());
    std::vector<TrialTiming> timing;
    for (DatTrial& trial : data.trials) {
        const double shownMs = trial.exposureMs + extraFrame;
        trial.report = recordedReport(observer, trial, shownMs);
        timing.push_back(timingOf(0, static_cast<int>(timing.size()), trial, shownMs));
    }
    TempDir dir;
    const std::string file = dir.write("ZOT_vive_3_1.dat", datText({data}));
    dir.write("ZOT_vive_3_1_timing.dat", timingText({timing}));

    std::ostringstream nominal, achieved, err;
    ASSERT_EQ(runFitCommand({"--json", file}, nominal, err), 0) << err.str();
    ASSERT_EQ(runFitCommand({"--json", "--exposure", "achieved", file}, achieved, err), 0) << err.str();
    EXPECT_NEAR(jsonValue(achieved.str(), "t0"), truth.t0Ms, 3.0) << achieved.str();
    EXPECT_NEAR(jsonValue(nominal.str(), "t0"), truth.t0Ms - extraFrame, 3.0) << nominal.str();

    const std::string alone = dir.write("ZOT_vive_4_1.dat", datText({data}));
    std::ostringstream out, missing;
    EXPECT_EQ(runFitCommand({"--exposure", "achieved", alone}, out, missing), 1);
    EXPECT_NE(missing.str().find("no usable timing file"), std::string::npos) << missing.str();
}

} // namespace
