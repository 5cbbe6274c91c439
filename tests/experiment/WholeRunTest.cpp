// A whole session played as a subject would: practice block and two main blocks,
// with typing, corrections, an early space press and empty reports. The three
// result files must come out byte for byte as analysis scripts read them.

#include "TestSupport.h"
#include "platform/TestPlatform.h"

#include <gtest/gtest.h>

namespace {

// Seed 5 gives these trials (condition, letters):
//   practice: 1 GSXAHO, 2 FGNXPM, 3 FUTKHV
//   block 1:  1 RPSLAM, 3 PTHJEM, 2 JLOARB
//   block 2:  2 DNLXMP, 3 SDJERH, 1 OPNTLE
// At 60 Hz conditions 1 and 2 last 1 frame (17 ms), condition 3 lasts 3 (50 ms).
//
// What the files must hold. Each history stamp follows from the fake clock: a trial
// starting at S is stamped S (fixation), S + 60 frames (stimulus), S + (60 + E) frames
// (masks) and S + (90 + E) frames (blank), with 16 ms per frame; letters are typed one
// frame later, and the next trial starts when the 1800 ms lock-out ends.
const std::string DATA =
    "6\n"
    "1\t17\tRPSLAM\t000000\tRPZ\t\n"
    "3\t50\tPTHJEM\t000000\tPP\t\n"
    "2\t17\tJLOARB\t000000\tX\t\n"
    "2\t17\tDNLXMP\t000000\tDNLXMP\t\n"
    "3\t50\tSDJERH\t000000\t-\t\n"
    "1\t17\tOPNTLE\t000000\t-\t\n";

const std::string PRACTICE =
    "3\n"
    "1\t17\tGSXAHO\t000000\tGSB\t\n"
    "2\t17\tFGNXPM\t000000\t-\t\n"
    "3\t50\tFUTKHV\t000000\tU\t\n";

const std::string HISTORY =
    "5000\tSubjectNumber: VP7\n"
    "5000\tSubjectCode: abcd0101x\n"
    "5000\tSession: 2\n"
    "5000\tAge: 31\n"
    "5000\tGender: f\n"
    "5000\tHandedness: r\n"
    "5000\tVisionAid: 0\n"
    "5000\tTime: 5/12/2026 6:3:9\n"
    "6000\tfixation\n"
    "6960\t1\t17\tGSXAHO\t000000\n"
    "6976\tmasks\n"
    "7456\tblank\n"
    "7472\treport: G\n"
    "7472\treport: S\n"
    "7472\treport: B\n"
    "7800\tfixation\n"
    "8760\t2\t17\tFGNXPM\t000000\n"
    "8776\tmasks\n"
    "9256\tblank\n"
    "9600\tfixation\n"
    "10560\t3\t50\tFUTKHV\t000000\n"
    "10608\tmasks\n"
    "11088\tblank\n"
    "11104\treport: F\n"
    "11104\treport: backspace\n"
    "11104\treport: U\n"
    "12400\tfixation\n"
    "13360\t1\t17\tRPSLAM\t000000\n"
    "13376\tmasks\n"
    "13856\tblank\n"
    "13872\treport: R\n"
    "13872\treport: P\n"
    "13872\treport: Z\n"
    "14200\tfixation\n"
    "15160\t3\t50\tPTHJEM\t000000\n"
    "15208\tmasks\n"
    "15688\tblank\n"
    "15704\treport: P\n"
    "15704\treport: P\n"
    "16000\tfixation\n"
    "16960\t2\t17\tJLOARB\t000000\n"
    "16976\tmasks\n"
    "17456\tblank\n"
    "17472\treport: X\n"
    "18800\tfixation\n"
    "19760\t2\t17\tDNLXMP\t000000\n"
    "19776\tmasks\n"
    "20256\tblank\n"
    "20272\treport: D\n"
    "20272\treport: N\n"
    "20272\treport: L\n"
    "20272\treport: X\n"
    "20272\treport: M\n"
    "20272\treport: P\n"
    "20600\tfixation\n"
    "21560\t3\t50\tSDJERH\t000000\n"
    "21608\tmasks\n"
    "22088\tblank\n"
    "22400\tfixation\n"
    "23360\t1\t17\tOPNTLE\t000000\n"
    "23376\tmasks\n"
    "23856\tblank\n"
    "23872\treport: E\n"
    "23872\treport: backspace\n";

TEST(WholeRun, WritesExactlyTheExpectedResultFiles)
{
    Session session("blocksPerRun=2\ntrialsPerBlock=3\npracticeBlock=1\nrandomSeed=5",
                    {"VP7", "abcd0101x", "2", "31", "f", "r", "0"});
    // A text screen the subject reads for half a second before pressing space.
    const auto readAndGoOn = [&] {
        session.clock.now += 500;
        session.space();
    };
    session.clock.now = 6000;
    session.space(); // welcome -> practice trial 1
    session.toReport();
    session.type("gs1Q");
    session.space(); // too early: ignored
    EXPECT_EQ(session.experiment->state(), REPORT);
    session.type("b");
    session.finishTrial();
    session.play("");
    session.play("f\b\bu"); // the second backspace finds nothing to remove
    ASSERT_EQ(session.experiment->state(), FEEDBACK);
    readAndGoOn(); // block 1 announced
    ASSERT_EQ(session.experiment->state(), BLOCK_START);
    readAndGoOn();
    for (const char* typing : {"rpz", "pp", "x"})
        session.play(typing);
    readAndGoOn();
    readAndGoOn();
    for (const char* typing : {"dnlxmp", "", "e\b"})
        session.play(typing);
    ASSERT_EQ(session.experiment->state(), FEEDBACK);
    readAndGoOn();
    readAndGoOn();
    EXPECT_EQ(session.experiment->state(), DONE);

    const auto feedback = [](const std::string& rate, const std::string& mistakes) {
        return "In this block your answers\\nwere to " + rate + "% correct.\\nYou made " + mistakes +
               " mistakes.\\nYour answers should be\\nto 80-90% correct.\\nPress space to continue!";
    };
    EXPECT_EQ(session.screen.feedbackTexts,
              (std::vector<std::string>{feedback("75", "1"), feedback("66.6667", "2"), feedback("100", "0")}));
    EXPECT_EQ(session.screen.blockTexts,
              (std::vector<std::string>{"Block 1 of 2.\\nPress space to continue!",
                                        "Block 2 of 2.\\nPress space to continue!"}));

    EXPECT_EQ(session.log("ZOT_vive_VP7_2.dat"), onDisk(DATA));
    EXPECT_EQ(session.log("ZOT_vive_VP7_2_practice.dat"), onDisk(PRACTICE));
    EXPECT_EQ(session.log("ZOT_vive_VP7_2_history.dat"), onDisk(HISTORY));
}

} // namespace
